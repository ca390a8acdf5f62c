// The scene fixture with two more instruments for the families of scene objects: a frame
// rendered in OpenGL's feedback mode (the primitives that reach the rasterizer, counted and
// with their window coordinates and colours), and positions in pixels of points of the
// plane z = 0 (1 unit there is about 37.8 pixels).
#pragma once
#include <cmath>
#include <vector>

#include "SceneFixture.h"

namespace qx::test {

struct TFbVertex {
  float x, y, z;     // window coordinates, y from the bottom
  float r, g, b, a;  // colour
  float s, t;        // texture coordinates of the first unit
};

struct TFbPrimitive {
  enum Kind { Point, Line, Polygon, Other } kind;
  bool reset = false;  // a line that starts a new strip (or an independent segment)
  std::vector<TFbVertex> v;
};

struct TFeedback {
  std::vector<TFbPrimitive> prims;
  bool overflow = false;
  int Count(TFbPrimitive::Kind k) const {
    int n = 0;
    for (const auto& p : prims) n += p.kind == k;
    return n;
  }
  int Points() const { return Count(TFbPrimitive::Point); }
  int Lines() const { return Count(TFbPrimitive::Line); }
  int Polygons() const { return Count(TFbPrimitive::Polygon); }
  // Strips and independent segments: a line that does not start where the one before
  // ended starts a new one.
  int LineStarts() const {
    int n = 0;
    const TFbVertex* end = nullptr;
    for (const auto& p : prims) {
      if (p.kind != TFbPrimitive::Line) continue;
      if (!end || std::fabs(end->x - p.v[0].x) > 1e-3f || std::fabs(end->y - p.v[0].y) > 1e-3f ||
          std::fabs(end->z - p.v[0].z) > 1e-6f)
        ++n;
      end = &p.v[1];
    }
    return n;
  }
  float MinX() const { return Extreme(true, false); }
  float MaxX() const { return Extreme(true, true); }
  float MinY() const { return Extreme(false, false); }
  float MaxY() const { return Extreme(false, true); }

 private:
  float Extreme(bool x, bool max) const {
    float e = max ? -1e30f : 1e30f;
    for (const auto& p : prims)
      for (const auto& v : p.v) e = max ? std::max(e, x ? v.x : v.y) : std::min(e, x ? v.x : v.y);
    return e;
  }
};

class ShapeFixture : public SceneFixture {
 protected:
  static constexpr float kPixelsPerUnit = 2.952756f * 128 / 10;  // at the origin, camera 10 away

  // The pixel column (or row, y up) of a point of the plane z = 0.
  static int Px(float x) { return 128 + int(std::lround(x * kPixelsPerUnit)); }
  static int Py(float y) { return 128 - int(std::lround(y * kPixelsPerUnit)); }

  // One frame through the normal render pass, in feedback mode.
  TFeedback Feedback() {
    std::vector<GLfloat> buf(1 << 21);
    GLint n = 0;
    Buffer().InitiateRendering = [&](TObject*, TRenderContextInfo&) {
      glFeedbackBuffer(GLsizei(buf.size()), GL_3D_COLOR_TEXTURE, buf.data());
      glRenderMode(GL_FEEDBACK);
    };
    Buffer().WrapUpRendering = [&](TObject*, TRenderContextInfo&) { n = glRenderMode(GL_RENDER); };
    viewer->Render();
    Buffer().InitiateRendering = nullptr;
    Buffer().WrapUpRendering = nullptr;
    TFeedback fb;
    if (n < 0) {
      fb.overflow = true;
      return fb;
    }
    auto vertex = [&](GLint& i) {
      const GLfloat* f = &buf[std::size_t(i)];
      const TFbVertex v{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7] / f[10], f[8] / f[10]};
      i += 11;
      return v;
    };
    for (GLint i = 0; i < n;) {
      const GLint token = GLint(buf[std::size_t(i++)]);
      TFbPrimitive p{TFbPrimitive::Other, false, {}};
      switch (token) {
        case GL_PASS_THROUGH_TOKEN:
          ++i;
          continue;
        case GL_POINT_TOKEN:
          p.kind = TFbPrimitive::Point;
          p.v.push_back(vertex(i));
          break;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
          p.kind = TFbPrimitive::Line;
          p.reset = token == GL_LINE_RESET_TOKEN;
          p.v.push_back(vertex(i));
          p.v.push_back(vertex(i));
          break;
        case GL_POLYGON_TOKEN: {
          p.kind = TFbPrimitive::Polygon;
          const GLint count = GLint(buf[std::size_t(i++)]);
          for (GLint k = 0; k < count; ++k) p.v.push_back(vertex(i));
          // The display lists join strips with triangles that repeat a corner: they draw
          // nothing, and neither does any other triangle with a corner twice.
          bool repeated = false;
          for (std::size_t a = 0; a < p.v.size(); ++a)
            for (std::size_t b = a + 1; b < p.v.size(); ++b)
              repeated |= p.v[a].x == p.v[b].x && p.v[a].y == p.v[b].y && p.v[a].z == p.v[b].z;
          if (repeated) continue;
          break;
        }
        default:
          p.v.push_back(vertex(i));
          break;  // bitmaps and pixel rectangles
      }
      fb.prims.push_back(std::move(p));
    }
    return fb;
  }

  template <class T>
  T* Add(TColor colour = clRed) {
    auto* o = scene->Objects()->AddNewChild<T>();
    if constexpr (std::is_base_of_v<TGLCustomSceneObject, T>)
      o->Material().FrontProperties().Diffuse().SetAsWinColor(colour);
    return o;
  }

  bool IsBackground(int x, int y) const { return Near(Pixel(x, y), {255, 255, 255}); }
};

}  // namespace qx::test

namespace qx {
inline std::ostream& operator<<(std::ostream& o, const THomogeneousVector& v) {
  return o << "(" << v.X << ", " << v.Y << ", " << v.Z << ", " << v.W << ")";
}
}  // namespace qx
