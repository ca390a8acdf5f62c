// Buttons that paint their own face: a push button in a chosen colour (TRAColorButton),
// the same with a mark-up caption (TRAhtButton), and a speed button that can go without
// a frame (TRANoFrameButton, base of the band palette's header buttons).
#pragma once
#include <QAbstractButton>
#include <QPushButton>
#include <functional>
#include <memory>

#include "controls/ButtonGlyph.h"
#include "platform/Graphics.h"

namespace qx {

// The glyph, caption layout and colour that all three buttons publish.
class TRAButtonFace {
 public:
  TRAButtonFace(QWidget* self, std::unique_ptr<TRAButtonGlyph> glyph) : self_(self), glyph_(std::move(glyph)) {}
  virtual ~TRAButtonFace() = default;
  TRAButtonFace(const TRAButtonFace&) = delete;
  TRAButtonFace& operator=(const TRAButtonFace&) = delete;

  TRAButtonGlyph& GlyphObject() { return *glyph_; }
  TButtonLayout Layout() const { return layout_; }
  int Margin() const { return margin_; }
  int Spacing() const { return spacing_; }
  void SetGlyph(const QPixmap& glyph);
  void SetNumGlyphs(int n);
  void SetLayout(TButtonLayout layout);
  void SetMargin(int margin);
  void SetSpacing(int spacing);

  TColor Color() const { return color_; }
  // Setting a colour stops taking the parent's.
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  // The colour the face is painted in: the parent's when ParentColor is on.
  QColor FaceColor() const;
  // The caption's colour (the toolkit's Font.Color).
  void SetFontColor(TColor color);

 protected:
  QWidget* self_;
  std::unique_ptr<TRAButtonGlyph> glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  TColor color_ = clWindow;
  bool parentColor_ = true;
};

class TRAColorButton : public QPushButton, public TRAButtonFace {
 public:
  // sender, pressed, state, focused: draws the whole button on Canvas().
  using TPaintButtonEvent = std::function<void(TRAColorButton* sender, bool pressed, TButtonState state, bool focused)>;

  explicit TRAColorButton(QWidget* owner = nullptr);

  TPaintButtonEvent OnPaint;
  // The canvas of the paint in progress (null outside painting).
  QPainter* Canvas() const { return canvas_; }

 protected:
  TRAColorButton(QWidget* owner, std::unique_ptr<TRAButtonGlyph> glyph);
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QPainter* canvas_ = nullptr;
};

class TRAhtButton : public TRAColorButton {
 public:
  explicit TRAhtButton(QWidget* owner = nullptr);
};

// A speed button: Down stays down in its group (GroupIndex), AllowAllUp lets the last one
// of a group come up; Flat and NoBorder choose the face.
class TRANoFrameButton : public QAbstractButton, public TRAButtonFace {
 public:
  using TPaintButtonEvent =
      std::function<void(TRANoFrameButton* sender, bool pressed, TButtonState state, bool focused)>;

  explicit TRANoFrameButton(QWidget* owner = nullptr);

  bool NoBorder() const { return noBorder_; }
  void SetNoBorder(bool value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value) { groupIndex_ = value; }
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value) { allowAllUp_ = value; }
  bool Down() const { return down_; }
  void SetDown(bool value);
  TButtonState State() const { return state_; }

  TPaintButtonEvent OnPaint;
  QPainter* Canvas() const { return canvas_; }

  QSize sizeHint() const override { return {23, 22}; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void ReleaseGroup();

  QPainter* canvas_ = nullptr;
  bool noBorder_ = true;
  bool flat_ = false;
  bool down_ = false;
  bool allowAllUp_ = false;
  bool mouseInside_ = false;
  int groupIndex_ = 0;
  TButtonState state_ = bsUp;
};

// The 8 x 8 dither of clBtnFace and clBtnHighlight that a held button's face shows.
QBrush HeldDitherBrush();

}  // namespace qx
