// qxrun: runs a plain-text program without a window, as the window's program run does, and
// prints what the run showed. A test tool: the tests and benchmarks drive the language
// through it.
//
//   qxrun [--vars] [--answers FILE] [--png FILE] [--png3d FILE] [--size WxH] [--sounds FILE] PROGRAM
//
// The answers file has one answer per line, in the order the run asks: a number, a text,
// SI, NO or ANNULLA for a dialog, 1 or 2 for a two-choice picker, CLIC x y for a wait for
// the mouse (a click at the world point x, y), CLIC3D x y z for a value placed in space
// (the confirming click at that point), SCEGLI3D NAME for a pick in space.
// Output: every line appended to the output pane; then, when the run did not end
// successfully, "#error N MESSAGE" (N the 1-based error line, 0 for none); then, with
// --vars, "#var NAME<TAB>TYPE<TAB>TEXT" per variable, oldest first. Sounds play on the
// recording back-end; --sounds writes its log (beeps, files, notes) to FILE. --png3d writes
// the space view rendered off-screen (no display is needed), of the same size as --png, its
// walls as the window shows them after a reset (only the floor).
// Exit status: 0 success (STOP included), 1 failure (a wait left without an answer
// included: it is named on standard error), 2 usage error or unreadable file.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "controls/midi/ServiziSuono.h"
#include "interpreter/Ambiente.h"
#include "interpreter/LatoMouse.h"
#include "runstate/DatiGlob.h"
#include "platform/qt/ApplicazioneQt.h"
#include "platform/qt/QImageCanvas.h"
#include "solid/LatoSpazio.h"
#include "solid/ScenaSpazio.h"
#include "solid/Solidi.h"
#include "solid/Valore3D.h"
#include "values/Variabili.h"
#include "tests/support/FinestraConSuono.h"
#include "values/RifCart.h"
#include "values/figure/ListaValGraf.h"

namespace {

int Uso() {
  std::cerr << "usage: qxrun [--vars] [--answers FILE] [--png FILE] [--png3d FILE] [--size WxH] [--sounds FILE] "
               "PROGRAM\n";
  return 2;
}

bool LeggiFile(const std::string& percorso, std::string& testo) {
  std::ifstream in(percorso, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  testo = s.str();
  return !in.bad();
}

// The answers file also answers the waits for the mouse: "CLIC x y" clicks the canvas at the
// world point (x, y), as the pupil's click there would; "CLIC3D x y z" confirms a value
// being placed in space at that point; "SCEGLI3D NAME" picks (or, for CLICCA, clicks) the space
// value NAME. A wait
// whose next answer is none of these can never end: the run stops there and fails.
class FinestraQxrun : public qx::test::FinestraConSuono {
 public:
  FinestraQxrun(qx::midi::TServiziSuono& suono, qx::TScenaSpazio& scena) : FinestraConSuono(suono), scena_(scena) {}

  // Whether a wait was left without an answer, and its message (empty when it had none).
  bool AttesaSenzaRisposta = false;
  std::string MessaggioAttesa;

  void AttendiEventi(int maxMs) override {
    const qx::TDatiGlob& g = qx::DatiGlob;
    const bool attesaMouse = g.bAttesaPunto || g.bAttesaScegliPunto || g.bAttesaScegliSegmento ||
                             g.bAttesaScegliOggetto || g.bAttesaScegliLato || g.bAttesaScegliVertice ||
                             g.bAttesaClicca || g.bAttesaPuntoSu || g.bAttesaFigura || g.bAttesaTesto ||
                             g.bAttesaImmagine || g.bAttesaSegmento;
    const bool attesaSpazio = g.bAttesaPunto3D || g.bAttesaPunto3DSu;
    // A line, a number line, the pen and a chart want a press, a drag and a release: no
    // answer here gives those, and the run must not pass for one that ended well.
    const bool attesaTrascinamento = g.bAttesaLinea || g.bAttesaRettaNum || g.bModoPenna || g.bAttesaDiagramma;
    if (attesaTrascinamento ||
        ((attesaMouse || attesaSpazio) && !Rispondi(attesaMouse, attesaSpazio))) {
      AttesaSenzaRisposta = true;
      MessaggioAttesa = Prompt.empty() ? std::string() : Prompt.back();
      qx::TerminaEsecuzione();
    }
    FinestraConSuono::AttendiEventi(maxMs);
  }

  // The segment and polygon pickers take their 1 or 2 from the answers as the others do.
  int ScegliSegmento(const qx::TPuntoMondo& a, const qx::TPuntoMondo& b, const qx::TPuntoMondo& c) override {
    return Scelta() ? scelta_ : FinestraConSuono::ScegliSegmento(a, b, c);
  }
  int ScegliPoligono(const qx::cValore& a, const qx::cValore& b) override {
    return Scelta() ? scelta_ : FinestraConSuono::ScegliPoligono(a, b);
  }

 private:
  bool Scelta() {
    if (Risposte.empty() || (Risposte.front() != "1" && Risposte.front() != "2")) return false;
    scelta_ = Risposte.front() == "2" ? 2 : 1;
    Risposte.pop_front();
    return true;
  }
  int scelta_ = 1;
  qx::TScenaSpazio& scena_;

  // Answers the wait with the next answer; false when that answer cannot answer it.
  bool Rispondi(bool attesaMouse, bool attesaSpazio) {
    if (Risposte.empty()) return false;
    std::istringstream in(Risposte.front());
    std::string parola;
    in >> parola;
    const qx::TDatiGlob& g = qx::DatiGlob;
    bool risposto = false;
    if (parola == "CLIC" && attesaMouse && g.RifCart) {
      long double x = 0, y = 0;
      if (!(in >> x >> y)) return Errata("an answer CLIC without its two coordinates");
      qx::Clic(g.RifCart->CartInPixel({x, y}));
      risposto = true;
    } else if (parola == "CLIC3D" && attesaSpazio) {
      float x = 0, y = 0, z = 0;
      if (!(in >> x >> y >> z)) return Errata("an answer CLIC3D without its three coordinates");
      if (!qx::ClicSpazio(scena_, {x, y, z})) return Errata("CLIC3D " + Coordinate(x, y, z) + " misses the reference object");
      risposto = true;
    } else if (parola == "SCEGLI3D" && (g.bAttesaScegliOggetto || g.bAttesaClicca)) {
      std::string nome;
      in >> nome;
      qx::cVariabile* v = g.ListaVariabili && !nome.empty() ? g.ListaVariabili->Cerca(nome) : nullptr;
      auto* valore = v ? dynamic_cast<qx::cValoreGraf3D*>(v->GetValore()) : nullptr;
      if (!valore) return Errata("SCEGLI3D " + nome + ": no space value of that name");
      qx::ScegliInSpazio(*valore);
      risposto = true;
    }
    if (risposto) Risposte.pop_front();
    return risposto;
  }
  bool Errata(const std::string& problema) {
    Problemi.push_back(problema);
    Risposte.pop_front();
    return false;
  }
  static std::string Coordinate(float x, float y, float z) {
    std::ostringstream s;
    s << x << " " << y << " " << z;
    return s.str();
  }
};

}  // namespace

int main(int argc, char** argv) {
  using namespace qx;
  bool vars = false;
  std::string risposte, png, png3d, suoni, programma;
  int larghezza = 600, altezza = 400;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--vars") {
      vars = true;
    } else if (a == "--answers" && i + 1 < argc) {
      risposte = argv[++i];
    } else if (a == "--png" && i + 1 < argc) {
      png = argv[++i];
    } else if (a == "--png3d" && i + 1 < argc) {
      png3d = argv[++i];
    } else if (a == "--sounds" && i + 1 < argc) {
      suoni = argv[++i];
    } else if (a == "--size" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%dx%d", &larghezza, &altezza) != 2 || larghezza <= 0 || altezza <= 0) return Uso();
    } else if (!a.empty() && a[0] == '-') {
      return Uso();
    } else if (programma.empty()) {
      programma = a;
    } else {
      return Uso();
    }
  }
  if (programma.empty()) return Uso();
  // The space view's snapshot reads whole groups of four pixels across.
  if (!png3d.empty() && larghezza < 4) {
    std::cerr << "qxrun: --png3d needs a width of at least 4 pixels\n";
    return 2;
  }

  std::string testo, testoRisposte;
  if (!LeggiFile(programma, testo)) {
    std::cerr << "qxrun: cannot read " << programma << "\n";
    return 2;
  }
  // A text editor's byte-order mark is no part of the program.
  if (testo.starts_with("\xEF\xBB\xBF")) testo.erase(0, 3);
  if (!risposte.empty() && !LeggiFile(risposte, testoRisposte)) {
    std::cerr << "qxrun: cannot read " << risposte << "\n";
    return 2;
  }

  InizializzaDatiGlob();
  EnsureGuiApplication();
  // The space view's scene, rendered off-screen; it outlives the values that use it and the
  // window that answers its waits.
  RegistraSolidi();
  TScenaSpazio scena;
  scena.SetDimensioniVista(larghezza, altezza);
  // The walls as the window's reset leaves them, so that the picture is the window's; the
  // frame and the planes still wait for RIFCART3D, which shows no wall.
  scena.ParetiIniziali();
  InstallaScenaSpazio(&scena);
  auto suono = midi::TServiziSuono::Registrazione();
  FinestraQxrun finestra(*suono, scena);
  finestra.AnnullaSenzaRisposte = true;
  // Nothing here acts at the message hook (the answers go to the dialogs that ask): like
  // the real window, it ignores most hooks.
  finestra.Ignorati = 255;
  for (const std::string& r : DividiRighe(testoRisposte)) finestra.Risposte.push_back(r);
  test::FinestraInstallata installata(finestra);
  DatiGlob.AreaRifCart = {larghezza, altezza};
  // The window's fast run: no redraw after each statement, no line highlighted.
  DatiGlob.bEsecuzioneVeloce = true;
  DatiGlob.bEvidenziaRiga = false;
  DatiGlob.bMostraErrori = false;

  // The area's canvas: values draw on it as they are stored, and the whole picture is
  // painted again after the run, as the window does.
  TQImageCanvas canvas(larghezza, altezza);
  TAmbiente ambiente;
  ambiente.ImpostaCanvas(&canvas, larghezza, altezza);
  // The picked values are shown highlighted until the run lets them go, as in the window.
  TListValGraf scelti;
  DatiGlob.ListaValGraf = &scelti;
  const bool riuscito = ambiente.EseguiProgramma(DividiRighe(testo));
  if (riuscito) scelti.Svuota();
  DatiGlob.ListaValGraf = nullptr;

  for (const std::string& riga : finestra.Output) std::cout << riga << "\n";
  // A wait that nothing here can answer stops the run, and the run has failed.
  for (const std::string& problema : finestra.Problemi) std::cerr << "qxrun: " << problema << "\n";
  const bool attesaSenzaRisposta = finestra.AttesaSenzaRisposta;
  if (attesaSenzaRisposta)
    std::cerr << "qxrun: a wait was never answered by the script"
              << (finestra.MessaggioAttesa.empty() ? "" : ": " + finestra.MessaggioAttesa) << "\n";
  if (!riuscito) {
    // Some statements stop the run with a message box of their own, not with an error.
    const std::string messaggio = DatiGlob.MessaggioErrore.empty() && !finestra.Messaggi.empty()
                                      ? finestra.Messaggi.back().testo
                                      : DatiGlob.MessaggioErrore;
    std::cout << "#error " << DatiGlob.RigaErrore + 1 << " " << messaggio << "\n";
  }
  if (vars) {
    cListaVariabili& t = ambiente.Variabili();
    for (int i = t.Count(); i >= 1; --i) {
      const cVariabile* v = t.Elemento(i);
      if (IsPianoPredefinito(v->Nome)) continue;
      std::cout << "#var " << v->Nome << "\t" << NomeMembroTipo(v->Tipo) << "\t" << TestoValore(*v->GetValore())
                << "\n";
    }
  }
  if (!png.empty()) {
    // A new white sheet, as the window's repaint starts from: a frame whose brush is clear
    // would otherwise leave every figure drawn during the run (moved or deleted since).
    canvas.Image().fill(Qt::white);
    ambiente.DisegnaRifCart(canvas);
    if (!canvas.SalvaPng(png)) {
      std::cerr << "qxrun: cannot write " << png << "\n";
      return 2;
    }
  }
  if (!png3d.empty() && !scena.SalvaPng(png3d)) {
    std::cerr << "qxrun: cannot write " << png3d << "\n";
    return 2;
  }
  if (!suoni.empty()) {
    std::ofstream log(suoni);
    for (const std::string& riga : suono->Registro()) log << riga << "\n";
    if (!log) {
      std::cerr << "qxrun: cannot write " << suoni << "\n";
      return 2;
    }
  }
  return riuscito && !attesaSenzaRisposta && finestra.Problemi.empty() ? 0 : 1;
}
