#include "editor/qt/SrcEditOptionObjects.h"

#include <QBitmap>
#include <QColor>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <algorithm>
#include <map>
#include <memory>

namespace qx {

// ---- colours ----

QColor ColorToQColor(TColor color, const QPalette& palette) {
  if (color == clNone) return QColor();
  if ((static_cast<std::uint32_t>(color) & 0xFF000000u) == 0xFF000000u) {
    switch (static_cast<std::uint32_t>(color) & 0xFFu) {
      case 0x05: return palette.color(QPalette::Active, QPalette::Base);
      case 0x08: return palette.color(QPalette::Active, QPalette::Text);
      case 0x0D: return palette.color(QPalette::Active, QPalette::Highlight);
      case 0x0E: return palette.color(QPalette::Active, QPalette::HighlightedText);
      case 0x0F: return palette.color(QPalette::Active, QPalette::Button);
      case 0x18: return palette.color(QPalette::Active, QPalette::ToolTipBase);
      default: return palette.color(QPalette::Active, QPalette::WindowText);
    }
  }
  return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

TColor ColorToRGB(TColor color, const QPalette& palette) {
  const QColor c = ColorToQColor(color, palette);
  return c.isValid() ? RGBColor(c.red(), c.green(), c.blue()) : color;
}

void SynDrawGradient(QPainter& painter, TColor startColor, TColor endColor, int steps, const QRect& rect,
                     bool horizontal) {
  steps = std::clamp(steps, 2, 256);
  const QPalette palette = QGuiApplication::palette();
  const TColor s = ColorToRGB(startColor, palette);
  const TColor e = ColorToRGB(endColor, palette);
  const int size = horizontal ? rect.width() : rect.height();
  auto channel = [&](int from, int to, int i) { return from + i * (to - from) / (steps - 1); };
  for (int i = 0; i < steps; ++i) {
    const int a = i * size / steps;
    const int b = (i + 1) * size / steps;
    if (b <= a) continue;
    const QColor c(channel(GetRValue(s), GetRValue(e), i), channel(GetGValue(s), GetGValue(e), i),
                   channel(GetBValue(s), GetBValue(e), i));
    if (horizontal)
      painter.fillRect(QRect(rect.left() + a, rect.top(), b - a, rect.height()), c);
    else
      painter.fillRect(QRect(rect.left(), rect.top() + a, rect.width(), b - a), c);
  }
}

// ---- selection colours ----

void TSynSelectedColor::Changed() {
  if (OnChange) OnChange(this);
}

void TSynSelectedColor::SetBackground(TColor value) {
  if (background_ == value) return;
  background_ = value;
  Changed();
}

void TSynSelectedColor::SetForeground(TColor value) {
  if (foreground_ == value) return;
  foreground_ = value;
  Changed();
}

void TSynSelectedColor::Assign(const TSynSelectedColor& source) {
  background_ = source.background_;
  foreground_ = source.foreground_;
  Changed();
}

// ---- gutter ----

TSynGutter::TSynGutter() : font_(QStringLiteral("Courier New")) {
  font_.setPointSize(8);
  font_.setStyleHint(QFont::TypeWriter);
}

void TSynGutter::Changed() {
  if (OnChange) OnChange(this);
}

void TSynGutter::SetAutoSize(bool value) { Store(autoSize_, value); }
void TSynGutter::SetBorderStyle(TSynGutterBorderStyle value) { Store(borderStyle_, value); }
void TSynGutter::SetColor(TColor value) { Store(color_, value); }
void TSynGutter::SetBorderColor(TColor value) { Store(borderColor_, value); }
void TSynGutter::SetFontColor(TColor value) { Store(fontColor_, value); }
void TSynGutter::SetLeadingZeros(bool value) { Store(leadingZeros_, value); }
void TSynGutter::SetLeftOffset(int value) { Store(leftOffset_, std::max(0, value)); }
void TSynGutter::SetRightOffset(int value) { Store(rightOffset_, std::max(0, value)); }
void TSynGutter::SetShowLineNumbers(bool value) { Store(showLineNumbers_, value); }
void TSynGutter::SetUseFontStyle(bool value) { Store(useFontStyle_, value); }
void TSynGutter::SetVisible(bool value) { Store(visible_, value); }
void TSynGutter::SetWidth(int value) { Store(width_, std::max(0, value)); }
void TSynGutter::SetZeroStart(bool value) { Store(zeroStart_, value); }
void TSynGutter::SetGradient(bool value) { Store(gradient_, value); }
void TSynGutter::SetGradientStartColor(TColor value) { Store(gradientStartColor_, value); }
void TSynGutter::SetGradientEndColor(TColor value) { Store(gradientEndColor_, value); }
void TSynGutter::SetGradientSteps(int value) { Store(gradientSteps_, std::max(2, value)); }

void TSynGutter::SetDigitCount(int value) {
  value = std::clamp(value, 2, 12);
  if (digitCount_ == value) return;
  digitCount_ = value;
  autoSizeDigitCount_ = value;
  Changed();
}

void TSynGutter::SetFont(const QFont& value) {
  if (font_ == value) return;
  font_ = value;
  Changed();
}

void TSynGutter::SetLineNumberStart(int value) {
  value = std::max(0, value);
  if (lineNumberStart_ == value) return;
  lineNumberStart_ = value;
  zeroStart_ = value == 0;
  Changed();
}

std::u32string TSynGutter::FormatLineNumber(int line) const {
  int number = line;
  if (zeroStart_)
    number = line - 1;
  else if (lineNumberStart_ > 1)
    number = line + lineNumberStart_ - 1;
  std::string digits = std::to_string(number);
  if (static_cast<int>(digits.size()) < autoSizeDigitCount_)
    digits.insert(0, static_cast<std::size_t>(autoSizeDigitCount_) - digits.size(), leadingZeros_ ? '0' : ' ');
  return std::u32string(digits.begin(), digits.end());
}

void TSynGutter::AutoSizeDigitCount(int lineCount) {
  int count = digitCount_;
  if (visible_ && autoSize_ && showLineNumbers_) {
    int last = lineCount;
    if (zeroStart_)
      last = lineCount - 1;
    else if (lineNumberStart_ > 1)
      last = lineCount + lineNumberStart_ - 1;
    count = std::max(static_cast<int>(std::to_string(std::max(0, last)).size()), digitCount_);
  }
  if (count == autoSizeDigitCount_) return;
  autoSizeDigitCount_ = count;
  Changed();
}

int TSynGutter::RealGutterWidth(int charWidth) const {
  if (!visible_) return 0;
  if (showLineNumbers_) return leftOffset_ + rightOffset_ + autoSizeDigitCount_ * charWidth + 2;
  return width_;
}

void TSynGutter::Assign(const TSynGutter& source) {
  const TSynChangeEvent keep = OnChange;
  *this = source;
  OnChange = keep;
  Changed();
}

// ---- bookmark options ----

void TSynBookMarkOpt::Changed() {
  if (OnChange) OnChange(this);
}

void TSynBookMarkOpt::SetBookmarkImages(const TSynImageList* value) {
  if (bookmarkImages_ == value) return;
  bookmarkImages_ = value;
  Changed();
}

void TSynBookMarkOpt::SetDrawBookmarksFirst(bool value) {
  if (drawBookmarksFirst_ == value) return;
  drawBookmarksFirst_ = value;
  Changed();
}

void TSynBookMarkOpt::SetGlyphsVisible(bool value) {
  if (glyphsVisible_ == value) return;
  glyphsVisible_ = value;
  Changed();
}

void TSynBookMarkOpt::SetLeftMargin(int value) {
  if (leftMargin_ == value) return;
  leftMargin_ = value;
  Changed();
}

void TSynBookMarkOpt::SetXoffset(int value) {
  if (xoffset_ == value) return;
  xoffset_ = value;
  Changed();
}

void TSynBookMarkOpt::Assign(const TSynBookMarkOpt& source) {
  bookmarkImages_ = source.bookmarkImages_;
  drawBookmarksFirst_ = source.drawBookmarksFirst_;
  enableKeys_ = source.enableKeys_;
  glyphsVisible_ = source.glyphsVisible_;
  leftMargin_ = source.leftMargin_;
  xoffset_ = source.xoffset_;
  Changed();
}

// ---- built-in pictures ----

namespace {

// The strip of bookmark pictures: a small tab with its number on it, for 0 to 9.
QPixmap MakeBookmarkStrip() {
  constexpr int w = 11, h = 14;
  QImage img(w * 10, h, QImage::Format_RGB32);
  img.fill(QColor(0, 255, 0));  // the mask colour (clLime)
  QPainter p(&img);
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(9);
  f.setBold(true);
  p.setFont(f);
  for (int i = 0; i < 10; ++i) {
    const QRect r(i * w, 0, w - 1, h - 1);
    p.fillRect(r, QColor(0, 0, 128));
    p.setPen(QColor(255, 255, 255));
    p.drawText(r, Qt::AlignCenter, QString::number(i));
  }
  p.end();
  return QPixmap::fromImage(img);
}

// The word-wrap mark: an arrow that bends back to the left.
QPixmap MakeWrappedGlyph() {
  QImage img(9, 9, QImage::Format_RGB32);
  img.fill(QColor(0, 255, 0));
  QPainter p(&img);
  p.setPen(QColor(0, 0, 0));
  p.drawLine(7, 0, 7, 5);
  p.drawLine(7, 5, 1, 5);
  p.drawLine(1, 5, 3, 3);
  p.drawLine(1, 5, 3, 7);
  p.end();
  return QPixmap::fromImage(img);
}

QPixmap LoadResource(const std::string& upperName) {
  if (upperName == "SRCEDITINTERNALIMAGES") return MakeBookmarkStrip();
  if (upperName == "SRCEDITWRAPPED") return MakeWrappedGlyph();
  return QPixmap();
}

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

struct TInternalResource {
  int UseCount = 0;
  QPixmap Bitmap;
};

std::map<std::string, std::unique_ptr<TInternalResource>>& Resources() {
  static std::map<std::string, std::unique_ptr<TInternalResource>> list;
  return list;
}

QPixmap Masked(const QPixmap& pixmap, TColor maskColor) {
  if (pixmap.isNull() || maskColor == clNone) return pixmap;
  QPixmap copy = pixmap;
  const QColor mask(GetRValue(maskColor), GetGValue(maskColor), GetBValue(maskColor));
  copy.setMask(pixmap.createMaskFromColor(mask, Qt::MaskInColor));
  return copy;
}

// Centred in the line when lower than it, its middle rows when taller.
void DrawInLine(QPainter& painter, const QPixmap& pixmap, const QRect& source, int x, int y, int lineHeight) {
  if (source.height() > lineHeight) {
    const QRect middle(source.left(), source.top() + (source.height() - lineHeight) / 2, source.width(), lineHeight);
    painter.drawPixmap(QPoint(x, y), pixmap, middle);
  } else {
    painter.drawPixmap(QPoint(x, y + (lineHeight - source.height()) / 2), pixmap, source);
  }
}

}  // namespace

TSynGlyph::TSynGlyph(const std::string& resourceName, TColor resourceMaskColor) {
  internalGlyph_ = LoadResource(Upper(resourceName));
  internalMaskColor_ = internalGlyph_.isNull() ? clNone : resourceMaskColor;
}

void TSynGlyph::Changed() {
  if (OnChange) OnChange(this);
}

void TSynGlyph::SetGlyph(const QPixmap& value) {
  glyph_ = value;
  Changed();
}

void TSynGlyph::SetMaskColor(TColor value) {
  if (maskColor_ == value) return;
  maskColor_ = value;
  Changed();
}

void TSynGlyph::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  Changed();
}

int TSynGlyph::Width() const { return glyph_.isNull() ? internalGlyph_.width() : glyph_.width(); }
int TSynGlyph::Height() const { return glyph_.isNull() ? internalGlyph_.height() : glyph_.height(); }

void TSynGlyph::Draw(QPainter& painter, int x, int y, int lineHeight) const {
  const QPixmap picture = glyph_.isNull() ? Masked(internalGlyph_, internalMaskColor_) : Masked(glyph_, maskColor_);
  if (picture.isNull()) return;
  DrawInLine(painter, picture, picture.rect(), x, y, lineHeight);
}

void TSynGlyph::Assign(const TSynGlyph& source) {
  glyph_ = source.glyph_;
  maskColor_ = source.maskColor_;
  visible_ = source.visible_;
  Changed();
}

TSynInternalImage::TSynInternalImage(const std::string& name, int count) : key_(Upper(name)), count_(count) {
  auto& list = Resources();
  auto& entry = list[key_];
  if (!entry) {
    entry = std::make_unique<TInternalResource>();
    entry->Bitmap = Masked(LoadResource(key_), clLime);
  }
  ++entry->UseCount;
  bitmap_ = &entry->Bitmap;
  if (count_ > 0 && !bitmap_->isNull()) {
    width_ = (bitmap_->width() + count_ / 2) / count_;
    height_ = bitmap_->height();
  }
}

TSynInternalImage::~TSynInternalImage() {
  auto& list = Resources();
  const auto it = list.find(key_);
  if (it == list.end()) return;
  if (--it->second->UseCount <= 0) list.erase(it);
}

int TSynInternalImage::UseCount(const std::string& name) {
  const auto& list = Resources();
  const auto it = list.find(Upper(name));
  return it == list.end() ? 0 : it->second->UseCount;
}

void TSynInternalImage::Draw(QPainter& painter, int number, int x, int y, int lineHeight) const {
  if (number < 0 || number >= count_ || bitmap_->isNull()) return;
  DrawInLine(painter, *bitmap_, QRect(number * width_, 0, width_, height_), x, y, lineHeight);
}

}  // namespace qx
