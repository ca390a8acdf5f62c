#include "controls/ButtonGlyph.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <map>

#include "controls/RAHtControls.h"
#include "controls/ToolkitColors.h"

namespace qx {

// ---- TGlyphList ----

int TGlyphList::Add(const QPixmap& image) {
  const QPixmap sized = image.size() == QSize(width_, height_)
                            ? image
                            : image.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  const auto free = std::find(used_.begin(), used_.end(), false);
  const auto index = static_cast<std::size_t>(free - used_.begin());
  if (free == used_.end()) {
    images_.push_back(sized);
    used_.push_back(true);
  } else {
    images_[index] = sized;
    used_[index] = true;
  }
  return static_cast<int>(index);
}

void TGlyphList::Delete(int index) {
  if (index < 0 || index >= static_cast<int>(used_.size())) return;
  used_[std::size_t(index)] = false;
  images_[std::size_t(index)] = QPixmap();
}

int TGlyphList::Count() const { return static_cast<int>(std::count(used_.begin(), used_.end(), true)); }

void TGlyphList::Draw(QPainter& canvas, int index, int x, int y) const {
  if (index < 0 || index >= static_cast<int>(used_.size()) || !used_[std::size_t(index)]) return;
  canvas.drawPixmap(x, y, images_[std::size_t(index)]);
}

namespace {
std::map<std::pair<int, int>, std::unique_ptr<TGlyphList>>& GlyphCache() {
  static std::map<std::pair<int, int>, std::unique_ptr<TGlyphList>> cache;
  return cache;
}
}  // namespace

TGlyphList* TGlyphList::GetList(int width, int height) {
  auto& slot = GlyphCache()[{width, height}];
  if (!slot) slot = std::make_unique<TGlyphList>(width, height);
  return slot.get();
}

void TGlyphList::ReturnList(TGlyphList* list) {
  if (!list || list->Count() > 0) return;
  GlyphCache().erase({list->width_, list->height_});
}

int TGlyphList::SharedLists() { return static_cast<int>(GlyphCache().size()); }

// ---- Layout ----

TButtonPlacement CalcButtonLayout(const QRect& client, bool down, QSize glyphSize, QSize textSize,
                                  TButtonLayout layout, int margin, int spacing) {
  if (glyphSize.width() == 0 || textSize.width() == 0) spacing = 0;
  const bool across = layout == blGlyphLeft || layout == blGlyphRight;
  // Extents along the layout direction and across it.
  const int clientAlong = across ? client.width() : client.height();
  const int clientAcross = across ? client.height() : client.width();
  const int glyphAlong = across ? glyphSize.width() : glyphSize.height();
  const int glyphAcross = across ? glyphSize.height() : glyphSize.width();
  const int textAlong = across ? textSize.width() : textSize.height();
  const int textAcross = across ? textSize.height() : textSize.width();

  const int glyphOff = (clientAcross - glyphAcross + 1) / 2;
  const int textOff = (clientAcross - textAcross + 1) / 2;
  if (margin == -1) {
    if (spacing == -1)
      margin = spacing = (clientAlong - (glyphAlong + textAlong)) / 3;
    else
      margin = (clientAlong - (glyphAlong + spacing + textAlong) + 1) / 2;
  } else if (spacing == -1) {
    spacing = (clientAlong - margin - glyphAlong - textAlong) / 2;
  }
  int glyphAt, textAt;
  if (layout == blGlyphLeft || layout == blGlyphTop) {
    glyphAt = margin;
    textAt = glyphAt + glyphAlong + spacing;
  } else {
    glyphAt = clientAlong - margin - glyphAlong;
    textAt = glyphAt - spacing - textAlong;
  }
  QPoint glyph = across ? QPoint(glyphAt, glyphOff) : QPoint(glyphOff, glyphAt);
  QPoint text = across ? QPoint(textAt, textOff) : QPoint(textOff, textAt);
  const QPoint shift = client.topLeft() + (down ? QPoint(1, 1) : QPoint(0, 0));
  return {glyph + shift, QRect(text + shift, textSize)};
}

// ---- Glyph images ----

QPixmap EmbossedGlyph(const QPixmap& glyph) {
  const QImage source = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
  QImage out(source.width() + 1, source.height() + 1, QImage::Format_ARGB32);
  out.fill(Qt::transparent);
  const QRgb highlight = ToQColor(clBtnHighlight).rgb();
  const QRgb shadow = ToQColor(clBtnShadow).rgb();
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x)
      if (qAlpha(source.pixel(x, y)) >= 128) out.setPixel(x + 1, y + 1, highlight);
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x)
      if (qAlpha(source.pixel(x, y)) >= 128) out.setPixel(x, y, shadow);
  return QPixmap::fromImage(out.copy(0, 0, source.width(), source.height()));
}

namespace {
// A picture without an alpha channel is transparent where it has the colour of its
// bottom-left pixel, as the toolkit's glyphs are.
QPixmap WithTransparency(const QPixmap& picture) {
  if (picture.isNull() || picture.hasAlphaChannel()) return picture;
  QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
  const QRgb key = image.pixel(0, image.height() - 1);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == key) image.setPixel(x, y, qRgba(0, 0, 0, 0));
  return QPixmap::fromImage(image);
}
}  // namespace

TRAButtonGlyph::~TRAButtonGlyph() { Invalidate(); }

void TRAButtonGlyph::Invalidate() {
  if (!list_) return;
  for (int& index : indexes_) {
    list_->Delete(index);
    index = -1;
  }
  TGlyphList::ReturnList(list_);
  list_ = nullptr;
}

void TRAButtonGlyph::SetGlyph(const QPixmap& glyph) {
  Invalidate();
  glyph_ = WithTransparency(glyph);
  // A strip of square images says how many it holds, as the toolkit guesses.
  if (!glyph_.isNull() && glyph_.height() > 0 && glyph_.width() % glyph_.height() == 0) {
    const int n = glyph_.width() / glyph_.height();
    if (n >= 1 && n <= 4) numGlyphs_ = n;
  }
}

void TRAButtonGlyph::SetNumGlyphs(int n) {
  if (n < 1 || n > 4 || n == numGlyphs_) return;
  Invalidate();
  numGlyphs_ = n;
}

QSize TRAButtonGlyph::GlyphSize() const {
  if (glyph_.isNull()) return {0, 0};
  return {glyph_.width() / numGlyphs_, glyph_.height()};
}

int TRAButtonGlyph::ImageIndex(TButtonState state) {
  if (glyph_.isNull()) return -1;
  const QSize size = GlyphSize();
  if (size.isEmpty()) return -1;
  int& index = indexes_[state];
  if (index >= 0) return index;
  if (!list_) list_ = TGlyphList::GetList(size.width(), size.height());
  // The image of the state when the strip holds it, else one made from the first.
  int slice = state;
  if (slice >= numGlyphs_) slice = state == bsExclusive && numGlyphs_ > bsDown ? bsDown : 0;
  QPixmap image = glyph_.copy(slice * size.width(), 0, size.width(), size.height());
  if (state == bsDisabled && numGlyphs_ == 1) image = EmbossedGlyph(image);
  index = list_->Add(image);
  return index;
}

QRect TRAButtonGlyph::Draw(QPainter& canvas, const QRect& client, bool down, const QString& caption,
                           TButtonLayout layout, int margin, int spacing, TButtonState state) {
  const QSize textSize = caption.isEmpty() ? QSize(0, 0) : CalcButtonTextSize(canvas, caption, client);
  const TButtonPlacement place = CalcButtonLayout(client, down, GlyphSize(), textSize, layout, margin, spacing);
  const int index = ImageIndex(state);
  if (index >= 0) list_->Draw(canvas, index, place.GlyphPos.x(), place.GlyphPos.y());
  if (!caption.isEmpty()) DrawButtonText(canvas, caption, place.TextBounds, state);
  return place.TextBounds;
}

QSize TRAButtonGlyph::CalcButtonTextSize(QPainter& canvas, const QString& caption, const QRect& client) {
  const QRect r = canvas.fontMetrics().boundingRect(client, Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
  return r.size();
}

void TRAButtonGlyph::DrawButtonText(QPainter& canvas, const QString& caption, const QRect& textBounds,
                                    TButtonState state) {
  const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
  canvas.save();
  if (state == bsDisabled) {
    canvas.setPen(ToQColor(clBtnHighlight));
    canvas.drawText(textBounds.translated(1, 1), flags, caption);
    canvas.setPen(ToQColor(clBtnShadow));
  }
  canvas.drawText(textBounds, flags, caption);
  canvas.restore();
}

// ---- Mark-up captions ----

QSize TRAhtButtonGlyph::CalcButtonTextSize(QPainter& canvas, const QString& caption, const QRect& client) {
  // Measuring fills its rectangle with the brush: with none, it paints nothing.
  canvas.save();
  canvas.setBrush(Qt::NoBrush);
  const int width = MeasureMarkup(canvas, client, 0, false, caption);
  canvas.restore();
  return {width, canvas.fontMetrics().height()};
}

void TRAhtButtonGlyph::DrawButtonText(QPainter& canvas, const QString& caption, const QRect& textBounds,
                                      TButtonState state) {
  canvas.save();
  canvas.setBrush(Qt::NoBrush);
  // Tag colours apply in every state (the item is never "selected").
  if (state == bsDisabled) {
    canvas.setPen(ToQColor(clBtnHighlight));
    DrawMarkup(canvas, textBounds.translated(1, 1), 0, false, caption);
    canvas.setPen(ToQColor(clBtnShadow));
  }
  DrawMarkup(canvas, textBounds, 0, false, caption);
  canvas.restore();
}

}  // namespace qx
