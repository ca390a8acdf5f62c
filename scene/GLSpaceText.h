// Solid 3D lettering: the glyph outlines of a desktop font (Qt's painter paths) are
// tessellated with GLU, extruded towards -Z and compiled into one display list per
// character, once per font; a string is drawn by calling one list per character. A
// process-wide font manager shares those lists between every space text that uses the same
// font with the same settings. Glyphs are in units of the font's em: a capital letter is
// about 0.7 high, and each list ends by moving to the next character's origin.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scene/GLBitmapFont.h"

namespace qx {

enum class TGLTextHorzAdjust : std::uint8_t { haLeft, haCenter, haRight, haAligned, haCentrically, haFitIn };
enum class TGLTextVertAdjust : std::uint8_t { vaTop, vaCenter, vaBottom, vaBaseLine };
enum class TSpaceTextCharRange : std::uint8_t { stcrAlphaNum, stcrNumbers, stcrAll };

class TGLTextAdjust : public TPersistent {
 public:
  std::string ClassName() const override { return "TGLTextAdjust"; }
  void Assign(const TPersistent* source) override;
  TGLTextHorzAdjust Horz() const { return horz_; }
  void SetHorz(TGLTextHorzAdjust h);
  TGLTextVertAdjust Vert() const { return vert_; }
  void SetVert(TGLTextVertAdjust v);
  std::function<void()> OnChange;

 private:
  TGLTextHorzAdjust horz_ = TGLTextHorzAdjust::haLeft;
  TGLTextVertAdjust vert_ = TGLTextVertAdjust::vaBaseLine;
};

// Black box width and height, origin x and y (the box's top-left corner from the
// character's origin), cell advance x and y; all in ems.
struct TGlyphMetrics {
  float BlackBoxX = 0, BlackBoxY = 0, OriginX = 0, OriginY = 0, CellIncX = 0, CellIncY = 0;
};

class TGLSpaceText;

// One font's display lists, shared by the space texts that use it.
struct TFontEntry {
  std::string Name;
  TFontStyles Style = 0;
  float Extrusion = 0, AllowedDeviation = 0;
  int FirstChar = 0, LastChar = 0;
  int RefCount = 0;
  TGLVirtualHandle Lists;  // its name is the first list
  std::vector<TGlyphMetrics> Metrics;
  std::vector<TGLSpaceText*> Clients;
  GLuint Base() const { return Lists.Handle(); }
};

class TFontManager {
 public:
  static TFontManager& Instance();
  // An entry with lists (built now when missing; needs a current context). Raises
  // "FontManager: no more display lists available" or "FontManager: font creation failed".
  TFontEntry* GetFontBase(const std::string& name, TFontStyles style, TGLSpaceText* client, int firstChar,
                          int lastChar, float allowedDeviation, float extrusion);
  // One reference less; the client forgets the entry. The last one frees the lists.
  void ReleaseFontBase(TFontEntry* entry, TGLSpaceText* client);
  int Count() const { return int(entries_.size()); }

 private:
  void BuildLists(TFontEntry& e);
  std::vector<std::unique_ptr<TFontEntry>> entries_;
};

class TGLSpaceText : public TGLSceneObject {
 public:
  explicit TGLSpaceText(TComponent* owner = nullptr);
  ~TGLSpaceText() override;
  std::string ClassName() const override { return "TGLSpaceText"; }
  void Assign(const TPersistent* source) override;
  float Extrusion() const { return extrusion_; }
  // Negative: EAssertionFailed "Extrusion must be >=0".
  void SetExtrusion(float v);
  // Name, style (and height, which the outlines ignore); "Arial" at creation.
  const TGLFontSpec& Font() const { return font_; }
  void SetFont(const TGLFontSpec& f);
  const std::string& Text() const { return text_; }
  void SetText(const std::string& t);
  float AllowedDeviation() const { return allowedDeviation_; }
  // Negative is stored as 0 (the finest outline).
  void SetAllowedDeviation(float v);
  TSpaceTextCharRange CharacterRange() const { return characterRange_; }
  void SetCharacterRange(TSpaceTextCharRange r);
  float AspectRatio() const { return aspectRatio_; }
  void SetAspectRatio(float v);
  float TextHeight() const { return textHeight_; }
  void SetTextHeight(float v);
  float Oblique() const { return oblique_; }
  void SetOblique(float v);
  TGLTextAdjust& Adjust() { return adjust_; }
  void SetAdjust(const TGLTextAdjust& a) { adjust_.Assign(&a); }
  const TFontEntry* FontEntry() const { return entry_; }
  // The manager took the entry away.
  void FontEntryLost();
  // Width, height and descent of the text in ems, from the glyph metrics.
  void TextMetrics(float& width, float& height, float& descent) const;

  void RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  void EmitGeometry(TRenderContextInfo& rci) override;

 private:
  void Rebuild();
  // The characters of the text that the entry holds, as list offsets.
  std::vector<std::uint8_t> Codes() const;
  float extrusion_ = 0;
  TGLFontSpec font_;
  std::string text_;
  float allowedDeviation_ = 0;
  TSpaceTextCharRange characterRange_ = TSpaceTextCharRange::stcrAll;
  float aspectRatio_ = 0, textHeight_ = 0, oblique_ = 0;
  TGLTextAdjust adjust_;
  TFontEntry* entry_ = nullptr;
  bool rebuild_ = true;
};

}  // namespace qx
