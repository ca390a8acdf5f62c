#include "controls/RAScrollMax.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/Edges.h"
#include "controls/Guarded.h"
#include "controls/ToolkitColors.h"

namespace qx {

namespace {

void Line(QPainter& p, const QColor& c, int x1, int y1, int x2, int y2) {
  p.setPen(c);
  p.drawLine(x1, y1, x2, y2);
}

QRect Bevel(QPainter& p, const QRect& r, TPanelBevel bevel, int width) {
  switch (bevel) {
    case bvRaised: return Frame3D(p, r, ToQColor(clBtnHighlight), ToQColor(clBtnShadow), width);
    case bvLowered: return Frame3D(p, r, ToQColor(clBtnShadow), ToQColor(clBtnHighlight), width);
    case bvSpace: return r.adjusted(width, width, -width, -width);
    case bvNone: break;
  }
  return r;
}

// The header glyphs: a minus while the band is open, a plus while it is closed.
QPixmap SignGlyph(bool plus) {
  QImage sign(9, 9, QImage::Format_ARGB32);
  sign.fill(Qt::transparent);
  const QRgb ink = ToQColor(clBtnText).rgb();
  for (int i = 1; i <= 7; ++i) {
    sign.setPixel(i, 4, ink);
    if (plus) sign.setPixel(4, i, ink);
  }
  return QPixmap::fromImage(sign);
}

}  // namespace

// ---- TScroller and TRAScrollBar ----

TScroller::TScroller(TRAScrollBar* bar) : QFrame(bar), bar_(bar) {}

void TScroller::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(clBtnFace));
  Frame3D(p, rect(), ToQColor(clBtnHighlight), ToQColor(clBtnShadow), 1);
}

void TScroller::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  dragStartY_ = qRound(event->globalPosition().y());
  dragStartPos_ = bar_->Position();
}

void TScroller::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const int dy = qRound(event->globalPosition().y()) - dragStartY_;
  Guarded([&] { bar_->ScrollTo(bar_->DraggedPosition(dragStartPos_, dy)); });
}

void TScroller::mouseReleaseEvent(QMouseEvent* /*event*/) { dragging_ = false; }

TRAScrollBar::TRAScrollBar(QWidget* owner) : QFrame(owner), scroller_(new TScroller(this)) {
  resize(20, 100);
  ClampAndPlace();
}

int TRAScrollBar::LastPosition() const { return std::max(min_, inclusive_ ? max_ - page_ : max_); }

int TRAScrollBar::TrackLength() const { return std::max(0, height() - 2); }

int TRAScrollBar::ThumbLength() const {
  const int track = TrackLength();
  const long long span = static_cast<long long>(max_) - min_ + 1;
  long long len = span > 0 ? static_cast<long long>(track) * page_ / span + 1 : track;
  len = std::max<long long>(len, 7);
  return static_cast<int>(std::min<long long>(len, track));
}

int TRAScrollBar::ThumbTop() const {
  const int last = LastPosition();
  if (last <= min_) return 0;
  return static_cast<int>(static_cast<long long>(TrackLength() - ThumbLength()) * (position_ - min_) / (last - min_));
}

int TRAScrollBar::DraggedPosition(int startPos, int dy) const {
  const int track = TrackLength();
  if (track <= 0) return startPos;
  return startPos + static_cast<int>(static_cast<long long>(max_ - min_) * dy / track);
}

void TRAScrollBar::ClampAndPlace() {
  page_ = std::clamp(page_, 0, std::max(0, max_ - min_ + 1));
  position_ = std::clamp(position_, min_, LastPosition());
  scroller_->setGeometry(1, 1 + ThumbTop(), std::max(0, width() - 2), ThumbLength());
}

void TRAScrollBar::SetMin(int value) {
  min_ = value;
  if (max_ < min_) max_ = min_;
  ClampAndPlace();
}

void TRAScrollBar::SetMax(int value) {
  max_ = std::max(value, min_);
  ClampAndPlace();
}

void TRAScrollBar::SetPage(int value) {
  page_ = value;
  ClampAndPlace();
}

void TRAScrollBar::SetInclusive(bool value) {
  inclusive_ = value;
  ClampAndPlace();
}

void TRAScrollBar::SetParams(int min, int max, int page, int position) {
  min_ = min;
  max_ = std::max(max, min);
  page_ = page;
  position_ = position;
  ClampAndPlace();
}

void TRAScrollBar::SetPosition(int value) {
  const int old = position_;
  position_ = value;
  ClampAndPlace();
  if (position_ != old && OnChange) OnChange(this);
}

void TRAScrollBar::ScrollTo(int position) {
  const int old = position_;
  SetPosition(position);
  if (position_ != old && OnScroll) OnScroll(this);
}

void TRAScrollBar::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(clAppWorkSpace));
  Frame3D(p, rect(), ToQColor(clBtnShadow), ToQColor(clBtnHighlight), 1);
}

void TRAScrollBar::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  ClampAndPlace();
}

// ---- TBandBtn ----

TBandBtn::TBandBtn(TRAScrollMaxBand* band) : TRANoFrameButton(band), band_(band) {
  SetNoBorder(false);
  SetMargin(4);
  SetSpacing(-1);
  setCursor(Qt::ArrowCursor);
  move(4, 2);
  QObject::connect(this, &QAbstractButton::clicked, this, [this] { Guarded([this] { band_->HeaderClick(); }); });
}

void TBandBtn::changeEvent(QEvent* event) {
  TRANoFrameButton::changeEvent(event);
  if (event->type() == QEvent::FontChange) Guarded([this] { band_->ButtonFontChanged(); });
}

// ---- TRAScrollMaxBand ----

TRAScrollMaxBand::TRAScrollMaxBand(QWidget* parent) : QWidget(nullptr), button_(new TBandBtn(this)) {
  resize(100, 50);
  button_->SetGlyph(SignGlyph(false));
  inheriting_ = true;
  button_->setFont(QFont(QStringLiteral("Small Fonts"), 7));
  inheriting_ = false;
  lastSetHeight_ = expandedHeight_;
  if (parent) SetParent(parent);
}

TRAScrollMaxBand::~TRAScrollMaxBand() {
  if (container_) container_->Remove(this);
}

void TRAScrollMaxBand::SetParent(QWidget* parent) {
  TRAScrollMaxBands* target = nullptr;
  if (auto* palette = dynamic_cast<TRAScrollMax*>(parent))
    target = palette->BandsContainer();
  else if (auto* bands = dynamic_cast<TRAScrollMaxBands*>(parent))
    target = bands;
  else if (parent)
    throw ERAScrollMaxError("TRAScrollMaxBand can be putted only into TRAScrollMax component");
  if (target == container_) return;
  if (container_) container_->Remove(this);
  if (target)
    target->InsertControl(this);
  else
    QWidget::setParent(nullptr);
}

TRAScrollMax* TRAScrollMaxBand::ScrollMax() const { return container_ ? container_->owner_ : nullptr; }

QString TRAScrollMaxBand::Caption() const { return button_->text(); }

void TRAScrollMaxBand::SetCaption(const QString& caption) { button_->setText(caption); }

int TRAScrollMaxBand::CollapsedHeight() const { return button_->y() + button_->height() + button_->y(); }

void TRAScrollMaxBand::ApplyHeight() {
  const int h = expanded_ ? expandedHeight_ : CollapsedHeight();
  lastSetHeight_ = h;
  if (h != height()) resize(width(), h);
  UpdateMargins();
}

void TRAScrollMaxBand::SetExpandedQuietly(bool value) {
  expanded_ = value;
  button_->SetGlyph(SignGlyph(!expanded_));
  ApplyHeight();
  if (expanded_ ? OnExpand : OnCollapse) (expanded_ ? OnExpand : OnCollapse)(this);
}

void TRAScrollMaxBand::SetExpanded(bool value) {
  if (value == expanded_) return;
  SetExpandedQuietly(value);
  if (container_) {
    container_->Realign(this, value);
    container_->owner_->ApplyAutoHeight();
  }
}

void TRAScrollMaxBand::HeaderClick() {
  bool allowed = true;
  if (expanded_) {
    if (OnCanCollapse) OnCanCollapse(this, allowed);
  } else if (OnCanExpand) {
    OnCanExpand(this, allowed);
  }
  if (allowed) SetExpanded(!expanded_);
}

void TRAScrollMaxBand::SetExpandedHeight(int value) {
  expandedHeight_ = value;
  if (!expanded_) return;
  ApplyHeight();
  if (container_) {
    container_->Realign(this);
    container_->owner_->ApplyAutoHeight();
  }
}

int TRAScrollMaxBand::Order() const {
  if (!container_) return -1;
  const auto& bands = container_->bands_;
  return static_cast<int>(std::find(bands.begin(), bands.end(), this) - bands.begin());
}

void TRAScrollMaxBand::SetOrder(int value) {
  if (container_) container_->Move(this, value);
}

void TRAScrollMaxBand::SetButtonVisible(bool value) {
  buttonVisible_ = value;
  parentButtonVisible_ = false;
  button_->setVisible(value);
  UpdateMargins();
  update();
}

void TRAScrollMaxBand::InheritButtonVisible() {
  if (!parentButtonVisible_ || !ScrollMax()) return;
  buttonVisible_ = ScrollMax()->ButtonVisible();
  button_->setVisible(buttonVisible_);
  UpdateMargins();
  update();
}

void TRAScrollMaxBand::SetParentButtonVisible(bool value) {
  parentButtonVisible_ = value;
  InheritButtonVisible();
}

QFont TRAScrollMaxBand::ButtonFont() const { return button_->font(); }

void TRAScrollMaxBand::SetButtonFont(const QFont& font) {
  button_->setFont(font);
  parentButtonFont_ = false;
}

void TRAScrollMaxBand::InheritButtonFont() {
  if (!parentButtonFont_ || !ScrollMax()) return;
  inheriting_ = true;
  button_->setFont(ScrollMax()->ButtonFont());
  inheriting_ = false;
}

void TRAScrollMaxBand::SetParentButtonFont(bool value) {
  parentButtonFont_ = value;
  InheritButtonFont();
}

void TRAScrollMaxBand::ButtonFontChanged() {
  if (!inheriting_) parentButtonFont_ = false;
  button_->resize(button_->width(), QFontMetrics(button_->font()).height() + 4);
  button_->update();
  ApplyHeight();
  if (container_) {
    container_->Realign();
    container_->owner_->ApplyAutoHeight();
  }
}

void TRAScrollMaxBand::SetBeveled(bool value) {
  beveled_ = value;
  parentBeveled_ = false;
  UpdateMargins();
  if (container_) container_->Realign();
  update();
}

void TRAScrollMaxBand::InheritBeveled() {
  if (!parentBeveled_ || !ScrollMax()) return;
  beveled_ = ScrollMax()->Beveled();
  UpdateMargins();
  if (container_) container_->Realign();
  update();
}

void TRAScrollMaxBand::SetParentBeveled(bool value) {
  parentBeveled_ = value;
  InheritBeveled();
}

void TRAScrollMaxBand::SetBorderWidth(int value) {
  borderWidth_ = value;
  UpdateMargins();
  update();
}

QRect TRAScrollMaxBand::ClientRect() const {
  const int inset = borderWidth_ + (beveled_ ? 3 : 0);
  QRect r = rect().adjusted(inset, inset, -inset, -inset);
  if (buttonVisible_) r.setTop(r.top() + button_->height() + (button_->y() > borderWidth_ ? button_->y() : 0));
  return r;
}

void TRAScrollMaxBand::UpdateMargins() {
  const QRect r = ClientRect();
  setContentsMargins(r.left(), r.top(), width() - 1 - r.right(), height() - 1 - r.bottom());
}

void TRAScrollMaxBand::paintEvent(QPaintEvent* /*event*/) {
  if (!beveled_) return;
  QPainter p(this);
  const int top = buttonVisible_ ? button_->y() + button_->height() / 2 : 0;
  const QColor shadow = ToQColor(clBtnShadow), highlight = ToQColor(clBtnHighlight);
  const QRect r(0, top, width(), height() - top);
  if (expanded_) {
    // The etched edge: a sunken line with a raised one inside it.
    Frame3D(p, r, shadow, highlight, 1);
    Frame3D(p, r.adjusted(1, 1, -1, -1), highlight, shadow, 1);
  } else {
    Line(p, shadow, r.left(), r.top(), r.right(), r.top());
    Line(p, highlight, r.left(), r.top() + 1, r.right(), r.top() + 1);
  }
  if (buttonVisible_)
    p.fillRect(button_->x() - 2, top, button_->width() + 4, 2, palette().color(backgroundRole()));
}

void TRAScrollMaxBand::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // A height that the band did not set itself is the user's: it becomes the open height.
  if (expanded_ && event->size().height() != lastSetHeight_ && event->size().height() == height()) {
    expandedHeight_ = height();
    lastSetHeight_ = height();
    if (container_) Guarded([this] { container_->Realign(); });
  }
  UpdateMargins();
  if (OnResize) Guarded([this] { OnResize(this); });
}

void TRAScrollMaxBand::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !ScrollMax()) return;
  dragging_ = true;
  dragY_ = qRound(event->globalPosition().y());
  if (!ScrollMax()->Fits()) setCursor(crRAHandMove);
}

void TRAScrollMaxBand::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton) || !ScrollMax()) return;
  const int y = qRound(event->globalPosition().y());
  const int dy = y - dragY_;
  dragY_ = y;
  Guarded([&] { ScrollMax()->DragBy(dy); });
}

void TRAScrollMaxBand::mouseReleaseEvent(QMouseEvent* /*event*/) {
  if (!dragging_) return;
  dragging_ = false;
  // Back to the cursor of the band's layout: the hand while there is something to drag.
  if (ScrollMax() && !ScrollMax()->Fits())
    setCursor(crRAHand);
  else
    unsetCursor();
}

// ---- TRAScrollMaxBands ----

TRAScrollMaxBands::TRAScrollMaxBands(TRAScrollMax* owner) : QWidget(owner), owner_(owner) {}

TRAScrollMaxBands::~TRAScrollMaxBands() {
  for (TRAScrollMaxBand* band : bands_) band->container_ = nullptr;
}

void TRAScrollMaxBands::InsertControl(QWidget* control) {
  auto* band = dynamic_cast<TRAScrollMaxBand*>(control);
  if (!band) throw ERAScrollMaxError("TRAScrollMax can contains only TRAScrollMaxBand components");
  if (band->container_ == this) return;
  if (band->container_) band->container_->Remove(band);
  band->QWidget::setParent(this);
  band->container_ = this;
  bands_.push_back(band);
  band->InheritButtonFont();
  band->InheritBeveled();
  band->InheritButtonVisible();
  band->ApplyHeight();
  band->show();
  Realign(band);
  owner_->ApplyAutoHeight();
}

void TRAScrollMaxBands::Remove(TRAScrollMaxBand* band) {
  const auto it = std::find(bands_.begin(), bands_.end(), band);
  if (it == bands_.end()) return;
  bands_.erase(it);
  band->container_ = nullptr;
  Realign();
  owner_->ApplyAutoHeight();
}

void TRAScrollMaxBands::Move(TRAScrollMaxBand* band, int order) {
  const auto it = std::find(bands_.begin(), bands_.end(), band);
  if (it == bands_.end()) return;
  bands_.erase(it);
  order = std::clamp(order, 0, static_cast<int>(bands_.size()));
  bands_.insert(bands_.begin() + order, band);
  Realign();
}

int TRAScrollMaxBands::StackedHeight() const {
  int h = 0;
  for (const TRAScrollMaxBand* band : bands_) h += band->height();
  return h;
}

void TRAScrollMaxBands::Realign(TRAScrollMaxBand* aligned, bool justExpanded) {
  if (aligning_) return;
  aligning_ = true;
  if (aligned && aligned->expanded_ && owner_->oneExpanded_)
    for (TRAScrollMaxBand* band : bands_)
      if (band != aligned && band->expanded_) band->SetExpandedQuietly(false);
  const int width = this->width() - (owner_->scrollBarVisible_ ? 3 : 0);
  const int height = this->height();
  const int stacked = StackedHeight();
  int pos = owner_->scrollPos_;
  // A gap under the last band while the first is scrolled away: close it.
  if (stacked - pos < height && pos > 0) pos -= std::min(height - (stacked - pos), pos);
  // The band just opened starts in view and ends below it: scroll until its bottom shows.
  if (aligned && justExpanded && aligned->expanded_) {
    int top = -pos;
    for (TRAScrollMaxBand* band : bands_) {
      if (band == aligned) break;
      top += band->height();
    }
    if (top > 0 && top + aligned->height() > height) pos += top + aligned->height() - height;
  }
  owner_->scrollPos_ = pos;
  int y = -pos;
  for (TRAScrollMaxBand* band : bands_) {
    band->setGeometry(0, y, std::max(0, width), band->height());
    const int left = band->beveled_ ? 16 : 4;
    band->button_->setGeometry(left, band->button_->y(), std::max(0, band->width() - 2 * left),
                               band->button_->height());
    band->UpdateMargins();
    y += band->height();
  }
  owner_->scrollBar_->SetParams(0, stacked, height, pos);
  const bool fits = stacked <= height;
  for (TRAScrollMaxBand* band : bands_) {
    if (band->dragging_) continue;
    if (fits)
      band->unsetCursor();
    else
      band->setCursor(crRAHand);
  }
  aligning_ = false;
}

void TRAScrollMaxBands::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Guarded([this] { Realign(); });
}

// ---- TRAScrollMax ----

TRAScrollMax::TRAScrollMax(QWidget* owner)
    : QFrame(owner),
      bands_(new TRAScrollMaxBands(this)),
      scrollBar_(new TRAScrollBar(this)),
      buttonFont_(QStringLiteral("Small Fonts"), 7) {
  scrollBar_->SetInclusive(true);
  scrollBar_->OnScroll = [this](QObject*) {
    SetScrollPos(scrollBar_->Position());
    if (OnScroll) OnScroll(this);
  };
  resize(250, 150);
  LayoutChildren();
  scrollBar_->SetParams(0, bands_->height(), height(), 0);
  // A control of a band that takes the focus is scrolled into view.
  QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && bands_->isAncestorOf(now)) Guarded([&] { ScrollInView(now); });
  });
}

TRAScrollMax::~TRAScrollMax() {
  QObject::disconnect(qApp, &QApplication::focusChanged, this, nullptr);
  delete bands_;
}

int TRAScrollMax::FrameWidth() const {
  return borderWidth_ + (bevelInner_ != bvNone ? bevelWidth_ : 0) + (bevelOuter_ != bvNone ? bevelWidth_ : 0);
}

QRect TRAScrollMax::ClientRect() const {
  const int fw = FrameWidth();
  return rect().adjusted(fw, fw, -fw, -fw);
}

bool TRAScrollMax::Fits() const { return bands_->StackedHeight() <= bands_->height(); }

void TRAScrollMax::LayoutChildren() {
  const QRect c = ClientRect();
  const int bar = scrollBarVisible_ ? scrollBarWidth_ : 0;
  scrollBar_->setVisible(scrollBarVisible_);
  scrollBar_->setGeometry(c.right() + 1 - bar, c.top(), bar, std::max(0, c.height()));
  bands_->setGeometry(c.left(), c.top(), std::max(0, c.width() - bar), std::max(0, c.height()));
  bands_->Realign();
}

void TRAScrollMax::SetScrollPos(int value) {
  const int last = scrollBar_->Max() - scrollBar_->Min() - scrollBar_->Page();
  scrollPos_ = std::clamp(value, 0, std::max(0, last));
  bands_->Realign();
}

void TRAScrollMax::DragBy(int dy) {
  if (Fits()) return;
  const int last = bands_->StackedHeight() - bands_->height();
  SetScrollPos(std::clamp(scrollPos_ - dy, 0, std::max(0, last)));
}

// The border or the bevels changed: the bands inside and the height follow.
void TRAScrollMax::FrameChanged() {
  LayoutChildren();
  ApplyAutoHeight();
  update();
}

void TRAScrollMax::SetBorderWidth(int value) {
  borderWidth_ = value;
  FrameChanged();
}

void TRAScrollMax::SetBeveled(bool value) {
  beveled_ = value;
  for (TRAScrollMaxBand* band : bands_->Bands()) band->InheritBeveled();
}

void TRAScrollMax::SetButtonFont(const QFont& font) {
  buttonFont_ = font;
  for (TRAScrollMaxBand* band : bands_->Bands()) band->InheritButtonFont();
}

void TRAScrollMax::SetButtonVisible(bool value) {
  buttonVisible_ = value;
  for (TRAScrollMaxBand* band : bands_->Bands()) band->InheritButtonVisible();
}

void TRAScrollMax::SetAutoHeight(bool value) {
  autoHeight_ = value;
  ApplyAutoHeight();
}

void TRAScrollMax::SetExpandedHeight(int value) {
  expandedHeight_ = value;
  ApplyAutoHeight();
}

void TRAScrollMax::SetScrollBarWidth(int value) {
  if (value < 4) return;
  scrollBarWidth_ = value;
  LayoutChildren();
}

void TRAScrollMax::SetScrollBarVisible(bool value) {
  scrollBarVisible_ = value;
  LayoutChildren();
}

void TRAScrollMax::SetOneExpanded(bool value) { oneExpanded_ = value; }

void TRAScrollMax::SetBevelInner(TPanelBevel value) {
  bevelInner_ = value;
  FrameChanged();
}

void TRAScrollMax::SetBevelOuter(TPanelBevel value) {
  bevelOuter_ = value;
  FrameChanged();
}

void TRAScrollMax::SetBevelWidth(int value) {
  bevelWidth_ = value;
  FrameChanged();
}

void TRAScrollMax::ApplyAutoHeight() {
  if (!autoHeight_ || bands_->Bands().empty() || sizing_) return;
  const auto& bands = bands_->Bands();
  const int frame = 2 * FrameWidth();
  const bool anyExpanded = std::any_of(bands.begin(), bands.end(), [](auto* b) { return b->Expanded(); });
  int h;
  if (!anyExpanded) {
    h = bands_->StackedHeight() + frame;
  } else if (expandedHeight_ != -1) {
    h = expandedHeight_;
  } else {
    const auto tallest =
        std::max_element(bands.begin(), bands.end(), [](auto* a, auto* b) { return a->height() < b->height(); });
    h = (*tallest)->height() + frame;
    for (TRAScrollMaxBand* band : bands)
      if (band != *tallest) h += band->CollapsedHeight();
  }
  sizing_ = true;
  lastAutoHeight_ = h;
  resize(width(), h);
  LayoutChildren();
  sizing_ = false;
}

void TRAScrollMax::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  if (sizing_) return;
  Guarded([this, event] {
    const auto& bands = bands_->Bands();
    const bool anyExpanded = std::any_of(bands.begin(), bands.end(), [](auto* b) { return b->Expanded(); });
    // A height the palette did not give itself is the user's: it becomes the open height.
    const bool byUser = event->size().height() != lastAutoHeight_;
    if (autoHeight_ && anyExpanded && expandedHeight_ != -1 && byUser) expandedHeight_ = height();
    LayoutChildren();
    ApplyAutoHeight();
  });
}

void TRAScrollMax::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(backgroundRole()));
  QRect r = Bevel(p, rect(), bevelOuter_, bevelWidth_);
  r.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
  Bevel(p, r, bevelInner_, bevelWidth_);
}

void TRAScrollMax::ScrollInView(QWidget* control) {
  TRAScrollMaxBand* band = nullptr;
  for (QWidget* w = control; w && !band; w = w->parentWidget()) {
    auto* b = dynamic_cast<TRAScrollMaxBand*>(w);
    if (b && b->container_ == bands_) band = b;
  }
  if (!band)
    throw ERAScrollMaxError(QStringLiteral("Control %1 not a child of %2")
                                .arg(control ? control->objectName() : QString(), objectName())
                                .toStdString());
  band->SetExpanded(true);
  const int widen = bevelWidth_ + borderWidth_ + 4;
  const QRect r = QRect(control->mapTo(this, QPoint(0, 0)), control->size()).adjusted(0, -widen, 0, widen);
  const QRect client = ClientRect();
  if (r.top() < client.top())
    SetScrollPos(scrollPos_ - (client.top() - r.top()));
  else if (r.bottom() > client.bottom())
    SetScrollPos(scrollPos_ + std::min(r.bottom() - client.bottom(), r.top() - client.top()));
}

}  // namespace qx
