#include "app/dialogs/Dialoghi.h"

#include "app/dialogs/AboutBox.h"
#include "app/dialogs/ArchivioFunzioni.h"
#include "app/dialogs/Dm.h"
#include "app/dialogs/Domanda.h"
#include "app/dialogs/EditArchivio.h"
#include "app/dialogs/EditFraz.h"
#include "app/dialogs/EditMatr.h"
#include "app/dialogs/EditVett.h"
#include "app/dialogs/InsertFun.h"
#include "app/dialogs/LeggiGrado.h"
#include "app/dialogs/LeggiNum.h"
#include "app/dialogs/MostraFormula.h"

namespace qx {

TDialoghi::TDialoghi(QWidget* finestra, const QString& versione)
    : dm_(new Tdm),
      tastiera_(new TfrmTastNum),
      editArchivio_(new TdlgEditArchivio(finestra)),
      about_(new TAboutBox(versione, finestra)),
      archivio_(new TFRMArchivio(finestra)),
      fraz_(new TdlgEditFraz(finestra)),
      matr_(new TDlgEditMatr(*dm_, finestra)),
      vett_(new TDlgEditVett(finestra)),
      funzione_(new TDlgInsertFun(*archivio_, finestra)),
      leggiNum_(new TfrmLeggiNum(*tastiera_, finestra)),
      showFraz_(new TdlgShowFraz(finestra)),
      showFun_(new TdlgShowFun(finestra)),
      domanda_(new TdlgDomanda(finestra)),
      grado_(new TdlgLeggiGrado(finestra)) {}

TDialoghi::~TDialoghi() {
  // The keypad may have been taken in by the number dialog: it goes first.
  delete tastiera_.data();
  delete grado_.data();
  delete domanda_.data();
  delete showFun_.data();
  delete showFraz_.data();
  delete leggiNum_.data();
  delete funzione_.data();
  delete vett_.data();
  delete matr_.data();
  delete fraz_.data();
  delete archivio_.data();
  delete about_.data();
  delete editArchivio_.data();
  delete dm_;
}

bool TDialoghi::LeggiNum(const std::string& prompt, long double& valore) { return leggiNum_->Apri(prompt, valore); }

bool TDialoghi::LeggiGrado(const std::string& titolo, int& gradi, int& primi, long double& secondi) {
  return grado_->Apri(titolo, gradi, primi, secondi);
}

int TDialoghi::Domanda(const std::string& titolo, const std::string& testo) { return domanda_->Apri(titolo, testo); }

bool TDialoghi::InserisciFunzione(const std::string& titolo, std::string& riga, int tipo, char modo) {
  return funzione_->Apri(titolo, riga, tipo, modo);
}

bool TDialoghi::EditaFrazione(const std::string& titolo, std::string& testo, char modo) {
  return fraz_->Apri(titolo, testo, modo);
}

void TDialoghi::MostraFunzione(const std::string& titolo, const cValore& funzione) { showFun_->Mostra(titolo, funzione); }

void TDialoghi::MostraFrazione(const std::string& titolo, const cValore& valore) { showFraz_->Mostra(titolo, valore); }

void TDialoghi::EditaVettore(bool solaLettura, const std::string& titolo, cValore& vettore, const std::string& commento) {
  vett_->Apri(solaLettura, titolo, vettore, commento);
}

void TDialoghi::EditaMatrice(bool solaLettura, const std::string& titolo, cValore& matrice, const std::string& commento) {
  matr_->Apri(solaLettura, titolo, matrice, commento);
}

void TDialoghi::EditaArchivio(const std::string& titolo, const std::string& tabella) {
  editArchivio_->Apri(titolo, tabella);
}

void TDialoghi::Informazioni() { about_->exec(); }

Tdm& TDialoghi::dm() { return *dm_; }
TdlgEditArchivio& TDialoghi::dlgEditArchivio() { return *editArchivio_; }
TAboutBox& TDialoghi::AboutBox() { return *about_; }
TFRMArchivio& TDialoghi::FRMArchivio() { return *archivio_; }
TdlgEditFraz& TDialoghi::dlgEditFraz() { return *fraz_; }
TDlgEditMatr& TDialoghi::DlgEditMatr() { return *matr_; }
TDlgEditVett& TDialoghi::DlgEditVett() { return *vett_; }
TDlgInsertFun& TDialoghi::DlgInsertFun() { return *funzione_; }
TfrmLeggiNum& TDialoghi::frmLeggiNum() { return *leggiNum_; }
TdlgShowFraz& TDialoghi::dlgShowFraz() { return *showFraz_; }
TdlgShowFun& TDialoghi::dlgShowFun() { return *showFun_; }
TdlgDomanda& TDialoghi::dlgDomanda() { return *domanda_; }
TdlgLeggiGrado& TDialoghi::dlgLeggiGrado() { return *grado_; }
TfrmTastNum& TDialoghi::frmTastNum() { return *tastiera_; }

}  // namespace qx
