// Text on a fixed grid of character cells: every character, whatever its font style, is
// placed at a multiple of one cell width, so that columns line up and a caret position is
// one multiplication. Fonts and their measurements are shared by every drawer that uses the
// same font through one cache for the whole program.
#pragma once
#include <QColor>
#include <QFont>
#include <QRawFont>
#include <array>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/Graphics.h"

class QPainter;
class QRect;

namespace qx {

class EheFontStockException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class EheTextDrawerException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Style index: bit 0 bold, 1 italic, 2 underline, 3 strike-out (as TFontStyles).
constexpr int kFontStyleCount = 16;

// One per-style variant of a shared font: made on first use, measured once.
struct TheFontStyleEntry {
  bool Made = false;
  QFont Font;
  QRawFont Raw;
  int CharAdvance = 0;
  int CharHeight = 0;
  int Ascent = 0;
};

// One font shared by every drawer that uses it.
struct TheSharedFontsInfo {
  int RefCount = 0;
  int LockCount = 0;
  QFont BaseFont;   // italic, underline and strike-out cleared: the lookup key
  std::array<TheFontStyleEntry, kFontStyleCount> Styles;
};

class TheFontsInfoManager {
 public:
  static TheFontsInfoManager& Instance();
  // The record of the font, made with one reference or given one more.
  TheSharedFontsInfo* GetFontsInfo(const QFont& font);
  // Drops one reference; the record goes with its last one. A record still locked by
  // more drawers than refer to it is a programming error.
  void ReleaseFontsInfo(TheSharedFontsInfo* info);
  void LockFontsInfo(TheSharedFontsInfo* info);
  // At the last unlock the font variants are forgotten (made again on next use).
  void UnlockFontsInfo(TheSharedFontsInfo* info);
  int Count() const { return static_cast<int>(infos_.size()); }

 private:
  std::vector<std::unique_ptr<TheSharedFontsInfo>> infos_;
};

class TheFontStock {
 public:
  explicit TheFontStock(const QFont* baseFont);
  ~TheFontStock();
  TheFontStock(const TheFontStock&) = delete;
  TheFontStock& operator=(const TheFontStock&) = delete;

  // A missing font raises EheFontStockException.
  void SetBaseFont(const QFont* font);
  void SetStyle(int style);
  int Style() const { return style_; }
  int CharAdvance() const { return entry_ ? entry_->CharAdvance : 0; }
  int CharHeight() const { return entry_ ? entry_->CharHeight : 0; }
  const TheFontStyleEntry* Entry() const { return entry_; }
  TheSharedFontsInfo* FontsInfo() const { return info_; }
  void ReleaseFontHandles();

 private:
  TheSharedFontsInfo* info_ = nullptr;
  TheFontStyleEntry* entry_ = nullptr;
  int style_ = 0;
  bool locked_ = false;
};

class TheTextDrawer {
 public:
  TheTextDrawer(TFontStyles baseStyle, const QFont* baseFont);
  ~TheTextDrawer();
  TheTextDrawer(const TheTextDrawer&) = delete;
  TheTextDrawer& operator=(const TheTextDrawer&) = delete;

  int CharWidth() const { return charWidth_ + charExtra_; }
  int CharHeight() const { return charHeight_; }
  // A missing font raises EheTextDrawerException.
  void SetBaseFont(const QFont* font);
  void SetBaseStyle(TFontStyles style);
  void SetStyle(TFontStyles style);
  TFontStyles Style() const { return style_; }
  void SetForeColor(const QColor& color) { foreColor_ = color; }
  void SetBackColor(const QColor& color) { backColor_ = color; }
  void SetCharExtra(int value) { charExtra_ = value; }

  void BeginDrawing(QPainter* painter);
  void EndDrawing();
  // Text at (x, y) (the top of the cell), one cell per character.
  void TextOut(int x, int y, std::u32string_view text);
  // The same over the rectangle: filled with the background colour first when opaque,
  // and clipped to it when clipped.
  void ExtTextOut(int x, int y, bool opaque, bool clipped, const QRect& rect, std::u32string_view text);
  void ReleaseTemporaryResources();

  // Entries of the per-character advance array (it grows in steps of 64).
  int AdvanceArrayLength() const { return static_cast<int>(positions_.size()); }
  const TheFontStock& Stock() const { return stock_; }

 private:
  void ReleaseAdvanceArray() { positions_.clear(); }

  TheFontStock stock_;
  TFontStyles baseStyle_ = 0;
  TFontStyles style_ = 0;
  int charWidth_ = 0;
  int charHeight_ = 0;
  int charExtra_ = 0;
  QColor foreColor_ = Qt::black;
  QColor backColor_ = Qt::white;
  QPainter* painter_ = nullptr;
  int drawingCount_ = 0;
  std::vector<QPointF> positions_;
  std::vector<quint32> glyphs_;
  std::vector<QChar> utf16_;
};

}  // namespace qx
