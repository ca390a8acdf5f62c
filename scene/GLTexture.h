// Images on their way to OpenGL: the RGBA buffer TGLBitmap32 (rows stored bottom first), the
// upload that fits any image to a power-of-two texture, the material texture TGLTexture with
// its modes, filters, wrapping, alpha handling and handle life, and the image classes that
// supply its pixels.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "scene/GLColor.h"
#include "scene/GLContext.h"
#include "scene/GLCoordinates.h"

namespace qx {

struct TRenderContextInfo;

enum class TGLTextureImageAlpha : std::uint8_t {
  tiaDefault,
  tiaAlphaFromIntensity,
  tiaSuperBlackTransparent,
  tiaLuminance,
  tiaLuminanceSqrt,
  tiaOpaque,
  tiaTopLeftPointColorTransparent,
  tiaInverseLuminance,
  tiaInverseLuminanceSqrt
};
enum class TGLMinFilter : std::uint8_t {
  miNearest,
  miLinear,
  miNearestMipmapNearest,
  miLinearMipmapNearest,
  miNearestMipmapLinear,
  miLinearMipmapLinear
};
enum class TGLMagFilter : std::uint8_t { maNearest, maLinear };
enum class TGLTextureMode : std::uint8_t { tmDecal, tmModulate, tmBlend, tmReplace };
enum class TGLTextureWrap : std::uint8_t { twBoth, twNone, twVertical, twHorizontal };
enum class TGLTextureFormat : std::uint8_t {
  tfDefault,
  tfRGB,
  tfRGBA,
  tfRGB16,
  tfRGBA16,
  tfAlpha,
  tfLuminance,
  tfLuminanceAlpha,
  tfIntensity,
  tfNormalMap,
  tfRGBAFloat16,
  tfRGBAFloat32
};
enum class TGLTextureCompression : std::uint8_t { tcDefault, tcNone, tcStandard, tcHighQuality, tcHighSpeed };
enum class TGLTextureFilteringQuality : std::uint8_t { tfIsotropic, tfAnisotropic };
enum class TGLTextureMappingMode : std::uint8_t {
  tmmUser,
  tmmObjectLinear,
  tmmEyeLinear,
  tmmSphere,
  tmmCubeMapReflection,
  tmmCubeMapNormal,
  tmmCubeMapLight0,
  tmmCubeMapCamera
};

GLenum MinFilterToGL(TGLMinFilter f);
GLenum MagFilterToGL(TGLMagFilter f);
bool IsMipmapFilter(TGLMinFilter f);

class TGLBitmap32 : public TPersistent {
 public:
  std::string ClassName() const override { return "TGLBitmap32"; }
  // Null empties; another buffer is copied.
  void Assign(const TPersistent* source) override;
  // A picture whose width is not a multiple of 4 is stretched to the next multiple first.
  void AssignFromBitmap(const TBitmap& bitmap);
  TBitmap Create32BitsBitmap() const;
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Rounds up to a multiple of 4; negative sizes raise EAssertionFailed.
  void SetWidth(int w);
  void SetHeight(int h);
  std::uint8_t* ScanLine(int y) { return data_.data() + std::size_t(y) * std::size_t(width_) * 4; }
  const std::uint8_t* ScanLine(int y) const {
    return data_.data() + std::size_t(y) * std::size_t(width_) * 4;
  }
  std::uint8_t* Data() { return data_.data(); }
  const std::uint8_t* Data() const { return data_.data(); }
  std::size_t DataSize() const { return data_.size(); }
  bool VerticalReverseOnAssignFromBitmap = false;

  void SetAlphaFromIntensity();
  void SetAlphaTransparentForColor(TColor color);
  void SetAlphaTransparentForPixel(std::uint8_t r, std::uint8_t g, std::uint8_t b);
  void SetAlphaToValue(std::uint8_t v);
  void InvertAlpha();
  void SqrtAlpha();
  // The alpha rules that need nothing but the bitmap: from intensity (tiaAlphaFromIntensity,
  // tiaLuminance, tiaLuminanceSqrt), black transparent, opaque. False for the other rules.
  bool SetAlphaByRule(TGLTextureImageAlpha rule);
  void BrightnessCorrection(float factor);
  void GammaCorrection(float gamma);
  void GrayScaleToNormalMap(float scale, bool wrapX, bool wrapY);
  // Width rounded down to a multiple of 4; read from the window origin (0, 0).
  void ReadPixels(int left, int top, int right, int bottom);
  // Uploads into the bound texture; nothing for an empty buffer. Reports the texture size.
  void UploadBitmapTexture(GLenum target, TGLMinFilter minFilter, int& texWidth, int& texHeight,
                           GLenum internalFormat) const;

 private:
  std::vector<std::uint8_t> data_;
  int width_ = 0, height_ = 0;
};

class TGLTexture;

// The pixel source of a texture.
class TGLTextureImage : public TGLUpdateAbleObject {
 public:
  explicit TGLTextureImage(TGLTexture* owner);
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual std::string FriendlyName() const = 0;
  virtual std::string FriendlyDescription() const { return FriendlyName(); }
  virtual GLenum NativeTextureTarget() const { return GL_TEXTURE_2D; }
  // Null when there is nothing to upload.
  virtual const TGLBitmap32* GetBitmap32(GLenum target) = 0;
  virtual void ReleaseBitmap32() {}
  virtual std::unique_ptr<TGLTextureImage> NewInstance(TGLTexture* owner) const = 0;
  // The owning texture rebuilds its image at the next use.
  void NotifyChange(TObject* sender) override;
  void Invalidate() {
    ReleaseBitmap32();
    NotifyChange(this);
  }
};

// An image that is only a size (the blank and the float-data images): an empty bitmap of
// that size made at need, and a text form "[SECTION]\r\nWidth=W\r\nHeight=H".
class TGLSizedImage : public TGLTextureImage {
 public:
  using TGLTextureImage::TGLTextureImage;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // Below 1 becomes 1.
  void SetWidth(int w);
  void SetHeight(int h);
  const TGLBitmap32* GetBitmap32(GLenum target) override;
  void ReleaseBitmap32() override { bitmap_.reset(); }
  std::string SaveToText() const;
  // Width and Height from lines of NAME=VALUE; one missing or not a number stays as it is.
  virtual void LoadFromText(const std::string& text);
  // A file that cannot be read: ESceneError "Could not open file: NAME".
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

 protected:
  // The section of the text form.
  virtual const char* TextSection() const = 0;
  void AssignSize(const TGLSizedImage& source);

 private:
  int width_ = 256, height_ = 256;
  std::unique_ptr<TGLBitmap32> bitmap_;
};

class TGLBlankImage : public TGLSizedImage {
 public:
  using TGLSizedImage::TGLSizedImage;
  std::string ClassName() const override { return "TGLBlankImage"; }
  void Assign(const TPersistent* source) override;
  std::string FriendlyName() const override { return "Blank Image"; }
  std::string FriendlyDescription() const override { return "Blank Image (Width x Height)"; }
  std::unique_ptr<TGLTextureImage> NewInstance(TGLTexture* owner) const override {
    return std::make_unique<TGLBlankImage>(owner);
  }
  // "[BlankImage]\r\nWidth=W\r\nHeight=H"; reading finds "Width=" and "Height=" anywhere.
  void LoadFromText(const std::string& text) override;

 protected:
  const char* TextSection() const override { return "BlankImage"; }
};

// A picture kept with the object.
class TGLPersistentImage : public TGLTextureImage {
 public:
  using TGLTextureImage::TGLTextureImage;
  std::string ClassName() const override { return "TGLPersistentImage"; }
  void Assign(const TPersistent* source) override;
  int Width() const override { return picture_.Width(); }
  int Height() const override { return picture_.Height(); }
  std::string FriendlyName() const override { return "Persistent Image"; }
  std::string FriendlyDescription() const override {
    return "Image data is stored in its original format with other form resources,ie. in the DFM at "
           "design-time, "
           "and embedded in the EXE at run-time.";
  }
  const TBitmap& Picture() const { return picture_; }
  void SetPicture(const TBitmap& b);
  const TGLBitmap32* GetBitmap32(GLenum target) override;
  void ReleaseBitmap32() override { bitmap_.reset(); }
  std::unique_ptr<TGLTextureImage> NewInstance(TGLTexture* owner) const override {
    return std::make_unique<TGLPersistentImage>(owner);
  }

 private:
  TBitmap picture_;
  std::unique_ptr<TGLBitmap32> bitmap_;
};

// A picture read from a file on first use (any format Qt can read; nothing when missing).
class TGLPicFileImage : public TGLTextureImage {
 public:
  using TGLTextureImage::TGLTextureImage;
  std::string ClassName() const override { return "TGLPicFileImage"; }
  void Assign(const TPersistent* source) override;
  int Width() const override;
  int Height() const override;
  std::string FriendlyName() const override { return "PicFile Image"; }
  std::string FriendlyDescription() const override { return "Image data is retrieved from a file."; }
  const std::string& PictureFileName() const { return fileName_; }
  void SetPictureFileName(const std::string& f);
  const TGLBitmap32* GetBitmap32(GLenum target) override;
  void ReleaseBitmap32() override { bitmap_.reset(); }
  std::unique_ptr<TGLTextureImage> NewInstance(TGLTexture* owner) const override {
    return std::make_unique<TGLPicFileImage>(owner);
  }

 private:
  std::string fileName_;
  std::unique_ptr<TGLBitmap32> bitmap_;
};

// Reads a picture file into a bitmap; false (and nothing read) when it is missing or
// unreadable.
bool LoadGraphicFromFile(const std::string& fileName, TBitmap& out);
// The file a texture's picture comes from: a texture of a library material lets its
// library find it (GLMaterial.cpp); otherwise the name as given.
std::string TextureImageFileName(const TGLTexture* texture, const std::string& name);

using TGLTextureImageFactory = std::function<std::unique_ptr<TGLTextureImage>(TGLTexture*)>;
void RegisterGLTextureImageClass(const std::string& name, TGLTextureImageFactory factory);
const TGLTextureImageFactory* FindGLTextureImageClass(const std::string& name);

class TGLTexture : public TGLUpdateAbleObject {
 public:
  explicit TGLTexture(TPersistent* owner);
  ~TGLTexture() override;
  std::string ClassName() const override { return "TGLTexture"; }
  void Assign(const TPersistent* source) override;

  TGLTextureImage* Image() const { return image_.get(); }
  // Another class replaces the image, then the source is assigned; null puts a fresh
  // persistent image in place.
  void SetImage(const TGLTextureImage* source);
  std::string ImageClassName() const { return image_->ClassName(); }
  // A registered class name; another name changes nothing.
  void SetImageClassName(const std::string& name);

  TGLTextureImageAlpha ImageAlpha() const { return imageAlpha_; }
  void SetImageAlpha(TGLTextureImageAlpha v) { SetImageProperty(imageAlpha_, v); }
  float ImageBrightness() const { return brightness_; }
  void SetImageBrightness(float v) { SetImageProperty(brightness_, v); }
  float ImageGamma() const { return gamma_; }
  void SetImageGamma(float v) { SetImageProperty(gamma_, v); }
  TGLMagFilter MagFilter() const { return magFilter_; }
  void SetMagFilter(TGLMagFilter v) { SetParameter(magFilter_, v); }
  TGLMinFilter MinFilter() const { return minFilter_; }
  void SetMinFilter(TGLMinFilter v) { SetParameter(minFilter_, v); }
  TGLTextureMode TextureMode() const { return textureMode_; }
  void SetTextureMode(TGLTextureMode v) { SetParameter(textureMode_, v); }
  TGLTextureWrap TextureWrap() const { return textureWrap_; }
  void SetTextureWrap(TGLTextureWrap v) { SetParameter(textureWrap_, v); }
  TGLTextureFormat TextureFormat() const { return textureFormat_; }
  void SetTextureFormat(TGLTextureFormat v) { SetParameter(textureFormat_, v); }
  TGLTextureCompression Compression() const { return compression_; }
  void SetCompression(TGLTextureCompression v) { SetParameter(compression_, v); }
  TGLTextureFilteringQuality FilteringQuality() const { return filteringQuality_; }
  void SetFilteringQuality(TGLTextureFilteringQuality v) { SetParameter(filteringQuality_, v); }
  TGLTextureMappingMode MappingMode() const { return mappingMode_; }
  void SetMappingMode(TGLTextureMappingMode v);
  TGLCoordinates4& MappingSCoordinates();
  TGLCoordinates4& MappingTCoordinates();
  TGLColor& EnvColor() { return envColor_; }
  bool Disabled() const { return disabled_; }
  void SetDisabled(bool v);
  bool Enabled() const { return !disabled_; }
  void SetEnabled(bool v) { SetDisabled(!v); }
  float NormalMapScale() const { return normalMapScale_; }
  void SetNormalMapScale(float v);

  // The OpenGL texture name, rebuilt when changes are pending (needs a current context).
  GLuint Handle();
  void DestroyHandles();
  void Apply(TRenderContextInfo& rci);
  void UnApply(TRenderContextInfo& rci);
  // On another texture unit (1 is the second), with a texture matrix when one is given;
  // needs multi-texturing. Texture coordinates are not redirected.
  void ApplyAsTextureN(int unit, TRenderContextInfo& rci, const TMatrix* textureMatrix = nullptr);
  void UnApplyAsTextureN(int unit, TRenderContextInfo& rci, bool resetTextureMatrix);
  GLenum Target() const { return image_->NativeTextureTarget(); }
  int TexWidth() const { return texWidth_; }
  int TexHeight() const { return texHeight_; }
  bool ImageChanged() const { return changedImage_; }
  bool ParametersChanged() const { return changedParams_; }
  void NotifyImageChange();
  void NotifyParamsChange();

 private:
  template <class T>
  void SetImageProperty(T& field, T v) {
    if (field == v) return;
    field = v;
    NotifyImageChange();
  }
  template <class T>
  void SetParameter(T& field, T v) {
    if (field == v) return;
    field = v;
    NotifyParamsChange();
  }
  void PrepareImage(GLenum target);
  void PrepareParams(GLenum target);
  // The minification filter a target can take.
  TGLMinFilter EffectiveMinFilter(GLenum target) const;
  GLenum InternalFormat() const;

  std::unique_ptr<TGLTextureImage> image_;
  TGLTextureImageAlpha imageAlpha_ = TGLTextureImageAlpha::tiaDefault;
  float brightness_ = 1, gamma_ = 1;
  TGLMagFilter magFilter_ = TGLMagFilter::maLinear;
  TGLMinFilter minFilter_ = TGLMinFilter::miLinearMipmapLinear;
  TGLTextureMode textureMode_ = TGLTextureMode::tmDecal;
  TGLTextureWrap textureWrap_ = TGLTextureWrap::twBoth;
  TGLTextureFormat textureFormat_ = TGLTextureFormat::tfDefault;
  TGLTextureCompression compression_ = TGLTextureCompression::tcDefault;
  TGLTextureFilteringQuality filteringQuality_ = TGLTextureFilteringQuality::tfIsotropic;
  TGLTextureMappingMode mappingMode_ = TGLTextureMappingMode::tmmUser;
  std::unique_ptr<TGLCoordinates4> mapS_, mapT_;
  TGLColor envColor_;
  bool disabled_ = true;
  float normalMapScale_ = 0.125f;
  TGLTextureHandle handle_;
  GLenum handleTarget_ = 0;
  bool changedImage_ = true, changedParams_ = true;
  int texWidth_ = 0, texHeight_ = 0;
  int requiredMemory_ = -1;
};

}  // namespace qx
