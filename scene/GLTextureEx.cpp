#include "scene/GLTextureEx.h"

#include <algorithm>

#include "scene/GLRenderContextInfo.h"
#include "scene/GLState.h"
#include "scene/XOpenGL.h"

namespace qx {

namespace {

int TextureUnitCount() {
  if (!GLCaps.ARB_multitexture || !glActiveTextureARB_) return 1;
  GLint n = 1;
  glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &n);
  return std::min(int(n), 8);
}

}  // namespace

// ---- TGLTextureExItem ----
TGLTextureExItem::TGLTextureExItem(TGLTextureEx* collection)
    : TGLUpdateAbleObject(collection),
      collection_(collection),
      texture_(this),
      offset_(this, THomogeneousVector{0, 0, 0, 0}, csFreeStyle),
      scale_(this, THomogeneousVector{1, 1, 1, 0}, csFreeStyle) {
  offset_.OnNotifyChange = [this](TObject*) { CalculateTextureMatrix(); };
  scale_.OnNotifyChange = [this](TObject*) { CalculateTextureMatrix(); };
}

void TGLTextureExItem::Assign(const TPersistent* source) {
  if (auto* i = dynamic_cast<const TGLTextureExItem*>(source)) {
    texture_.Assign(&i->texture_);
    textureIndex_ = i->textureIndex_;
    offset_.Assign(&i->offset_);
    scale_.Assign(&i->scale_);
    CalculateTextureMatrix();
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

void TGLTextureExItem::NotifyChange(TObject* sender) {
  if (collection_) collection_->NotifyChange(sender);
}

void TGLTextureExItem::SetTextureIndex(int i) {
  if (i < 0 || i == textureIndex_) return;
  textureIndex_ = i;
  NotifyChange(this);
}

std::string TGLTextureExItem::DisplayName() const { return "Tex [" + std::to_string(textureIndex_) + "]"; }

void TGLTextureExItem::CalculateTextureMatrix() {
  const THomogeneousVector o = offset_.AsVector(), s = scale_.AsVector();
  identity_ = o.X == 0 && o.Y == 0 && o.Z == 0 && s.X == 1 && s.Y == 1 && s.Z == 1;
  matrix_ = identity_ ? IdentityHmgMatrix : CreateScaleAndTranslationMatrix(s, o);
  NotifyChange(this);
}

void TGLTextureExItem::Apply(TRenderContextInfo& rci) {
  applied_ = texture_.Enabled();
  if (!applied_) return;
  if (textureIndex_ == 0) {
    if (!identity_) rci.GLStates->SetGLTextureMatrix(matrix_);
    texture_.Apply(rci);
  } else {
    texture_.ApplyAsTextureN(textureIndex_, rci, identity_ ? nullptr : &matrix_);
  }
}

void TGLTextureExItem::UnApply(TRenderContextInfo& rci) {
  if (!applied_) return;
  if (textureIndex_ == 0) {
    texture_.UnApply(rci);
    rci.GLStates->ResetGLTextureMatrix();
  } else {
    texture_.UnApplyAsTextureN(textureIndex_, rci, !identity_);
  }
  applied_ = false;
}

// ---- TGLTextureEx ----
void TGLTextureEx::Assign(const TPersistent* source) {
  auto* t = dynamic_cast<const TGLTextureEx*>(source);
  if (!t) {
    TGLUpdateAbleObject::Assign(source);
    return;
  }
  if (t == this) return;
  items_.clear();
  for (const auto& i : t->items_) Add()->Assign(i.get());
  NotifyChange(this);
}

TGLTextureExItem* TGLTextureEx::Add() {
  items_.push_back(std::make_unique<TGLTextureExItem>(this));
  NotifyChange(this);
  return items_.back().get();
}
void TGLTextureEx::Delete(int index) {
  items_.erase(items_.begin() + index);
  NotifyChange(this);
}
void TGLTextureEx::Clear() {
  items_.clear();
  NotifyChange(this);
}

bool TGLTextureEx::IsTextureUsed(int unit) const {
  for (const auto& i : items_)
    if (i->TextureIndex() == unit && i->Texture().Enabled()) return true;
  return false;
}

void TGLTextureEx::Apply(TRenderContextInfo& rci) {
  const int units = TextureUnitCount();
  std::uint32_t mask = 0;
  for (const auto& i : items_) {
    if (i->TextureIndex() >= units) continue;
    i->Apply(rci);
    if (i->TextureIndex() > 0 && i->Texture().Enabled() &&
        i->Texture().MappingMode() == TGLTextureMappingMode::tmmUser)
      mask |= 1u << i->TextureIndex();
  }
  if (mask) MapTexCoordToArbitraryAdd(mask);
}

void TGLTextureEx::UnApply(TRenderContextInfo& rci) {
  for (const auto& i : items_) i->UnApply(rci);
}

void TGLTextureEx::DestroyHandles() {
  for (const auto& i : items_) i->Texture().DestroyHandles();
}

}  // namespace qx
