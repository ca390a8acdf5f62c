// A frame of 20 pixels a unit centred in a 600 x 400 area, and figures put straight into
// the variable table as a program would have stored them.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "runstate/DatiGlob.h"
#include "tests/support/Esecuzione.h"
#include "values/RifCart.h"
#include "values/ValoriScalari.h"
#include "values/VettoriMatrici.h"
#include "values/figure/ValoreAngolo.h"
#include "values/figure/ValoreArco.h"
#include "values/figure/ValoreCerchio.h"
#include "values/figure/ValorePoligono.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"

namespace qx::test {

class Costruzioni : public ::testing::Test {
 protected:
  Esecuzione run;

  void SetUp() override {
    run.ambiente.InizializzaAmbiente();
    ASSERT_TRUE(Comando("RIFCART(20, 20);")) << DatiGlob.MessaggioErrore;
  }

  bool Comando(const std::string& riga) { return run.ambiente.EseguiComando({riga}); }
  std::string Errore() const { return DatiGlob.MessaggioErrore; }

  template <class T>
  T& Aggiungi(const std::string& nome, std::unique_ptr<T> v) {
    T& rif = *v;
    v->Nome = nome;
    run.ambiente.Variabili().Aggiungi(std::make_unique<cVariabile>(nome, std::move(v)));
    return rif;
  }
  cValorePunto& Punto(const std::string& nome, Reale x, Reale y) {
    auto p = std::make_unique<cValorePunto>();
    p->xCart = x;
    p->yCart = y;
    p->bCoordCartesiane = true;
    const TPoint px = DatiGlob.RifCart->CartInPixel({x, y});
    p->ImpostaPixel(px.x, px.y);
    return Aggiungi(nome, std::move(p));
  }
  cValoreRetta& Retta(const std::string& nome, TipiValore tipo, Reale x1, Reale y1, Reale x2, Reale y2) {
    auto r = std::make_unique<cValoreRetta>(tipo);
    r->x1 = x1;
    r->y1 = y1;
    r->x2 = x2;
    r->y2 = y2;
    r->bCoordCartesiane = true;
    return Aggiungi(nome, std::move(r));
  }
  cValoreCerchio& Cerchio(const std::string& nome, Reale x, Reale y, Reale r) {
    auto c = std::make_unique<cValoreCerchio>();
    c->x = x;
    c->y = y;
    c->r = r;
    c->bCoordCartesiane = true;
    return Aggiungi(nome, std::move(c));
  }
  cValorePoligono& Poligono(const std::string& nome, std::initializer_list<TPuntoMondo> vertici, bool chiuso = true) {
    auto p = std::make_unique<cValorePoligono>();
    for (const auto& v : vertici) p->Punti.Aggiungi(v.x, v.y);
    p->bChiuso = chiuso;
    return Aggiungi(nome, std::move(p));
  }
  cVettReale& Vettore(const std::string& nome, std::initializer_list<Reale> valori) {
    auto v = std::make_unique<cVettReale>(static_cast<int>(valori.size()));
    int i = 0;
    for (Reale x : valori) v->Scrivi(++i, x);
    return Aggiungi(nome, std::move(v));
  }

  Reale Numero(const std::string& nome) {
    auto* v = dynamic_cast<cValoreReale*>(run.Valore(nome));
    EXPECT_NE(v, nullptr) << nome;
    return v ? v->Value : -12345;
  }
  template <class T>
  T& Di(const std::string& nome) {
    auto* v = dynamic_cast<T*>(run.Valore(nome));
    if (!v) throw std::runtime_error("no value " + nome + " of that kind");
    return *v;
  }
  // Pixel of a world point in this frame.
  static TPoint Px(Reale x, Reale y) { return DatiGlob.RifCart->CartInPixel({x, y}); }
};

}  // namespace qx::test
