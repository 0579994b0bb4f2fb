#pragma once

#include "HVFramework/Utilities/Geometry/DrawableShape.h"
#include "HVFramework/Utilities/Geometry/PointT.h"

#include <cstddef>
#include <vector>

namespace HV {

// PolylineT: a list of points that the renderer draws as line pairs, an open
// strip, a polygon outline or a filled polygon, with the handle, changed flag,
// line width and scale of a drawable shape. Editing the points raises the
// changed flag.
template <class T>
class PolylineT : public DrawableShape<T> {
 public:
  const std::vector<PointT<T>>& GetPoints() const { return mPoints; }
  size_t GetCount() const { return mPoints.size(); }

  void AddPoint(const PointT<T>& point) {
    mPoints.push_back(point);
    this->SetChanged(true);
  }
  void SetPoints(std::vector<PointT<T>> points) {
    mPoints = std::move(points);
    this->SetChanged(true);
  }
  void Clear() {
    mPoints.clear();
    this->SetChanged(true);
  }

 private:
  std::vector<PointT<T>> mPoints;
};

}  // namespace HV
