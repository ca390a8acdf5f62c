#include "scene/GLState.h"

#include <cstring>

namespace qx {

GLenum GLStateCapability(TGLState s) {
  static const GLenum table[] = {GL_ALPHA_TEST,
                                 GL_AUTO_NORMAL,
                                 GL_BLEND,
                                 GL_COLOR_MATERIAL,
                                 GL_CULL_FACE,
                                 GL_DEPTH_TEST,
                                 GL_DITHER,
                                 GL_FOG,
                                 GL_LIGHTING,
                                 GL_LINE_SMOOTH,
                                 GL_LINE_STIPPLE,
                                 GL_INDEX_LOGIC_OP,
                                 GL_NORMALIZE,
                                 GL_POINT_SMOOTH,
                                 GL_POLYGON_SMOOTH,
                                 GL_POLYGON_STIPPLE,
                                 GL_SCISSOR_TEST,
                                 GL_STENCIL_TEST,
                                 GL_TEXTURE_1D,
                                 GL_TEXTURE_2D,
                                 GL_TEXTURE_CUBE_MAP_ARB,
                                 GL_TEXTURE_RECTANGLE_NV};
  return table[s];
}

static void LoadTextureMatrixGL(const GLfloat* m) {
  glMatrixMode(GL_TEXTURE);
  glLoadMatrixf(m);
  glMatrixMode(GL_MODELVIEW);
}
static void ActiveTextureGL(GLenum u) {
  if (glActiveTextureARB_) glActiveTextureARB_(u);
}

static const TGLStateCalls realCalls{glEnable,     glDisable,           glMateriali,
                                     glMaterialfv, glBindTexture,       glPolygonMode,
                                     glFrontFace,  LoadTextureMatrixGL, ActiveTextureGL};
TGLStateCalls& GLStateCalls() {
  static TGLStateCalls calls = realCalls;
  return calls;
}
void ResetGLStateCalls() { GLStateCalls() = realCalls; }

TGLStateCache::TGLStateCache() {
  // Constructing the cache touches no OpenGL state.
  ForgetMaterialColors();
  for (auto& t : textures_) t = ~0u;
}

void TGLStateCache::Enable(TGLState s) {
  if (s >= 32 || IsEnabled(s)) return;
  states_ |= 1u << s;
  GLStateCalls().Enable(GLStateCapability(s));
}

void TGLStateCache::Disable(TGLState s) {
  if (s >= 32 || !IsEnabled(s)) return;
  states_ &= ~(1u << s);
  GLStateCalls().Disable(GLStateCapability(s));
}

void TGLStateCache::SetEnabledFlag(TGLState s, bool on) {
  if (on)
    states_ |= 1u << s;
  else
    states_ &= ~(1u << s);
}

void TGLStateCache::SetGLPolygonMode(GLenum face, GLenum mode) {
  if (face == GL_FRONT || face == GL_BACK) {
    GLenum& cached = polygonMode_[face == GL_FRONT ? 0 : 1];
    if (cached != mode) {
      cached = mode;
      GLStateCalls().PolygonMode(face, mode);
    }
  } else if (polygonMode_[0] != mode || polygonMode_[1] != mode) {
    polygonMode_[0] = polygonMode_[1] = mode;
    GLStateCalls().PolygonMode(GL_FRONT_AND_BACK, mode);
  }
}

void TGLStateCache::ResetGLPolygonMode() { polygonMode_[0] = polygonMode_[1] = 0; }

static bool SameRGB(const TColorVector& a, const TColorVector& b) {
  return a.X == b.X && a.Y == b.Y && a.Z == b.Z;
}
static bool SameRGBA(const TColorVector& a, const TColorVector& b) { return SameRGB(a, b) && a.W == b.W; }

void TGLStateCache::SetGLMaterialColors(GLenum face, const TColorVector& emission,
                                        const TColorVector& ambient, const TColorVector& diffuse,
                                        const TColorVector& specular, int shininess) {
  const int f = face == GL_FRONT ? 0 : 1;
  if (shininess_[f] != shininess) {
    shininess_[f] = shininess;
    GLStateCalls().Materiali(face, GL_SHININESS, shininess);
  }
  TColorVector* c = materials_[f];
  if (!SameRGB(c[0], emission)) {
    c[0] = emission;
    GLStateCalls().Materialfv(face, GL_EMISSION, &emission.X);
  }
  if (!SameRGB(c[1], ambient)) {
    c[1] = ambient;
    GLStateCalls().Materialfv(face, GL_AMBIENT, &ambient.X);
  }
  if (!SameRGBA(c[2], diffuse)) {
    c[2] = diffuse;
    GLStateCalls().Materialfv(face, GL_DIFFUSE, &diffuse.X);
  }
  if (!SameRGB(c[3], specular)) {
    c[3] = specular;
    GLStateCalls().Materialfv(face, GL_SPECULAR, &specular.X);
  }
}

void TGLStateCache::SetGLMaterialAlphaChannel(GLenum face, float alpha) {
  TColorVector& d = materials_[face == GL_FRONT ? 0 : 1][2];
  if (d.W != alpha) {
    d.W = alpha;
    GLStateCalls().Materialfv(face, GL_DIFFUSE, &d.X);
  }
}

// Sends OpenGL's defaults and fills the cache with bytes 0x7F, a value no real colour has,
// so that the next colours are all sent.
void TGLStateCache::ResetGLMaterialColors() {
  static const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1}, diffuse[4] = {0.8f, 0.8f, 0.8f, 1},
                       black[4] = {0, 0, 0, 1};
  for (GLenum face : {GL_FRONT, GL_BACK}) {
    GLStateCalls().Materialfv(face, GL_AMBIENT, ambient);
    GLStateCalls().Materialfv(face, GL_DIFFUSE, diffuse);
    GLStateCalls().Materialfv(face, GL_SPECULAR, black);
    GLStateCalls().Materialfv(face, GL_EMISSION, black);
    GLStateCalls().Materiali(face, GL_SHININESS, 0);
  }
  ForgetMaterialColors();
}

void TGLStateCache::ForgetMaterialColors() {
  std::memset(materials_, 0x7F, sizeof(materials_));
  shininess_[0] = shininess_[1] = 0;
}

void TGLStateCache::SetGLCurrentTexture(int unit, GLenum target, GLuint name) {
  if (unit < 0 || unit > 7 || textures_[unit] == name) return;
  if (unit > 0) GLStateCalls().ActiveTexture(GLenum(GL_TEXTURE0_ARB + unit));
  GLStateCalls().BindTexture(target, name);
  if (unit > 0) GLStateCalls().ActiveTexture(GL_TEXTURE0_ARB);
  textures_[unit] = name;
}

void TGLStateCache::ResetGLCurrentTexture() {
  for (auto& t : textures_) t = ~0u;
}

void TGLStateCache::SetGLTextureMatrix(const TMatrix& m) {
  GLStateCalls().LoadTextureMatrix(m.data());
  textureMatrixIsIdentity_ = false;
}

void TGLStateCache::ResetGLTextureMatrix() {
  if (textureMatrixIsIdentity_) return;
  GLStateCalls().LoadTextureMatrix(IdentityHmgMatrix.data());
  textureMatrixIsIdentity_ = true;
}

void TGLStateCache::InvertGLFrontFace() {
  frontFaceCCW_ = !frontFaceCCW_;
  GLStateCalls().FrontFace(frontFaceCCW_ ? GL_CCW : GL_CW);
}

void TGLStateCache::ResetGLFrontFace() {
  GLStateCalls().FrontFace(GL_CCW);
  frontFaceCCW_ = true;
}

void TGLStateCache::ResetAll() {
  ResetGLPolygonMode();
  ResetGLMaterialColors();
  ResetGLCurrentTexture();
  ResetGLFrontFace();
}

}  // namespace qx
