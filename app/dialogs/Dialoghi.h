// The dialogs of the language, created once and reused, with one method for each dialog
// service that the interpreter asks of the window (runstate/WindowServices.h): the window's
// implementation of those services hands each call to the method of the same name.
#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>

namespace qx {

class cValore;
class Tdm;
class TAboutBox;
class TFRMArchivio;
class TdlgEditArchivio;
class TdlgEditFraz;
class TDlgEditMatr;
class TDlgEditVett;
class TDlgInsertFun;
class TfrmLeggiNum;
class TdlgShowFraz;
class TdlgShowFun;
class TdlgDomanda;
class TdlgLeggiGrado;
class TfrmTastNum;

class TDialoghi {
 public:
  // The dialogs open over `finestra` (the main window, or none); `versione` is the text
  // that the about box shows after "Versione ".
  explicit TDialoghi(QWidget* finestra = nullptr, const QString& versione = QStringLiteral("3.0"));
  ~TDialoghi();
  TDialoghi(const TDialoghi&) = delete;
  TDialoghi& operator=(const TDialoghi&) = delete;

  // ---- The services ----
  bool LeggiNum(const std::string& prompt, long double& valore);
  bool LeggiGrado(const std::string& titolo, int& gradi, int& primi, long double& secondi);
  // The modal result: 6 Yes, 7 No, 0 when closed without an answer.
  int Domanda(const std::string& titolo, const std::string& testo);
  bool InserisciFunzione(const std::string& titolo, std::string& riga, int tipo, char modo);
  bool EditaFrazione(const std::string& titolo, std::string& testo, char modo);
  void MostraFunzione(const std::string& titolo, const cValore& funzione);
  void MostraFrazione(const std::string& titolo, const cValore& valore);
  void EditaVettore(bool solaLettura, const std::string& titolo, cValore& vettore, const std::string& commento);
  void EditaMatrice(bool solaLettura, const std::string& titolo, cValore& matrice, const std::string& commento);
  // The table browser on the table of the program folder's ARC.
  void EditaArchivio(const std::string& titolo, const std::string& tabella);
  // The about box of "Informazioni su..".
  void Informazioni();

  // ---- The windows ----
  Tdm& dm();
  TdlgEditArchivio& dlgEditArchivio();
  TAboutBox& AboutBox();
  TFRMArchivio& FRMArchivio();
  TdlgEditFraz& dlgEditFraz();
  TDlgEditMatr& DlgEditMatr();
  TDlgEditVett& DlgEditVett();
  TDlgInsertFun& DlgInsertFun();
  TfrmLeggiNum& frmLeggiNum();
  TdlgShowFraz& dlgShowFraz();
  TdlgShowFun& dlgShowFun();
  TdlgDomanda& dlgDomanda();
  TdlgLeggiGrado& dlgLeggiGrado();
  TfrmTastNum& frmTastNum();

 private:
  Tdm* dm_;
  // Qt may delete a window first when its parent goes: the pointers then become null.
  QPointer<TfrmTastNum> tastiera_;
  QPointer<TdlgEditArchivio> editArchivio_;
  QPointer<TAboutBox> about_;
  QPointer<TFRMArchivio> archivio_;
  QPointer<TdlgEditFraz> fraz_;
  QPointer<TDlgEditMatr> matr_;
  QPointer<TDlgEditVett> vett_;
  QPointer<TDlgInsertFun> funzione_;
  QPointer<TfrmLeggiNum> leggiNum_;
  QPointer<TdlgShowFraz> showFraz_;
  QPointer<TdlgShowFun> showFun_;
  QPointer<TdlgDomanda> domanda_;
  QPointer<TdlgLeggiGrado> grado_;
};

}  // namespace qx
