// The frame that every plane-geometry command shares: argument forms recognised by count
// and kind, the "no form matched" report, the store of the new value under an anonymous
// name, and the small builders of points and lines in world coordinates.
//
// A handler is written as
//   PValore CmdX(ListaArgomenti& a, const std::string& nome, bool Esegui) {
//     return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore { ... });
//   }
// where the body calls e.Combacia() as soon as a form matches. A body that reports an
// error of its own (ReportError) just returns nullptr.
#pragma once
#include <cmath>
#include <functional>
#include <type_traits>
#include <initializer_list>
#include <memory>
#include <string>

#include "interpreter/Argomenti.h"
#include "interpreter/Dispatch.h"
#include "values/GeometriaAnalitica.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"

namespace qx {
class cValoreAngolo;
class cValoreArco;
}  // namespace qx

namespace qx::geo {

// What a body tells the frame besides its value.
struct Esito {
  bool memorizza = true;  // false: the value is returned but not stored (a picked copy)
  void Combacia();        // a form matched: no argument error at the end
};

// The body of a command, called by the frame while the command's call lasts: a reference to
// the caller's lambda, which nothing copies (a std::function would allocate room for the
// lambda's references at every call).
class CorpoComando {
 public:
  // Implicit, as a lambda converts to std::function.
  template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, CorpoComando>>>
  CorpoComando(F&& corpo)
      : corpo_(&corpo), chiama_([](void* c, Esito& e) -> PValore {
          return (*static_cast<std::remove_reference_t<F>*>(c))(e);
        }) {}
  PValore operator()(Esito& e) const { return chiama_(corpo_, e); }

 private:
  void* corpo_;
  PValore (*chiama_)(void*, Esito&);
};

// bParametriErrati set; nothing when not executing; the body; "Parametri errati per " +
// nome when no form matched; otherwise the new value stored as "$n" and returned.
PValore Cornice(const std::string& nome, bool Esegui, CorpoComando corpo);

// Exactly these kinds in this order (T_1 stands for any kind).
bool Forma(const ListaArgomenti& a, std::initializer_list<TipiValore> tipi);
// At least these kinds first.
bool Inizia(const ListaArgomenti& a, std::initializer_list<TipiValore> tipi);
bool TipoTra(TipiValore t, std::initializer_list<TipiValore> tipi);

// Lines, segments and rays (not number lines or oriented lines).
bool IsRettaSegmentoSemiretta(TipiValore t);

TPuntoMondo PuntoArg(const ListaArgomenti& a, int i);
const cValoreRetta& RettaArg(const ListaArgomenti& a, int i);
inline TPuntoMondo Primo(const cValoreRetta& r) { return {r.x1, r.y1}; }
inline TPuntoMondo Secondo(const cValoreRetta& r) { return {r.x2, r.y2}; }

// The far end of side k of an angle: sides are numbered along the angle's orientation, so
// side 1 ends at the first side point of an anticlockwise angle and at the second of a
// clockwise one (k other than 1 is side 2).
TPuntoMondo FineLato(const cValoreAngolo& angolo, bool primo);
// The start point of an arc or sector (primo) or its end point.
TPuntoMondo EstremoArco(const cValoreArco& arco, bool primo);

// An angle measure at cell i: one angle value, or one to three numbers (degrees, minutes,
// seconds). Degrees and minutes are rounded (Tronca false) or truncated (Tronca true).
// `dopo` is the first cell after the measure. False when cell i starts no measure.
bool MisuraAngolo(const ListaArgomenti& a, int i, bool Tronca, Reale& gradi, int& dopo);
// The first letter of the string at cell i when it is "O" or "A", else 0.
char Verso(const ListaArgomenti& a, int i);

// Numeric noise around zero taken as zero, so that no coordinate prints as "-0".
Reale Netto(Reale x);
TPuntoMondo Netto(const TPuntoMondo& p);
// dove := Netto(x), as bytes (see CopiaReale).
inline void NettoIn(Reale& dove, const Reale& x) {
  // From 2^-39 (about 1.8e-12) up, the exponent alone says that x stays.
  if (EsponenteReale(x) < 16383 - 39 && std::fabs(x) < 1e-12L) AzzeraReale(dove);
  else CopiaReale(dove, x);
}
// The point of the numbers in the cells i and i + 1.
TPuntoMondo PuntoDaNumeri(const ListaArgomenti& a, int i);

bool RifCartPresente();
// The report "nome: Occorre prima fissare il Riferimento Cartesiano" when there is no frame.
bool ControllaRifCart(const std::string& nome);
// The report of the argument error, the report of a message; both give nothing.
PValore ErroreParametri(const std::string& nome);
PValore Errore(const std::string& messaggio);

// New values in world coordinates (their pixels follow from the frame when there is one).
std::unique_ptr<cValorePunto> NuovoPunto(const TPuntoMondo& p);
std::unique_ptr<cValoreRetta> NuovaRetta(TipiValore tipo, const TPuntoMondo& A, const TPuntoMondo& B);
// The line through A and B cut at the left and right edges of the visible window (a
// vertical one at the top and bottom edges).
std::unique_ptr<cValoreRetta> RettaAttraverso(const TPuntoMondo& A, const TPuntoMondo& B);
// y = m x + q across the visible width.
std::unique_ptr<cValoreRetta> RettaDiEquazione(Reale m, Reale q);

// Stores a copy of v under an anonymous name and draws it.
void Memorizza(cValore& v);

// Waits for a click on an existing point (prompt as given); nullptr when interrupted.
const cValorePunto* ScegliPuntoEsistente(const std::string& prompt);
// Draws the picked values without highlight and forgets them.
void SvuotaScelti();

// Uniform random real in [0, 1) and integer in 0 .. n-1 of the language's generator.
Reale Casuale();
int CasualeIntero(int n);

}  // namespace qx::geo
