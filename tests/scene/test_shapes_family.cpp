// The whole family at once: every class made by its registered name, drawn into one
// snapshot (saved beside the test program for a person to look at), picked where it stands,
// and drawn again with odd property values without an OpenGL error.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>

#include "ShapeFixture.h"
#include "scene/GLExtrusion.h"
#include "scene/GLGraph.h"
#include "scene/GLRegistry.h"
#include "scene/GLSimpleObjects.h"
#include "scene/GLSpaceText.h"

namespace qx::test {
namespace {

struct TMember {
  std::string className;
  // Makes the object presentable; returns the offset, in its own units, of a point of it.
  std::function<TAffineVector(TGLBaseSceneObject*)> setUp;
};

template <class T>
T* As(TGLBaseSceneObject* o) {
  auto* t = dynamic_cast<T*>(o);
  EXPECT_NE(t, nullptr);
  return t;
}

void Square(TGLNodes& n, float h) {
  n.AddNode(-h, -h, 0);
  n.AddNode(h, -h, 0);
  n.AddNode(h, h, 0);
  n.AddNode(-h, h, 0);
}

const TAffineVector kCentre{0, 0, 0};

std::vector<TMember> Family(TGLCustomBitmapFont* font) {
  return {
      {"TGLCube", [](TGLBaseSceneObject*) { return kCentre; }},
      {"TGLSphere", [](TGLBaseSceneObject*) { return kCentre; }},
      {"TGLCylinder",
       [](TGLBaseSceneObject* o) {
         o->SetPitchAngle(20);
         return kCentre;
       }},
      {"TGLCone", [](TGLBaseSceneObject*) { return kCentre; }},
      {"TGLTorus",
       [](TGLBaseSceneObject*) {
         return TAffineVector{0.4f, 0, 0};
       }},
      {"TGLDisk", [](TGLBaseSceneObject*) { return kCentre; }},
      {"TGLArrowLine",
       [](TGLBaseSceneObject* o) {
         As<TGLArrowLine>(o)->SetParts(alLine | alTopArrow | alBottomArrow);
         o->SetDirection({1, 1, 0});
         return kCentre;
       }},
      {"TGLAnnulus",
       [](TGLBaseSceneObject* o) {
         o->SetPitchAngle(60);
         return TAffineVector{0.4f, 0, 0};
       }},
      {"TGLFrustrum",
       [](TGLBaseSceneObject*) {
         return TAffineVector{0, 0.2f, 0};
       }},
      {"TGLPolygon",
       [](TGLBaseSceneObject* o) {
         auto* p = As<TGLPolygon>(o);
         p->AddNode(-0.5f, -0.5f, 0);
         p->AddNode(0.5f, -0.4f, 0);
         p->AddNode(0.1f, 0.5f, 0);
         return kCentre;
       }},
      {"TGLLines",
       [](TGLBaseSceneObject* o) {
         auto* l = As<TGLLines>(o);
         l->AddNode(-0.5f, 0, 0);
         l->AddNode(0, 0.4f, 0);
         l->AddNode(0.5f, -0.4f, 0);
         l->SetSplineMode(TLineSplineMode::lsmCubicSpline);
         l->SetLineWidth(3);
         l->LineColor().SetColor({0.1f, 0.3f, 0.8f, 1});
         l->SetNodesAspect(TLineNodesAspect::lnaCube);
         l->SetNodeSize(0.15f);
         return TAffineVector{-0.5f, 0, 0};
       }},
      {"TGLHeightField",
       [](TGLBaseSceneObject* o) {
         auto* h = As<TGLHeightField>(o);
         for (TGLSamplingScale* s : {&h->XSamplingScale(), &h->YSamplingScale()}) {
           s->SetMin(-0.6f);
           s->SetMax(0.6f);
           s->SetStep(0.05f);
         }
         o->SetPitchAngle(-50);
         return kCentre;
       }},
      {"TGLXYZGrid",
       [](TGLBaseSceneObject* o) {
         auto* g = As<TGLXYZGrid>(o);
         for (TGLSamplingScale* s : {&g->XSamplingScale(), &g->YSamplingScale()}) {
           s->SetMin(-0.5f);
           s->SetMax(0.5f);
           s->SetStep(0.25f);
         }
         g->LineColor().SetColor({0.3f, 0.3f, 0.3f, 1});
         g->SetLineWidth(3);
         return kCentre;
       }},
      {"TGLPlane", [](TGLBaseSceneObject*) { return kCentre; }},
      {"TGLSprite", [](TGLBaseSceneObject*) { return kCentre; }},
      {"TGLPoints",
       [](TGLBaseSceneObject* o) {
         auto* p = As<TGLPoints>(o);
         for (int i = 0; i < 25; ++i)
           p->Positions().Add(TAffineVector{float(i % 5) * 0.2f - 0.4f, float(i / 5) * 0.2f - 0.4f, 0});
         p->Colors().Add(THomogeneousVector{0.8f, 0.2f, 0.6f, 1});
         p->SetSize(6);
         return kCentre;
       }},
      {"TGLDodecahedron", [](TGLBaseSceneObject*) { return kCentre; }},
      {"TGLIcosahedron", [](TGLBaseSceneObject*) { return kCentre; }},
      {"TGLMultiPolygon",
       [](TGLBaseSceneObject* o) {
         auto* m = As<TGLMultiPolygon>(o);
         Square(m->Path(0), 0.5f);
         Square(m->Path(1), 0.2f);
         return TAffineVector{0.35f, 0, 0};
       }},
      {"TGLRevolutionSolid",
       [](TGLBaseSceneObject* o) {
         auto* r = As<TGLRevolutionSolid>(o);
         r->AddNode(0.2f, 0.5f, 0);
         r->AddNode(0.45f, 0, 0);
         r->AddNode(0.25f, -0.5f, 0);
         r->SetSplineMode(TLineSplineMode::lsmCubicSpline);
         r->SetNormals(TNormalSmoothing::nsSmooth);
         return TAffineVector{0, 0, 0.3f};
       }},
      {"TGLExtrusionSolid",
       [](TGLBaseSceneObject* o) {
         auto* e = As<TGLExtrusionSolid>(o);
         Square(e->Path(0), 0.4f);
         e->SetHeight(0.4f);
         e->SetParts(espOutside | espStartPolygon | espStopPolygon);
         o->SetTurnAngle(30);
         return kCentre;
       }},
      {"TGLPipe",
       [](TGLBaseSceneObject* o) {
         auto* p = As<TGLPipe>(o);
         p->AddNode(-0.5f, -0.3f, 0);
         p->AddNode(0, 0.3f, 0);
         p->AddNode(0.5f, -0.3f, 0);
         p->SetRadius(0.1f);
         p->SetSplineMode(TLineSplineMode::lsmCubicSpline);
         return TAffineVector{0, 0.27f, 0};
       }},
      {"TGLSpaceText",
       [](TGLBaseSceneObject* o) {
         auto* t = As<TGLSpaceText>(o);
         t->SetText("Qx");
         t->SetExtrusion(0.2f);
         t->SetCharacterRange(TSpaceTextCharRange::stcrAlphaNum);
         t->Adjust().SetHorz(TGLTextHorzAdjust::haCenter);
         t->Adjust().SetVert(TGLTextVertAdjust::vaCenter);
         t->SetTextHeight(0.6f);
         return TAffineVector{0.25f, 0, 0};
       }},
      {"TGLFlatText",
       [font](TGLBaseSceneObject* o) {
         auto* t = As<TGLFlatText>(o);
         t->SetBitmapFont(font);
         t->SetText("Quorix");
         t->Scale().SetAsVector({0.02f, 0.02f, 1, 0});
         t->ModulateColor().SetColor({0, 0, 0, 1});
         return TAffineVector{2, -5, 0};
       }},
  };
}

class ShapeFamily : public ShapeFixture {
 protected:
  void SetUp() override {
    ShapeFixture::SetUp();
    font = std::make_unique<TGLWindowsBitmapFont>();
  }
  void TearDown() override {
    viewer.reset();
    scene.reset();
    font.reset();
  }
  // The family in a grid of 6 columns, 1.5 apart; the points to pick, in world units.
  std::vector<std::pair<TGLBaseSceneObject*, TAffineVector>> Lay() {
    std::vector<std::pair<TGLBaseSceneObject*, TAffineVector>> out;
    int i = 0;
    for (const TMember& m : Family(font.get())) {
      TGLBaseSceneObject* o = scene->Objects()->AddNewChild(m.className);
      EXPECT_EQ(o->ClassName(), m.className);
      if (auto* c = dynamic_cast<TGLCustomSceneObject*>(o))
        c->Material().FrontProperties().Diffuse().SetColor({0.3f + 0.7f * float(i % 3) / 2,
                                                            0.3f + 0.5f * float(i % 4) / 3,
                                                            0.9f - 0.6f * float(i % 5) / 4, 1});
      o->Position().SetAsVector({float(i % 6) * 1.5f - 3.75f, 2.25f - float(i / 6) * 1.5f, 0, 1});
      const TAffineVector local = m.setUp(o);
      out.emplace_back(o, AffineVectorFromVector(o->LocalToAbsolute(PointMake(local))));
      ++i;
    }
    return out;
  }
  std::unique_ptr<TGLWindowsBitmapFont> font;
};

TEST_F(ShapeFamily, EveryClassIsDrawnAndPickedWhereItStands) {
  viewer->SetWidth(720);
  viewer->SetHeight(600);
  camera->Position().SetAsVector({0, 0, 7, 1});
  auto* light = scene->Objects()->AddNewChild<TGLLightSource>();
  light->Position().SetAsVector({10, 20, 30, 1});
  Buffer().SetLighting(true);
  Buffer().SetFaceCulling(false);
  const auto members = Lay();
  ASSERT_EQ(members.size(), 24u);
  Render();
  QImage image(viewer->Width(), viewer->Height(), QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const std::uint8_t* p = shot->ScanLine(shot->Height() - 1 - y) + 4 * x;
      image.setPixel(x, y, qRgb(p[0], p[1], p[2]));
    }
  EXPECT_TRUE(image.save(QString(QUORIX_TEST_OUTPUT_DIR) + "/scene_objects.png"));
  for (const auto& [o, point] : members) {
    if (o->ClassName() == "TGLFlatText") continue;  // its text stands beside its origin
    const THomogeneousVector w = Buffer().ProjectPoint(PointMake(point));
    const int x = int(std::lround(w.X)), y = viewer->Height() - 1 - int(std::lround(w.Y));
    EXPECT_FALSE(IsBackground(x, y)) << o->ClassName() << " " << x << " " << y;
    // A few pixels around: a point cloud is hit only where its points' centres are.
    auto hits = Buffer().PickObjectsInRect({x - 3, y - 3, x + 3, y + 3}, 8);
    ASSERT_GT(hits->Count(), 0) << o->ClassName();
    EXPECT_EQ(hits->Hit(0), o) << o->ClassName();
  }
  // The bitmap texts and the sprite in window pixels too.
  auto* hud = scene->Objects()->AddNewChild<TGLHUDText>();
  hud->SetBitmapFont(font.get());
  hud->SetText("MMMM");
  hud->Position().SetAsVector({20, 20, 0, 1});
  auto* sprite = scene->Objects()->AddNewChild<TGLHUDSprite>();
  sprite->Position().SetAsVector({700, 580, 0, 1});
  sprite->SetWidth(20);
  sprite->SetHeight(20);
  Render();
  EXPECT_EQ(Buffer().GetPickedObject(700, 580), sprite);
  EXPECT_NE(Buffer().PickObjectsInRect({18, 18, 50, 36}, 8)->Count(), 0);
}

TEST_F(ShapeFamily, OddValuesDrawWithoutAnOpenGLError) {
  Lay();
  Render();
  // Sizes of zero, negative sizes and counts, and huge ones.
  for (int i = 0; i < scene->Objects()->Count(); ++i) {
    TGLBaseSceneObject* o = scene->Objects()->GetChild(i);
    if (auto* c = dynamic_cast<TGLCylinderBase*>(o)) {
      c->SetSlices(-3);
      c->SetStacks(0);
      c->SetHeight(-2);
      c->SetBottomRadius(0);
    }
    if (auto* d = dynamic_cast<TGLDisk*>(o)) {
      d->SetSlices(0);
      d->SetLoops(-1);
      d->SetInnerRadius(2);
      d->SetSweepAngle(-720);
    }
    if (auto* t = dynamic_cast<TGLTorus*>(o)) {
      t->SetMinorRadius(-1);
      t->SetMajorRadius(0);
    }
    if (auto* f = dynamic_cast<TGLFrustrum*>(o)) f->ReadFrustrumSize(std::string(16, '\xFF'));  // NaNs
    if (auto* l = dynamic_cast<TGLLines*>(o)) {
      l->SetLineWidth(-4);
      l->SetSplineMode(TLineSplineMode::lsmBezierSpline);
      for (int k = 0; k < 40; ++k) l->AddNode(float(k) * 0.01f, 0, 0);
      l->SetNodesAspect(TLineNodesAspect::lnaDodecahedron);
    }
    if (auto* g = dynamic_cast<TGLXYZGrid*>(o)) {
      g->XSamplingScale().SetMin(1e8f);
      g->XSamplingScale().SetMax(1e8f + 100);
      g->XSamplingScale().SetStep(1e-3f);  // far finer than a float can tell there
      g->SetLineWidth(0);
    }
    if (auto* p = dynamic_cast<TGLPlane*>(o)) {
      p->SetStyle(psTileTexture);
      p->SetXTiles(0);
    }
    if (auto* p = dynamic_cast<TGLPoints*>(o)) p->SetSize(0);
    if (auto* s = dynamic_cast<TGLSprite*>(o)) s->SetWidth(-1);
    if (auto* p = dynamic_cast<TGLPipe*>(o)) {
      p->SetRadius(0);
      p->AddNode(0.5f, -0.3f, 0);  // twice the same node: no direction
    }
    if (auto* r = dynamic_cast<TGLRevolutionSolid*>(o)) {
      r->SetStopAngle(0.1f);
      r->SetParts(rspOutside | rspInside | rspStartPolygon | rspStopPolygon);
    }
    if (auto* e = dynamic_cast<TGLExtrusionSolid*>(o)) {
      e->SetHeight(-1);
      e->SetParts(espOutside | espInside | espStartPolygon | espStopPolygon);
      e->SetNormalDirection(TNormalDirection::ndInside);
    }
    if (auto* t = dynamic_cast<TGLSpaceText*>(o)) {
      t->SetText("\xE2\x82\xAC \x01");  // a euro sign and a control character: outside the range
      t->SetTextHeight(3);
    }
  }
  Render();
  EXPECT_NO_THROW(Buffer().GetPickedObject(360, 300));
}

}  // namespace
}  // namespace qx::test
