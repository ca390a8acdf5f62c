// Picking, screen conversions and snapshots of a scene buffer.
#include <algorithm>
#include <vector>

#include "scene/GLScene.h"
#include "scene/XOpenGL.h"
#include "scene/base/SceneErrors.h"

namespace qx {

void TGLSceneBuffer::PickObjects(const TRect& rect, TGLPickList& pickList, int objectCountGuess) {
  if (!camera_) return;
  if (rendering_) throw EAssertionFailed("Already rendering");
  if (!context_ || !context_->IsValid()) return;
  context_->Activate();
  rendering_ = true;
  const TMatrix savedProjection = projectionMatrix_;
  struct TEnd {
    TGLSceneBuffer& b;
    const TMatrix& proj;
    ~TEnd() {
      b.projectionMatrix_ = proj;
      b.rendering_ = false;
      try {
        b.context_->Deactivate();
      } catch (...) {
      }
    }
  } end{*this, savedProjection};
  MapTexCoordToNull();
  MapTexCoordToMain();
  renderDPI_ = 96;
  SetupMatrices(&rect);
  int size = std::max(objectCountGuess, 8);
  std::vector<GLuint> selection;
  GLint hits = -1;
  while (hits < 0) {
    size *= 2;
    selection.assign(std::size_t(size) * 4 + 32, 0);
    glSelectBuffer(GLsizei(size) * 4, selection.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    if (camera_->Scene())
      camera_->Scene()->RenderScene(*this, viewport_.Width, viewport_.Height, TDrawState::dsPicking, nullptr);
    glFlush();
    hits = glRenderMode(GL_RENDER);
    if (size > (1 << 24)) break;
  }
  pickList.Clear();
  pickList.Reserve(hits);
  std::size_t k = 0;
  const std::size_t used = std::size_t(size) * 4;
  for (GLint h = 0; h < hits && k + 3 <= used; ++h) {
    const GLuint n = selection[k];
    const float zNear = float(selection[k + 1] >> 1) * (1.0f / 2147483648.0f);
    const float zFar = float(selection[k + 2] >> 1) * (1.0f / 2147483648.0f);
    k += 3;
    if (n == 0 || k + n > used) {
      k += n;
      continue;
    }
    TGLBaseSceneObject* obj = TGLBaseSceneObject::FindByPickName(selection[k]);
    std::vector<std::uint32_t> sub(selection.begin() + std::ptrdiff_t(k) + 1,
                                   selection.begin() + std::ptrdiff_t(k + n));
    k += n;
    // A name that is no object (the base name 0 of an empty stack) picks nothing.
    if (obj) pickList.AddHit(obj, std::move(sub), zNear, zFar);
  }
  // Back to the projection of the last render for the conversions.
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(savedProjection.data());
  glMatrixMode(GL_MODELVIEW);
}

std::unique_ptr<TGLPickList> TGLSceneBuffer::PickObjectsInRect(const TRect& rect, int objectCountGuess) {
  auto list = std::make_unique<TGLPickList>(TPickSortType::psMinDepth);
  PickObjects(rect, *list, objectCountGuess);
  return list;
}

TGLBaseSceneObject* TGLSceneBuffer::GetPickedObject(int x, int y) {
  auto list = PickObjectsInRect({x - 1, y - 1, x + 1, y + 1}, 64);
  return list->Count() > 0 ? list->Hit(0) : nullptr;
}

namespace {
void ViewportArray(const TRectangle& vp, GLint out[4]) {
  out[0] = vp.Left;
  out[1] = vp.Top;
  out[2] = vp.Width;
  out[3] = vp.Height;
}
}  // namespace

THomogeneousVector TGLSceneBuffer::UnprojectPoint(float x, float y, float depth) const {
  if (!camera_) return {x, y, depth, 0};
  const TDoubleMatrix mv = MatrixToDouble(modelViewMatrix_), pr = MatrixToDouble(projectionMatrix_);
  GLint vp[4];
  ViewportArray(viewport_, vp);
  GLdouble wx = 0, wy = 0, wz = 0;
  gluUnProject(x, y, depth, mv.M, pr.M, vp, &wx, &wy, &wz);
  return {float(wx), float(wy), float(wz), 1};
}

TAffineVector TGLSceneBuffer::UnprojectPoint(const TAffineVector& v) const {
  if (!camera_) return v;
  return AffineVectorFromVector(UnprojectPoint(v.X, v.Y, v.Z));
}

THomogeneousVector TGLSceneBuffer::ProjectPoint(const THomogeneousVector& p) const {
  if (!camera_) return p;
  const TDoubleMatrix mv = MatrixToDouble(modelViewMatrix_), pr = MatrixToDouble(projectionMatrix_);
  GLint vp[4];
  ViewportArray(viewport_, vp);
  GLdouble wx = 0, wy = 0, wz = 0;
  gluProject(p.X, p.Y, p.Z, mv.M, pr.M, vp, &wx, &wy, &wz);
  return {float(wx), float(wy), float(wz), 1};
}

TAffineVector TGLSceneBuffer::ScreenRayDirection(const TAffineVector& screenPoint) const {
  const TAffineVector p = UnprojectPoint(screenPoint);
  return VectorSubtract(p, AffineVectorFromVector(cameraAbsolutePosition_));
}

THomogeneousVector TGLSceneBuffer::ScreenToVector(float x, float y) const {
  return VectorFromAffine(ScreenRayDirection({x, y, 0}), 0);
}

bool TGLSceneBuffer::ScreenVectorIntersectWithPlane(const THomogeneousVector& screenPoint,
                                                    const THomogeneousVector& planePoint,
                                                    const THomogeneousVector& planeNormal,
                                                    THomogeneousVector& intersectPoint) const {
  if (!camera_) return false;
  const THomogeneousVector v = ScreenToVector(screenPoint.X, screenPoint.Y);
  THomogeneousVector hit;
  if (!RayCastPlaneIntersect(cameraAbsolutePosition_, v, planePoint, planeNormal, &hit)) return false;
  intersectPoint = hit;
  intersectPoint.W = 1;
  return true;
}

bool TGLSceneBuffer::ScreenPointOnPlaneXY(float x, float y, float z, THomogeneousVector& p) const {
  const bool r = ScreenVectorIntersectWithPlane({x, y, 0, 0}, {0, 0, z, 1}, {0, 0, 1, 0}, p);
  p.W = 0;
  return r;
}

bool TGLSceneBuffer::ScreenPointOnPlaneYZ(float x, float y, float x0, THomogeneousVector& p) const {
  const bool r = ScreenVectorIntersectWithPlane({x, y, 0, 0}, {x0, 0, 0, 1}, {1, 0, 0, 0}, p);
  p.W = 0;
  return r;
}

std::unique_ptr<TGLBitmap32> TGLSceneBuffer::CreateSnapshot() {
  auto bmp = std::make_unique<TGLBitmap32>();
  bmp->SetWidth(viewport_.Width);
  bmp->SetHeight(viewport_.Height);
  if (camera_ && camera_->Scene() && context_ && context_->IsValid()) {
    context_->Activate();
    bmp->ReadPixels(0, 0, viewport_.Width, viewport_.Height);
    context_->Deactivate();
  }
  return bmp;
}

TBitmap TGLSceneBuffer::SnapshotBitmap() { return CreateSnapshot()->Create32BitsBitmap(); }

void TGLSceneBuffer::CopyToTexture(TGLTexture& texture, int x, int y, int width, int height, int destX,
                                   int destY, GLenum target) {
  if (!context_ || !context_->IsValid() || width < 1 || height < 1) return;
  context_->Activate();
  struct TEnd {
    TGLContext& c;
    ~TEnd() {
      try {
        c.Deactivate();
      } catch (...) {
      }
    }
  } end{*context_};
  if (target == 0) target = texture.Target();
  const bool cubeFace =
      target >= GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB && target <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB;
  const GLuint name = texture.Handle();
  glBindTexture(cubeFace ? GL_TEXTURE_CUBE_MAP_ARB : target, name);
  GLStates.ResetGLCurrentTexture();
  // Whether the texture already holds an image: OpenGL knows.
  GLint existing = 0;
  glGetTexLevelParameteriv(target, 0, GL_TEXTURE_WIDTH, &existing);
  const bool hadImage = existing > 0;
  if (hadImage) {
    glCopyTexSubImage2D(target, 0, destX, destY, x, y, width, height);
  } else {
    std::vector<std::uint8_t> pixels(std::size_t(width) * std::size_t(height) * 4);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    if (IsMipmapFilter(texture.MinFilter()) && !(GLCaps.SGIS_generate_mipmap && target == GL_TEXTURE_2D)) {
      gluBuild2DMipmaps(target, GL_RGBA8, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    } else {
      if (IsMipmapFilter(texture.MinFilter())) glTexParameteri(target, GL_GENERATE_MIPMAP_SGIS, 1);
      glTexImage2D(target, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }
  }
}

}  // namespace qx
