// qxrun: runs a plain-text program without a window, as the window's program run does, and
// prints what the run showed. A test tool: the tests and benchmarks drive the language
// through it.
//
//   qxrun [--vars] [--answers FILE] [--png FILE] [--png3d FILE] [--size WxH] [--sounds FILE] PROGRAM
//
// The answers file has one answer per line, in the order the run asks: a number, a text,
// SI, NO or ANNULLA for a dialog, 1 or 2 for a two-choice picker, CLIC x y for a wait for
// the mouse (a click at the world point x, y).
// Output: every line appended to the output pane; then, when the run did not end
// successfully, "#error N MESSAGE" (N the 1-based error line, 0 for none); then, with
// --vars, "#var NAME<TAB>TYPE<TAB>TEXT" per variable, oldest first. Sounds play on the
// recording back-end; --sounds writes its log (beeps, files, notes) to FILE. --png3d writes
// the space view rendered off-screen (no display is needed), of the same size as --png.
// Exit status: 0 success (STOP included), 1 failure, 2 usage error or unreadable file.
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
#include "solid/ScenaSpazio.h"
#include "solid/Solidi.h"
#include "tests/support/FinestraConSuono.h"
#include "values/RifCart.h"

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
// world point (x, y), as the pupil's click there would.
class FinestraQxrun : public qx::test::FinestraConSuono {
 public:
  using FinestraConSuono::FinestraConSuono;

  void AttendiEventi(int maxMs) override {
    const qx::TDatiGlob& g = qx::DatiGlob;
    const bool attesaMouse = g.bAttesaPunto || g.bAttesaScegliPunto || g.bAttesaScegliSegmento ||
                             g.bAttesaScegliOggetto || g.bAttesaScegliLato || g.bAttesaScegliVertice ||
                             g.bAttesaClicca || g.bAttesaPuntoSu || g.bAttesaFigura || g.bAttesaTesto ||
                             g.bAttesaImmagine || g.bAttesaSegmento;
    if (attesaMouse && g.RifCart && !Risposte.empty() && Risposte.front().rfind("CLIC ", 0) == 0) {
      std::istringstream in(Risposte.front().substr(5));
      Risposte.pop_front();
      long double x = 0, y = 0;
      if (in >> x >> y)
        qx::Clic(g.RifCart->CartInPixel({x, y}));
      else
        Problemi.push_back("an answer CLIC without its two coordinates");
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
};

bool IsPianoPredefinito(const std::string& nome) {
  return nome == "PIANOXY" || nome == "PIANOYZ" || nome == "PIANOXZ";
}

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

  std::string testo, testoRisposte;
  if (!LeggiFile(programma, testo)) {
    std::cerr << "qxrun: cannot read " << programma << "\n";
    return 2;
  }
  if (!risposte.empty() && !LeggiFile(risposte, testoRisposte)) {
    std::cerr << "qxrun: cannot read " << risposte << "\n";
    return 2;
  }

  InizializzaDatiGlob();
  auto suono = midi::TServiziSuono::Registrazione();
  FinestraQxrun finestra(*suono);
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
  EnsureGuiApplication();
  TQImageCanvas canvas(larghezza, altezza);
  // The space view's scene, rendered off-screen; it outlives the values that use it.
  RegistraSolidi();
  TScenaSpazio scena;
  scena.SetDimensioniVista(larghezza, altezza);
  InstallaScenaSpazio(&scena);
  TAmbiente ambiente;
  ambiente.ImpostaCanvas(&canvas, larghezza, altezza);
  const bool riuscito = ambiente.EseguiProgramma(DividiRighe(testo));

  for (const std::string& riga : finestra.Output) std::cout << riga << "\n";
  // A wait for the mouse that nothing here can answer ends the run as a stop would.
  for (const std::string& problema : finestra.Problemi) std::cerr << "qxrun: " << problema << "\n";
  if (!riuscito) std::cout << "#error " << DatiGlob.RigaErrore + 1 << " " << DatiGlob.MessaggioErrore << "\n";
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
  return riuscito ? 0 : 1;
}
