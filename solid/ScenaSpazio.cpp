#include "solid/ScenaSpazio.h"

#include <QImage>

#include "scene/GLGeomObjects.h"
#include "scene/GLGraph.h"

#include "solid/Punto3D.h"
#include "solid/RifCart3D.h"
#include "solid/Valore3D.h"

namespace qx {

namespace {

TScenaSpazio*& Installata() {
  static TScenaSpazio* scena = nullptr;
  return scena;
}

std::unique_ptr<TScenaSpazio>& SuRichiesta() {
  static std::unique_ptr<TScenaSpazio> scena;
  return scena;
}

constexpr float LATO_PARETE = 10.0f;
constexpr float SPESSORE_PARETE = 0.02f;
// The ball that the view keeps in sight about the camera's target: the walls' corners lie
// 5 * sqrt(2) from the origin, the tips of the arrows 6.4; a little margin beyond them.
constexpr float RAGGIO_INQUADRATURA = 7.4f;
// How far the grids are drawn behind what lies in their plane, in the depth buffer's
// range 0..1 (a few thousandths of a unit at the camera's distance): a face or an outline
// on a wall is never cut by the grid's lines.
constexpr double ARRETRAMENTO_GRIGLIA = 5e-5;

// A wall: a thin light grey cube, seen through, never taken by a pick.
TGLParete* Parete(TGLBaseSceneObject& padre, const char* nome, const TAffineVector& normale,
                const TAffineVector& alto) {
  auto* c = padre.AddNewChild<TGLParete>();
  c->Name = nome;
  c->Tag = TAG_NON_SELEZIONABILE;
  c->SetCubeWidth(LATO_PARETE);
  c->SetCubeHeight(LATO_PARETE);
  c->SetCubeDepth(SPESSORE_PARETE);
  c->SetUp(alto);
  c->SetDirection(normale);
  c->SetUp(alto);
  c->Material().FrontProperties().Diffuse().SetColor(ColorToVector(clSilver, 0.3f));
  c->Material().SetBlendingMode(TBlendingMode::bmTransparency);
  return c;
}

// The grid of a wall: lines from -5 to 5, a unit apart, in the wall's plane; never picked.
TGLBaseSceneObject* Griglia(TGLBaseSceneObject& parete, const char* nome) {
  auto* g = parete.AddNewChild<TGLGrigliaParete>();
  g->Name = nome;
  g->Tag = TAG_MAI_SCELTO;
  for (TGLSamplingScale* s : {&g->XSamplingScale(), &g->YSamplingScale()}) {
    s->SetMin(-LATO_PARETE / 2);
    s->SetMax(LATO_PARETE / 2);
    s->SetStep(1);
  }
  g->SetParts(gpX | gpY);
  g->SetLinesStyle(TXYZGridLinesStyle::glsSegments);
  g->LineColor().SetColor(ColorToVector(clGray, 1.0f));
  return g;
}

// An axis: an arrow 6 long from the origin, in the axis's colour; never taken by a pick.
TGLBaseSceneObject* Freccia(TGLBaseSceneObject& radice, const char* nome, const TAffineVector& asse, TColor colore) {
  auto* a = radice.AddNewChild<TGLFrecciaAsse>();
  a->Name = nome;
  a->Tag = TAG_NON_SELEZIONABILE;
  a->SetDirection(asse);
  a->Position().SetAsAffineVector(VectorScale(asse, 3));
  a->SetHeight(6);
  a->SetBottomRadius(0.03f);
  a->SetTopRadius(0.03f);
  a->SetTopArrowHeadRadius(0.12f);
  a->SetTopArrowHeadHeight(0.4f);
  a->SetSlices(16);
  a->Material().FrontProperties().Diffuse().SetAsWinColor(colore);
  return a;
}

}  // namespace

void TGLParete::EmitGeometry(TRenderContextInfo& rci) {
  glDepthMask(GL_FALSE);
  TGLCube::EmitGeometry(rci);
  glDepthMask(GL_TRUE);
}

void TGLFrecciaAsse::EmitGeometry(TRenderContextInfo& rci) {
  TGLArrowLine::EmitGeometry(rci);
  // The shaft is thinner than a pixel in a small view, and a thin cylinder leaves pixels
  // out where it runs aslant: a line along it, in its colour, keeps it whole.
  glPushAttrib(GL_LIGHTING_BIT | GL_CURRENT_BIT | GL_ENABLE_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glColor4fv(Material().FrontProperties().Diffuse().AsAddress());
  glBegin(GL_LINES);
  glVertex3f(0, 0, -Height() / 2);
  glVertex3f(0, 0, Height() / 2 - TopArrowHeadHeight());
  glEnd();
  glPopAttrib();
}

void TGLGrigliaParete::EmitGeometry(TRenderContextInfo& rci) {
  glDepthRange(ARRETRAMENTO_GRIGLIA, 1);
  glDepthMask(GL_FALSE);
  TGLXYZGrid::EmitGeometry(rci);
  glDepthMask(GL_TRUE);
  glDepthRange(0, 1);
}

TScenaSpazio::TScenaSpazio() : font_(std::make_unique<TGLWindowsBitmapFont>()), scene_(std::make_unique<TGLScene>()) {
  font_->Name = "GLWindowsBitmapFont1";
  TGLFontSpec carattere;
  carattere.Name = "Sans";
  carattere.Height = -11;
  font_->SetFont(carattere);

  TGLBaseSceneObject& radice = *scene_->Objects();
  GLDCPareti = radice.AddNewChild<TGLDummyCube>();
  GLDCPareti->Name = "GLDCPareti";
  _GLCXY = Parete(*GLDCPareti, "_GLCXY", {0, 0, 1}, {0, 1, 0});
  _GLCXZ = Parete(*GLDCPareti, "_GLCXZ", {0, 1, 0}, {0, 0, 1});
  _GLCYZ = Parete(*GLDCPareti, "_GLCYZ", {1, 0, 0}, {0, 0, 1});
  // The XY wall's underside is red, so that one sees from below that it is below.
  _GLCXY->Material().BackProperties().Diffuse().SetColor({1, 0, 0, 1});
  _GLXYGrid = Griglia(*_GLCXY, "_GLXYGrid");
  _GLXZGrid = Griglia(*_GLCXZ, "_GLXZGrid");
  _GLYZGrid = Griglia(*_GLCYZ, "_GLYZGrid");
  _GLArrowX = Freccia(radice, "_GLArrowX", {1, 0, 0}, clRed);
  _GLArrowY = Freccia(radice, "_GLArrowY", {0, 1, 0}, clLime);
  _GLArrowZ = Freccia(radice, "_GLArrowZ", {0, 0, 1}, clBlue);

  GLDCxCamera = radice.AddNewChild<TGLDummyCube>();
  GLDCxCamera->Name = "GLDCxCamera";

  GLCamera1 = scene_->Cameras()->AddNewChild<TGLCamera>();
  GLCamera1->Name = "GLCamera1";
  GLCamera1->Position().SetAsVector({8, -8, 6, 1});
  GLCamera1->SetUp({0, 0, 1});
  GLCamera1->SetTargetObject(GLDCxCamera);
  GLCamera1->SetCameraStyle(TGLCameraStyle::csPerspective);
  // The walls and the arrows fit the view whatever its size and shape.
  GLCamera1->SetFrameRadius(RAGGIO_INQUADRATURA);
  GLLightSource4 = GLCamera1->AddNewChild<TGLLightSource>();
  GLLightSource4->Name = "GLLightSource4";
  GLLightSource4->SetLightStyle(TLightStyle::lsOmni);
}

TScenaSpazio::~TScenaSpazio() {
  // The values that still hold objects of this scene forget them before they go.
  cValoreGraf3D::StaccaDallaScena(this);
  DimenticaRifCart3D(this);
  if (Installata() == this) Installata() = nullptr;
  vista_.reset();
  scene_.reset();
}

void TScenaSpazio::ParetiIniziali() {
  _GLCXZ->SetVisible(false);
  _GLCYZ->SetVisible(false);
  TGLColor& retro = _GLCXY->Material().BackProperties().Diffuse();
  retro.SetRed(1);
  retro.SetGreen(0);
  retro.SetBlue(0);
}

TGLMemoryViewer& TScenaSpazio::Vista() {
  if (!vista_) {
    vista_ = std::make_unique<TGLMemoryViewer>();
    vista_->SetWidth(larghezza_);
    vista_->SetHeight(altezza_);
    vista_->SetCamera(GLCamera1);
    vista_->Buffer().SetBackgroundColor(clWhite);
  }
  return *vista_;
}

void TScenaSpazio::SetDimensioniVista(int larghezza, int altezza) {
  larghezza = std::max(1, larghezza);
  altezza = std::max(1, altezza);
  if (larghezza == larghezza_ && altezza == altezza_) return;
  larghezza_ = larghezza;
  altezza_ = altezza;
  if (!vista_) return;
  // The off-screen surface keeps the size it was made with: the next frame makes a new one.
  vista_->Buffer().ReleaseRenderContext();
  vista_->SetWidth(larghezza_);
  vista_->SetHeight(altezza_);
}

TBitmap TScenaSpazio::Istantanea() {
  TGLMemoryViewer& v = Vista();
  v.Render();
  // The labels follow their points in the frame just drawn, then the frame is drawn again.
  if (PosizionaEtichette(v.Buffer())) v.Render();
  return v.Buffer().SnapshotBitmap();
}

bool TScenaSpazio::SalvaPng(const std::string& percorso) {
  const TBitmap b = Istantanea();
  QImage img(b.Width(), b.Height(), QImage::Format_RGB32);
  for (int y = 0; y < b.Height(); ++y) {
    auto* riga = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
    for (int x = 0; x < b.Width(); ++x) riga[x] = 0xFF000000u | (b.Pixel(x, y) & 0x00FFFFFFu);
  }
  return img.save(QString::fromStdString(percorso), "PNG");
}

void TScenaSpazio::MostraGriglie(bool mostra) {
  for (TGLBaseSceneObject* g : {_GLXYGrid, _GLXZGrid, _GLYZGrid})
    if (g) g->SetVisible(mostra);
}

TScenaSpazio& ScenaSpazio() {
  if (Installata()) return *Installata();
  if (!SuRichiesta()) SuRichiesta() = std::make_unique<TScenaSpazio>();
  return *SuRichiesta();
}

void InstallaScenaSpazio(TScenaSpazio* scena) { Installata() = scena; }

bool EsisteScenaSpazio() { return Installata() || SuRichiesta(); }

}  // namespace qx
