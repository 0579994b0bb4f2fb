#pragma once

#include "HVFramework/Utilities/Geometry/PolylineT.h"

namespace HV {

// CGLPolygon: fills polygons through the GLU tessellator (default winding
// rule, one contour). All polygons share one tessellator and one vertex
// array, made on first use and kept for the process. GL context current,
// user-interface thread only.
class CGLPolygon {
 public:
  // Fills the polygon through the polyline's points, in their order.
  static void Fill(const PolylineT<float>& polyline);
};

}  // namespace HV
