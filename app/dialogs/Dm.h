// The file dialogs that the matrix editor opens, created once and reused.
#pragma once
#include <QFileDialog>
#include <QPointer>

namespace qx {

class Tdm {
 public:
  Tdm();
  ~Tdm();
  Tdm(const Tdm&) = delete;
  Tdm& operator=(const Tdm&) = delete;

  QFileDialog* OpenDlg() const { return open_; }
  QFileDialog* SaveDlg() const { return save_; }

 private:
  QPointer<QFileDialog> open_, save_;
};

}  // namespace qx
