// A control that is only a drawing surface, on Qt: the 2D area and its two rulers. It
// keeps its picture in an image of its own size; painting the widget copies the image in
// one operation, so a picture built statement by statement never flickers.
#pragma once
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/PaintBox.h"
#include "platform/qt/QImageCanvas.h"

namespace qx {

class TPaintBoxQt : public QWidget, public TPaintBox {
 public:
  explicit TPaintBoxQt(QWidget* parent = nullptr, TColor colore = clWhite);

  int Width() const override { return width(); }
  int Height() const override { return height(); }
  // The canvas that drawing code receives: the image's own, or the one put in its place.
  TCanvas& Canvas() override { return sostituto_ ? *sostituto_ : *immagine_; }
  void ImpostaCanvas(TCanvas* canvas) { sostituto_ = canvas; }
  // The picture itself (its size follows the control's).
  TQImageCanvas& Immagine() { return *immagine_; }

  // Runs before the picture is shown (the window brings it up to date here).
  std::function<void()> OnPaint;
  // Runs after the picture was made anew at the control's new size.
  std::function<void()> OnResize;
  std::function<void(QMouseEvent*)> OnMouseDown, OnMouseMove, OnMouseUp;
  std::function<void()> OnMouseLeave;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  TColor colore_;
  std::unique_ptr<TQImageCanvas> immagine_;
  TCanvas* sostituto_ = nullptr;
};

}  // namespace qx
