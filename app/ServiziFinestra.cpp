#include "app/ServiziFinestra.h"

#include <QApplication>
#include <QCursor>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "app/Messaggi.h"
#include "app/dialogs/EditArchivio.h"
#include "app/PaintBoxQt.h"
#include "app/Protetto.h"
#include "app/Tfrm3.h"
#include "controls/midi/ServiziSuono.h"
#include "runstate/DatiGlob.h"

namespace qx {

namespace {

QColor ColoreQt(TColor c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// Swallows the keys typed while it lives.
class FiltroTasti : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    return e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease;
  }
};

Qt::CursorShape FormaCursore(int cursore) {
  switch (cursore) {
    case crCross: return Qt::CrossCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crPenna: return Qt::CrossCursor;
    case crMano: return Qt::OpenHandCursor;
    case crManoMovimento: return Qt::ClosedHandCursor;
    case -10: return Qt::UpArrowCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace

void TServiziFinestra::Pompa() {
  ++Pompaggi;
  Protetto([this] { f_.CompletaRidisegni(); });
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  ultimaPompa_ = Millisecondi();
}

void TServiziFinestra::ElaboraMessaggi() {
  if ((++chiamate_ & 15u) != 0) return;
  if (Millisecondi() - ultimaPompa_ < IntervalloMs) return;
  Pompa();
}

void TServiziFinestra::AttendiEventi(int maxMs) {
  ++Pompaggi;
  ++Attese;
  Protetto([this] { f_.CompletaRidisegni(); });
  // The timer wakes the loop when nothing else happens within maxMs.
  QTimer sveglia;
  sveglia.setSingleShot(true);
  sveglia.start(maxMs > 0 ? maxMs : 1);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  ultimaPompa_ = Millisecondi();
}

bool TServiziFinestra::InChiusura() { return f_.InChiusura() || QCoreApplication::closingDown(); }

void TServiziFinestra::ScartaTasti() {
  FiltroTasti filtro;
  qApp->installEventFilter(&filtro);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  qApp->removeEventFilter(&filtro);
}

void TServiziFinestra::DisegnaRifCart() { f_.DisegnaRifCart(); }
void TServiziFinestra::AggiornaListaOggetti() { f_.AggiornaListaOggetti(); }
void TServiziFinestra::MostraVista(bool vista3D) { f_.MostraVista(vista3D); }

void TServiziFinestra::InvalidaRighe(TEditorCorrente editor, int da, int a) {
  TSrcEditFinestra* e = editor == TEditorCorrente::BarraComandi ? f_.edIstruzione : f_.MemoSource;
  if (e) e->InvalidateLines(da, a);
}

void TServiziFinestra::ImpostaEditorSolaLettura(bool solaLettura) { f_.MemoSource->SetReadOnly(solaLettura); }

void TServiziFinestra::AggiungiRigaOutput(const std::string& riga, TColor colore) {
  QTextEdit* o = f_.reoutput;
  o->setTextColor(ColoreQt(colore));
  o->append(QString::fromStdString(riga));
  o->verticalScrollBar()->setValue(o->verticalScrollBar()->maximum());
}

void TServiziFinestra::PulisciOutput() { f_.reoutput->clear(); }

void TServiziFinestra::ImpostaMessaggio(const std::string& testo) {
  f_.pnlMess->setText(QString::fromStdString(testo));
}

void TServiziFinestra::MostraContinua(bool visibile) { f_.btnContinua->setVisible(visibile); }

void TServiziFinestra::MostraRighelli(bool visibili) {
  f_.pnlPbx->setVisible(visibili);
  f_.pnlPby->setVisible(visibili);
}

void TServiziFinestra::MostraTerminaPenna(bool visibile) { f_.btnTerminaPenna->setVisible(visibile); }

void TServiziFinestra::ImpostaCursore(int cursore) { f_.pbRifCart->setCursor(FormaCursore(cursore)); }

void TServiziFinestra::Beep() { f_.Suono().Beep(); }

void TServiziFinestra::BeepTono(int hz, int ms) { f_.Suono().BeepTono(hz, ms); }

bool TServiziFinestra::SuonaFile(const std::string& percorso) { return f_.Suono().SuonaFile(percorso); }

TMidiGen* TServiziFinestra::MidiGen() { return f_.Suono().MidiGen(); }

int TServiziFinestra::MessageBox(const std::string& testo, const std::string& titolo, TTipoMessaggio tipo,
                                 TPulsanti pulsanti) {
  return MessaggioFinestra(&f_, testo, titolo, tipo, pulsanti);
}

bool TServiziFinestra::InputBox(const std::string& titolo, const std::string& prompt, std::string& testo) {
  bool ok = false;
  const QString t = QInputDialog::getText(&f_, QString::fromStdString(titolo), QString::fromStdString(prompt),
                                          QLineEdit::Normal, QString::fromStdString(testo), &ok);
  if (ok) testo = t.toStdString();
  return ok;
}

void TServiziFinestra::NonDisponibile(const std::string& finestra) {
  MessaggioFinestra(&f_, "La finestra \"" + finestra + "\" non è ancora disponibile: l'esecuzione viene interrotta.",
                    "Avviso", TTipoMessaggio::Avviso, TPulsanti::OK);
  // As a cancelled dialog: the run ends without a result.
  DatiGlob.bStop = true;
}

bool TServiziFinestra::LeggiNum(const std::string&, long double&) {
  NonDisponibile("Lettura di un numero");
  return false;
}

bool TServiziFinestra::LeggiGrado(const std::string&, int&, int&, long double&) {
  NonDisponibile("Lettura di una misura angolare");
  return false;
}

int TServiziFinestra::Domanda(const std::string&, const std::string&) {
  NonDisponibile("Domanda");
  return mrCancel;
}

bool TServiziFinestra::InserisciFunzione(const std::string&, std::string&, int tipo, char) {
  NonDisponibile(tipo == 1 ? "Immissione di una Funzione" : "Immissione di una Espressione");
  return false;
}

bool TServiziFinestra::EditaFrazione(const std::string&, std::string&, char) {
  NonDisponibile("Immissione di una Frazione");
  return false;
}

void TServiziFinestra::MostraFunzione(const std::string&, const cValore&) { NonDisponibile("Visualizzazione della funzione"); }

void TServiziFinestra::MostraFrazione(const std::string&, const cValore&) { NonDisponibile("Visualizzazione della frazione"); }

void TServiziFinestra::EditaVettore(bool, const std::string&, cValore&, const std::string&) { NonDisponibile("Vettore"); }

void TServiziFinestra::EditaMatrice(bool, const std::string&, cValore&, const std::string&) { NonDisponibile("Matrice"); }

void TServiziFinestra::EditaArchivio(const std::string& titolo, const std::string& tabella) {
  // Made once, at the first table, and reused: it lives as long as the window.
  auto* d = f_.findChild<TdlgEditArchivio*>(QStringLiteral("dlgEditArchivio"));
  if (!d) d = new TdlgEditArchivio(&f_);
  d->Apri(titolo, tabella);
}

int TServiziFinestra::ScegliIntersezione(const TPuntoMondo&, const TPuntoMondo&) {
  NonDisponibile("Scelta del punto di intersezione");
  return 1;
}

int TServiziFinestra::ScegliTangente(const TPuntoMondo&, const TPuntoMondo&, const TPuntoMondo&, const TPuntoMondo&) {
  NonDisponibile("Scelta della tangente");
  return 1;
}

int TServiziFinestra::ScegliSegmento(const TPuntoMondo&, const TPuntoMondo&, const TPuntoMondo&) {
  NonDisponibile("Segmento");
  return 1;
}

int TServiziFinestra::ScegliPoligono(const cValore&, const cValore&) {
  NonDisponibile("Poligono");
  return 1;
}

}  // namespace qx
