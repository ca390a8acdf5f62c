#include "solid/LatoSpazio.h"

#include <algorithm>
#include <cmath>

#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"
#include "solid/Gruppo3D.h"
#include "solid/Parall3D.h"
#include "solid/Posizionamento3D.h"
#include "solid/Punto3D.h"
#include "solid/Rotondi3D.h"
#include "solid/Valore3D.h"
#include "values/Variabili.h"

namespace qx {

namespace {

TAffineVector Affine(const THomogeneousVector& v) { return {v.X, v.Y, v.Z}; }

void ColoraEmissione(TGLBaseSceneObject* o, float e) {
  const TColorVector c{e, e, e, 1};
  if (auto* m = dynamic_cast<TGLCustomSceneObject*>(o)) m->Material().FrontProperties().Emission().SetColor(c);
  for (int i = 0; i < o->Count(); ++i)
    if (auto* f = dynamic_cast<TGLCustomSceneObject*>(o->GetChild(i)); f && f->Tag >= TAG_PARTE)
      f->Material().FrontProperties().Emission().SetColor(c);
}

// The members of the group that `v` belongs to (found by name), or `v` alone.
std::vector<cValoreGraf3D*> Membri(cValoreGraf3D& v) {
  std::vector<cValoreGraf3D*> membri;
  cListaVariabili* t = DatiGlob.ListaVariabili;
  cVariabile* var = t && !v.varGruppo.empty() ? t->Cerca(v.varGruppo) : nullptr;
  if (auto* g = var ? dynamic_cast<cValoreGruppo3D*>(var->GetValore()) : nullptr)
    for (cValoreGraf* m : g->Membri())
      if (auto* m3 = dynamic_cast<cValoreGraf3D*>(m)) membri.push_back(m3);
  if (std::find(membri.begin(), membri.end(), &v) == membri.end()) membri.push_back(&v);
  return membri;
}

// How far a value is raised off the surface it is dragged on: a sphere by its radius, a
// box by half its depth.
float Rialzo(const TGLBaseSceneObject* o) {
  const cValoreGraf3D* v = ValoreDiOggetto(o);
  if (!v) return 0;
  if (v->Tipo == T_SFERA3D) return float(static_cast<const cValoreSfera3D*>(v)->Raggio);
  if (const auto* b = dynamic_cast<const cValoreParall3D*>(v)) return std::max(float(b->Profondita), 0.0f) / 2;
  return 0;
}

// Where the ray from `inizio` along `raggio` meets `o`, raised off it along its normal for
// the value `mobile` being moved onto it.
bool PuntoSuOggetto(const THomogeneousVector& inizio, const THomogeneousVector& raggio, TGLBaseSceneObject* o,
                    const TGLBaseSceneObject* mobile, TAffineVector& punto) {
  if (!o || !o->Visible()) return false;
  THomogeneousVector colpo, normale;
  if (!o->IntersectRay(inizio, raggio, &colpo, &normale)) return false;
  TAffineVector n = Affine(normale);
  if (VectorLength(n) > 0) NormalizeVector(n);
  punto = VectorCombine(Affine(colpo), n, 1, Rialzo(mobile));
  return std::isfinite(punto.X) && std::isfinite(punto.Y) && std::isfinite(punto.Z);
}

}  // namespace

bool ScegliInSpazio(cValoreGraf3D& v) {
  TDatiGlob& g = DatiGlob;
  if (g.bAttesaClicca) {
    // CLICCA only wants the name: nothing is marked and nothing sounds, as on the plane.
    g.OggettoScelto = &v;
    g.bAttesaClicca = false;
    return true;
  }
  if (!g.bAttesaScegliOggetto) return false;
  g.OggettoScelto = &v;
  v.bSelezionato = true;
  g.bAttesaScegliOggetto = false;
  Finestra().BeepTono(500, 100);
  Finestra().BeepTono(600, 100);
  return true;
}

bool ClicSpazio(TScenaSpazio& scena, const TAffineVector& punto) {
  TDatiGlob& g = DatiGlob;
  TGLBaseSceneObject* o = g.OggettoGLInMovimento;
  if (!o || !(g.bAttesaPunto3D || g.bAttesaPunto3DSu)) return false;
  TAffineVector posto = punto;
  if (g.bAttesaPunto3DSu) {
    // On the reference: where the line of sight through the point meets it.
    if (!scena.GLCamera1 || !g.OggettoGLRiferimento) return false;
    const THomogeneousVector occhio = scena.GLCamera1->AbsolutePosition();
    const THomogeneousVector raggio = VectorNormalize(VectorSubtract(VectorFromAffine(punto, 1), occhio));
    if (!PuntoSuOggetto(occhio, raggio, g.OggettoGLRiferimento, o, posto)) return false;
  }
  o->SetAbsolutePosition(VectorFromAffine(posto, 1));
  if (g.bAttesaPiano3D) SeguiPuntoMobile(posto);
  // The click's release ends the wait, as the view's does.
  g.OggettoGLScelto = nullptr;
  g.bAttesaPunto3D = false;
  g.bAttesaPunto3DSu = false;
  return true;
}

TLatoSpazio::TLatoSpazio(TScenaSpazio& scena, TGLSceneBuffer& buffer) : scena_(scena), buffer_(buffer) {
  RegistraRiferimentoGL(&evidenziato_);
}

TLatoSpazio::~TLatoSpazio() { AnnullaRiferimentoGL(&evidenziato_); }

TGLBaseSceneObject* TLatoSpazio::Prendi(int x, int y, bool& griglia) {
  griglia = false;
  // The walls and the arrows are seen through: a value behind them is taken, nearest first.
  const auto scelti = buffer_.PickObjectsInRect({x - 1, y - 1, x + 1, y + 1}, 64);
  TGLBaseSceneObject* o = nullptr;
  for (int i = 0; i < scelti->Count() && !o; ++i) {
    TGLBaseSceneObject* c = scelti->Hit(i);
    if (c->Tag == TAG_MAI_SCELTO) {
      griglia = true;
      return nullptr;
    }
    if (c->Tag != TAG_NON_SELEZIONABILE) o = c;
  }
  // A part climbs to its value's object: an edge may lie in a face that is itself a part.
  while (o && (o->Tag == TAG_PARTE || o->Tag == TAG_SPIGOLO)) o = o->Parent();
  return o;
}

TAffineVector TLatoSpazio::PuntoSotto(int x, int y, TGLBaseSceneObject* o) const {
  if (!o) return {0, 0, 0};
  const THomogeneousVector p = o->AbsolutePosition();
  THomogeneousVector r;
  const float sy = float(buffer_.Height() - y);
  const bool riuscito = pianoYZ_ ? buffer_.ScreenPointOnPlaneYZ(float(x), sy, p.X, r)
                                 : buffer_.ScreenPointOnPlaneXY(float(x), sy, p.Z, r);
  if (!riuscito || !std::isfinite(r.X) || !std::isfinite(r.Y) || !std::isfinite(r.Z)) return Affine(p);
  return Affine(r);
}

bool TLatoSpazio::PuntoSu(int x, int y, TGLBaseSceneObject* o, const TGLBaseSceneObject* mobile,
                          TAffineVector& punto) const {
  if (!o || !o->Visible()) return false;
  const THomogeneousVector raggio = VectorNormalize(buffer_.ScreenToVector(float(x), float(buffer_.Height() - y)));
  return PuntoSuOggetto(buffer_.CameraAbsolutePosition(), raggio, o, mobile, punto);
}

void TLatoSpazio::Evidenzia(TGLBaseSceneObject* o) {
  if (o == evidenziato_) return;
  TogliEvidenza();
  if (!o || o->Tag == TAG_NON_SELEZIONABILE) return;
  evidenziato_ = o;
  ColoraEmissione(o, EMISSIONE_EVIDENZIATA);
}

void TLatoSpazio::TogliEvidenza() {
  if (!evidenziato_) return;
  ColoraEmissione(evidenziato_, 0);
  evidenziato_->SetShowAxes(false);
  evidenziato_ = nullptr;
}

void TLatoSpazio::Render() {
  if (Ridisegna) Ridisegna();
  else buffer_.Render();
}

// ---- Events ----

void TLatoSpazio::MouseDown(int x, int y, const TTastiMouse& tasti, bool sinistro) {
  TDatiGlob& g = DatiGlob;
  ultimoX_ = x;
  ultimoY_ = y;
  pianoYZ_ = tasti.Shift;
  g.bMouseCatturato = true;
  g.OggettoGLScelto = nullptr;
  // A chord is no new click: the left press held keeps the wait it belongs to.
  if (sinistro) PressioneMouse();
  bool griglia = false;
  TGLBaseSceneObject* o = Prendi(x, y, griglia);
  if (griglia) return;
  g.OggettoGLScelto = o;
  if (!o) return;
  cValoreGraf3D* v = ValoreDiOggetto(o);
  inizio_ = PuntoSotto(x, y, o);
  if (v && tasti.Sinistro && !tasti.Destro && !tasti.Centrale && !tasti.Shift && !tasti.Ctrl && !tasti.Alt &&
      ScegliInSpazio(*v))
    PressioneUsata();
}

void TLatoSpazio::MouseUp(int, int, bool sinistro) {
  if (!sinistro) return;
  TDatiGlob& g = DatiGlob;
  g.OggettoGLScelto = nullptr;
  g.bMouseCatturato = false;
  // This ends the placing of a new value, when the press was made while it waited: the
  // release of a pick's click, made as the program went on to place a value, does not.
  if (!RilascioRisponde()) return;
  g.bAttesaPunto3D = false;
  g.bAttesaPunto3DSu = false;
}

void TLatoSpazio::Sposta(cValoreGraf3D& v, int x, int y, const TAffineVector& vettore) {
  TAffineVector delta = vettore;
  // Dragged on what it stands on: it follows the surface under the mouse.
  cValoreGraf3D* padre = v.Padre();
  TAffineVector sopra;
  if (!pianoYZ_ && padre && padre->Principale() && v.Principale() &&
      PuntoSu(x, y, padre->Principale(), v.Principale(), sopra))
    delta = VectorSubtract(sopra, Affine(v.Principale()->AbsolutePosition()));
  for (cValoreGraf3D* m : Membri(v)) {
    TGLBaseSceneObject* o = m->Principale();
    if (!o) continue;
    // The vector is in space; each member moves in its own parent's frame.
    TAffineVector locale = delta;
    if (o->Parent()) locale = VectorTransform(delta, o->Parent()->InvAbsoluteMatrix());
    m->Trasla(locale);
  }
}

void TLatoSpazio::MouseMove(int x, int y, const TTastiMouse& tasti) {
  TDatiGlob& g = DatiGlob;
  const bool inPosizionamento = g.bAttesaPunto3D || g.bAttesaPunto3DSu;
  if (tasti.NessunPulsante() && !inPosizionamento) {
    bool griglia = false;
    TGLBaseSceneObject* o = Prendi(x, y, griglia);
    if (griglia) return;
    if (!o) {
      TogliEvidenza();
      label1_.clear();
      return;
    }
    Evidenzia(o);
    const cValoreGraf3D* v = ValoreDiOggetto(o);
    label1_.clear();
    if (v) v->Descrizione(0, label1_);
    inizio_ = PuntoSotto(x, y, o);
    return;
  }
  if (tasti.Sinistro && SpostaOggetti && g.OggettoGLScelto && g.bMouseCatturato && !inPosizionamento) {
    cValoreGraf3D* v = ValoreDiOggetto(g.OggettoGLScelto);
    if (!v) return;
    if (tasti.Shift != pianoYZ_) {
      pianoYZ_ = tasti.Shift;
      inizio_ = PuntoSotto(x, y, g.OggettoGLScelto);
    }
    const TAffineVector p = PuntoSotto(x, y, g.OggettoGLScelto);
    TAffineVector vettore = VectorSubtract(p, inizio_);
    // Along the plane of the drag only: x stays on the vertical plane, z on the horizontal one.
    if (pianoYZ_) vettore.X = 0;
    else vettore.Z = 0;
    Sposta(*v, x, y, vettore);
    inizio_ = PuntoSotto(x, y, g.OggettoGLScelto);
    if (Modificato) Modificato();
    Render();
    return;
  }
  if (tasti.Destro && !tasti.Sinistro && !tasti.Centrale) {
    cValoreGraf3D* v = g.OggettoGLScelto ? ValoreDiOggetto(g.OggettoGLScelto) : nullptr;
    if (!g.OggettoGLScelto || g.OggettoGLScelto->Tag == TAG_NON_SELEZIONABILE || inPosizionamento) {
      scena_.GLCamera1->MoveAroundTarget(float(ultimoY_ - y), float(ultimoX_ - x));
    } else if (SpostaOggetti && v) {
      for (cValoreGraf3D* m : Membri(*v)) m->GiraSuVerticale(float(ultimoX_ - x));
      if (Modificato) Modificato();
    }
    ultimoX_ = x;
    ultimoY_ = y;
    Render();
    return;
  }
  if (g.bAttesaPunto3D && !g.bAttesaPunto3DSu && g.OggettoGLInMovimento) {
    TGLBaseSceneObject* o = g.OggettoGLInMovimento;
    pianoYZ_ = tasti.Shift;
    const TAffineVector p = PuntoSotto(x, y, o);
    TAffineVector nuovo = Affine(o->AbsolutePosition());
    if (tasti.Shift) nuovo.Z = p.Z;
    else nuovo.X = p.X, nuovo.Y = p.Y;
    o->SetAbsolutePosition(VectorFromAffine(nuovo, 1));
    if (g.bAttesaPiano3D) SeguiPuntoMobile(nuovo);
    Render();
    return;
  }
  if (g.bAttesaPunto3DSu && tasti.NessunPulsante() && g.OggettoGLInMovimento && g.OggettoGLRiferimento) {
    TAffineVector p;
    if (PuntoSu(x, y, g.OggettoGLRiferimento, g.OggettoGLInMovimento, p)) {
      g.OggettoGLInMovimento->SetAbsolutePosition(VectorFromAffine(p, 1));
      Render();
    }
  }
}

void TLatoSpazio::DopoRender() {
  if (PosizionaEtichette(buffer_) && Ridisegna) Ridisegna();
}

// ---- Buttons ----

void TLatoSpazio::MostraGriglie(bool mostra) {
  scena_.MostraGriglie(mostra);
  Render();
}

bool TLatoSpazio::PareteVisibile(int i) const {
  const TGLBaseSceneObject* p[] = {scena_._GLCXY, scena_._GLCXZ, scena_._GLCYZ};
  return i >= 0 && i < 3 && p[i]->Visible();
}

void TLatoSpazio::CambiaParete(int i) {
  TGLBaseSceneObject* p[] = {scena_._GLCXY, scena_._GLCXZ, scena_._GLCYZ};
  if (i < 0 || i >= 3) return;
  p[i]->SetVisible(!p[i]->Visible());
  Render();
}

void TLatoSpazio::Su() {
  scena_.GLDCxCamera->Position().SetZ(scena_.GLDCxCamera->Position().Z() + 1.0f);
  Render();
}

void TLatoSpazio::Giu() {
  scena_.GLDCxCamera->Position().SetZ(scena_.GLDCxCamera->Position().Z() - 1.0f);
  Render();
}

// Steps of a tenth, held to 0.1 .. 10 whatever the rounding of the steps before.
void TLatoSpazio::ZoomMeno() {
  TGLCamera& c = *scena_.GLCamera1;
  if (c.SceneScale() > SCALA_MINIMA + 1e-4f)
    c.SetSceneScale(std::clamp(std::round((c.SceneScale() - 0.1f) * 10) / 10, SCALA_MINIMA, SCALA_MASSIMA));
  Render();
}

void TLatoSpazio::ZoomPiu() {
  TGLCamera& c = *scena_.GLCamera1;
  if (c.SceneScale() < SCALA_MASSIMA - 1e-4f)
    c.SetSceneScale(std::clamp(std::round((c.SceneScale() + 0.1f) * 10) / 10, SCALA_MINIMA, SCALA_MASSIMA));
  Render();
}

}  // namespace qx
