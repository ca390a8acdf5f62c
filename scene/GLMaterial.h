// Materials: front and back face colours, a blending mode, face culling, lighting and fog
// options and an optional texture, applied to OpenGL before an object is drawn and undone
// after. Library materials (named, shared, with a texture matrix and a shader) and the
// material library with its archive live here too.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scene/GLColor.h"
#include "scene/GLTexture.h"
#include "scene/GLTextureEx.h"

namespace qx {

struct TRenderContextInfo;
class TGLMaterialLibrary;
class TGLLibMaterial;

enum class TPolygonMode : std::uint8_t { pmFill, pmLines, pmPoints };
enum class TBlendingMode : std::uint8_t {
  bmOpaque,
  bmTransparency,
  bmAdditive,
  bmAlphaTest50,
  bmAlphaTest100,
  bmModulate
};
enum TMaterialOption : std::uint8_t { moIgnoreFog = 1, moNoLighting = 2 };
enum class TFaceCulling : std::uint8_t { fcBufferDefault, fcCull, fcNoCull };

class TGLFaceProperties : public TGLUpdateAbleObject {
 public:
  explicit TGLFaceProperties(TPersistent* owner);
  std::string ClassName() const override { return "TGLFaceProperties"; }
  // Four colours, shininess and polygon mode; notifies once.
  void Assign(const TPersistent* source) override;
  TGLColor& Ambient() { return ambient_; }
  TGLColor& Diffuse() { return diffuse_; }
  TGLColor& Specular() { return specular_; }
  TGLColor& Emission() { return emission_; }
  const TGLColor& Ambient() const { return ambient_; }
  const TGLColor& Diffuse() const { return diffuse_; }
  const TGLColor& Specular() const { return specular_; }
  const TGLColor& Emission() const { return emission_; }
  int Shininess() const { return shininess_; }
  void SetShininess(int v);  // 0..128
  TPolygonMode PolygonMode() const { return polygonMode_; }
  void SetPolygonMode(TPolygonMode m);
  // With lighting the material colours, otherwise glColor of the diffuse colour.
  void Apply(TRenderContextInfo& rci, GLenum face, bool lighting);

 private:
  TGLColor ambient_, diffuse_, specular_, emission_;
  int shininess_ = 0;
  TPolygonMode polygonMode_ = TPolygonMode::pmFill;
};

class TGLShader;

class TGLMaterial : public TGLUpdateAbleObject {
 public:
  explicit TGLMaterial(TPersistent* owner);
  ~TGLMaterial() override;
  std::string ClassName() const override { return "TGLMaterial"; }
  void Assign(const TPersistent* source) override;
  // A scene-object owner redraws; a library-material owner tells its users.
  void NotifyChange(TObject* sender) override;

  TGLFaceProperties& FrontProperties() { return *front_; }
  const TGLFaceProperties& FrontProperties() const { return *front_; }
  // Created with the default colours on first access.
  TGLFaceProperties& BackProperties();
  bool HasBackProperties() const { return back_ != nullptr; }
  TBlendingMode BlendingMode() const { return blending_; }
  void SetBlendingMode(TBlendingMode m);
  std::uint8_t MaterialOptions() const { return options_; }
  void SetMaterialOptions(std::uint8_t o);
  TFaceCulling FaceCulling() const { return faceCulling_; }
  void SetFaceCulling(TFaceCulling f);
  // Created (disabled) on first access; SetTexture(nullptr) frees it.
  TGLTexture& Texture();
  bool HasTexture() const { return texture_ != nullptr; }
  void SetTexture(const TGLTexture* t);
  // The texture list (multi-texturing): created on first access, stored only with items.
  TGLTextureEx& TextureEx();
  bool HasTextureEx() const { return textureEx_ && textureEx_->Count() > 0; }
  TGLMaterialLibrary* MaterialLibrary() const { return library_; }
  void SetMaterialLibrary(TGLMaterialLibrary* lib);
  const std::string& LibMaterialName() const { return libMaterialName_; }
  // A chain of 16 or more library materials raises "Error: Cyclic material reference
  // detected!".
  void SetLibMaterialName(const std::string& name);
  TGLLibMaterial* LibMaterial() const { return libMaterial_; }

  bool Blended() const;
  void DestroyHandles();
  void Apply(TRenderContextInfo& rci);
  // True asks the caller to draw again and call UnApply again.
  bool UnApply(TRenderContextInfo& rci);
  // A library material going away forgets its users.
  void LibMaterialDestroyed();

 private:
  std::unique_ptr<TGLFaceProperties> front_, back_;
  TBlendingMode blending_ = TBlendingMode::bmOpaque;
  std::uint8_t options_ = 0;
  std::unique_ptr<TGLTexture> texture_;
  std::unique_ptr<TGLTextureEx> textureEx_;
  bool textureApplied_ = false, textureExApplied_ = false;
  TFaceCulling faceCulling_ = TFaceCulling::fcBufferDefault;
  TGLMaterialLibrary* library_ = nullptr;
  std::string libMaterialName_;
  TGLLibMaterial* libMaterial_ = nullptr;
  bool disabledLighting_ = false, disabledFog_ = false;
};

enum class TGLShaderStyle : std::uint8_t { ssHighLevel, ssLowLevel, ssReplace };

// Abstract: no concrete shader exists in Quorix; a library material may refer to one.
class TGLShader : public TGLUpdateAbleComponent {
 public:
  using TGLUpdateAbleComponent::TGLUpdateAbleComponent;
  bool Enabled() const { return enabled_; }
  // "Shader is active." while applied.
  void SetEnabled(bool v);
  TGLShaderStyle ShaderStyle = TGLShaderStyle::ssLowLevel;
  // "Unbalanced shader application." when already active / not active.
  void Apply(TRenderContextInfo& rci, TGLLibMaterial* m);
  bool UnApply(TRenderContextInfo& rci);

 protected:
  virtual void DoInitialize() {}
  virtual void DoApply(TRenderContextInfo&, TGLLibMaterial*) {}
  virtual bool DoUnApply(TRenderContextInfo&) { return false; }

 private:
  bool enabled_ = true, active_ = false, initialized_ = false;
};

class TGLLibMaterial : public TGLUpdateAbleObject {
 public:
  TGLLibMaterial(TGLMaterialLibrary* library, const std::string& name);
  ~TGLLibMaterial() override;
  std::string ClassName() const override { return "TGLLibMaterial"; }
  void Assign(const TPersistent* source) override;
  void NotifyChange(TObject* sender) override;
  const std::string& Name() const { return name_; }
  // Made unique in the library ("Name", "Name1", ...).
  void SetName(const std::string& name);
  std::uint32_t NameHash() const { return hash_; }
  TGLMaterial& Material() { return material_; }
  int Tag = 0;
  TGLCoordinates& TextureOffset() { return offset_; }
  TGLCoordinates& TextureScale() { return scale_; }
  // A second library material whose texture goes on the second texture unit.
  std::string Texture2Name;
  TGLShader* Shader = nullptr;
  TGLMaterialLibrary* Library() const { return library_; }
  // Registering a user twice is an assertion failure.
  void RegisterUser(TGLMaterial* user);
  void UnregisterUser(TGLMaterial* user);
  int UserCount() const { return int(users_.size()); }
  bool TextureMatrixIsIdentity() const { return textureMatrixIsIdentity_; }
  const TMatrix& TextureMatrix() const { return textureMatrix_; }
  void Apply(TRenderContextInfo& rci);
  bool UnApply(TRenderContextInfo& rci);

 private:
  friend class TGLMaterialLibrary;
  void CalculateTextureMatrix();
  TGLMaterialLibrary* library_;
  std::string name_;
  std::uint32_t hash_ = 0;
  TGLMaterial material_;
  TGLCoordinates offset_, scale_;
  std::vector<TGLMaterial*> users_;
  TMatrix textureMatrix_ = IdentityHmgMatrix;
  bool textureMatrixIsIdentity_ = true;
  bool textureMatrixLoaded_ = false;
  TGLLibMaterial* second_ = nullptr;  // applied on the second unit, until UnApply
  bool secondMatrixLoaded_ = false, combinerSet_ = false;
};

std::uint32_t LibMaterialNameHash(const std::string& name);

class TGLMaterialLibrary : public TGLCadenceAbleComponent {
 public:
  explicit TGLMaterialLibrary(TComponent* owner = nullptr);
  ~TGLMaterialLibrary() override;
  std::string ClassName() const override { return "TGLMaterialLibrary"; }
  int Count() const { return int(materials_.size()); }
  TGLLibMaterial* operator[](int i) const { return materials_.at(std::size_t(i)).get(); }
  // A new library material named "LibMaterial" made unique.
  TGLLibMaterial* Add(const std::string& name = "LibMaterial");
  void Delete(int index);
  void Clear();
  // Null for a name not found.
  TGLLibMaterial* LibMaterialByName(const std::string& name) const;
  std::string MakeUniqueName(const std::string& wanted, const TGLLibMaterial* except = nullptr) const;
  TGLLibMaterial* AddTextureMaterial(const std::string& name, const TBitmap& graphic);
  const std::vector<std::string>& TexturePaths() const { return paths_; }
  void SetTexturePaths(const std::string& text);
  // Asked first for the file of a texture picture; may change the name.
  std::function<void(TObject* sender, std::string& fileName)> OnTextureNeeded;
  // The handler's answer, then the first texture path holding the file (names with a
  // folder or a drive of their own are taken as they are).
  std::string TextureFileName(const std::string& name);
  bool KeepMaterials = false;
  // Integer version 2, the count, then each material (see the archive layout in the .cpp).
  void SaveToStream(TStream& stream) const;
  // Versions 0, 1 and 2; others raise EFilerException "TGLMaterialLibrary : unknown
  // archive version N".
  void LoadFromStream(TStream& stream);
  int ApplyingCount = 0;

 private:
  std::vector<std::unique_ptr<TGLLibMaterial>> materials_;
  std::vector<std::string> paths_;
};

}  // namespace qx
