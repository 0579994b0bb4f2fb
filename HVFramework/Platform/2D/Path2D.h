#pragma once

#include "HVFramework/Utilities/Geometry/PointT.h"

#include <vector>

namespace HV::Platform {

// Path2D: figures of straight lines, open or closed, filled with the
// alternate (even-odd) rule. A plain value.
class Path2D {
 public:
  struct Figure {
    std::vector<PointT<float>> points;
    bool isClosed = false;
  };

  // A figure of one line.
  void AddLine(const PointT<float>& from, const PointT<float>& to) {
    mFigures.push_back({{from, to}, false});
  }
  // One open figure through all points.
  void AddLines(const std::vector<PointT<float>>& points) { mFigures.push_back({points, false}); }
  // One closed figure through all points.
  void AddPolygon(const std::vector<PointT<float>>& points) { mFigures.push_back({points, true}); }

  const std::vector<Figure>& GetFigures() const { return mFigures; }
  bool IsEmpty() const { return mFigures.empty(); }

 private:
  std::vector<Figure> mFigures;
};

}  // namespace HV::Platform
