// The only way the scene graph changes OpenGL enable state, material colours, texture
// bindings, polygon mode and front face: redundant calls are skipped. Each scene buffer owns
// one; the render pass resets it at the start of every pass.
//
// The OpenGL calls it makes go through GLStateCalls(), which tests may replace to count them
// without a context.
#pragma once
#include <cstdint>

#include "scene/OpenGL1x.h"
#include "scene/base/VectorGeometry.h"

namespace qx {

// Positions are fixed: the render pass refers to them by number (depth test 5, texture 2D 19).
enum TGLState : std::uint8_t {
  stAlphaTest,
  stAutoNormal,
  stBlend,
  stColorMaterial,
  stCullFace,
  stDepthTest,
  stDither,
  stFog,
  stLighting,
  stLineSmooth,
  stLineStipple,
  stLogicOp,
  stNormalize,
  stPointSmooth,
  stPolygonSmooth,
  stPolygonStipple,
  stScissorTest,
  stStencilTest,
  stTexture1D,
  stTexture2D,
  stTextureCubeMap,
  stTextureRect
};
GLenum GLStateCapability(TGLState s);

struct TGLStateCalls {
  void (*Enable)(GLenum);
  void (*Disable)(GLenum);
  void (*Materiali)(GLenum, GLenum, GLint);
  void (*Materialfv)(GLenum, GLenum, const GLfloat*);
  void (*BindTexture)(GLenum, GLuint);
  void (*PolygonMode)(GLenum, GLenum);
  void (*FrontFace)(GLenum);
  void (*LoadTextureMatrix)(const GLfloat*);  // switches to the texture matrix and back
  void (*ActiveTexture)(GLenum);
};
TGLStateCalls& GLStateCalls();
// Back to the real OpenGL calls.
void ResetGLStateCalls();

class TGLStateCache {
 public:
  TGLStateCache();
  void Enable(TGLState s);
  void Disable(TGLState s);
  bool IsEnabled(TGLState s) const { return (states_ >> s) & 1u; }
  // Records a state set behind the cache (SetupContextState sets both together).
  void SetEnabledFlag(TGLState s, bool on);

  void SetGLPolygonMode(GLenum face, GLenum mode);
  void ResetGLPolygonMode();
  // face is GL_FRONT or GL_BACK.
  void SetGLMaterialColors(GLenum face, const TColorVector& emission, const TColorVector& ambient,
                           const TColorVector& diffuse, const TColorVector& specular, int shininess);
  void SetGLMaterialAlphaChannel(GLenum face, float alpha);
  void ResetGLMaterialColors();
  void SetGLCurrentTexture(int unit, GLenum target, GLuint name);
  void ResetGLCurrentTexture();
  void SetGLTextureMatrix(const TMatrix& m);
  void ResetGLTextureMatrix();
  void InvertGLFrontFace();
  void ResetGLFrontFace();
  bool FrontFaceCCW() const { return frontFaceCCW_; }
  void ResetAll();

 private:
  void ForgetMaterialColors();
  TColorVector materials_[2][4];  // [front, back][emission, ambient, diffuse, specular]
  int shininess_[2];
  std::uint32_t states_ = 0;
  std::uint32_t textures_[8];
  GLenum polygonMode_[2] = {0, 0};
  bool frontFaceCCW_ = true;
  bool textureMatrixIsIdentity_ = true;
};

}  // namespace qx
