#include "HVFramework/Renderer/OpenGL/CGLPolygon.h"

#include "HVFramework/Renderer/OpenGL/GLErrors.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <deque>
#include <vector>

namespace HV {

namespace {

// GLU's callback type is declared without parameters; the tessellator calls
// each with the arguments of its kind.
using TessCallback = void (*)();

void TessBegin(GLenum mode) { glBegin(mode); }
void TessVertex(void* vertex) { glVertex3dv(static_cast<const GLdouble*>(vertex)); }
void TessEnd() { glEnd(); }
// Points where edges cross get a vertex of their own, kept until the next fill.
void TessCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* polygonData) {
  auto* extra = static_cast<std::deque<std::array<GLdouble, 3>>*>(polygonData);
  extra->push_back({coords[0], coords[1], coords[2]});  // a deque keeps earlier ones in place
  *out = extra->back().data();
}

struct SharedTessellator {
  GLUtesselator* tess = nullptr;
  std::vector<GLdouble> vertices;
  std::deque<std::array<GLdouble, 3>> combined;

  SharedTessellator() {
    tess = gluNewTess();
    if (!tess) return;
    gluTessNormal(tess, 0, 0, 1);
    gluTessProperty(tess, GLU_TESS_TOLERANCE, 1);
    gluTessCallback(tess, GLU_TESS_BEGIN, reinterpret_cast<TessCallback>(&TessBegin));
    gluTessCallback(tess, GLU_TESS_VERTEX, reinterpret_cast<TessCallback>(&TessVertex));
    gluTessCallback(tess, GLU_TESS_END, reinterpret_cast<TessCallback>(&TessEnd));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<TessCallback>(&TessCombine));
  }
};

SharedTessellator& Tessellator() {
  static auto* shared = new SharedTessellator;  // kept for the process
  return *shared;
}

}  // namespace

void CGLPolygon::Fill(const PolylineT<float>& polyline) {
  SharedTessellator& shared = Tessellator();
  const auto& points = polyline.GetPoints();
  if (!shared.tess || points.size() < 3) return;
  if (shared.vertices.size() < points.size() * 3) shared.vertices.resize(points.size() * 3);
  shared.combined.clear();
  for (size_t i = 0; i < points.size(); ++i) {
    shared.vertices[i * 3] = points[i].x;
    shared.vertices[i * 3 + 1] = points[i].y;
    shared.vertices[i * 3 + 2] = 0;
  }
  gluTessProperty(shared.tess, GLU_TESS_BOUNDARY_ONLY, GL_FALSE);
  gluTessBeginPolygon(shared.tess, &shared.combined);
  gluTessBeginContour(shared.tess);
  for (size_t i = 0; i < points.size(); ++i)
    gluTessVertex(shared.tess, &shared.vertices[i * 3], &shared.vertices[i * 3]);
  gluTessEndContour(shared.tess);
  gluTessEndPolygon(shared.tess);
  DrainGLErrors();
}

}  // namespace HV
