#include "editor/qt/TextDrawer.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QRect>
#include <algorithm>

namespace qx {

namespace {

QFont StyledFont(const QFont& base, int style) {
  QFont f = base;
  f.setBold((style & fsBold) != 0);
  f.setItalic((style & fsItalic) != 0);
  f.setUnderline((style & fsUnderline) != 0);
  f.setStrikeOut((style & fsStrikeOut) != 0);
  return f;
}

// Two fonts share a record when they differ only in italic, underline and strike-out.
QFont LookupKey(const QFont& font) {
  QFont key = font;
  key.setItalic(false);
  key.setUnderline(false);
  key.setStrikeOut(false);
  return key;
}

int StyleOf(const QFont& font) {
  int style = 0;
  if (font.bold()) style |= fsBold;
  if (font.italic()) style |= fsItalic;
  if (font.underline()) style |= fsUnderline;
  if (font.strikeOut()) style |= fsStrikeOut;
  return style;
}

// The cell of a font: the advance of "M", or the average character width when "M" cannot
// be measured; the height of the font's ascent and descent.
void MeasureFont(TheFontStyleEntry& e) {
  const QFontMetrics fm(e.Font);
  e.CharAdvance = fm.horizontalAdvance(QLatin1Char('M'));
  if (e.CharAdvance <= 0) e.CharAdvance = fm.averageCharWidth();
  if (e.CharAdvance <= 0) e.CharAdvance = 1;
  e.CharHeight = std::max(1, std::abs(fm.height()));
  e.Ascent = fm.ascent();
  e.Raw = QRawFont::fromFont(e.Font);
}

}  // namespace

// ---- the shared records ----

TheFontsInfoManager& TheFontsInfoManager::Instance() {
  static TheFontsInfoManager manager;
  return manager;
}

TheSharedFontsInfo* TheFontsInfoManager::GetFontsInfo(const QFont& font) {
  const QFont key = LookupKey(font);
  const QString keyText = key.key();
  for (const auto& info : infos_)
    if (info->BaseFont.key() == keyText) {
      ++info->RefCount;
      return info.get();
    }
  auto info = std::make_unique<TheSharedFontsInfo>();
  info->RefCount = 1;
  info->BaseFont = key;
  infos_.push_back(std::move(info));
  return infos_.back().get();
}

void TheFontsInfoManager::ReleaseFontsInfo(TheSharedFontsInfo* info) {
  if (!info) return;
  if (info->LockCount >= info->RefCount) throw std::logic_error("Call DeactivateFontsInfo before calling this.");
  if (info->RefCount > 1) {
    --info->RefCount;
    return;
  }
  std::erase_if(infos_, [info](const auto& p) { return p.get() == info; });
}

void TheFontsInfoManager::LockFontsInfo(TheSharedFontsInfo* info) {
  if (info) ++info->LockCount;
}

void TheFontsInfoManager::UnlockFontsInfo(TheSharedFontsInfo* info) {
  if (!info || info->LockCount <= 0) return;
  if (--info->LockCount == 0)
    for (TheFontStyleEntry& e : info->Styles) e = TheFontStyleEntry{};
}

// ---- the stock ----

TheFontStock::TheFontStock(const QFont* baseFont) { SetBaseFont(baseFont); }

TheFontStock::~TheFontStock() {
  ReleaseFontHandles();
  TheFontsInfoManager::Instance().ReleaseFontsInfo(info_);
}

void TheFontStock::SetBaseFont(const QFont* font) {
  if (!font) throw EheFontStockException("SetBaseFont: 'Value' must be specified.");
  TheFontsInfoManager& manager = TheFontsInfoManager::Instance();
  TheSharedFontsInfo* info = manager.GetFontsInfo(*font);
  if (info == info_) {
    manager.ReleaseFontsInfo(info);  // the extra reference
  } else {
    ReleaseFontHandles();
    manager.ReleaseFontsInfo(info_);
    info_ = info;
    entry_ = nullptr;
  }
  SetStyle(StyleOf(*font));
}

void TheFontStock::SetStyle(int style) {
  style_ = style & (kFontStyleCount - 1);
  if (!locked_) {
    TheFontsInfoManager::Instance().LockFontsInfo(info_);
    locked_ = true;
  }
  TheFontStyleEntry& e = info_->Styles[static_cast<std::size_t>(style_)];
  if (!e.Made) {
    e.Font = StyledFont(info_->BaseFont, style_);
    MeasureFont(e);
    e.Made = true;
  }
  entry_ = &e;
}

void TheFontStock::ReleaseFontHandles() {
  if (!locked_) return;
  locked_ = false;
  entry_ = nullptr;
  TheFontsInfoManager::Instance().UnlockFontsInfo(info_);
}

// ---- the drawer ----

TheTextDrawer::TheTextDrawer(TFontStyles baseStyle, const QFont* baseFont) : stock_(baseFont), baseStyle_(baseStyle) {
  SetBaseFont(baseFont);
  foreColor_ = Qt::black;
  backColor_ = Qt::white;
}

TheTextDrawer::~TheTextDrawer() = default;

void TheTextDrawer::SetBaseFont(const QFont* font) {
  if (!font) throw EheTextDrawerException("SetBaseFont: 'Value' must be specified.");
  ReleaseAdvanceArray();
  stock_.SetBaseFont(font);
  stock_.SetStyle(baseStyle_);
  charWidth_ = stock_.CharAdvance();
  charHeight_ = stock_.CharHeight();
  SetStyle(static_cast<TFontStyles>(StyleOf(*font)));
}

void TheTextDrawer::SetBaseStyle(TFontStyles style) {
  if (style == baseStyle_) return;
  baseStyle_ = style;
  ReleaseAdvanceArray();
  stock_.SetStyle(baseStyle_);
  charWidth_ = stock_.CharAdvance();
  charHeight_ = stock_.CharHeight();
}

void TheTextDrawer::SetStyle(TFontStyles style) {
  style_ = style;
  stock_.SetStyle(style);
}

void TheTextDrawer::BeginDrawing(QPainter* painter) {
  ++drawingCount_;
  if (painter_ == painter) return;
  painter_ = painter;
}

void TheTextDrawer::EndDrawing() {
  if (drawingCount_ <= 0) return;
  if (--drawingCount_ == 0) painter_ = nullptr;
}

void TheTextDrawer::TextOut(int x, int y, std::u32string_view text) {
  ExtTextOut(x, y, false, false, QRect(), text);
}

void TheTextDrawer::ExtTextOut(int x, int y, bool opaque, bool clipped, const QRect& rect, std::u32string_view text) {
  if (!painter_) return;
  if (opaque) painter_->fillRect(rect, backColor_);
  if (text.empty()) return;
  const TheFontStyleEntry* e = stock_.Entry();
  if (!e) return;
  const std::size_t n = text.size();
  // Every character advances by exactly one cell.
  if (positions_.size() < n) positions_.resize((n / 64) * 64 + 64);
  utf16_.resize(n);
  glyphs_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const char32_t c = text[i];
    utf16_[i] = (c < 0x10000 && (c < 0xD800 || c > 0xDFFF) && c >= 32) ? QChar(static_cast<char16_t>(c)) : QChar(u' ');
  }
  int numGlyphs = static_cast<int>(n);
  if (!e->Raw.isValid() || !e->Raw.glyphIndexesForChars(utf16_.data(), static_cast<int>(n), glyphs_.data(), &numGlyphs) ||
      numGlyphs != static_cast<int>(n))
    std::fill(glyphs_.begin(), glyphs_.end(), 0u);

  const int cell = CharWidth();
  const int baseline = y + stock_.Entry()->Ascent;
  if (clipped) {
    painter_->save();
    painter_->setClipRect(rect, Qt::IntersectClip);
  }
  painter_->setPen(foreColor_);
  // Characters the font has a glyph for go out in one run; the others (characters of other
  // scripts) are drawn one by one with the platform's font fallback.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const char32_t c = text[i];
    const bool drawable = glyphs_[i] != 0 && c >= 32 && c < 0x10000;
    if (drawable) {
      glyphs_[kept] = glyphs_[i];
      positions_[kept] = QPointF(static_cast<double>(i) * cell, 0);
      ++kept;
    } else if (c > 32 && c != 0x7F) {
      painter_->setFont(e->Font);
      const char32_t cp[1] = {c};
      painter_->drawText(QPointF(x + static_cast<double>(i) * cell, baseline), QString::fromUcs4(cp, 1));
    }
  }
  if (kept > 0) {
    QGlyphRun run;
    run.setRawFont(e->Raw);
    run.setRawData(glyphs_.data(), positions_.data(), static_cast<int>(kept));
    run.setUnderline(e->Font.underline());
    run.setStrikeOut(e->Font.strikeOut());
    painter_->drawGlyphRun(QPointF(x, baseline), run);
  }
  if (clipped) painter_->restore();
}

void TheTextDrawer::ReleaseTemporaryResources() { stock_.ReleaseFontHandles(); }

}  // namespace qx
