#include "scene/GLTexture.h"

#include <QImage>
#include <cmath>
#include <cstring>
#include <map>

#include "scene/GLRenderContextInfo.h"
#include "scene/GLScene.h"
#include "scene/GLState.h"
#include "scene/GLTextureImages.h"
#include "scene/XOpenGL.h"
#include "scene/base/GLUtils.h"
#include "scene/base/SceneErrors.h"

namespace qx {

GLenum MinFilterToGL(TGLMinFilter f) {
  static const GLenum t[] = {GL_NEAREST,
                             GL_LINEAR,
                             GL_NEAREST_MIPMAP_NEAREST,
                             GL_LINEAR_MIPMAP_NEAREST,
                             GL_NEAREST_MIPMAP_LINEAR,
                             GL_LINEAR_MIPMAP_LINEAR};
  return t[int(f)];
}
GLenum MagFilterToGL(TGLMagFilter f) { return f == TGLMagFilter::maNearest ? GL_NEAREST : GL_LINEAR; }
bool IsMipmapFilter(TGLMinFilter f) { return f != TGLMinFilter::miNearest && f != TGLMinFilter::miLinear; }

// ---- TGLBitmap32 ----
void TGLBitmap32::Assign(const TPersistent* source) {
  if (!source) {
    data_.clear();
    width_ = height_ = 0;
    return;
  }
  if (auto* b = dynamic_cast<const TGLBitmap32*>(source)) {
    data_ = b->data_;
    width_ = b->width_;
    height_ = b->height_;
    return;
  }
  TPersistent::Assign(source);
}

void TGLBitmap32::AssignFromBitmap(const TBitmap& src) {
  if (src.Empty()) {
    Assign(nullptr);
    return;
  }
  const int w = (src.Width() + 3) / 4 * 4, h = src.Height();
  width_ = w;
  height_ = h;
  data_.assign(std::size_t(w) * std::size_t(h) * 4, 0);
  for (int y = 0; y < h; ++y) {
    // The picture's top row becomes the last stored row (unless reversed).
    const int row = VerticalReverseOnAssignFromBitmap ? y : h - 1 - y;
    std::uint8_t* dst = ScanLine(row);
    for (int x = 0; x < w; ++x) {
      // Stretched across when the width had to be rounded up.
      const int sx = w == src.Width() ? x : int(std::int64_t(x) * src.Width() / w);
      const std::uint32_t p = src.Pixel(sx, y);
      dst[4 * x] = std::uint8_t(p >> 16);
      dst[4 * x + 1] = std::uint8_t(p >> 8);
      dst[4 * x + 2] = std::uint8_t(p);
      dst[4 * x + 3] = std::uint8_t(p >> 24);
    }
  }
}

TBitmap TGLBitmap32::Create32BitsBitmap() const {
  TBitmap b(width_, height_);
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* s = ScanLine(height_ - 1 - y);
    for (int x = 0; x < width_; ++x)
      b.SetPixel(x, y,
                 (std::uint32_t(s[4 * x + 3]) << 24) | (std::uint32_t(s[4 * x]) << 16) |
                     (std::uint32_t(s[4 * x + 1]) << 8) | s[4 * x + 2]);
  }
  return b;
}

void TGLBitmap32::SetWidth(int w) {
  Require(w >= 0);
  w = (w + 3) / 4 * 4;
  if (w == width_) return;
  width_ = w;
  data_.assign(std::size_t(width_) * std::size_t(height_) * 4, 0);
}

void TGLBitmap32::SetHeight(int h) {
  Require(h >= 0);
  if (h == height_) return;
  height_ = h;
  data_.assign(std::size_t(width_) * std::size_t(height_) * 4, 0);
}

void TGLBitmap32::SetAlphaFromIntensity() {
  for (std::size_t i = 0; i + 3 < data_.size(); i += 4)
    data_[i + 3] = std::uint8_t((int(data_[i]) + data_[i + 1] + data_[i + 2]) / 3);
}
void TGLBitmap32::SetAlphaTransparentForPixel(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  for (std::size_t i = 0; i + 3 < data_.size(); i += 4)
    data_[i + 3] = (data_[i] == r && data_[i + 1] == g && data_[i + 2] == b) ? 0 : 255;
}
void TGLBitmap32::SetAlphaTransparentForColor(TColor c) {
  const TColor rgb = GetRGBColor(c);
  SetAlphaTransparentForPixel(std::uint8_t(GetRValue(rgb)), std::uint8_t(GetGValue(rgb)),
                              std::uint8_t(GetBValue(rgb)));
}
void TGLBitmap32::SetAlphaToValue(std::uint8_t v) {
  for (std::size_t i = 3; i < data_.size(); i += 4) data_[i] = v;
}
void TGLBitmap32::InvertAlpha() {
  for (std::size_t i = 3; i < data_.size(); i += 4) data_[i] = std::uint8_t(255 - data_[i]);
}
void TGLBitmap32::SqrtAlpha() {
  const auto& table = SqrtByteTable();
  for (std::size_t i = 0; i + 3 < data_.size(); i += 4)
    data_[i + 3] = table[std::size_t((int(data_[i]) + data_[i + 1] + data_[i + 2]) / 3)];
}
bool TGLBitmap32::SetAlphaByRule(TGLTextureImageAlpha rule) {
  switch (rule) {
    case TGLTextureImageAlpha::tiaAlphaFromIntensity:
    case TGLTextureImageAlpha::tiaLuminance:
      SetAlphaFromIntensity();
      return true;
    case TGLTextureImageAlpha::tiaSuperBlackTransparent:
      SetAlphaTransparentForPixel(0, 0, 0);
      return true;
    case TGLTextureImageAlpha::tiaLuminanceSqrt:
      SetAlphaFromIntensity();
      SqrtAlpha();
      return true;
    case TGLTextureImageAlpha::tiaOpaque:
      SetAlphaToValue(255);
      return true;
    default:
      return false;
  }
}
void TGLBitmap32::BrightnessCorrection(float factor) {
  Require(factor >= 0);
  std::uint8_t table[256];
  for (int i = 0; i < 256; ++i) table[i] = std::uint8_t(std::min(255L, std::lround(i * double(factor))));
  for (std::size_t i = 0; i + 3 < data_.size(); i += 4)
    for (int k = 0; k < 3; ++k) data_[i + std::size_t(k)] = table[data_[i + std::size_t(k)]];
}
void TGLBitmap32::GammaCorrection(float gamma) {
  Require(gamma > 0);
  const double e = gamma < 0.1f ? 10.0 : 1.0 / gamma;
  std::uint8_t table[256];
  for (int i = 0; i < 256; ++i) table[i] = std::uint8_t(std::lround(std::pow(i / 255.0, e) * 255));
  for (std::size_t i = 0; i + 3 < data_.size(); i += 4)
    for (int k = 0; k < 3; ++k) data_[i + std::size_t(k)] = table[data_[i + std::size_t(k)]];
}
void TGLBitmap32::GrayScaleToNormalMap(float scale, bool wrapX, bool wrapY) {
  if (IsEmpty()) return;
  const std::vector<std::uint8_t> src = data_;
  auto g = [&](int x, int y) {
    return float(src[(std::size_t(y) * std::size_t(width_) + std::size_t(x)) * 4 + 1]);
  };
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const int xl = x > 0 ? x - 1 : (wrapX ? width_ - 1 : x), xr = x < width_ - 1 ? x + 1 : (wrapX ? 0 : x);
      const int yp = y > 0 ? y - 1 : (wrapY ? height_ - 1 : y),
                yn = y < height_ - 1 ? y + 1 : (wrapY ? 0 : y);
      TAffineVector n{(g(xl, y) - g(xr, y)) * scale / 255, (g(x, yp) - g(x, yn)) * scale / 255, 1};
      NormalizeAffineVector(n);
      std::uint8_t* d = &data_[(std::size_t(y) * std::size_t(width_) + std::size_t(x)) * 4];
      d[0] = std::uint8_t(std::lround(128 + 127 * n.X));
      d[1] = std::uint8_t(std::lround(128 + 127 * n.Y));
      d[2] = std::uint8_t(std::lround(128 + 127 * n.Z));
      d[3] = 255;
    }
}
void TGLBitmap32::ReadPixels(int left, int top, int right, int bottom) {
  width_ = std::max(0, (right - left) / 4 * 4);
  height_ = std::max(0, bottom - top);
  data_.assign(std::size_t(width_) * std::size_t(height_) * 4, 0);
  if (IsEmpty()) return;
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, data_.data());
}

void TGLBitmap32::UploadBitmapTexture(GLenum target, TGLMinFilter minFilter, int& texWidth, int& texHeight,
                                      GLenum internalFormat) const {
  if (IsEmpty()) return;
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  if (maxSize <= 0) maxSize = 2048;
  int w = std::min(NextPowerOfTwo(width_), int(maxSize)), h = std::min(NextPowerOfTwo(height_), int(maxSize));
  texWidth = w;
  texHeight = h;
  const bool isFloat = internalFormat == GL_RGBA16F_ARB || internalFormat == GL_RGBA32F_ARB ||
                       internalFormat == GL_FLOAT_RGBA16_NV || internalFormat == GL_FLOAT_RGBA32_NV;
  if (isFloat) {
    if (target != GL_TEXTURE_RECTANGLE_NV)
      throw EAssertionFailed("NV Float-type texture must use GL_TEXTURE_RECTANGLE_NV");
    glTexImage2D(target, 0, GLint(internalFormat), w, h, 0, GL_RGBA, GL_FLOAT, nullptr);
    return;
  }
  std::vector<std::uint8_t> scaled;
  const std::uint8_t* pixels = data_.data();
  if (w != width_ || h != height_) {
    scaled.resize(std::size_t(w) * std::size_t(h) * 4);
    gluScaleImage(GL_RGBA, width_, height_, GL_UNSIGNED_BYTE, data_.data(), w, h, GL_UNSIGNED_BYTE,
                  scaled.data());
    pixels = scaled.data();
  }
  if (!IsMipmapFilter(minFilter)) {
    glTexImage2D(target, 0, GLint(internalFormat), w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  } else if (GLCaps.SGIS_generate_mipmap && target == GL_TEXTURE_2D) {
    glTexParameteri(target, GL_GENERATE_MIPMAP_SGIS, 1);
    glTexImage2D(target, 0, GLint(internalFormat), w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  } else {
    gluBuild2DMipmaps(target, GLint(internalFormat), w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  }
}

// ---- Images ----
TGLTextureImage::TGLTextureImage(TGLTexture* owner) : TGLUpdateAbleObject(owner) {}

void TGLTextureImage::NotifyChange(TObject* sender) {
  if (auto* t = dynamic_cast<TGLTexture*>(Owner())) {
    t->NotifyImageChange();
    return;
  }
  TGLUpdateAbleObject::NotifyChange(sender);
}

// ---- TGLSizedImage ----
void TGLSizedImage::AssignSize(const TGLSizedImage& source) {
  width_ = source.width_;
  height_ = source.height_;
  Invalidate();
}
void TGLSizedImage::SetWidth(int w) {
  w = std::max(1, w);
  if (w == width_) return;
  width_ = w;
  Invalidate();
}
void TGLSizedImage::SetHeight(int h) {
  h = std::max(1, h);
  if (h == height_) return;
  height_ = h;
  Invalidate();
}
const TGLBitmap32* TGLSizedImage::GetBitmap32(GLenum) {
  if (!bitmap_) {
    bitmap_ = std::make_unique<TGLBitmap32>();
    bitmap_->SetWidth(width_);
    bitmap_->SetHeight(height_);
  }
  return bitmap_.get();
}
std::string TGLSizedImage::SaveToText() const {
  return std::string("[") + TextSection() + "]\r\nWidth=" + std::to_string(width_) +
         "\r\nHeight=" + std::to_string(height_);
}

// ---- TGLBlankImage ----
void TGLBlankImage::Assign(const TPersistent* source) {
  if (auto* b = dynamic_cast<const TGLBlankImage*>(source)) {
    AssignSize(*b);
    return;
  }
  TGLTextureImage::Assign(source);
}
void TGLBlankImage::LoadFromText(const std::string& text) {
  auto value = [&](const std::string& key, int fallback) {
    const std::size_t p = text.find(key + "=");
    if (p == std::string::npos) return fallback;
    try {
      return std::stoi(text.substr(p + key.size() + 1));
    } catch (...) {
      return fallback;
    }
  };
  SetWidth(value("Width", Width()));
  SetHeight(value("Height", Height()));
}

void TGLPersistentImage::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TGLPersistentImage*>(source)) {
    SetPicture(p->picture_);
    return;
  }
  TGLTextureImage::Assign(source);
}
void TGLPersistentImage::SetPicture(const TBitmap& b) {
  picture_ = b;
  Invalidate();
}
const TGLBitmap32* TGLPersistentImage::GetBitmap32(GLenum) {
  if (picture_.Empty()) return nullptr;
  if (!bitmap_) {
    bitmap_ = std::make_unique<TGLBitmap32>();
    bitmap_->AssignFromBitmap(picture_);
  }
  return bitmap_.get();
}

bool LoadGraphicFromFile(const std::string& fileName, TBitmap& out) {
  QImage img;
  if (!img.load(QString::fromStdString(fileName))) return false;
  img = img.convertToFormat(QImage::Format_ARGB32);
  out = TBitmap(img.width(), img.height());
  for (int y = 0; y < img.height(); ++y) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x) out.SetPixel(x, y, line[x]);
  }
  return true;
}

void TGLPicFileImage::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TGLPicFileImage*>(source)) {
    SetPictureFileName(p->fileName_);
    return;
  }
  TGLTextureImage::Assign(source);
}
void TGLPicFileImage::SetPictureFileName(const std::string& f) {
  if (f == fileName_) return;
  fileName_ = f;
  Invalidate();
}
const TGLBitmap32* TGLPicFileImage::GetBitmap32(GLenum) {
  if (!bitmap_) {
    TBitmap b;
    const std::string file = TextureImageFileName(dynamic_cast<const TGLTexture*>(Owner()), fileName_);
    if (!LoadGraphicFromFile(file, b)) return nullptr;
    bitmap_ = std::make_unique<TGLBitmap32>();
    bitmap_->AssignFromBitmap(b);
  }
  return bitmap_.get();
}
int TGLPicFileImage::Width() const { return bitmap_ ? bitmap_->Width() : 0; }
int TGLPicFileImage::Height() const { return bitmap_ ? bitmap_->Height() : 0; }

static std::map<std::string, TGLTextureImageFactory>& ImageClasses() {
  static std::map<std::string, TGLTextureImageFactory> m = {
      {"TGLBlankImage", [](TGLTexture* o) { return std::make_unique<TGLBlankImage>(o); }},
      {"TGLPersistentImage", [](TGLTexture* o) { return std::make_unique<TGLPersistentImage>(o); }},
      {"TGLPicFileImage", [](TGLTexture* o) { return std::make_unique<TGLPicFileImage>(o); }},
      {"TGLCubeMapImage", [](TGLTexture* o) { return std::make_unique<TGLCubeMapImage>(o); }},
      {"TGLFloatDataImage", [](TGLTexture* o) { return std::make_unique<TGLFloatDataImage>(o); }}};
  return m;
}
void RegisterGLTextureImageClass(const std::string& name, TGLTextureImageFactory f) {
  ImageClasses()[name] = std::move(f);
}
const TGLTextureImageFactory* FindGLTextureImageClass(const std::string& name) {
  auto it = ImageClasses().find(name);
  return it == ImageClasses().end() ? nullptr : &it->second;
}

// ---- TGLTexture ----
TGLTexture::TGLTexture(TPersistent* owner)
    : TGLUpdateAbleObject(owner),
      image_(std::make_unique<TGLPersistentImage>(this)),
      envColor_(this, clrTransparent) {}

TGLTexture::~TGLTexture() = default;

void TGLTexture::NotifyImageChange() {
  changedImage_ = true;
  NotifyChange(this);
}
void TGLTexture::NotifyParamsChange() {
  changedParams_ = true;
  NotifyChange(this);
}

void TGLTexture::Assign(const TPersistent* source) {
  if (!source) {
    SetDisabled(true);
    SetImage(nullptr);
    return;
  }
  if (auto* t = dynamic_cast<const TGLTexture*>(source)) {
    if (t == this) return;
    imageAlpha_ = t->imageAlpha_;
    textureMode_ = t->textureMode_;
    textureWrap_ = t->textureWrap_;
    textureFormat_ = t->textureFormat_;
    compression_ = t->compression_;
    minFilter_ = t->minFilter_;
    magFilter_ = t->magFilter_;
    mappingMode_ = t->mappingMode_;
    if (t->mapS_) MappingSCoordinates().Assign(t->mapS_.get());
    if (t->mapT_) MappingTCoordinates().Assign(t->mapT_.get());
    disabled_ = t->disabled_;
    SetImage(t->image_.get());
    changedImage_ = changedParams_ = true;
    NotifyChange(this);
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

void TGLTexture::SetImage(const TGLTextureImage* source) {
  if (!source) {
    image_ = std::make_unique<TGLPersistentImage>(this);
  } else {
    if (source->ClassName() != image_->ClassName()) image_ = source->NewInstance(this);
    image_->Assign(source);
  }
  NotifyImageChange();
}

void TGLTexture::SetImageClassName(const std::string& name) {
  if (name == image_->ClassName()) return;
  const TGLTextureImageFactory* f = FindGLTextureImageClass(name);
  if (!f) return;
  image_ = (*f)(this);
  NotifyImageChange();
}

void TGLTexture::SetMappingMode(TGLTextureMappingMode v) {
  if (v == mappingMode_) return;
  mappingMode_ = v;
  NotifyChange(this);
}

TGLCoordinates4& TGLTexture::MappingSCoordinates() {
  if (!mapS_) mapS_ = std::make_unique<TGLCoordinates4>(this, THomogeneousVector{1, 0, 0, 0}, csFreeStyle);
  return *mapS_;
}
TGLCoordinates4& TGLTexture::MappingTCoordinates() {
  if (!mapT_) mapT_ = std::make_unique<TGLCoordinates4>(this, THomogeneousVector{1, 0, 0, 0}, csFreeStyle);
  return *mapT_;
}

void TGLTexture::SetDisabled(bool v) {
  if (v == disabled_) return;
  disabled_ = v;
  NotifyChange(this);
}

void TGLTexture::SetNormalMapScale(float v) {
  if (v == normalMapScale_) return;
  normalMapScale_ = v;
  if (textureFormat_ == TGLTextureFormat::tfNormalMap) NotifyImageChange();
}

GLenum TGLTexture::InternalFormat() const {
  TGLTextureFormat f =
      textureFormat_ == TGLTextureFormat::tfDefault ? TGLTextureFormat::tfRGBA : textureFormat_;
  switch (f) {
    case TGLTextureFormat::tfRGB:
      return GL_RGB8;
    case TGLTextureFormat::tfRGB16:
      return GL_RGB5;
    case TGLTextureFormat::tfRGBA16:
      return GL_RGBA4;
    case TGLTextureFormat::tfAlpha:
      return GL_ALPHA8;
    case TGLTextureFormat::tfLuminance:
      return GL_LUMINANCE8;
    case TGLTextureFormat::tfLuminanceAlpha:
      return GL_LUMINANCE8_ALPHA8;
    case TGLTextureFormat::tfIntensity:
      return GL_INTENSITY8;
    case TGLTextureFormat::tfNormalMap:
      return GL_RGB8;
    case TGLTextureFormat::tfRGBAFloat16:
      return GLCaps.ARB_texture_float ? GL_RGBA16F_ARB : GL_FLOAT_RGBA16_NV;
    case TGLTextureFormat::tfRGBAFloat32:
      return GLCaps.ARB_texture_float ? GL_RGBA32F_ARB : GL_FLOAT_RGBA32_NV;
    default:
      return GL_RGBA8;
  }
}

void TGLTexture::PrepareParams(GLenum target) {
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  const GLenum clamp = (GLCaps.EXT_texture_edge_clamp || GLCaps.SGIS_texture_edge_clamp || GLCaps.VERSION_1_2)
                           ? GL_CLAMP_TO_EDGE
                           : GL_CLAMP;
  const bool isFloat =
      textureFormat_ == TGLTextureFormat::tfRGBAFloat16 || textureFormat_ == TGLTextureFormat::tfRGBAFloat32;
  // Rectangle textures neither repeat nor have mipmaps (OpenGL refuses both); float ones
  // filter only where the implementation can.
  const bool rectangle = target == GL_TEXTURE_RECTANGLE_NV;
  const bool repeatS =
      !rectangle && !isFloat &&
      (textureWrap_ == TGLTextureWrap::twBoth || textureWrap_ == TGLTextureWrap::twHorizontal);
  const bool repeatT = !rectangle && !isFloat &&
                       (textureWrap_ == TGLTextureWrap::twBoth || textureWrap_ == TGLTextureWrap::twVertical);
  glTexParameteri(target, GL_TEXTURE_WRAP_S,
                  GLint(repeatS                ? GL_REPEAT
                        : isFloat || rectangle ? GL_CLAMP_TO_EDGE
                                               : clamp));
  glTexParameteri(target, GL_TEXTURE_WRAP_T,
                  GLint(repeatT                ? GL_REPEAT
                        : isFloat || rectangle ? GL_CLAMP_TO_EDGE
                                               : clamp));
  const bool filtered =
      !isFloat || (textureFormat_ == TGLTextureFormat::tfRGBAFloat16 && GLCaps.ATI_texture_float);
  glTexParameteri(target, GL_TEXTURE_MIN_FILTER,
                  GLint(filtered ? MinFilterToGL(EffectiveMinFilter(target)) : GL_NEAREST));
  glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GLint(filtered ? MagFilterToGL(magFilter_) : GL_NEAREST));
  if (GLCaps.EXT_texture_filter_anisotropic)
    glTexParameteri(target, GL_TEXTURE_MAX_ANISOTROPY_EXT,
                    filteringQuality_ == TGLTextureFilteringQuality::tfIsotropic ? 1 : 2);
}

TGLMinFilter TGLTexture::EffectiveMinFilter(GLenum target) const {
  if (target != GL_TEXTURE_RECTANGLE_NV || !IsMipmapFilter(minFilter_)) return minFilter_;
  return minFilter_ == TGLMinFilter::miNearestMipmapNearest ||
                 minFilter_ == TGLMinFilter::miNearestMipmapLinear
             ? TGLMinFilter::miNearest
             : TGLMinFilter::miLinear;
}

void TGLTexture::PrepareImage(GLenum target) {
  const TGLBitmap32* source = image_->GetBitmap32(target);
  if (!source || source->IsEmpty()) return;
  TGLBitmap32 bmp;
  bmp.Assign(source);
  if (textureFormat_ == TGLTextureFormat::tfNormalMap)
    bmp.GrayScaleToNormalMap(
        normalMapScale_,
        textureWrap_ == TGLTextureWrap::twBoth || textureWrap_ == TGLTextureWrap::twHorizontal,
        textureWrap_ == TGLTextureWrap::twBoth || textureWrap_ == TGLTextureWrap::twVertical);
  switch (imageAlpha_) {
    case TGLTextureImageAlpha::tiaTopLeftPointColorTransparent: {
      const std::uint8_t* p = bmp.Data();
      bmp.SetAlphaTransparentForPixel(p[0], p[1], p[2]);
      break;
    }
    case TGLTextureImageAlpha::tiaInverseLuminance:
      bmp.SetAlphaFromIntensity();
      bmp.InvertAlpha();
      break;
    case TGLTextureImageAlpha::tiaInverseLuminanceSqrt:
      bmp.SetAlphaFromIntensity();
      bmp.SqrtAlpha();
      bmp.InvertAlpha();
      break;
    default:
      bmp.SetAlphaByRule(imageAlpha_);
      break;
  }
  if (brightness_ != 1) bmp.BrightnessCorrection(brightness_);
  if (gamma_ != 1) bmp.GammaCorrection(gamma_);
  bmp.UploadBitmapTexture(target, EffectiveMinFilter(target), texWidth_, texHeight_, InternalFormat());
  image_->ReleaseBitmap32();
}

GLuint TGLTexture::Handle() {
  const GLenum target = Target();
  // A name once bound to one target cannot serve another: an image of another kind gets a
  // new one.
  if (handle_.Handle() != 0 && handleTarget_ != target) {
    handle_.DestroyHandle();
    changedImage_ = changedParams_ = true;
  }
  if (handle_.Handle() == 0 || changedImage_ || changedParams_) {
    if (handle_.Handle() == 0) handle_.AllocateHandle();
    Require(handle_.Handle() != 0);
    handleTarget_ = target;
    const bool cube = target == GL_TEXTURE_CUBE_MAP_ARB;
    if (cube && !GLCaps.ARB_texture_cube_map) {
      changedImage_ = changedParams_ = false;
      return handle_.Handle();
    }
    glBindTexture(target, handle_.Handle());
    if (changedParams_) PrepareParams(target);
    if (changedImage_) {
      if (!cube) {
        PrepareImage(target);
      } else if (static_cast<TGLCubeMapImage*>(image_.get())->FacesAgree()) {
        // Faces of different sizes make no cube: nothing is uploaded.
        for (GLenum face = GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB; face <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB;
             ++face)
          PrepareImage(face);
      }
    }
    changedImage_ = changedParams_ = false;
  }
  return handle_.Handle();
}

void TGLTexture::DestroyHandles() {
  handle_.DestroyHandle();
  changedImage_ = changedParams_ = true;
  requiredMemory_ = -1;
}

void TGLTexture::Apply(TRenderContextInfo& rci) {
  TGLStateCache& st = *rci.GLStates;
  if (disabled_) {
    st.Disable(stTexture2D);
    st.Disable(stTextureRect);
    MapTexCoordToMain();
    return;
  }
  const GLenum target = Target();
  const bool cube = target == GL_TEXTURE_CUBE_MAP_ARB;
  // Without cube maps a cube-map texture enables nothing.
  if (cube && !GLCaps.ARB_texture_cube_map) return;
  const GLuint name = Handle();
  st.Enable(cube ? stTextureCubeMap : target == GL_TEXTURE_RECTANGLE_NV ? stTextureRect : stTexture2D);
  // The name was bound while it was rebuilt: tell the cache what is bound now.
  st.ResetGLCurrentTexture();
  st.SetGLCurrentTexture(0, target, name);
  static const GLint modes[] = {GL_DECAL, GL_MODULATE, GL_BLEND, GL_REPLACE};
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, modes[int(textureMode_)]);
  glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, envColor_.AsAddress());
  switch (mappingMode_) {
    case TGLTextureMappingMode::tmmObjectLinear:
    case TGLTextureMappingMode::tmmEyeLinear: {
      const GLenum mode =
          mappingMode_ == TGLTextureMappingMode::tmmObjectLinear ? GL_OBJECT_LINEAR : GL_EYE_LINEAR;
      const GLenum plane =
          mappingMode_ == TGLTextureMappingMode::tmmObjectLinear ? GL_OBJECT_PLANE : GL_EYE_PLANE;
      glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GLint(mode));
      glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GLint(mode));
      glTexGenfv(GL_S, plane, MappingSCoordinates().AsAddress());
      glTexGenfv(GL_T, plane, MappingTCoordinates().AsAddress());
      glEnable(GL_TEXTURE_GEN_S);
      glEnable(GL_TEXTURE_GEN_T);
      break;
    }
    case TGLTextureMappingMode::tmmSphere:
      glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
      glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
      glEnable(GL_TEXTURE_GEN_S);
      glEnable(GL_TEXTURE_GEN_T);
      break;
    case TGLTextureMappingMode::tmmCubeMapReflection:
    case TGLTextureMappingMode::tmmCubeMapCamera:
    case TGLTextureMappingMode::tmmCubeMapNormal:
    case TGLTextureMappingMode::tmmCubeMapLight0: {
      if (!GLCaps.ARB_texture_cube_map) break;
      const bool reflection = mappingMode_ == TGLTextureMappingMode::tmmCubeMapReflection ||
                              mappingMode_ == TGLTextureMappingMode::tmmCubeMapCamera;
      const GLint mode = reflection ? GL_REFLECTION_MAP_ARB : GL_NORMAL_MAP_ARB;
      for (GLenum c : {GL_S, GL_T, GL_R}) glTexGeni(c, GL_TEXTURE_GEN_MODE, mode);
      glEnable(GL_TEXTURE_GEN_S);
      glEnable(GL_TEXTURE_GEN_T);
      glEnable(GL_TEXTURE_GEN_R);
      if (mappingMode_ == TGLTextureMappingMode::tmmCubeMapCamera ||
          mappingMode_ == TGLTextureMappingMode::tmmCubeMapLight0) {
        // The generated directions are the eye's: turned back into the world's, so that the
        // cube stays still while the camera moves.
        TMatrix m = rci.buffer ? rci.buffer->ModelViewMatrix() : IdentityHmgMatrix;
        m[3] = {0, 0, 0, 1};
        TransposeMatrix(m);
        st.SetGLTextureMatrix(m);
      }
      break;
    }
    default:
      break;
  }
  MapTexCoordToMain();
}

void TGLTexture::ApplyAsTextureN(int unit, TRenderContextInfo& rci, const TMatrix* textureMatrix) {
  if (!glActiveTextureARB_ || unit < 0 || unit > 7) return;
  const GLenum target = Target();
  if (disabled_ || (target == GL_TEXTURE_CUBE_MAP_ARB && !GLCaps.ARB_texture_cube_map)) return;
  TGLStateCache& st = *rci.GLStates;
  st.ResetGLCurrentTexture();
  // A rebuild binds the name: on this unit, not the first one.
  glActiveTextureARB_(GLenum(GL_TEXTURE0_ARB + unit));
  const GLuint name = Handle();
  glEnable(target);
  glBindTexture(target, name);
  static const GLint modes[] = {GL_DECAL, GL_MODULATE, GL_BLEND, GL_REPLACE};
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, modes[int(textureMode_)]);
  glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, envColor_.AsAddress());
  if (textureMatrix) {
    glMatrixMode(GL_TEXTURE);
    glLoadMatrixf(textureMatrix->data());
    glMatrixMode(GL_MODELVIEW);
  }
  glActiveTextureARB_(GL_TEXTURE0_ARB);
}

void TGLTexture::UnApplyAsTextureN(int unit, TRenderContextInfo& rci, bool resetTextureMatrix) {
  if (!glActiveTextureARB_ || unit < 0 || unit > 7 || disabled_) return;
  rci.GLStates->ResetGLCurrentTexture();
  glActiveTextureARB_(GLenum(GL_TEXTURE0_ARB + unit));
  if (resetTextureMatrix) {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
  }
  glDisable(Target());
  glActiveTextureARB_(GL_TEXTURE0_ARB);
}

void TGLTexture::UnApply(TRenderContextInfo& rci) {
  if (disabled_) return;
  TGLStateCache& st = *rci.GLStates;
  if (st.IsEnabled(stTextureCubeMap)) {
    st.Disable(stTextureCubeMap);
    st.ResetGLTextureMatrix();
  } else if (st.IsEnabled(stTexture2D)) {
    st.Disable(stTexture2D);
  } else {
    st.Disable(stTextureRect);
  }
  if (mappingMode_ != TGLTextureMappingMode::tmmUser) {
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
  }
}

}  // namespace qx
