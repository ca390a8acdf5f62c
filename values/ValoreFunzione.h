// The value that holds a formula: a function of x (T_FUNZIONE), a numeric expression
// (T_ESPRESSIONE) or a fraction (T_FRAZIONE). It keeps the text and the parsed tree,
// evaluates, copies, samples itself for a plot and for its y range. The canvas drawing
// itself is a hook that the window fills in (TracciaGraficoFunzione).
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "values/Valori.h"
#include "values/espressioni/NodoEspr.h"

namespace qx {

// What the plot needs of the Cartesian frame: its world-to-pixel mappings and the size
// of its drawing rectangle.
struct TMappaGrafico {
  std::function<Reale(Reale)> XPixel;  // world x -> pixel column
  std::function<Reale(Reale)> YPixel;  // world y -> pixel row (downwards)
  std::function<Reale(Reale)> XCart;   // pixel column -> world x
  int Larghezza = 0;                   // width of the drawing rectangle
  int Altezza = 0;                     // its height (rows 0 .. Altezza-1 are visible)
  int BordoDestro = 0;                 // right edge of the canvas clip rectangle
};
// The pieces of a plot in pixels: each is a polyline; between pieces the pen lifts.
using TPezziGrafico = std::vector<std::vector<TPoint>>;

// More samples than this are never taken for one plot, whatever the frame's width.
constexpr int MAX_CAMPIONI_GRAFICO = 20000;

class cValoreFunzione : public cValoreGraf {
 public:
  explicit cValoreFunzione(TipiValore tipo = T_FUNZIONE);
  ~cValoreFunzione() override;

  // Stored fields.
  std::string _sFunz;
  int _bGrafico = 0;  // 2: the value draws its graph
  bool _bGraficoCompleto = false;
  Reale _xa = 0, _xb = 0, _ya = 0, _yb = 0;
  bool _bEDO = false;
  Reale _EDOy0 = 0;
  // Not stored.
  bool bMessaggi = true;
  bool bDefinita = true;
  Reale yMax = 0, yMin = 0;

  const NodoEspr* Albero() const { return albero_.get(); }
  // Parses the text (blanks removed) in the mode of the kind. On failure the value has
  // no formula; the parser's message is the only one shown, and none without bMessaggi.
  bool ImpostaFunzione(const std::string& testo);
  // Takes a tree that an operation built; the text is its printed form.
  void ImpostaAlbero(PNodo albero);
  // The text reads back, in the mode of the kind, as the same formula: what a save and an
  // open keep. A tree the parser cannot write (an equation inside an operation) fails.
  bool TestoRileggibile() const;
  Reale Valuta(const Reale& x) const;

  void Disegna(TCanvas& Canvas) override;
  void DisegnaGrafico(TCanvas& Canvas);
  // The plot as polylines: samples about two pixels apart over _xa.._xb (the visible
  // range with _bGraficoCompleto), lifting the pen at undefined points and at jumps from
  // below the area to above it or back (asymptotes).
  TPezziGrafico CalcolaGrafico(const TMappaGrafico& m);
  void CalcolaMinMaxY(const TMappaGrafico& m);

  // A copy shares the formula's tree, which no value ever changes (a new formula is a new
  // tree): copying a function costs no copy of its tree.
  void CopiaIn(cValoreFunzione& Dest) const;
  // The copy of every drawable value, which an assignment to a function variable makes:
  // into another function value it is CopiaIn.
  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValore> Clona() const override;

  // Every read of a function variable copies its value: functions reuse their blocks.
  static void* operator new(std::size_t n);
  static void operator delete(void* p, std::size_t n) noexcept;

 private:
  // Sampling step and count for the range; 0 samples past the first when the range or
  // the frame is degenerate.
  void Passo(const TMappaGrafico& m, Reale& h, long& campioni) const;

  std::shared_ptr<const NodoEspr> albero_;

  // cValoreFunzione(s.Tipo) followed by s.CopiaIn, in one step (Clona).
  cValoreFunzione(const cValoreFunzione& s, ComeCopia);
};

// The canvas side of a plot, set by the window: it maps with the frame, calls
// CalcolaGrafico and draws the pieces with the value's pen. Nothing is drawn while unset.
extern std::function<void(TCanvas&, cValoreFunzione&)> TracciaGraficoFunzione;
// The differential-equation solver used in ODE mode: (f(x, y), xa, xb, y0 at xa, steps,
// x) -> y(x). While unset, a value in ODE mode is "Non definita".
extern std::function<Reale(const NodoEspr&, Reale, Reale, Reale, int, Reale)> RisolviEDOFunzione;

}  // namespace qx
