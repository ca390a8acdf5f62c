#include "controls/RAButtons.h"

#include <QMouseEvent>
#include <QPainter>

#include "controls/Edges.h"
#include "controls/Guarded.h"
#include "controls/ToolkitColors.h"

namespace qx {

QBrush HeldDitherBrush() {
  QImage dither(8, 8, QImage::Format_RGB32);
  const QRgb face = ToQColor(clBtnFace).rgb(), highlight = ToQColor(clBtnHighlight).rgb();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) dither.setPixel(x, y, (x + y) % 2 == 0 ? face : highlight);
  return QBrush(dither);
}

// ---- TRAButtonFace ----

QColor TRAButtonFace::FaceColor() const {
  if (!parentColor_) return ToQColor(color_);
  const QWidget* parent = self_->parentWidget();
  return parent ? parent->palette().color(parent->backgroundRole()) : ToQColor(clBtnFace);
}

void TRAButtonFace::SetColor(TColor color) {
  color_ = color;
  parentColor_ = false;
  self_->update();
}

void TRAButtonFace::SetParentColor(bool value) {
  parentColor_ = value;
  self_->update();
}

void TRAButtonFace::SetFontColor(TColor color) {
  QPalette pal = self_->palette();
  pal.setColor(QPalette::ButtonText, ToQColor(color));
  pal.setColor(QPalette::WindowText, ToQColor(color));
  self_->setPalette(pal);
}

void TRAButtonFace::SetGlyph(const QPixmap& glyph) {
  glyph_->SetGlyph(glyph);
  self_->update();
}
void TRAButtonFace::SetNumGlyphs(int n) {
  glyph_->SetNumGlyphs(n);
  self_->update();
}
void TRAButtonFace::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  self_->update();
}
void TRAButtonFace::SetMargin(int margin) {
  margin_ = margin;
  self_->update();
}
void TRAButtonFace::SetSpacing(int spacing) {
  spacing_ = spacing;
  self_->update();
}

// ---- TRAColorButton ----

TRAColorButton::TRAColorButton(QWidget* owner) : TRAColorButton(owner, std::make_unique<TRAButtonGlyph>()) {}

TRAColorButton::TRAColorButton(QWidget* owner, std::unique_ptr<TRAButtonGlyph> glyph)
    : QPushButton(owner), TRAButtonFace(this, std::move(glyph)) {
  resize(75, 25);
}


// The handlers a user installs (OnPaint, the click's slots) run inside these events.
bool TRAColorButton::event(QEvent* event) {
  return Guarded([&] { return QPushButton::event(event); }, true);
}

bool TRANoFrameButton::event(QEvent* event) {
  return Guarded([&] { return QAbstractButton::event(event); }, true);
}

void TRAColorButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  canvas_ = &p;
  const bool pressed = isDown();
  const TButtonState state = !isEnabled() ? bsDisabled : pressed ? bsDown : bsUp;
  const bool focused = hasFocus();
  if (OnPaint) {
    OnPaint(this, pressed, state, focused);
    canvas_ = nullptr;
    return;
  }
  // The button that Enter would press: the focused one, or the default one.
  const bool isDefaultNow = focused || isDefault();
  QRect r = rect();
  if (isDefaultNow) {
    p.setPen(ToQColor(clWindowFrame));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
  }
  const QColor face = FaceColor();
  if (pressed) {
    p.setPen(ToQColor(clBtnShadow));
    p.setBrush(face);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
  } else {
    Frame3D(p, r, ToQColor(clBtnHighlight), ToQColor(cl3DDkShadow));
    Frame3D(p, r.adjusted(1, 1, -1, -1), ToQColor(cl3DLight), ToQColor(clBtnShadow));
    r.adjust(2, 2, -2, -2);
    p.fillRect(r, face);
  }
  p.setFont(font());
  p.setPen(palette().color(QPalette::ButtonText));
  p.setBrush(Qt::NoBrush);
  glyph_->Draw(p, r, pressed, text(), layout_, margin_, spacing_, state);
  if (isDefaultNow && focused) {
    QPen dots(palette().color(QPalette::ButtonText));
    dots.setStyle(Qt::DotLine);
    p.setPen(dots);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(4, 4, -5, -5));
  }
  canvas_ = nullptr;
}

TRAhtButton::TRAhtButton(QWidget* owner) : TRAColorButton(owner, std::make_unique<TRAhtButtonGlyph>()) {}

// ---- TRANoFrameButton ----

TRANoFrameButton::TRANoFrameButton(QWidget* owner)
    : QAbstractButton(owner), TRAButtonFace(this, std::make_unique<TRAButtonGlyph>()) {
  // Speed buttons never take the focus from the control being worked on.
  setFocusPolicy(Qt::NoFocus);
  resize(23, 22);
}

void TRANoFrameButton::SetNoBorder(bool value) {
  noBorder_ = value;
  update();
}

void TRANoFrameButton::SetFlat(bool value) {
  flat_ = value;
  update();
}


// Down only means something in a group; the last button of a group stays down unless
// AllowAllUp.
void TRANoFrameButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = value;
  if (down_) {
    if (state_ != bsDisabled) state_ = bsExclusive;
    ReleaseGroup();
  } else if (state_ != bsDisabled) {
    state_ = bsUp;
  }
  update();
}

void TRANoFrameButton::ReleaseGroup() {
  if (!parentWidget() || groupIndex_ == 0) return;
  for (QObject* child : parentWidget()->children()) {
    auto* other = dynamic_cast<TRANoFrameButton*>(child);
    if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
      other->down_ = false;
      if (other->state_ != bsDisabled) other->state_ = bsUp;
      other->update();
    }
  }
}

void TRANoFrameButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  if (!down_) {
    state_ = bsDown;
    repaint();
  }
}

void TRANoFrameButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  const bool inside = rect().contains(event->position().toPoint());
  if (groupIndex_ == 0) {
    state_ = bsUp;
    repaint();
  } else if (inside) {
    SetDown(!down_);
  } else {
    state_ = down_ ? bsExclusive : bsUp;
    update();
  }
  if (inside) emit clicked();
}

void TRANoFrameButton::changeEvent(QEvent* event) {
  QAbstractButton::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) update();
}

void TRANoFrameButton::enterEvent(QEnterEvent* event) {
  QAbstractButton::enterEvent(event);
  mouseInside_ = true;
  if (flat_) update();
}

void TRANoFrameButton::leaveEvent(QEvent* event) {
  QAbstractButton::leaveEvent(event);
  mouseInside_ = false;
  if (flat_) update();
}

void TRANoFrameButton::paintEvent(QPaintEvent* /*event*/) {
  if (!isEnabled())
    state_ = bsDisabled;
  else if (state_ == bsDisabled)
    state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
  QPainter p(this);
  canvas_ = &p;
  const bool down = state_ == bsDown || state_ == bsExclusive;
  if (OnPaint) {
    OnPaint(this, down, state_, hasFocus());
    canvas_ = nullptr;
    return;
  }
  QRect r = rect();
  if (flat_ && !noBorder_) {
    // The flat speed button: an edge only under the mouse or when down.
    if (down)
      Frame3D(p, r, ToQColor(clBtnShadow), ToQColor(clBtnHighlight));
    else if (mouseInside_ && isEnabled())
      Frame3D(p, r, ToQColor(clBtnHighlight), ToQColor(clBtnShadow));
    r.adjust(1, 1, -1, -1);
    if (state_ == bsExclusive) p.fillRect(r, HeldDitherBrush());
  } else {
    if (!noBorder_) {
      if (down)
        Frame3D(p, r, ToQColor(clBtnShadow), ToQColor(clBtnHighlight));
      else
        Frame3D(p, r, ToQColor(clBtnHighlight), ToQColor(clBtnShadow));
      r.adjust(1, 1, -1, -1);
    }
    p.fillRect(r, FaceColor());
    r.adjust(1, 1, -1, -1);
    if (state_ == bsExclusive) p.fillRect(r, HeldDitherBrush());
  }
  p.setFont(font());
  p.setPen(palette().color(QPalette::ButtonText));
  p.setBrush(Qt::NoBrush);
  glyph_->Draw(p, r, down, text(), layout_, margin_, spacing_, state_);
  canvas_ = nullptr;
}

}  // namespace qx
