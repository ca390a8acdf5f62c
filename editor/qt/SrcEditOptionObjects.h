// The editor's option objects: the selection colours, the gutter, the bookmark options and
// the word-wrap glyph, each of which tells the editor through OnChange after every change
// that changes something; the shared strip of built-in pictures; and the colour helpers
// that the painter uses (system colours through the palette, the gradient fill).
#pragma once
#include <QFont>
#include <QPixmap>
#include <functional>
#include <string>
#include <vector>

#include "editor/qt/SrcEditTypes.h"

class QPainter;
class QPalette;
class QRect;
class QColor;

namespace qx {

using TSynChangeEvent = std::function<void(void* sender)>;

// A toolkit colour as Qt paints it: system colours come from the palette; clNone is an
// invalid (transparent) colour.
QColor ColorToQColor(TColor color, const QPalette& palette);
// The colour as plain red, green and blue (system colours resolved).
TColor ColorToRGB(TColor color, const QPalette& palette);

// Fills the rectangle in bands from the start to the end colour: steps are clamped to
// 2..256; band i covers i x size / steps to (i + 1) x size / steps along x (horizontal) or y.
void SynDrawGradient(QPainter& painter, TColor startColor, TColor endColor, int steps, const QRect& rect,
                     bool horizontal);

class TSynSelectedColor {
 public:
  TColor Background() const { return background_; }
  TColor Foreground() const { return foreground_; }
  void SetBackground(TColor value);
  void SetForeground(TColor value);
  void Assign(const TSynSelectedColor& source);
  TSynChangeEvent OnChange;

 private:
  void Changed();
  TColor background_ = clHighlight;
  TColor foreground_ = clHighlightText;
};

enum TSynGutterBorderStyle : std::uint8_t { gbsNone, gbsMiddle, gbsRight };

class TSynGutter {
 public:
  TSynGutter();

  bool AutoSize() const { return autoSize_; }
  TSynGutterBorderStyle BorderStyle() const { return borderStyle_; }
  TColor Color() const { return color_; }
  TColor BorderColor() const { return borderColor_; }
  std::int16_t Cursor() const { return cursor_; }
  int DigitCount() const { return digitCount_; }
  const QFont& Font() const { return font_; }
  bool LeadingZeros() const { return leadingZeros_; }
  int LeftOffset() const { return leftOffset_; }
  int RightOffset() const { return rightOffset_; }
  bool ShowLineNumbers() const { return showLineNumbers_; }
  bool UseFontStyle() const { return useFontStyle_; }
  bool Visible() const { return visible_; }
  int Width() const { return width_; }
  bool ZeroStart() const { return zeroStart_; }
  int LineNumberStart() const { return lineNumberStart_; }
  bool Gradient() const { return gradient_; }
  TColor GradientStartColor() const { return gradientStartColor_; }
  TColor GradientEndColor() const { return gradientEndColor_; }
  int GradientSteps() const { return gradientSteps_; }
  // The colour of the line numbers (the gutter font's colour).
  TColor FontColor() const { return fontColor_; }

  void SetAutoSize(bool value);
  void SetBorderStyle(TSynGutterBorderStyle value);
  void SetColor(TColor value);
  void SetBorderColor(TColor value);
  void SetCursor(std::int16_t value) { cursor_ = value; }
  void SetDigitCount(int value);  // clamped to 2..12
  void SetFont(const QFont& value);
  void SetFontColor(TColor value);
  void SetLeadingZeros(bool value);
  void SetLeftOffset(int value);
  void SetRightOffset(int value);
  void SetShowLineNumbers(bool value);
  void SetUseFontStyle(bool value);
  void SetVisible(bool value);
  void SetWidth(int value);
  void SetZeroStart(bool value);
  void SetLineNumberStart(int value);
  void SetGradient(bool value);
  void SetGradientStartColor(TColor value);
  void SetGradientEndColor(TColor value);
  void SetGradientSteps(int value);  // below 2 becomes 2

  // The number as the gutter shows it for the 1-based line, right-aligned in a field of
  // the automatic digit count.
  std::u32string FormatLineNumber(int line) const;
  // Sizes the digit field for the number of lines (only with Visible, AutoSize and
  // ShowLineNumbers; otherwise the field has DigitCount digits).
  void AutoSizeDigitCount(int lineCount);
  int AutoSizeDigits() const { return autoSizeDigitCount_; }
  // The width in pixels for a character width.
  int RealGutterWidth(int charWidth) const;

  void Assign(const TSynGutter& source);
  TSynChangeEvent OnChange;

 private:
  void Changed();
  template <typename T>
  void Store(T& field, T value) {
    if (field == value) return;
    field = value;
    Changed();
  }

  QFont font_;
  TColor fontColor_ = clWindowText;
  TColor color_ = clBtnFace;
  TColor borderColor_ = clWindow;
  TColor gradientStartColor_ = clWindow;
  TColor gradientEndColor_ = clBtnFace;
  int width_ = 30;
  int leftOffset_ = 16;
  int rightOffset_ = 2;
  int digitCount_ = 4;
  int autoSizeDigitCount_ = 4;
  int lineNumberStart_ = 1;
  int gradientSteps_ = 48;
  std::int16_t cursor_ = crDefault;
  TSynGutterBorderStyle borderStyle_ = gbsMiddle;
  bool autoSize_ = false;
  bool leadingZeros_ = false;
  bool showLineNumbers_ = false;
  bool useFontStyle_ = true;
  bool visible_ = true;
  bool zeroStart_ = false;
  bool gradient_ = false;
};

// Pictures of the user's own for marks, by index (not owned by the editor).
using TSynImageList = std::vector<QPixmap>;

class TSynBookMarkOpt {
 public:
  const TSynImageList* BookmarkImages() const { return bookmarkImages_; }
  bool DrawBookmarksFirst() const { return drawBookmarksFirst_; }
  bool EnableKeys() const { return enableKeys_; }
  bool GlyphsVisible() const { return glyphsVisible_; }
  int LeftMargin() const { return leftMargin_; }
  int Xoffset() const { return xoffset_; }
  void SetBookmarkImages(const TSynImageList* value);
  void SetDrawBookmarksFirst(bool value);
  void SetEnableKeys(bool value) { enableKeys_ = value; }
  void SetGlyphsVisible(bool value);
  void SetLeftMargin(int value);
  void SetXoffset(int value);
  void Assign(const TSynBookMarkOpt& source);
  TSynChangeEvent OnChange;

 private:
  void Changed();
  const TSynImageList* bookmarkImages_ = nullptr;
  int leftMargin_ = 2;
  int xoffset_ = 12;
  bool drawBookmarksFirst_ = true;
  bool enableKeys_ = true;
  bool glyphsVisible_ = true;
};

// A picture from a named built-in resource (nothing for an unknown name) or the user's own,
// drawn with its mask colour as transparent.
class TSynGlyph {
 public:
  TSynGlyph(const std::string& resourceName, TColor resourceMaskColor);
  const QPixmap& Glyph() const { return glyph_; }
  TColor MaskColor() const { return maskColor_; }
  bool Visible() const { return visible_; }
  void SetGlyph(const QPixmap& value);
  void SetMaskColor(TColor value);
  void SetVisible(bool value);
  int Width() const;
  int Height() const;
  // Centred in the line when lower than it, its middle rows when taller.
  void Draw(QPainter& painter, int x, int y, int lineHeight) const;
  void Assign(const TSynGlyph& source);
  TSynChangeEvent OnChange;

 private:
  void Changed();
  QPixmap internalGlyph_;
  QPixmap glyph_;
  TColor internalMaskColor_ = clNone;
  TColor maskColor_ = clNone;
  bool visible_ = true;
};

// A strip of equally wide pictures from a built-in resource, shared by every user of the
// same resource name.
class TSynInternalImage {
 public:
  TSynInternalImage(const std::string& name, int count);
  ~TSynInternalImage();
  TSynInternalImage(const TSynInternalImage&) = delete;
  TSynInternalImage& operator=(const TSynInternalImage&) = delete;

  int Count() const { return count_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Picture numbers outside 0..Count-1 draw nothing.
  void Draw(QPainter& painter, int number, int x, int y, int lineHeight) const;
  // How many users the shared picture of the resource has (for tests of the sharing).
  static int UseCount(const std::string& name);

 private:
  std::string key_;
  const QPixmap* bitmap_ = nullptr;
  int count_ = 0;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace qx
