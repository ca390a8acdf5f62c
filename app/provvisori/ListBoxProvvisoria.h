// A stand-in for the mark-up list box while the window's controls are being built: it keeps
// the mark-up captions as its items and shows their plain text. It goes away when the real
// control lands.
#pragma once
#include <QListWidget>
#include <QString>
#include <QStringList>

namespace qx {

class TListBoxProvvisoria : public QListWidget {
 public:
  explicit TListBoxProvvisoria(QWidget* parent = nullptr) : QListWidget(parent) {}

  bool Sorted() const { return ordinata_; }
  void SetSorted(bool valore) { ordinata_ = valore; }
  // Replaces every item at once (sorted as the list sorts them).
  void ImpostaVoci(QStringList voci);
  int Count() const { return count(); }
  QString Voce(int i) const;

 private:
  bool ordinata_ = false;
};

}  // namespace qx
