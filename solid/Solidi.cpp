#include "solid/Solidi.h"

#include "interpreter/ComandiGenerali.h"
#include "interpreter/Dispatch.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "solid/Comandi3D.h"
#include "solid/Facce3D.h"
#include "solid/Funzione3D.h"
#include "solid/Gruppo3D.h"
#include "solid/Parall3D.h"
#include "solid/Poliedri3D.h"
#include "solid/Retta3D.h"
#include "solid/Piano3D.h"
#include "solid/Punto3D.h"
#include "solid/RifCart3D.h"
#include "solid/Rotondi3D.h"
#include "values/RegistroSpazio.h"

namespace qx {

namespace {

// A space value has no elements and no members.
PValore NessunMembro(cVariabile&, ListaArgomenti&, bool Esegui) {
  if (Esegui) ReportError(ParoleChiave.msgIdentificatore, true);
  return nullptr;
}

// The value a program file fills: every size 1, a plane 10 x 10.
void RegistraCostruttori() {
  RegistraValoreSpazio(T_GRUPPO3D, [] { return std::make_unique<cValoreGruppo3D>(); });
  RegistraValoreSpazio(T_SFERA3D, [] { return std::make_unique<cValoreSfera3D>(nullptr, 1); });
  RegistraValoreSpazio(T_PUNTO3D, [] { return std::make_unique<cValorePunto3D>(); });
  RegistraValoreSpazio(T_PIANO3D, [] { return std::make_unique<cValorePiano3D>(10, 10); });
  RegistraValoreSpazio(T_CILINDRO3D, [] { return std::make_unique<cValoreCilindro3D>(1, 1); });
  RegistraValoreSpazio(T_CONO3D, [] { return std::make_unique<cValoreCono3D>(false, 1, 1); });
  RegistraValoreSpazio(T_PIRAMIDE3D, [] { return std::make_unique<cValorePiramide3D>(1, 1); });
  RegistraValoreSpazio(T_CUBO3D, [] { return std::make_unique<cValoreParall3D>(T_CUBO3D); });
  RegistraValoreSpazio(T_PARALL3D, [] { return std::make_unique<cValoreParall3D>(T_PARALL3D); });
  RegistraValoreSpazio(T_SEGMENTO3D, [] { return std::make_unique<cValoreRetta3D>(T_SEGMENTO3D); });
  RegistraValoreSpazio(T_RETTA3D, [] { return std::make_unique<cValoreRetta3D>(T_RETTA3D); });
  RegistraValoreSpazio(T_FUNZIONE3D, [] { return std::make_unique<cValoreFunzione3D>(); });
  RegistraValoreSpazio(T_FACCIA3D, [] { return std::make_unique<cValoreFaccia3D>(); });
  RegistraValoreSpazio(T_SOLIDO3D, [] { return std::make_unique<cValoreSolido3D>(0); });
  for (TipiValore t : {T_TETRAEDRO3D, T_PRISMA3D, T_OTTAEDRO3D, T_DODECAEDRO3D, T_ICOSAEDRO3D})
    RegistraValoreSpazio(t, [t] { return std::make_unique<cValoreTetraedro3D>(t, nullptr, 1, 1); });
}

}  // namespace

void RegistraSolidi() {
  static const bool fatto = [] {
    spazio::RegistraComandiPunti();
    spazio::RegistraComandiSolidi();
    spazio::RegistraComandiGruppi();
    CreaRifCart3D() = CreaNuovoRifCart3D;
    ServiziSpazio().ColoraMateriale = [](cValoreGraf& v, TColor c) {
      if (auto* s = dynamic_cast<cValoreGraf3D*>(&v)) s->ColoraMateriale(c);
    };
    ServiziSpazio().PrimaDiCancellare = [](cValore& v) {
      if (auto* g = dynamic_cast<cValoreGruppo3D*>(&v)) g->LiberaMembri();
    };
    for (int t = T_GRUPPO3D; t <= T_ICOSAEDRO3D; ++t) RegistraLettore(static_cast<TipiValore>(t), NessunMembro);
    RegistraCostruttori();
    return true;
  }();
  (void)fatto;
}

}  // namespace qx
