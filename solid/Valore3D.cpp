#include "solid/Valore3D.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "runstate/DatiGlob.h"
#include "scene/GLObjects.h"
#include "solid/ScenaSpazio.h"
#include "values/FunzioniAusiliarie.h"
#include "values/Variabili.h"

namespace qx {

namespace {

cValoreGraf3D*& Testa() {
  static cValoreGraf3D* testa = nullptr;
  return testa;
}

std::vector<TGLBaseSceneObject**>& Riferimenti() {
  static std::vector<TGLBaseSceneObject**> r;
  return r;
}

}  // namespace

TColorVector Colore3D(TColor colore) { return ColorToVector(colore, DatiGlob.Alfa3D); }

bool DentroSottoalbero(const TGLBaseSceneObject* o, const TGLBaseSceneObject* radice) {
  for (; o; o = o->Parent())
    if (o == radice) return true;
  return false;
}

cValoreGraf3D* ValoreDiOggetto(const TGLBaseSceneObject* o) {
  if (!o) return nullptr;
  for (cValoreGraf3D* v = cValoreGraf3D::Primo(); v; v = v->Successivo())
    if (v->Principale() == o) return v;
  return nullptr;
}

void RegistraRiferimentoGL(TGLBaseSceneObject** riferimento) { Riferimenti().push_back(riferimento); }

void AnnullaRiferimentoGL(TGLBaseSceneObject** riferimento) {
  auto& r = Riferimenti();
  r.erase(std::remove(r.begin(), r.end(), riferimento), r.end());
}

// ---- Life ----

cValoreGraf3D::cValoreGraf3D(TipiValore tipo, cValoreGraf3D* padre, std::string_view didascalia)
    : scena_(&ScenaSpazio()), padre_(padre) {
  Tipo = tipo;
  NomeTipo = didascalia;
  Brush = DatiGlob.PennelloColore;
  Pen = DatiGlob.PennaCorrente;
  // A parent of another scene (a value left from a scene that went) holds nothing here.
  if (padre_ && padre_->scena_ != scena_) padre_ = nullptr;
  Collega();
}

cValoreGraf3D::~cValoreGraf3D() {
  // The values that stand on this one keep their place and their objects.
  for (cValoreGraf3D* v = Primo(); v; v = v->succ_)
    if (v->padre_ == this) v->PadrePerduto();
  if (DatiGlob.OggettoScelto == this) DatiGlob.OggettoScelto = nullptr;
  if (principale_) {
    PrimaDiLiberare(principale_);
    if (!prestato_) Libera(principale_);
    principale_ = nullptr;
  }
  Scollega();
}

void cValoreGraf3D::Collega() {
  succ_ = Testa();
  if (succ_) succ_->prec_ = this;
  Testa() = this;
}

void cValoreGraf3D::Scollega() {
  if (prec_) prec_->succ_ = succ_;
  else Testa() = succ_;
  if (succ_) succ_->prec_ = prec_;
  prec_ = succ_ = nullptr;
}

cValoreGraf3D* cValoreGraf3D::Primo() { return Testa(); }

void cValoreGraf3D::StaccaDallaScena(const TScenaSpazio* scena) {
  for (cValoreGraf3D* v = Primo(); v; v = v->succ_)
    if (v->scena_ == scena) v->ScenaPerduta();
  TDatiGlob& g = DatiGlob;
  g.OggettoGLScelto = g.OggettoGLInMovimento = g.OggettoGLRiferimento = nullptr;
  for (TGLBaseSceneObject** r : Riferimenti()) *r = nullptr;
}

void cValoreGraf3D::ScenaPerduta() {
  principale_ = nullptr;
  scena_ = nullptr;
}

void cValoreGraf3D::PadrePerduto() {
  padre_ = nullptr;
  if (!principale_ || !scena_) return;
  // Where it stands now, under the holder of every free value.
  const TMatrix assoluta = principale_->AbsoluteMatrix();
  principale_->MoveTo(Scena().GLDCPareti);
  TMatrix inversa = Scena().GLDCPareti->AbsoluteMatrix();
  InvertMatrix(inversa);
  principale_->SetMatrix(MatrixMultiply(assoluta, inversa));
}

void cValoreGraf3D::PrimaDiLiberare(TGLBaseSceneObject* o) { DimenticaOggettoGL(o); }

void DimenticaOggettoGL(TGLBaseSceneObject* o) {
  if (!o) return;
  TDatiGlob& g = DatiGlob;
  for (TGLBaseSceneObject** p : {&g.OggettoGLScelto, &g.OggettoGLInMovimento, &g.OggettoGLRiferimento})
    if (DentroSottoalbero(*p, o)) *p = nullptr;
  for (TGLBaseSceneObject** r : Riferimenti())
    if (DentroSottoalbero(*r, o)) *r = nullptr;
}

void cValoreGraf3D::Libera(TGLBaseSceneObject* o) const {
  if (!o || !scena_) return;
  PrimaDiLiberare(o);
  delete o;
}

TGLBaseSceneObject* cValoreGraf3D::Contenitore() const {
  if (padre_ && padre_->principale_) return padre_->principale_;
  return Scena().GLDCPareti;
}

TGLCube* cValoreGraf3D::NuovoPrincipaleVuoto() {
  auto* h = Contenitore()->AddNewChild<TGLCube>();
  h->SetCubeWidth(0);
  h->SetCubeHeight(0);
  h->SetCubeDepth(0);
  ImpostaPrincipale(h);
  return h;
}

TGLBaseSceneObject* cValoreGraf3D::Radice() const { return Scena().Scene1().Objects(); }

// ---- Placement ----

float cValoreGraf3D::Posx() const { return principale_ ? principale_->Position().X() : 0; }
float cValoreGraf3D::Posy() const { return principale_ ? principale_->Position().Y() : 0; }
float cValoreGraf3D::Posz() const { return principale_ ? principale_->Position().Z() : 0; }
float cValoreGraf3D::RollAngle() const { return principale_ ? principale_->RollAngle() : 0; }
float cValoreGraf3D::TurnAngle() const { return principale_ ? principale_->TurnAngle() : 0; }
float cValoreGraf3D::Upx() const { return principale_ ? principale_->Up().X() : 0; }
float cValoreGraf3D::Upy() const { return principale_ ? principale_->Up().Y() : 0; }
float cValoreGraf3D::Upz() const { return principale_ ? principale_->Up().Z() : 0; }

void cValoreGraf3D::SetPosizione(const TAffineVector& p) {
  if (principale_) principale_->Position().SetAsAffineVector(p);
}

void cValoreGraf3D::SetAngoli(float roll, float turn) {
  if (!principale_) return;
  principale_->SetRollAngle(roll);
  principale_->SetTurnAngle(turn);
}

void cValoreGraf3D::SetUp(const TAffineVector& up) {
  if (principale_) principale_->SetUp(up);
}

void cValoreGraf3D::Trasla(const TAffineVector& v) {
  if (principale_) principale_->Position().Translate(v);
}

void cValoreGraf3D::GiraSuVerticale(float gradi) {
  if (!principale_) return;
  // Counterclockwise seen from above, as RUOTA3D turns about "Z".
  const Reale a = GradiInRadianti(gradi);
  const TAffineVector d = RuotaVettore3D(principale_->Direction().AsAffineVector(), {0, 0, 0}, 'Z', a);
  const TAffineVector u = RuotaVettore3D(principale_->Up().AsAffineVector(), {0, 0, 0}, 'Z', a);
  principale_->Direction().DirectVector(VectorFromAffine(d, 0));
  principale_->Up().DirectVector(VectorFromAffine(u, 0));
  principale_->TransformationChanged();
}

// ---- Colour ----

void cValoreGraf3D::AggiornaColore() {
  if (!principale_) return;
  const bool penna = Tipo == T_PUNTO3D || Tipo == T_RETTA3D || Tipo == T_SEGMENTO3D;
  TGLMaterial& m = principale_->Material();
  m.FrontProperties().Diffuse().SetColor(Colore3D(penna ? Pen.Color : Brush.Color));
  m.SetBlendingMode(TBlendingMode::bmTransparency);
}

void cValoreGraf3D::ColoraMateriale(TColor colore) {
  if (!principale_) return;
  const TColorVector c = Colore3D(colore);
  principale_->Material().FrontProperties().Diffuse().SetColor(c);
  for (int i = 0; i < principale_->Count(); ++i)
    if (auto* figlio = dynamic_cast<TGLSceneObject*>(principale_->GetChild(i)))
      figlio->Material().FrontProperties().Diffuse().SetColor(c);
}

void cValoreGraf3D::AggiornaColori() {
  const bool penna = Tipo == T_PUNTO3D || Tipo == T_RETTA3D || Tipo == T_SEGMENTO3D;
  if (!penna) ColoraMateriale(Brush.Color);
  AggiornaColore();
  AggiornaSpigoli();
}

// ---- Text, copy, store ----

void cValoreGraf3D::Descrizione(int, std::string& Testo) const { Testo = IntestazioneDescrizione(); }

void cValoreGraf3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf::Copia(Dest);
  auto* d = dynamic_cast<cValoreGraf3D*>(&Dest);
  if (!d || !d->principale_ || !principale_) return;
  TGLCustomSceneObject& a = *d->principale_;
  const TGLCustomSceneObject& da = *principale_;
  a.Material().FrontProperties().Diffuse().SetColor(da.Material().FrontProperties().Diffuse().Color());
  a.Material().SetBlendingMode(da.Material().BlendingMode());
  // Two values of one class may differ in their parts (a cone made double later): only
  // the parts both have are matched.
  const int n = std::min(a.Count(), da.Count());
  for (int i = 0; i < n; ++i) {
    auto* figlio = dynamic_cast<TGLSceneObject*>(a.GetChild(i));
    auto* origine = dynamic_cast<const TGLSceneObject*>(da.GetChild(i));
    if (figlio && origine) {
      figlio->Material().FrontProperties().Diffuse().SetColor(origine->Material().FrontProperties().Diffuse().Color());
      figlio->Material().SetBlendingMode(origine->Material().BlendingMode());
    }
  }
  if (d->padre_ != padre_ && padre_ && padre_->principale_) {
    d->padre_ = padre_;
    a.MoveTo(padre_->principale_);
  }
  a.Position().SetAsVector(da.Position().AsVector());
  a.Direction().DirectVector(da.Direction().AsVector());
  a.Up().DirectVector(da.Up().AsVector());
  THomogeneousVector angoli = a.Rotation().AsVector();
  angoli.Y = da.TurnAngle();
  angoli.Z = da.RollAngle();
  a.Rotation().DirectVector(angoli);
  a.TransformationChanged();
}

std::unique_ptr<cValore> cValoreGraf3D::Clona() const {
  std::unique_ptr<cValoreGraf3D> v = NuovoSimile();
  Copia(*v);
  return v;
}

void cValoreGraf3D::DopoMemorizzazione(const cValoreGraf& sorgente, const std::string&) {
  Pen = sorgente.Pen;
  Brush = sorgente.Brush;
  MostraMemorizzato();
}

void cValoreGraf3D::MostraMemorizzato() {
  if (principale_) principale_->SetVisible(true);
}

}  // namespace qx
