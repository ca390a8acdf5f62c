// Bitmap fonts and text drawn with them: every glyph is painted once into one texture
// atlas, and a string is drawn as one textured quad per character. TGLWindowsBitmapFont
// paints the glyphs of a desktop font (with QPainter on a QImage); TGLBitmapFont takes
// them from a picture of glyph cells. TGLHUDText draws in window pixels over the scene (the
// labels of the space view); TGLFlatText in its own plane in scene units.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "scene/GLSceneObject.h"
#include "scene/GLTexture.h"

class QFont;

namespace qx {

class TGLCustomBitmapFont;

class TBitmapFontRange {
 public:
  explicit TBitmapFontRange(TGLCustomBitmapFont* font) : font_(font) {}
  int StartASCII() const { return start_; }
  int StopASCII() const { return stop_; }
  int StartGlyphIdx() const { return startGlyph_; }
  // Raising the start above the stop moves the stop up.
  void SetStartASCII(int c);
  // Lowering the stop below the start moves the start down.
  void SetStopASCII(int c);
  // Negative values become 0.
  void SetStartGlyphIdx(int g);
  // "ASCII [#start, #stop] -> Glyphs [first, last]"
  std::string DisplayName() const;

 private:
  friend class TBitmapFontRanges;
  void Changed();
  TGLCustomBitmapFont* font_;
  int start_ = 32, stop_ = 32, startGlyph_ = 0;
};

class TBitmapFontRanges {
 public:
  explicit TBitmapFontRanges(TGLCustomBitmapFont* font) : font_(font) {}
  TBitmapFontRange* Add(int startASCII, int stopASCII);
  int Count() const { return int(items_.size()); }
  TBitmapFontRange* operator[](int i) const { return items_.at(std::size_t(i)).get(); }
  void Clear();
  int CharacterCount() const;

 private:
  TGLCustomBitmapFont* font_;
  std::vector<std::unique_ptr<TBitmapFontRange>> items_;
};

enum class TGLTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };
enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

struct TCharRect {
  float Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class TGLCustomBitmapFont : public TGLUpdateAbleComponent {
 public:
  explicit TGLCustomBitmapFont(TComponent* owner = nullptr);
  ~TGLCustomBitmapFont() override;
  std::string ClassName() const override { return "TGLCustomBitmapFont"; }

  TBitmapFontRanges& Ranges() { return ranges_; }
  const TBitmap& Glyphs() const { return glyphs_; }
  void SetGlyphs(const TBitmap& b);
  int CharWidth() const { return charWidth_; }
  void SetCharWidth(int v);  // below 2 is stored as 1
  int CharHeight() const { return charHeight_; }
  void SetCharHeight(int v);  // below 2 is stored as 1
  int GlyphsIntervalX() const { return intervalX_; }
  void SetGlyphsIntervalX(int v);
  int GlyphsIntervalY() const { return intervalY_; }
  void SetGlyphsIntervalY(int v);
  int HSpace() const { return hSpace_; }
  void SetHSpace(int v);  // below 1 becomes 0
  int VSpace() const { return vSpace_; }
  void SetVSpace(int v);
  TGLMinFilter MinFilter() const { return minFilter_; }
  void SetMinFilter(TGLMinFilter f);
  TGLMagFilter MagFilter() const { return magFilter_; }
  void SetMagFilter(TGLMagFilter f);
  TGLTextureImageAlpha GlyphsAlpha() const { return glyphsAlpha_; }
  void SetGlyphsAlpha(TGLTextureImageAlpha a);
  int TextureWidth() const { return texWidth_; }
  int TextureHeight() const { return texHeight_; }
  bool TextureDirty() const { return dirty_; }

  // Registering twice is an assertion failure.
  virtual void RegisterUser(TGLBaseSceneObject* obj);
  virtual void UnRegisterUser(TGLBaseSceneObject* obj);
  int UserCount() const { return int(users_.size()); }
  int GetCharWidth(int c);
  // 0 for an empty text, else length x (space fix + HSpace) - HSpace + the widths.
  int CalcStringWidth(const std::string& text);
  // Widths and rectangles forgotten; every user hears of it, the last registered first.
  virtual void Invalidate();
  void NotifyChange(TObject* sender) override;
  // Draws at the current transformation; nothing for an empty text or glyph picture.
  void RenderString(TRenderContextInfo& rci, const std::string& text, TAlignment alignment,
                    TGLTextLayout layout, const TColorVector& color, const TAffineVector* position = nullptr,
                    bool reverseY = false);
  TCharRect CharRect(int c);
  void FreeTextureHandle();

 protected:
  // Stores a different value and invalidates the font.
  template <class T>
  void Change(T& field, T v) {
    if (field == v) return;
    field = v;
    Invalidate();
  }
  virtual void PrepareImage();
  virtual GLenum TextureFormat() const { return GL_RGBA; }
  virtual void BuildRects();
  int GlyphIndex(int c) const;
  void InvalidateTables();

  TBitmap glyphs_;
  int charWidth_ = 16, charHeight_ = 16, intervalX_ = 0, intervalY_ = 0, hSpace_ = 1, vSpace_ = 1,
      spaceFix_ = 0;
  std::array<int, 256> widths_{};
  bool widthsReady_ = false;
  std::array<TCharRect, 256> rects_{};
  bool rectsReady_ = false;
  TGLTextureImageAlpha glyphsAlpha_ = TGLTextureImageAlpha::tiaDefault;
  int texWidth_ = 0, texHeight_ = 0;

 private:
  TBitmapFontRanges ranges_;
  std::vector<TGLBaseSceneObject*> users_;
  TGLTextureHandle handle_;
  bool dirty_ = true;
  TGLMinFilter minFilter_ = TGLMinFilter::miLinear;
  TGLMagFilter magFilter_ = TGLMagFilter::maLinear;
};

// Glyphs from a picture of cells CharWidth x CharHeight.
class TGLBitmapFont : public TGLCustomBitmapFont {
 public:
  using TGLCustomBitmapFont::TGLCustomBitmapFont;
  std::string ClassName() const override { return "TGLBitmapFont"; }
};

// The desktop font a bitmap font is painted from. Height: negative = character height in
// pixels (as the toolkit's font heights are), positive = cell height.
struct TGLFontSpec {
  std::string Name = "MS Sans Serif";
  int Height = -11;
  TFontStyles Style = 0;
  TColor Color = clWhite;
  bool operator==(const TGLFontSpec&) const = default;
};

class TGLWindowsBitmapFont : public TGLCustomBitmapFont {
 public:
  explicit TGLWindowsBitmapFont(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLWindowsBitmapFont"; }
  const TGLFontSpec& Font() const { return font_; }
  // The atlas is rebuilt at the next drawing; every text using the font hears of it now.
  void SetFont(const TGLFontSpec& f);
  // Builds the atlas picture, the widths and the rectangles. "Characters are too large or
  // too many. Unable to create font texture." when no atlas up to 512 x 512 holds them (the
  // font's size is then set to 6).
  virtual void LoadWindowsFont();
  void NotifyChange(TObject* sender) override;

 protected:
  void PrepareImage() override;
  GLenum TextureFormat() const override { return GL_ALPHA; }
  void BuildRects() override;

 private:
  TGLFontSpec font_;
};

// Keeps its glyph picture as stored while StoredGlyphs is set, instead of painting it again.
class TGLStoredBitmapFont : public TGLWindowsBitmapFont {
 public:
  using TGLWindowsBitmapFont::TGLWindowsBitmapFont;
  std::string ClassName() const override { return "TGLStoredBitmapFont"; }
  bool StoredGlyphs = false;
  void LoadWindowsFont() override {
    if (!StoredGlyphs) TGLWindowsBitmapFont::LoadWindowsFont();
  }
};

// Our texts are UTF-8; bitmap and outline fonts hold the codes 0..255 (Latin-1): others
// become "?".
std::vector<int> CharCodes(const std::string& s);
// The desktop font of a font description (the toolkit's usual faces become Liberation Sans).
QFont QtFont(const TGLFontSpec& f);

// Window pixels for an object drawn over the scene (Position X and Y from the top-left
// corner, Z as given, Scale X and Y, turned by rotation degrees): pushes the model-view
// and projection matrices, which PopHUDTransform restores. Needs rci.buffer.
void PushHUDTransform(TRenderContextInfo& rci, TGLBaseSceneObject& obj, float rotation);
void PopHUDTransform();

class TGLHUDText : public TGLImmaterialSceneObject {
 public:
  explicit TGLHUDText(TComponent* owner = nullptr);
  ~TGLHUDText() override;
  std::string ClassName() const override { return "TGLHUDText"; }
  void Assign(const TPersistent* source) override;
  void Notification(TComponent* c, TOperation op) override;
  TGLCustomBitmapFont* BitmapFont() const { return font_; }
  void SetBitmapFont(TGLCustomBitmapFont* f);
  const std::string& Text() const { return text_; }
  void SetText(const std::string& t);
  float Rotation() const { return rotation_; }
  void SetRotation(float r);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TGLTextLayout Layout() const { return layout_; }
  void SetLayout(TGLTextLayout l);
  TGLColor& ModulateColor() { return modulateColor_; }
  void RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

 private:
  TGLCustomBitmapFont* font_ = nullptr;
  std::string text_;
  float rotation_ = 0;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TGLTextLayout layout_ = TGLTextLayout::tlTop;
  TGLColor modulateColor_;
};

enum TGLFlatTextOption : std::uint8_t { ftoTwoSided = 1 };

class TGLFlatText : public TGLImmaterialSceneObject {
 public:
  explicit TGLFlatText(TComponent* owner = nullptr);
  ~TGLFlatText() override;
  std::string ClassName() const override { return "TGLFlatText"; }
  void Notification(TComponent* c, TOperation op) override;
  TGLCustomBitmapFont* BitmapFont() const { return font_; }
  void SetBitmapFont(TGLCustomBitmapFont* f);
  const std::string& Text() const { return text_; }
  void SetText(const std::string& t);
  TAlignment Alignment = TAlignment::taLeftJustify;
  TGLTextLayout Layout = TGLTextLayout::tlTop;
  std::uint8_t Options = 0;
  TGLColor& ModulateColor() { return modulateColor_; }
  void RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

 private:
  TGLCustomBitmapFont* font_ = nullptr;
  std::string text_;
  TGLColor modulateColor_;
};

}  // namespace qx
