// The formula view: shows the lower-case infix text given as its Text typeset as a formula
// (fractions, powers, roots, functions). It takes the size its formula needs, so that the
// scroll box around it can scroll a long one.
#pragma once
#include <QString>
#include <QWidget>
#include <memory>

#include "app/dialogs/Formula.h"

namespace qx {

class TMthX : public QWidget {
 public:
  explicit TMthX(QWidget* parent = nullptr);
  ~TMthX() override;

  QString Text() const { return testo_; }
  void SetText(const QString& testo);

  // Pixels between the formula and the edges of the view.
  static constexpr int kMargine = 8;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString testo_;
  std::unique_ptr<formula::Scatola> scatola_;
};

}  // namespace qx
