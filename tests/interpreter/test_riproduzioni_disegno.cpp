// Loops that build plane figures, run from their recordings and from their text, must draw the
// same pixels on the canvas (as they are when the run ends, without a repaint) and leave the
// same variables, whatever the window does at any of the message hooks: the anonymous object
// that a command makes as the whole value of an assignment never enters the variable table, yet
// its copy is drawn and the object counter moves as the store makes them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "interpreter/Istruzioni.h"
#include "platform/qt/ApplicazioneQt.h"
#include "platform/qt/QImageCanvas.h"
#include "tests/interpreter/Riproduzioni.h"
#include "values/figure/ValorePunto.h"

namespace qx {
namespace {

using test::Istantanea;
using test::Prova;

struct Disegno {
  Istantanea istantanea;
  QImage immagine;
};

Disegno EseguiConCanvas(const std::string& programma, bool riproduzioni, Prova prova) {
  EnsureGuiApplication();
  auto canvas = std::make_shared<TQImageCanvas>(300, 200);
  const auto prepara = prova.prepara;
  prova.prepara = [canvas, prepara](test::Esecuzione& run) {
    run.ambiente.ImpostaCanvas(canvas.get(), 300, 200);
    if (prepara) prepara(run);
  };
  Disegno d;
  d.istantanea = test::Esegui(programma, riproduzioni, prova);
  d.immagine = canvas->Image().copy();
  DatiGlob.CanvasRifCart = nullptr;
  return d;
}

void Confronta(const std::string& programma, const Prova& prova = {}) {
  const Disegno testo = EseguiConCanvas(programma, false, prova);
  const Disegno ricordata = EseguiConCanvas(programma, true, prova);
  ASSERT_EQ(ricordata.istantanea, testo.istantanea) << programma;
  ASSERT_TRUE(ricordata.immagine == testo.immagine) << "different pixels for:\n" << programma;
}

const char* const kProgrammi[] = {
    ("RIFCART;\nPER (I DA 1 A 6) ESEGUI;\n  P = PUNTO(I MOD 10, I MOD 7);\n  Q = PUNTO(3, I MOD 5);\n"
     "  S = SEGMENTO(P, Q);\n  C = CIRC(P, 1 + I MOD 3);\n  R = RETTA(Q, PUNTO(I, 0));\nFINE;"),
    ("RIFCART;\nPER (I DA 1 A 5) ESEGUI;\n  COLORE(I);\n  S = SEGMENTO(PUNTO(I, 1), PUNTO(1, I));\n"
     "  PUNTO(I, I + 1);\n  T = TRIANGOLO_EQUILATERO(PUNTO(0, 0), PUNTO(I, 0));\n  A = ARCO(PUNTO(0, 0), PUNTO(I, 1), 90);\nFINE;"),
    ("RIFCART; L = LISTA(3);\nPER (I DA 1 A 3) ESEGUI;\n  L(I) = PUNTO(I, 2 * I);\n  M = PUNTO_MEDIO(L(I), PUNTO(0, I));\n"
     "  D = DISTANZA(PUNTO(0, 0), M);\nFINE;"),
    "PER (I DA 1 A 3) ESEGUI; P = PUNTO(I, I); FINE;",
};

TEST(RiproduzioniDisegnoTest, FiguresBuiltInLoopsDrawAndStoreWhatTheirTextDoes) {
  for (const char* p : kProgrammi) {
    for (const bool veloce : {true, false}) {
      Prova prova;
      prova.veloce = veloce;
      Confronta(p, prova);
    }
  }
}

TEST(RiproduzioniDisegnoTest, WhatTheWindowDoesAtAnyHookIsSeenAsTheTextSeesIt) {
  const std::function<void()> azioni[] = {
      [] { TerminaEsecuzione(); },
      // An object of the name that the next anonymous object will take: the store changes it
      // and the assignment removes it.
      [] {
        cValorePunto p;
        StoreVariable(true, "$" + std::to_string(DatiGlob.ContatoreOggetti + 1), p, nullptr);
      },
      [] {
        cValorePunto p;
        StoreVariable(true, "P", p, nullptr);
      },
      [] { DatiGlob.ListaVariabili->Elimina("Q"); },
      // A figure that is not drawn when stored again: only the anonymous copy shows.
      [] {
        for (const char* nome : {"P", "S", "C", "R"})
          if (cVariabile* v = DatiGlob.ListaVariabili->Cerca(nome))
            if (cValoreGraf* f = v->GetValore()->ComeGrafico()) f->bVisibile = false;
      },
  };
  for (const char* p : kProgrammi)
    for (const auto& azione : azioni)
      for (std::uint64_t al = 1; al <= 60; al += 3) {
        Prova prova;
        prova.veloce = al % 2 == 0;
        prova.al = al;
        prova.azione = azione;
        Confronta(p, prova);
      }
}

}  // namespace
}  // namespace qx
