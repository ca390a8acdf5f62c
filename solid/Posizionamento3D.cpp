#include "solid/Posizionamento3D.h"

#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"
#include "solid/Piano3D.h"

namespace qx {

TPianoInPosizionamento& PianoInPosizionamento() {
  static TPianoInPosizionamento p;
  return p;
}

void SeguiPuntoMobile(const TAffineVector& punto) {
  TPianoInPosizionamento& p = PianoInPosizionamento();
  if (!p.Piano || !p.Piano->Principale()) return;
  const TAffineVector n = VectorCrossProduct(VectorSubtract(p.P2, p.P1), VectorSubtract(punto, p.P1));
  const float l = VectorLength(n);
  if (!(l > 1e-6f)) return;
  p.Piano->Principale()->SetDirection(VectorScale(n, 1 / l));
  p.Piano->SetPosizione(p.P1);
}

void IniziaPosizionamento3D(TGLBaseSceneObject& oggetto) {
  TDatiGlob& g = DatiGlob;
  g.OggettoGLInMovimento = &oggetto;
  g.bAttesaPunto3D = true;
  g.bAttesaPunto3DSu = false;
  oggetto.SetVisible(true);
  oggetto.SetShowAxes(true);
  g.CursoreSchermo = crHandPoint;
  Finestra().ImpostaCursore(crHandPoint);
}

void FinePosizionamento3D(TGLBaseSceneObject* oggetto) {
  TDatiGlob& g = DatiGlob;
  // The object may have gone with its value while the run was stopped.
  if (oggetto && g.OggettoGLInMovimento == oggetto) oggetto->SetShowAxes(false);
  g.OggettoGLInMovimento = nullptr;
  g.OggettoGLRiferimento = nullptr;
  g.OggettoGLScelto = nullptr;
  g.CursoreSchermo = crDefault;
  Finestra().ImpostaCursore(crDefault);
}

bool Posiziona3D(cValoreGraf3D& valore, const std::string& prompt) {
  TDatiGlob& g = DatiGlob;
  TGLBaseSceneObject* oggetto = valore.Principale();
  if (!oggetto) return !g.bInterrotto;
  const TAttesaMouse numerata;
  IniziaPosizionamento3D(*oggetto);
  WindowServices& f = Finestra();
  if (!prompt.empty()) f.ImpostaMessaggio(prompt);
  bool* attesa = &g.bAttesaPunto3D;
  if (g.OggettoGLRiferimento) {
    g.bAttesaPunto3DSu = true;
    attesa = &g.bAttesaPunto3DSu;
  }
  while (*attesa && !g.bInterrotto) f.AttendiEventi(10);
  g.bAttesaPunto3D = g.bAttesaPunto3DSu = false;
  if (!prompt.empty()) f.ImpostaMessaggio("");
  FinePosizionamento3D(valore.Principale());
  return !g.bInterrotto;
}

}  // namespace qx
