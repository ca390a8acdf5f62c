#include "scene/GLMaterial.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <algorithm>
#include <cstring>

#include "scene/GLRenderContextInfo.h"
#include "scene/GLState.h"
#include "scene/XOpenGL.h"
#include "scene/base/SceneErrors.h"

namespace qx {

// ---- TGLFaceProperties ----
TGLFaceProperties::TGLFaceProperties(TPersistent* owner)
    : TGLUpdateAbleObject(owner),
      ambient_(this, clrGray20),
      diffuse_(this, clrGray80),
      specular_(this, clrBlack),
      emission_(this, clrBlack) {}

void TGLFaceProperties::Assign(const TPersistent* source) {
  if (auto* f = dynamic_cast<const TGLFaceProperties*>(source)) {
    ambient_.DirectColor(f->ambient_.Color());
    diffuse_.DirectColor(f->diffuse_.Color());
    specular_.DirectColor(f->specular_.Color());
    emission_.DirectColor(f->emission_.Color());
    shininess_ = f->shininess_;
    polygonMode_ = f->polygonMode_;
    NotifyChange(this);
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

void TGLFaceProperties::SetShininess(int v) {
  v = std::clamp(v, 0, 128);
  if (v == shininess_) return;
  shininess_ = v;
  NotifyChange(this);
}

void TGLFaceProperties::SetPolygonMode(TPolygonMode m) {
  if (m == polygonMode_) return;
  polygonMode_ = m;
  NotifyChange(this);
}

void TGLFaceProperties::Apply(TRenderContextInfo& rci, GLenum face, bool lighting) {
  if (lighting)
    rci.GLStates->SetGLMaterialColors(face, emission_.Color(), ambient_.Color(), diffuse_.Color(),
                                      specular_.Color(), shininess_);
  else
    glColor4fv(diffuse_.AsAddress());
  static const GLenum modes[] = {GL_FILL, GL_LINE, GL_POINT};
  rci.GLStates->SetGLPolygonMode(face, modes[int(polygonMode_)]);
}

// ---- TGLMaterial ----
TGLMaterial::TGLMaterial(TPersistent* owner)
    : TGLUpdateAbleObject(owner), front_(std::make_unique<TGLFaceProperties>(this)) {}

TGLMaterial::~TGLMaterial() {
  if (libMaterial_) libMaterial_->UnregisterUser(this);
}

TGLFaceProperties& TGLMaterial::BackProperties() {
  if (!back_) back_ = std::make_unique<TGLFaceProperties>(this);
  return *back_;
}

void TGLMaterial::NotifyChange(TObject* sender) {
  if (UpdateCounter() != 0) return;
  if (auto* lm = dynamic_cast<TGLLibMaterial*>(Owner())) {
    lm->NotifyChange(this);
    return;
  }
  TGLUpdateAbleObject::NotifyChange(sender);
}

void TGLMaterial::Assign(const TPersistent* source) {
  auto* m = dynamic_cast<const TGLMaterial*>(source);
  if (!m) {
    TGLUpdateAbleObject::Assign(source);
    return;
  }
  if (m == this) return;
  BeginUpdate();
  if (m->back_)
    BackProperties().Assign(m->back_.get());
  else
    back_.reset();
  front_->Assign(m->front_.get());
  blending_ = m->blending_;
  options_ = m->options_;
  if (m->texture_)
    Texture().Assign(m->texture_.get());
  else
    texture_.reset();
  if (m->textureEx_)
    TextureEx().Assign(m->textureEx_.get());
  else
    textureEx_.reset();
  faceCulling_ = m->faceCulling_;
  library_ = m->library_;
  EndUpdate();
  SetLibMaterialName(m->libMaterialName_);
  NotifyChange(this);
}

void TGLMaterial::SetBlendingMode(TBlendingMode m) {
  if (m == blending_) return;
  blending_ = m;
  NotifyChange(this);
}
void TGLMaterial::SetMaterialOptions(std::uint8_t o) {
  if (o == options_) return;
  options_ = o;
  NotifyChange(this);
}
void TGLMaterial::SetFaceCulling(TFaceCulling f) {
  if (f == faceCulling_) return;
  faceCulling_ = f;
  NotifyChange(this);
}

TGLTexture& TGLMaterial::Texture() {
  if (!texture_) texture_ = std::make_unique<TGLTexture>(this);
  return *texture_;
}

TGLTextureEx& TGLMaterial::TextureEx() {
  if (!textureEx_) textureEx_ = std::make_unique<TGLTextureEx>(this);
  return *textureEx_;
}

void TGLMaterial::SetTexture(const TGLTexture* t) {
  if (!t) {
    texture_.reset();
  } else {
    Texture().Assign(t);
  }
  NotifyChange(this);
}

void TGLMaterial::SetMaterialLibrary(TGLMaterialLibrary* lib) {
  if (lib == library_) return;
  library_ = lib;
  SetLibMaterialName(libMaterialName_);
}

void TGLMaterial::SetLibMaterialName(const std::string& name) {
  TGLLibMaterial* found = library_ && !name.empty() ? library_->LibMaterialByName(name) : nullptr;
  // Follow the chain the new one refers to: 16 steps or more is a cycle.
  // A chain that comes back to this material is a cycle as well, however short.
  int steps = 0;
  for (TGLLibMaterial* m = found; m; ++steps) {
    if (steps >= 16 || &m->Material() == this)
      throw EAssertionFailed("Error: Cyclic material reference detected!");
    TGLMaterial& mat = m->Material();
    m = mat.MaterialLibrary() && !mat.LibMaterialName().empty()
            ? mat.MaterialLibrary()->LibMaterialByName(mat.LibMaterialName())
            : nullptr;
  }
  libMaterialName_ = name;
  if (found != libMaterial_) {
    if (libMaterial_) libMaterial_->UnregisterUser(this);
    libMaterial_ = found;
    if (libMaterial_) libMaterial_->RegisterUser(this);
  }
  NotifyChange(this);
}

void TGLMaterial::LibMaterialDestroyed() {
  libMaterial_ = nullptr;
  library_ = nullptr;
  libMaterialName_.clear();
}

bool TGLMaterial::Blended() const {
  if (libMaterial_) return libMaterial_->Material().Blended();
  return blending_ == TBlendingMode::bmTransparency || blending_ == TBlendingMode::bmAdditive ||
         blending_ == TBlendingMode::bmModulate;
}

void TGLMaterial::DestroyHandles() {
  if (texture_) texture_->DestroyHandles();
  if (textureEx_) textureEx_->DestroyHandles();
}

void TGLMaterial::Apply(TRenderContextInfo& rci) {
  if (libMaterial_) {
    libMaterial_->Apply(rci);
    return;
  }
  TGLStateCache& st = *rci.GLStates;
  // Only the material that switched lighting or fog off switches it back on, so nested
  // materials restore it when the outermost one is undone.
  disabledLighting_ = disabledFog_ = false;
  if ((options_ & moNoLighting) && st.IsEnabled(stLighting)) {
    st.Disable(stLighting);
    ++rci.lightingDisabledCounter;
    disabledLighting_ = true;
  }
  const bool lighting = st.IsEnabled(stLighting);
  front_->Apply(rci, GL_FRONT, lighting);
  auto applyBack = [&] { BackProperties().Apply(rci, GL_BACK, true); };
  if (st.IsEnabled(stCullFace)) {
    switch (faceCulling_) {
      case TFaceCulling::fcBufferDefault:
        if (!rci.bufferFaceCull) {
          st.Disable(stCullFace);
          applyBack();
        }
        break;
      case TFaceCulling::fcCull:
        break;
      case TFaceCulling::fcNoCull:
        st.Disable(stCullFace);
        applyBack();
        break;
    }
  } else {
    switch (faceCulling_) {
      case TFaceCulling::fcBufferDefault:
        if (rci.bufferFaceCull)
          st.Enable(stCullFace);
        else
          applyBack();
        break;
      case TFaceCulling::fcCull:
        st.Enable(stCullFace);
        break;
      case TFaceCulling::fcNoCull:
        applyBack();
        break;
    }
  }
  if (!rci.ignoreBlendingRequests) {
    switch (blending_) {
      case TBlendingMode::bmOpaque:
        st.Disable(stBlend);
        st.Disable(stAlphaTest);
        break;
      case TBlendingMode::bmTransparency:
        st.Enable(stBlend);
        st.Enable(stAlphaTest);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
      case TBlendingMode::bmAdditive:
        st.Enable(stBlend);
        st.Enable(stAlphaTest);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        break;
      case TBlendingMode::bmAlphaTest50:
        st.Disable(stBlend);
        st.Enable(stAlphaTest);
        glAlphaFunc(GL_GEQUAL, 0.5f);
        break;
      case TBlendingMode::bmAlphaTest100:
        st.Disable(stBlend);
        st.Enable(stAlphaTest);
        glAlphaFunc(GL_GEQUAL, 1.0f);
        break;
      case TBlendingMode::bmModulate:
        st.Enable(stBlend);
        st.Enable(stAlphaTest);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        break;
    }
  }
  if ((options_ & moIgnoreFog) && st.IsEnabled(stFog)) {
    st.Disable(stFog);
    ++rci.fogDisabledCounter;
    disabledFog_ = true;
  }
  // The texture goes on the first unit unless the list has one there; then the list.
  textureExApplied_ = HasTextureEx();
  textureApplied_ = texture_ && !(textureExApplied_ && textureEx_->IsTextureUsed(0));
  if (textureApplied_) texture_->Apply(rci);
  if (textureExApplied_) textureEx_->Apply(rci);
}

bool TGLMaterial::UnApply(TRenderContextInfo& rci) {
  if (libMaterial_) return libMaterial_->UnApply(rci);
  if (blending_ == TBlendingMode::bmAlphaTest50 || blending_ == TBlendingMode::bmAlphaTest100)
    glAlphaFunc(GL_GREATER, 0);
  if (disabledLighting_ && rci.lightingDisabledCounter >= 1 && --rci.lightingDisabledCounter == 0)
    rci.GLStates->Enable(stLighting);
  if (disabledFog_ && rci.fogDisabledCounter >= 1 && --rci.fogDisabledCounter == 0)
    rci.GLStates->Enable(stFog);
  disabledLighting_ = disabledFog_ = false;
  if (textureApplied_ && texture_ && !texture_->Disabled()) texture_->UnApply(rci);
  if (textureExApplied_ && textureEx_) textureEx_->UnApply(rci);
  textureApplied_ = textureExApplied_ = false;
  return false;
}

// ---- TGLShader ----
void TGLShader::SetEnabled(bool v) {
  if (active_) throw EAssertionFailed("Shader is active.");
  enabled_ = v;
}
void TGLShader::Apply(TRenderContextInfo& rci, TGLLibMaterial* m) {
  if (active_) throw EAssertionFailed("Unbalanced shader application.");
  active_ = true;
  if (!enabled_) return;
  if (!initialized_) {
    DoInitialize();
    initialized_ = true;
  }
  DoApply(rci, m);
}
bool TGLShader::UnApply(TRenderContextInfo& rci) {
  if (!active_) throw EAssertionFailed("Unbalanced shader application.");
  if (!enabled_) {
    active_ = false;
    return false;
  }
  const bool again = DoUnApply(rci);
  if (!again) active_ = false;
  return again;
}

// ---- TGLLibMaterial ----
std::uint32_t LibMaterialNameHash(const std::string& name) {
  std::uint32_t h = std::uint32_t(name.size());
  for (unsigned char c : name) h = c + 2 * h;
  return h;
}

TGLLibMaterial::TGLLibMaterial(TGLMaterialLibrary* library, const std::string& name)
    : TGLUpdateAbleObject(library),
      library_(library),
      material_(this),
      offset_(this, THomogeneousVector{0, 0, 0, 0}, csFreeStyle),
      scale_(this, THomogeneousVector{1, 1, 1, 0}, csFreeStyle) {
  name_ = library_ ? library_->MakeUniqueName(name, this) : name;
  hash_ = LibMaterialNameHash(name_);
  offset_.OnNotifyChange = [this](TObject*) { CalculateTextureMatrix(); };
  scale_.OnNotifyChange = [this](TObject*) { CalculateTextureMatrix(); };
}

TGLLibMaterial::~TGLLibMaterial() {
  const std::vector<TGLMaterial*> users = users_;
  users_.clear();
  for (TGLMaterial* u : users) u->LibMaterialDestroyed();
}

void TGLLibMaterial::Assign(const TPersistent* source) {
  if (auto* m = dynamic_cast<const TGLLibMaterial*>(source)) {
    SetName(m->name_);
    material_.Assign(&m->material_);
    offset_.Assign(&m->offset_);
    scale_.Assign(&m->scale_);
    Texture2Name = m->Texture2Name;
    Shader = m->Shader;
    Tag = m->Tag;
    CalculateTextureMatrix();
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

void TGLLibMaterial::NotifyChange(TObject*) {
  for (TGLMaterial* u : users_) u->NotifyChange(this);
}

void TGLLibMaterial::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = library_ ? library_->MakeUniqueName(name, this) : name;
  hash_ = LibMaterialNameHash(name_);
}

void TGLLibMaterial::RegisterUser(TGLMaterial* user) {
  Require(std::find(users_.begin(), users_.end(), user) == users_.end());
  users_.push_back(user);
}
void TGLLibMaterial::UnregisterUser(TGLMaterial* user) {
  users_.erase(std::remove(users_.begin(), users_.end(), user), users_.end());
}

void TGLLibMaterial::CalculateTextureMatrix() {
  const THomogeneousVector o = offset_.AsVector(), s = scale_.AsVector();
  if (o.X == 0 && o.Y == 0 && o.Z == 0 && s.X == 1 && s.Y == 1 && s.Z == 1) {
    textureMatrixIsIdentity_ = true;
    textureMatrix_ = IdentityHmgMatrix;
  } else {
    textureMatrixIsIdentity_ = false;
    textureMatrix_ = CreateScaleAndTranslationMatrix(s, o);
  }
  NotifyChange(this);
}

void TGLLibMaterial::Apply(TRenderContextInfo& rci) {
  if (Shader && Shader->ShaderStyle != TGLShaderStyle::ssLowLevel) {
    Shader->Apply(rci, this);
    if (Shader->ShaderStyle == TGLShaderStyle::ssReplace) return;
  }
  textureMatrixLoaded_ = !textureMatrixIsIdentity_ && material_.HasTexture() && material_.Texture().Enabled();
  if (textureMatrixLoaded_) rci.GLStates->SetGLTextureMatrix(textureMatrix_);
  material_.Apply(rci);
  // The second material's texture on the second unit. It is looked up by name each time,
  // so that it may come and go; a name that finds nothing is kept for when it comes.
  second_ = nullptr;
  if (!Texture2Name.empty() && library_ && GLCaps.ARB_multitexture && glActiveTextureARB_) {
    TGLLibMaterial* m = library_->LibMaterialByName(Texture2Name);
    if (m && m != this && m->material_.HasTexture() && m->material_.Texture().Enabled()) {
      second_ = m;
      TGLTexture& t2 = m->material_.Texture();
      secondMatrixLoaded_ = !m->textureMatrixIsIdentity_;
      t2.ApplyAsTextureN(1, rci, secondMatrixLoaded_ ? &m->textureMatrix_ : nullptr);
      // A normal map is combined by a dot product with the colour; otherwise the second
      // texture follows its own mode.
      const bool normal1 = material_.HasTexture() && material_.Texture().Enabled() &&
                           material_.Texture().TextureFormat() == TGLTextureFormat::tfNormalMap;
      const bool normal2 = t2.TextureFormat() == TGLTextureFormat::tfNormalMap;
      combinerSet_ = normal1 || normal2;
      if (combinerSet_) {
        glActiveTextureARB_(normal2 ? GL_TEXTURE1_ARB : GL_TEXTURE0_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_DOT3_RGB_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_TEXTURE);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, normal2 ? GL_PREVIOUS_ARB : GL_PRIMARY_COLOR_ARB);
        glActiveTextureARB_(GL_TEXTURE0_ARB);
      }
      if (t2.MappingMode() == TGLTextureMappingMode::tmmUser) MapTexCoordToArbitraryAdd(3);
    }
  }
  if (Shader && Shader->ShaderStyle == TGLShaderStyle::ssLowLevel) Shader->Apply(rci, this);
}

bool TGLLibMaterial::UnApply(TRenderContextInfo& rci) {
  if (Shader && Shader->ShaderStyle == TGLShaderStyle::ssReplace) return Shader->UnApply(rci);
  if (Shader && Shader->ShaderStyle == TGLShaderStyle::ssLowLevel && Shader->UnApply(rci)) return true;
  if (second_) {
    second_->material_.Texture().UnApplyAsTextureN(1, rci, secondMatrixLoaded_);
    if (combinerSet_) {
      for (GLenum unit : {GL_TEXTURE1_ARB, GL_TEXTURE0_ARB}) {
        glActiveTextureARB_(unit);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
      }
    }
    second_ = nullptr;
    combinerSet_ = secondMatrixLoaded_ = false;
  }
  material_.UnApply(rci);
  if (textureMatrixLoaded_) {
    rci.GLStates->ResetGLTextureMatrix();
    textureMatrixLoaded_ = false;
  }
  if (Shader && Shader->ShaderStyle == TGLShaderStyle::ssHighLevel) return Shader->UnApply(rci);
  return false;
}

// ---- TGLMaterialLibrary ----
TGLMaterialLibrary::TGLMaterialLibrary(TComponent* owner) : TGLCadenceAbleComponent(owner) {}
TGLMaterialLibrary::~TGLMaterialLibrary() { Clear(); }

std::string TGLMaterialLibrary::MakeUniqueName(const std::string& wanted,
                                               const TGLLibMaterial* except) const {
  auto taken = [&](const std::string& n) {
    for (const auto& m : materials_)
      if (m.get() != except && m->name_ == n) return true;
    return false;
  };
  if (!taken(wanted)) return wanted;
  for (int i = 1;; ++i) {
    const std::string n = wanted + std::to_string(i);
    if (!taken(n)) return n;
  }
}

TGLLibMaterial* TGLMaterialLibrary::Add(const std::string& name) {
  materials_.push_back(std::make_unique<TGLLibMaterial>(this, name));
  return materials_.back().get();
}

void TGLMaterialLibrary::Delete(int index) { materials_.erase(materials_.begin() + index); }
void TGLMaterialLibrary::Clear() {
  while (!materials_.empty()) materials_.pop_back();
}

TGLLibMaterial* TGLMaterialLibrary::LibMaterialByName(const std::string& name) const {
  const std::uint32_t h = LibMaterialNameHash(name);
  for (const auto& m : materials_)
    if (m->hash_ == h && m->name_ == name) return m.get();
  return nullptr;
}

TGLLibMaterial* TGLMaterialLibrary::AddTextureMaterial(const std::string& name, const TBitmap& graphic) {
  TGLLibMaterial* m = Add(name);
  TGLTexture& t = m->Material().Texture();
  t.SetMinFilter(TGLMinFilter::miLinearMipmapLinear);
  t.SetMagFilter(TGLMagFilter::maLinear);
  t.SetTextureMode(TGLTextureMode::tmModulate);
  t.SetDisabled(false);
  TGLPersistentImage img(&t);
  img.SetPicture(graphic);
  t.SetImage(&img);
  return m;
}

void TGLMaterialLibrary::SetTexturePaths(const std::string& text) {
  paths_.clear();
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(';', start), text.size());
    std::string piece = text.substr(start, end - start);
    const auto b = piece.find_first_not_of(" \t"), e = piece.find_last_not_of(" \t");
    piece = b == std::string::npos ? "" : piece.substr(b, e - b + 1);
    if (!piece.empty()) {
      if (piece.back() != '/') piece += '/';
      paths_.push_back(piece);
    }
    start = end + 1;
  }
}

std::string TGLMaterialLibrary::TextureFileName(const std::string& name) {
  std::string file = name;
  if (OnTextureNeeded) OnTextureNeeded(this, file);
  if (file.empty() || file.find(':') != std::string::npos || file[0] == '/' || file[0] == '\\') return file;
  for (const std::string& path : paths_)
    if (QFileInfo::exists(QString::fromStdString(path + file))) return path + file;
  return file;
}

std::string TextureImageFileName(const TGLTexture* texture, const std::string& name) {
  // The texture's material: its own owner, or the owner of the list that holds it.
  TPersistent* owner = texture ? texture->Owner() : nullptr;
  if (auto* item = dynamic_cast<TGLTextureExItem*>(owner))
    owner = item->Owner() ? item->Owner()->GetOwner() : nullptr;
  auto* material = dynamic_cast<TGLMaterial*>(owner);
  auto* libMaterial = material ? dynamic_cast<TGLLibMaterial*>(material->Owner()) : nullptr;
  if (!libMaterial || !libMaterial->Library()) return name;
  return libMaterial->Library()->TextureFileName(name);
}

namespace {
std::string BitmapFileBytes(const TBitmap& b) {
  QImage img(b.Width(), b.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) img.setPixel(x, y, b.Pixel(x, y));
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  img.save(&buf, "BMP");
  return std::string(bytes.constData(), std::size_t(bytes.size()));
}
bool BitmapFromFileBytes(const std::string& data, TBitmap& out) {
  QImage img;
  if (!img.loadFromData(reinterpret_cast<const uchar*>(data.data()), int(data.size()), "BMP")) return false;
  img = img.convertToFormat(QImage::Format_ARGB32);
  out = TBitmap(img.width(), img.height());
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) out.SetPixel(x, y, img.pixel(x, y));
  return true;
}
void WriteRaw(TVirtualWriter& w, const TColorVector& c, int n) { w.Write(&c.X, std::size_t(4 * n)); }
void ReadRaw(TVirtualReader& r, TGLColor& c, int n) {
  TColorVector v = c.Color();
  r.Read(&v.X, std::size_t(4 * n));
  c.DirectColor(v);
}
void WritePicture(TVirtualWriter& w, TGLTexture* t) {
  auto* img = t ? dynamic_cast<TGLPersistentImage*>(t->Image()) : nullptr;
  if (!t || t->Disabled() || !img || img->Picture().Empty()) {
    w.WriteBoolean(false);
    return;
  }
  w.WriteBoolean(true);
  w.WriteString(BitmapFileBytes(img->Picture()));
}
void WriteFace(TVirtualWriter& w, const TGLFaceProperties& f) {
  WriteRaw(w, f.Ambient().Color(), 3);
  WriteRaw(w, f.Diffuse().Color(), 4);
  WriteRaw(w, f.Emission().Color(), 3);
  WriteRaw(w, f.Specular().Color(), 3);
  const std::uint8_t shin = std::uint8_t(f.Shininess());
  w.Write(&shin, 1);
  w.WriteInteger(int(f.PolygonMode()));
}
void ReadFace(TVirtualReader& r, TGLFaceProperties& f, bool colorsOnly) {
  ReadRaw(r, f.Ambient(), 3);
  ReadRaw(r, f.Diffuse(), 4);
  ReadRaw(r, f.Emission(), 3);
  ReadRaw(r, f.Specular(), 3);
  if (colorsOnly) return;
  std::uint8_t shin = 0;
  r.Read(&shin, 1);
  f.SetShininess(shin);
  const int mode = r.ReadInteger();
  if (mode < 0 || mode > 2) throw EFilerException("TGLMaterialLibrary : broken archive");
  f.SetPolygonMode(TPolygonMode(mode));
}
}  // namespace

// Layout: integer 2 (version), integer count; per material: Name; picture flag (and the
// picture as a bitmap file in a string); front then back properties (ambient RGB, diffuse
// RGBA, emission RGB, specular RGB as raw singles, shininess byte, integer polygon mode);
// integer blending mode; integer 1 and the options byte; texture offset and scale XYZ;
// Texture2Name; integer count of the texture list, and per item its picture (as above),
// integer texture unit, offset and scale XYZ.
void TGLMaterialLibrary::SaveToStream(TStream& stream) const {
  TBinaryWriter w(stream);
  w.WriteInteger(2);
  w.WriteInteger(Count());
  for (const auto& lm : materials_) {
    TGLMaterial& m = lm->material_;
    w.WriteString(lm->name_);
    WritePicture(w, m.HasTexture() ? &m.Texture() : nullptr);
    WriteFace(w, m.FrontProperties());
    WriteFace(w, m.BackProperties());
    w.WriteInteger(int(m.BlendingMode()));
    w.WriteInteger(1);
    const std::uint8_t o = m.MaterialOptions();
    w.Write(&o, 1);
    w.Write(&lm->offset_.AsVector().X, 12);
    w.Write(&lm->scale_.AsVector().X, 12);
    w.WriteString(lm->Texture2Name);
    const int items = m.HasTextureEx() ? m.TextureEx().Count() : 0;
    w.WriteInteger(items);
    for (int k = 0; k < items; ++k) {
      TGLTextureExItem* item = m.TextureEx()[k];
      WritePicture(w, &item->Texture());
      w.WriteInteger(item->TextureIndex());
      w.Write(&item->TextureOffset().AsVector().X, 12);
      w.Write(&item->TextureScale().AsVector().X, 12);
    }
  }
}

void TGLMaterialLibrary::LoadFromStream(TStream& stream) {
  TBinaryReader r(stream);
  const int version = r.ReadInteger();
  if (version < 0 || version > 2)
    throw EFilerException("TGLMaterialLibrary : unknown archive version " + std::to_string(version));
  if (!KeepMaterials) Clear();
  const int count = r.ReadInteger();
  if (count < 0) throw EFilerException("TGLMaterialLibrary : broken archive");
  for (int i = 0; i < count; ++i) {
    const std::string name = r.ReadString();
    TGLLibMaterial* lm = KeepMaterials ? LibMaterialByName(name) : nullptr;
    if (r.ReadBoolean()) {
      TBitmap picture;
      if (!BitmapFromFileBytes(r.ReadString(), picture))
        throw EFilerException("TGLMaterialLibrary : broken picture");
      if (lm) {
        TGLPersistentImage img(&lm->Material().Texture());
        img.SetPicture(picture);
        lm->Material().Texture().SetImage(&img);
      } else {
        lm = AddTextureMaterial(name, picture);
      }
    } else if (!lm) {
      lm = Add(name);
    }
    TGLMaterial& m = lm->material_;
    ReadFace(r, m.FrontProperties(), version == 0);
    if (version == 0) continue;
    ReadFace(r, m.BackProperties(), false);
    const int blending = r.ReadInteger();
    if (blending < 0 || blending > 5) throw EFilerException("TGLMaterialLibrary : broken archive");
    m.SetBlendingMode(TBlendingMode(blending));
    const int nOptions = r.ReadInteger();
    if (nOptions < 0 || nOptions > 8) throw EFilerException("TGLMaterialLibrary : broken archive");
    std::uint8_t opts[8] = {};
    r.Read(opts, std::size_t(nOptions));
    m.SetMaterialOptions(nOptions > 0 ? std::uint8_t(opts[0] & 3) : 0);
    THomogeneousVector o{0, 0, 0, 0}, s{1, 1, 1, 0};
    r.Read(&o.X, 12);
    r.Read(&s.X, 12);
    lm->offset_.DirectVector(o);
    lm->scale_.DirectVector(s);
    lm->CalculateTextureMatrix();
    lm->Texture2Name = r.ReadString();
    if (version >= 2) {
      const int n = r.ReadInteger();
      if (n < 0) throw EFilerException("TGLMaterialLibrary : broken archive");
      if (n > 0 || m.HasTextureEx()) m.TextureEx().Clear();
      for (int k = 0; k < n; ++k) {
        TGLTextureExItem* item = m.TextureEx().Add();
        if (r.ReadBoolean()) {
          TBitmap picture;
          if (!BitmapFromFileBytes(r.ReadString(), picture))
            throw EFilerException("TGLMaterialLibrary : broken picture");
          TGLPersistentImage img(&item->Texture());
          img.SetPicture(picture);
          item->Texture().SetImage(&img);
          item->Texture().SetDisabled(false);
        }
        const int unit = r.ReadInteger();
        if (unit < 0) throw EFilerException("TGLMaterialLibrary : broken archive");
        item->SetTextureIndex(unit);
        THomogeneousVector io{0, 0, 0, 0}, is{1, 1, 1, 0};
        r.Read(&io.X, 12);
        r.Read(&is.X, 12);
        item->TextureOffset().SetAsVector(io);
        item->TextureScale().SetAsVector(is);
      }
    }
  }
}

}  // namespace qx
