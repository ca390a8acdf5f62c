// TRAScrollMax: a vertical palette of collapsible bands (the main window's statement
// palette). Each TRAScrollMaxBand has a header button (TBandBtn) with its caption and a
// plus or minus sign, and holds ordinary controls. The bands stack from top to bottom in
// a container (TRAScrollMaxBands); when they do not fit, the content scrolls with a slim
// scroll bar (TRAScrollBar, its thumb a TScroller) or by dragging a band with the mouse.
#pragma once
#include <QFont>
#include <QFrame>
#include <functional>
#include <stdexcept>
#include <vector>

#include "controls/RAButtons.h"

namespace qx {

class ERAScrollMaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Each class names its notify event itself: the editor's TNotifyEvent is another type.
// sender, var can-expand (or can-collapse): clearing it refuses the change.
using TOnCanExpand = std::function<void(QObject* sender, bool& canExpand)>;
using TOnCanCollapse = std::function<void(QObject* sender, bool& canCollapse)>;

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// The open and the grabbing hand shown over bands whose content can be dragged.
inline constexpr Qt::CursorShape crRAHand = Qt::OpenHandCursor;
inline constexpr Qt::CursorShape crRAHandMove = Qt::ClosedHandCursor;

class TRAScrollBar;
class TRAScrollMax;
class TRAScrollMaxBands;
class TRAScrollMaxBand;

// The thumb of TRAScrollBar.
class TScroller : public QFrame {
 public:
  explicit TScroller(TRAScrollBar* bar);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TRAScrollBar* bar_;
  int dragStartY_ = 0;
  int dragStartPos_ = 0;
  bool dragging_ = false;
};

class TRAScrollBar : public QFrame {
 public:
  using TNotifyEvent = std::function<void(QObject* sender)>;
  explicit TRAScrollBar(QWidget* owner = nullptr);

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Page() const { return page_; }
  int Position() const { return position_; }
  bool Inclusive() const { return inclusive_; }
  void SetMin(int value);
  void SetMax(int value);
  // At most Max - Min + 1.
  void SetPage(int value);
  // Kept within Min..Max - Page (Inclusive) or Min..Max; a change raises OnChange.
  void SetPosition(int value);
  void SetInclusive(bool value);
  // Sets all four at once, raising nothing.
  void SetParams(int min, int max, int page, int position);

  TNotifyEvent OnChange;
  TNotifyEvent OnScroll;

  TScroller* Scroller() const { return scroller_; }
  int TrackLength() const;
  int ThumbLength() const;
  int ThumbTop() const;
  // The position a thumb dragged `dy` pixels from `startPos` reaches.
  int DraggedPosition(int startPos, int dy) const;
  // Moves by the user: position, then OnChange and OnScroll.
  void ScrollTo(int position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int LastPosition() const;
  void ClampAndPlace();

  TScroller* scroller_;
  int min_ = 0, max_ = 100, page_ = 10, position_ = 0;
  bool inclusive_ = false;
};

// The header button of a band: a framed no-frame button whose height follows its font.
class TBandBtn : public TRANoFrameButton {
 public:
  explicit TBandBtn(TRAScrollMaxBand* band);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  TRAScrollMaxBand* band_;
};

class TRAScrollMaxBand : public QWidget {
 public:
  using TNotifyEvent = std::function<void(QObject* sender)>;
  // A band lives only in a palette (or its container); any other parent raises
  // "TRAScrollMaxBand can be putted only into TRAScrollMax component".
  explicit TRAScrollMaxBand(QWidget* parent = nullptr);
  ~TRAScrollMaxBand() override;
  void SetParent(QWidget* parent);

  bool Expanded() const { return expanded_; }
  void SetExpanded(bool value);
  QString Caption() const;
  void SetCaption(const QString& caption);
  int ExpandedHeight() const { return expandedHeight_; }
  void SetExpandedHeight(int value);
  // Index among the container's bands; setting it moves the band.
  int Order() const;
  void SetOrder(int value);
  bool ButtonVisible() const { return buttonVisible_; }
  void SetButtonVisible(bool value);
  QFont ButtonFont() const;
  void SetButtonFont(const QFont& font);
  bool Beveled() const { return beveled_; }
  void SetBeveled(bool value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  bool ParentBeveled() const { return parentBeveled_; }
  void SetParentBeveled(bool value);
  bool ParentButtonVisible() const { return parentButtonVisible_; }
  void SetParentButtonVisible(bool value);
  bool ParentButtonFont() const { return parentButtonFont_; }
  void SetParentButtonFont(bool value);

  TNotifyEvent OnResize;
  TNotifyEvent OnExpand;
  TNotifyEvent OnCollapse;
  TOnCanExpand OnCanExpand;
  TOnCanCollapse OnCanCollapse;

  TBandBtn* Button() const { return button_; }
  TRAScrollMax* ScrollMax() const;
  // The height while collapsed: the header button's bottom plus its top.
  int CollapsedHeight() const;
  // Where the band's own controls go: inside the border (3 more when beveled) and below
  // the header button.
  QRect ClientRect() const;

  // The palette's value, taken when the band inherits it.
  void InheritButtonFont();
  void InheritBeveled();
  void InheritButtonVisible();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  friend class TBandBtn;
  friend class TRAScrollMaxBands;
  friend class TRAScrollMax;
  void HeaderClick();
  void ButtonFontChanged();
  void ApplyHeight();
  void UpdateMargins();
  void SetExpandedQuietly(bool value);

  TBandBtn* button_;
  TRAScrollMaxBands* container_ = nullptr;
  bool expanded_ = true;
  int expandedHeight_ = 50;
  int lastSetHeight_ = -1;
  bool buttonVisible_ = true;
  bool beveled_ = true;
  int borderWidth_ = 0;
  bool parentBeveled_ = true;
  bool parentButtonVisible_ = true;
  bool parentButtonFont_ = true;
  bool inheriting_ = false;
  bool dragging_ = false;
  int dragY_ = 0;
};

class TRAScrollMaxBands : public QWidget {
 public:
  explicit TRAScrollMaxBands(TRAScrollMax* owner);
  ~TRAScrollMaxBands() override;

  // Puts a control into the container: only bands may go there ("TRAScrollMax can
  // contains only TRAScrollMaxBand components").
  void InsertControl(QWidget* control);
  const std::vector<TRAScrollMaxBand*>& Bands() const { return bands_; }
  // Stacks the bands. `aligned` is the band that changed: when it is open and only one
  // may be, the others close; when it has `justExpanded`, the content scrolls to show it.
  void Realign(TRAScrollMaxBand* aligned = nullptr, bool justExpanded = false);
  // The height of all the bands stacked.
  int StackedHeight() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class TRAScrollMaxBand;
  void Remove(TRAScrollMaxBand* band);
  void Move(TRAScrollMaxBand* band, int order);

  TRAScrollMax* owner_;
  std::vector<TRAScrollMaxBand*> bands_;
  bool aligning_ = false;
};

class TRAScrollMax : public QFrame {
 public:
  using TNotifyEvent = std::function<void(QObject* sender)>;
  explicit TRAScrollMax(QWidget* owner = nullptr);
  ~TRAScrollMax() override;

  int ScrollPos() const { return scrollPos_; }
  // Kept within 0..(range - page) of the scroll bar.
  void SetScrollPos(int value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  bool Beveled() const { return beveled_; }
  void SetBeveled(bool value);
  QFont ButtonFont() const { return buttonFont_; }
  void SetButtonFont(const QFont& font);
  bool ButtonVisible() const { return buttonVisible_; }
  void SetButtonVisible(bool value);
  bool AutoHeight() const { return autoHeight_; }
  void SetAutoHeight(bool value);
  int ExpandedHeight() const { return expandedHeight_; }
  void SetExpandedHeight(int value);
  int ScrollBarWidth() const { return scrollBarWidth_; }
  // Values below 4 are ignored.
  void SetScrollBarWidth(int value);
  bool ScrollBarVisible() const { return scrollBarVisible_; }
  void SetScrollBarVisible(bool value);
  bool OneExpanded() const { return oneExpanded_; }
  void SetOneExpanded(bool value);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel value);
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);

  TNotifyEvent OnScroll;

  TRAScrollMaxBands* BandsContainer() const { return bands_; }
  TRAScrollBar* ScrollBar() const { return scrollBar_; }
  int BandCount() const { return static_cast<int>(bands_->Bands().size()); }
  TRAScrollMaxBand* Band(int index) const { return bands_->Bands().at(std::size_t(index)); }

  // Expands the band that holds the control and scrolls until the control shows; raises
  // "Control %s not a child of %s" for a control outside the bands.
  void ScrollInView(QWidget* control);
  // BorderWidth plus BevelWidth for each bevel that is not none.
  int FrameWidth() const;
  QRect ClientRect() const;
  // True when every band shows without scrolling.
  bool Fits() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class TRAScrollMaxBands;
  friend class TRAScrollMaxBand;
  void LayoutChildren();
  void ApplyAutoHeight();
  void FrameChanged();
  // Scrolls by a drag of `dy` pixels (positive moves the content down).
  void DragBy(int dy);

  TRAScrollMaxBands* bands_;
  TRAScrollBar* scrollBar_;
  QFont buttonFont_;
  int scrollPos_ = 0;
  int borderWidth_ = 3;
  bool beveled_ = true;
  bool buttonVisible_ = true;
  bool autoHeight_ = false;
  int expandedHeight_ = -1;
  int scrollBarWidth_ = 7;
  bool scrollBarVisible_ = true;
  bool oneExpanded_ = false;
  TPanelBevel bevelInner_ = bvNone;
  TPanelBevel bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  bool sizing_ = false;
  int lastAutoHeight_ = -1;
};

}  // namespace qx
