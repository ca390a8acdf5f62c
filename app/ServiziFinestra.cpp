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
#include "app/dialogs/Dialoghi.h"
#include "app/dialogs/Sceglitori.h"
#include "app/PaintBoxQt.h"
#include "app/Protetto.h"
#include "app/Tfrm3.h"
#include "controls/ToolkitColors.h"
#include "controls/midi/ServiziSuono.h"
#include "runstate/DatiGlob.h"

namespace qx {

namespace {

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

TServiziFinestra::TServiziFinestra(Tfrm3& finestra)
    : f_(finestra),
      dialoghi_(std::make_unique<TDialoghi>(&finestra, QString::number(Versione, 'f', 1))),
      sceglitori_(std::make_unique<TSceglitori>(&finestra, [this]() -> QWidget* { return f_.pbRifCart; })) {}

TServiziFinestra::~TServiziFinestra() = default;

void TServiziFinestra::Pompa() {
  ++Pompaggi;
  Protetto([this] { AggiornaVista(); });
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  ultimaPompa_ = MillisecondiPompa();
}

void TServiziFinestra::InizioEsecuzione() {
  ultimaPompa_ = MillisecondiPompa();
  SpazioChiesto = false;
}

void TServiziFinestra::AggiornaVista() {
  if (!f_.EsecuzioneInCorso()) {
    vistaInEsecuzione_ = false;
    f_.CompletaRidisegni();
    return;
  }
  const auto ora = std::chrono::steady_clock::now();
  // A new run is shown at its first pump, whatever the last run's pictures cost: until then
  // what it draws waits in the deferred canvas.
  if (!vistaInEsecuzione_) prossimaVista_ = ora;
  vistaInEsecuzione_ = true;
  if (ora < prossimaVista_) return;
  // No statement of a fast run asks for the list: the run's values change all the time.
  f_.AggiornaListaOggetti();
  f_.CompletaRidisegni();
  PompaConVista = Pompaggi;
  // What the statements drew straight onto the picture since shows too.
  if (f_.pbRifCart) f_.pbRifCart->update();
  prossimaVista_ = ora + (std::chrono::steady_clock::now() - ora) * RapportoVista;
}

int TServiziFinestra::ElaboraMessaggi() {
  if (MillisecondiPompa() - ultimaPompa_ >= IntervalloMs) Pompa();
  return ChiamateTraControlli - 1;
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
  ultimaPompa_ = MillisecondiPompa();
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
void TServiziFinestra::MostraVista(bool vista3D) {
  SpazioChiesto = vista3D;
  f_.MostraVista(vista3D);
}

void TServiziFinestra::InvalidaRighe(TEditorCorrente editor, int da, int a) {
  TSrcEditFinestra* e = editor == TEditorCorrente::BarraComandi ? f_.edIstruzione : f_.MemoSource;
  if (e) e->InvalidateLines(da, a);
}

void TServiziFinestra::ImpostaEditorSolaLettura(bool solaLettura) { f_.MemoSource->SetReadOnly(solaLettura); }

void TServiziFinestra::AggiungiRigaOutput(const std::string& riga, TColor colore) {
  QTextEdit* o = f_.reoutput;
  // A line with no colour of its own takes the pane's text colour (dark on the light pane).
  o->setTextColor(colore == clNone || colore == clDefault ? o->palette().color(QPalette::Text)
                                                          : ToQColor(colore, o->palette()));
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
  f_.LasciaViste();
  return MessaggioFinestra(&f_, testo, titolo, tipo, pulsanti);
}

bool TServiziFinestra::InputBox(const std::string& titolo, const std::string& prompt, std::string& testo) {
  f_.LasciaViste();
  bool ok = false;
  const QString t = QInputDialog::getText(&f_, QString::fromStdString(titolo), QString::fromStdString(prompt),
                                          QLineEdit::Normal, QString::fromStdString(testo), &ok);
  if (ok) testo = t.toStdString();
  return ok;
}

bool TServiziFinestra::LeggiNum(const std::string& prompt, long double& valore) {
  f_.LasciaViste();
  return dialoghi_->LeggiNum(prompt, valore);
}

bool TServiziFinestra::LeggiGrado(const std::string& titolo, int& gradi, int& primi, long double& secondi) {
  f_.LasciaViste();
  return dialoghi_->LeggiGrado(titolo, gradi, primi, secondi);
}

int TServiziFinestra::Domanda(const std::string& titolo, const std::string& testo) {
  f_.LasciaViste();
  return dialoghi_->Domanda(titolo, testo);
}

bool TServiziFinestra::InserisciFunzione(const std::string& titolo, std::string& riga, int tipo, char modo) {
  f_.LasciaViste();
  return dialoghi_->InserisciFunzione(titolo, riga, tipo, modo);
}

bool TServiziFinestra::EditaFrazione(const std::string& titolo, std::string& testo, char modo) {
  f_.LasciaViste();
  return dialoghi_->EditaFrazione(titolo, testo, modo);
}

void TServiziFinestra::MostraFunzione(const std::string& titolo, const cValore& funzione) {
  f_.LasciaViste();
  dialoghi_->MostraFunzione(titolo, funzione);
}

void TServiziFinestra::MostraFrazione(const std::string& titolo, const cValore& valore) {
  f_.LasciaViste();
  dialoghi_->MostraFrazione(titolo, valore);
}

void TServiziFinestra::EditaVettore(bool solaLettura, const std::string& titolo, cValore& vettore,
                                    const std::string& commento) {
  f_.LasciaViste();
  dialoghi_->EditaVettore(solaLettura, titolo, vettore, commento);
}

void TServiziFinestra::EditaMatrice(bool solaLettura, const std::string& titolo, cValore& matrice,
                                    const std::string& commento) {
  f_.LasciaViste();
  dialoghi_->EditaMatrice(solaLettura, titolo, matrice, commento);
}

void TServiziFinestra::EditaArchivio(const std::string& titolo, const std::string& tabella) {
  f_.LasciaViste();
  dialoghi_->EditaArchivio(titolo, tabella);
}

int TServiziFinestra::ScegliIntersezione(const TPuntoMondo& p1, const TPuntoMondo& p2) {
  f_.LasciaViste();
  return sceglitori_->ScegliIntersezione(p1, p2);
}

int TServiziFinestra::ScegliTangente(const TPuntoMondo& t1a, const TPuntoMondo& t1b, const TPuntoMondo& t2a,
                                     const TPuntoMondo& t2b) {
  f_.LasciaViste();
  return sceglitori_->ScegliTangente(t1a, t1b, t2a, t2b);
}

int TServiziFinestra::ScegliSegmento(const TPuntoMondo& inizio, const TPuntoMondo& fine1, const TPuntoMondo& fine2) {
  f_.LasciaViste();
  return sceglitori_->ScegliSegmento(inizio, fine1, fine2);
}

int TServiziFinestra::ScegliPoligono(const cValore& candidato1, const cValore& candidato2) {
  f_.LasciaViste();
  return sceglitori_->ScegliPoligono(candidato1, candidato2);
}

}  // namespace qx
