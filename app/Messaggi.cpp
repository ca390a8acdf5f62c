#include "app/Messaggi.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QString>

namespace qx {

int MessaggioFinestra(QWidget* parent, const std::string& testo, const std::string& titolo, TTipoMessaggio tipo,
                      TPulsanti pulsanti) {
  QMessageBox box(parent);
  box.setWindowTitle(QString::fromStdString(titolo));
  box.setText(QString::fromStdString(testo));
  switch (tipo) {
    case TTipoMessaggio::Errore: box.setIcon(QMessageBox::Critical); break;
    case TTipoMessaggio::Avviso: box.setIcon(QMessageBox::Warning); break;
    case TTipoMessaggio::Informazione: box.setIcon(QMessageBox::Information); break;
    case TTipoMessaggio::Domanda: box.setIcon(QMessageBox::Question); break;
  }
  switch (pulsanti) {
    case TPulsanti::OK: box.setStandardButtons(QMessageBox::Ok); break;
    case TPulsanti::OKAnnulla: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case TPulsanti::SiNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case TPulsanti::SiNoAnnulla:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  // The captions of an Italian desktop.
  if (QAbstractButton* b = box.button(QMessageBox::Yes)) b->setText("&Sì");
  if (QAbstractButton* b = box.button(QMessageBox::No)) b->setText("&No");
  if (QAbstractButton* b = box.button(QMessageBox::Cancel)) b->setText("Annulla");
  switch (box.exec()) {
    case QMessageBox::Ok: return mrOk;
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    default: return mrCancel;
  }
}

}  // namespace qx
