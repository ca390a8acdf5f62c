// The environment a run starts in, without a window: the variable table, the trace points
// and the drawing state reset as the window resets them, then a program run as the window's
// run command runs it. The headless runner, the tests and the benchmarks use it; the main
// window does the same steps with its own widgets.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "values/Collezioni.h"
#include "values/RifCart.h"
#include "values/Variabili.h"

namespace qx {

class TAmbiente {
 public:
  TAmbiente();
  ~TAmbiente();
  TAmbiente(const TAmbiente&) = delete;
  TAmbiente& operator=(const TAmbiente&) = delete;

  // Resets the environment: a new empty variable table, the start-up pen, brush and
  // background, trace on, no pick pending.
  void InizializzaAmbiente();
  // Runs program text as the window's run command does; true when it ended without error
  // (STOP and the user's stop included).
  bool EseguiProgramma(const std::vector<std::string>& righe);
  // Runs one command-bar line (immediate mode) in the current environment.
  bool EseguiComando(const std::vector<std::string>& righe);

  cListaVariabili& Variabili() { return *variabili_; }

  // The canvas of the 2D area (not owned) and its size; the frame draws on it.
  void ImpostaCanvas(TCanvas* canvas, int larghezza, int altezza);
  // (Re)initialises the frame: squared paper, origin one pixel in from the bottom-left
  // corner, 38 pixels per unit, the start-up font.
  void PreparaRifCart();
  // Repaints the whole area: the frame's background, every drawable value from the oldest
  // to the newest, then the trace points above them.
  void DisegnaRifCart(TCanvas& canvas);
  cRifCart* RifCart() { return rifCart_.get(); }
  // The state of the window's "Mostra griglia" button (down at start).
  bool bMostraGriglia = true;

 private:
  std::unique_ptr<cListaVariabili> variabili_;
  std::unique_ptr<cRifCart> rifCart_;
  std::unique_ptr<TCollPunti> puntiTraccia_;
  TCanvas* canvas_ = nullptr;
  int larghezza_ = 600, altezza_ = 400;
};

// The text that the object list writes after a non-drawable value's name and its equals
// sign (a real with two decimals, VERO or FALSO, a string as it is, an angle measure), or
// a drawable value's description.
std::string TestoValore(const cValore& v);

// Splits a text into lines at LF, CR LF or CR.
std::vector<std::string> DividiRighe(const std::string& testo);

}  // namespace qx
