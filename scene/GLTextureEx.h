// The texture list of a material: extra textures, each on a texture unit of its own with an
// offset and a scale of its coordinates (multi-texturing).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "scene/GLTexture.h"

namespace qx {

class TGLTextureEx;

class TGLTextureExItem : public TGLUpdateAbleObject {
 public:
  explicit TGLTextureExItem(TGLTextureEx* collection);
  std::string ClassName() const override { return "TGLTextureExItem"; }
  void Assign(const TPersistent* source) override;
  void NotifyChange(TObject* sender) override;
  TGLTexture& Texture() { return texture_; }
  const TGLTexture& Texture() const { return texture_; }
  int TextureIndex() const { return textureIndex_; }
  void SetTextureIndex(int i);
  TGLCoordinates& TextureOffset() { return offset_; }
  TGLCoordinates& TextureScale() { return scale_; }
  // "Tex [N]" with the texture index.
  std::string DisplayName() const;
  // Identity unless an offset or a scale is set.
  bool TextureMatrixIsIdentity() const { return identity_; }
  const TMatrix& TextureMatrix() const { return matrix_; }
  void Apply(TRenderContextInfo& rci);
  void UnApply(TRenderContextInfo& rci);

 private:
  void CalculateTextureMatrix();
  TGLTextureEx* collection_;
  TGLTexture texture_;
  int textureIndex_ = 0;
  TGLCoordinates offset_, scale_;
  TMatrix matrix_ = IdentityHmgMatrix;
  bool identity_ = true, applied_ = false;
};

class TGLTextureEx : public TGLUpdateAbleObject {
 public:
  explicit TGLTextureEx(TPersistent* owner) : TGLUpdateAbleObject(owner) {}
  std::string ClassName() const override { return "TGLTextureEx"; }
  void Assign(const TPersistent* source) override;
  int Count() const { return int(items_.size()); }
  TGLTextureExItem* operator[](int i) const { return items_.at(std::size_t(i)).get(); }
  TGLTextureExItem* Add();
  void Delete(int index);
  void Clear();
  // An enabled texture on that unit.
  bool IsTextureUsed(int unit) const;
  // Every item on a unit the implementation has; units above 0 whose texture takes the
  // object's own coordinates receive them.
  void Apply(TRenderContextInfo& rci);
  void UnApply(TRenderContextInfo& rci);
  void DestroyHandles();

 private:
  std::vector<std::unique_ptr<TGLTextureExItem>> items_;
};

}  // namespace qx
