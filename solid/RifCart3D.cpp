#include "solid/RifCart3D.h"

#include <memory>

#include "interpreter/Istruzioni.h"
#include "runstate/DatiGlob.h"
#include "solid/Piano3D.h"
#include "solid/ScenaSpazio.h"
#include "values/Variabili.h"

namespace qx {

namespace {

std::unique_ptr<cRifCart3D>& Corrente() {
  static std::unique_ptr<cRifCart3D> r;
  return r;
}

void PianoDellaParete(const char* nome, TGLCube* parete) {
  cValorePiano3D piano(10, 10);
  StoreVariable(true, nome, piano, nullptr);
  cVariabile* var = DatiGlob.ListaVariabili ? DatiGlob.ListaVariabili->Cerca(nome) : nullptr;
  if (auto* memorizzato = var ? dynamic_cast<cValorePiano3D*>(var->GetValore()) : nullptr)
    memorizzato->UsaParete(parete);
}

}  // namespace

void CreaNuovoRifCart3D() {
  TDatiGlob& g = DatiGlob;
  TScenaSpazio& scena = ScenaSpazio();
  g.RifCart3D = nullptr;
  Corrente() = std::make_unique<cRifCart3D>(scena);
  g.RifCart3D = Corrente().get();
  PianoDellaParete("PIANOXY", scena._GLCXY);
  PianoDellaParete("PIANOYZ", scena._GLCYZ);
  PianoDellaParete("PIANOXZ", scena._GLCXZ);
}

void DimenticaRifCart3D(const TScenaSpazio* scena) {
  if (Corrente() && Corrente()->Scena == scena) {
    if (DatiGlob.RifCart3D == Corrente().get()) DatiGlob.RifCart3D = nullptr;
    Corrente().reset();
  }
}

}  // namespace qx
