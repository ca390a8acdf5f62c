// The object tree, its frames and change notification, cameras and lights, without OpenGL.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/GLObjects.h"
#include "scene/GLRegistry.h"
#include "scene/GLScene.h"
#include "scene/base/SceneErrors.h"

namespace qx {
namespace {

void ExpectVec(const THomogeneousVector& v, float x, float y, float z, float tol = 1e-5f) {
  EXPECT_NEAR(v.X, x, tol);
  EXPECT_NEAR(v.Y, y, tol);
  EXPECT_NEAR(v.Z, z, tol);
}
void ExpectVec(const TAffineVector& v, float x, float y, float z, float tol = 1e-5f) {
  ExpectVec(VectorFromAffine(v, 0), x, y, z, tol);
}

// A scene with a buffer attached by hand, counting the changes it hears.
struct TCountingScene {
  TGLScene scene;
  TGLSceneBuffer buffer;
  int changes = 0;
  TCountingScene() {
    scene.AttachBuffer(&buffer);
    buffer.OnChange = [this](TObject*) { ++changes; };
  }
  ~TCountingScene() { scene.DetachBuffer(&buffer); }
};

TEST(SceneTree, NewObjectAndFrameRules) {
  TGLScene scene;
  auto* o = scene.Objects()->AddNewChild<TGLSceneObject>();
  const TMatrix& m = o->GetMatrix();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(m.data()[i], IdentityHmgMatrix.data()[i]);
  EXPECT_EQ(o->Position().W(), 1);
  EXPECT_EQ(o->Direction().W(), 0);

  o->Direction().SetAsVector({0, 0, 0, 0});
  SCOPED_TRACE("a zero direction becomes (0, 0, 1)");
  ExpectVec(o->Direction().AsVector(), 0, 0, 1);
  // Parallel to Up: the right vector comes from (0, 0, 1) x Up.
  o->Direction().SetAsVector({0, 2, 0, 0});
  ExpectVec(o->Direction().AsVector(), 0, 1, 0);
  ExpectVec(o->Up().AsVector(), 0, 0, -1);
  // Up along z as well: (0, 0, 1) x Up vanishes, (1, 0, 0) x Up is taken.
  TGLSceneObject p;
  p.Up().SetAsVector({0, 0, 1, 0});
  p.Direction().SetAsVector({0, 0, 1, 0});
  ExpectVec(p.Direction().AsVector(), 0, 0, 1);
  EXPECT_NEAR(VectorDotProduct(p.Direction().AsAffineVector(), p.Up().AsAffineVector()), 0, 1e-5);
  // A null vector given to the property setter changes nothing.
  TGLSceneObject q;
  q.SetDirection({0, 0, 0});
  ExpectVec(q.Direction().AsVector(), 0, 0, 1);
  q.SetUp({0, 0, 0});
  ExpectVec(q.Up().AsVector(), 0, 1, 0);
}

TEST(SceneTree, AbsoluteMatricesThroughParents) {
  TGLScene scene;
  auto* parent = scene.Objects()->AddNewChild<TGLSceneObject>();
  auto* child = parent->AddNewChild<TGLSceneObject>();
  // Under the root the absolute matrix is the local one.
  parent->Position().SetAsVector({1, 2, 3, 1});
  for (int i = 0; i < 16; ++i) EXPECT_EQ(parent->AbsoluteMatrix().data()[i], parent->GetMatrix().data()[i]);
  // A parent turned by 90 degrees about y: the child's local x becomes -z.
  parent->Turn(90);
  child->Position().SetAsVector({1, 0, 0, 1});
  ExpectVec(child->AbsolutePosition(), 1, 2, 2);
  ExpectVec(parent->AbsoluteToLocal(child->AbsolutePosition()), 1, 0, 0);
  ExpectVec(child->AbsoluteToLocal(child->AbsolutePosition()), 0, 0, 0);
  child->SetAbsolutePosition({5, 2, 3, 1});
  ExpectVec(child->AbsolutePosition(), 5, 2, 3);
  // A change of the parent marks the child's absolute matrices, not its local one.
  child->AbsoluteMatrix();
  EXPECT_FALSE(child->AbsoluteMatrixOutOfDate());
  EXPECT_FALSE(child->LocalMatrixOutOfDate());
  parent->Position().SetX(7);
  EXPECT_TRUE(child->AbsoluteMatrixOutOfDate());
  EXPECT_FALSE(child->LocalMatrixOutOfDate());
  // A scaled parent inverts in general.
  parent->Scale().SetAsVector({2, 2, 2, 0});
  parent->TransformationChanged();
  const TMatrix id = MatrixMultiply(child->AbsoluteMatrix(), child->InvAbsoluteMatrix());
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(id[i][j], i == j ? 1 : 0, 1e-5);
}

TEST(SceneTree, FindChildByName) {
  TGLScene scene;
  auto* a = scene.Objects()->AddNewChild<TGLDummyCube>();
  a->Name = "Gruppo";
  auto* direct = scene.Objects()->AddNewChild<TGLSphere>();
  direct->Name = "Punto";
  auto* deep = a->AddNewChild<TGLSphere>();
  deep->Name = "PUNTO";
  EXPECT_EQ(scene.Objects()->FindChildByName("punto", true), direct) << "own children only";
  EXPECT_EQ(scene.Objects()->FindChildByName("punto", false), deep) << "a subtree match wins";
  EXPECT_EQ(scene.Objects()->FindChildByName("nessuno", false), nullptr);
  EXPECT_EQ(deep->FindChildByName("x", false), nullptr) << "no child list";
  EXPECT_EQ(scene.FindSceneObject("gruppo"), a);
}

TEST(SceneTree, ChangesAreCountedAndBalanced) {
  TCountingScene s;
  auto* o = s.scene.Objects()->AddNewChild<TGLSceneObject>();
  s.changes = 0;
  o->BeginChanges();
  o->SetVisible(false);
  o->SetShowAxes(true);
  o->Position().SetX(3);
  EXPECT_EQ(s.changes, 0);
  o->EndChanges();
  EXPECT_EQ(s.changes, 1) << "three changes inside Begin/End notify once";
  try {
    o->EndChanges();
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Unbalanced Begin/EndUpdate");
  }
  s.changes = 0;
  s.scene.BeginUpdate();
  o->SetVisible(true);
  o->SetShowAxes(false);
  EXPECT_EQ(s.changes, 0);
  s.scene.EndUpdate();
  EXPECT_EQ(s.changes, 1);
  EXPECT_THROW(s.scene.EndUpdate(), EAssertionFailed);
  // Deleting an object is a change too.
  s.changes = 0;
  delete o;
  EXPECT_GE(s.changes, 1);
  EXPECT_EQ(s.scene.Objects()->Count(), 0);
}

TEST(SceneTree, OwnershipMovesAndDeepCopies) {
  TGLScene scene;
  auto* a = scene.Objects()->AddNewChild<TGLDummyCube>();
  auto* b = scene.Objects()->AddNewChild<TGLDummyCube>();
  auto* s = a->AddNewChild<TGLSphere>();
  s->SetRadius(2);
  s->AddNewChild<TGLCube>()->SetCubeWidth(3);
  // AddChild takes the child away from its former parent first.
  b->AddChild(s);
  EXPECT_EQ(a->Count(), 0);
  EXPECT_EQ(b->Count(), 1);
  EXPECT_EQ(s->Parent(), b);
  EXPECT_THROW(s->AddChild(b), EAssertionFailed) << "an ancestor cannot become a child";
  // A deep copy of the subtree, by class name.
  TGLSphere copy;
  copy.Assign(s);
  EXPECT_EQ(copy.Radius(), 2);
  ASSERT_EQ(copy.Count(), 1);
  ASSERT_EQ(copy.GetChild(0)->ClassName(), "TGLCube");
  EXPECT_EQ(static_cast<TGLCube*>(copy.GetChild(0))->CubeWidth(), 3);
  // Remove hands the object back to the caller; keepChildren leaves its children here.
  std::unique_ptr<TGLBaseSceneObject> removed = b->Remove(s, true);
  EXPECT_EQ(removed.get(), s);
  EXPECT_EQ(s->Parent(), nullptr);
  EXPECT_EQ(s->Scene(), nullptr);
  EXPECT_EQ(b->Count(), 1);
  EXPECT_EQ(b->GetChild(0)->ClassName(), "TGLCube");
  EXPECT_EQ(b->Remove(a, false), nullptr) << "not an own child";
  // By class name through the registry.
  EXPECT_EQ(b->AddNewChild("TGLSphere")->ClassName(), "TGLSphere");
  EXPECT_THROW(b->AddNewChild("TGLNessuno"), EAssertionFailed);
  b->MoveTo(a);
  EXPECT_EQ(b->Parent(), a);
  b->SetIndex(5);
  EXPECT_EQ(b->Index(), 0);
}

TEST(SceneTree, MoveAroundTargetAndThePoles) {
  TGLScene scene;
  auto* target = scene.Objects()->AddNewChild<TGLDummyCube>();
  auto* cam = scene.Cameras()->AddNewChild<TGLCamera>();
  cam->Position().SetAsVector({0, 0, 10, 1});
  cam->SetTargetObject(target);
  // Turning by 90 degrees about the up vector (y) moves the camera a quarter round.
  cam->MoveAroundTarget(0, 90);
  ExpectVec(cam->Position().AsVector(), 10, 0, 0, 1e-4f);
  cam->MoveAroundTarget(0, -90);
  ExpectVec(cam->Position().AsVector(), 0, 0, 10, 1e-4f);
  // Pitching by 30 degrees lifts it towards the up vector, keeping the distance.
  cam->MoveAroundTarget(-30, 0);
  ExpectVec(cam->Position().AsVector(), 0, 5, 8.660254f, 1e-4f);
  // Past the pole it stops 0.025 rad from it.
  cam->MoveAroundTarget(-200, 0);
  const float y = cam->Position().Y();
  EXPECT_NEAR(y, 10 * std::cos(0.025f), 1e-3);
  EXPECT_NEAR(VectorLength(cam->Position().AsVector()), 10, 1e-3);
  // An offset parallel to the up vector turns about the x axis.
  TGLSceneObject o;
  o.Position().SetAsVector({0, 10, 0, 1});
  o.MoveObjectAround(target, 90, 0);
  EXPECT_NEAR(o.Position().X(), 0, 1e-4);
  EXPECT_NEAR(std::hypot(o.Position().Y(), o.Position().Z()), 10, 1e-3);
  // Without a target nothing moves.
  cam->SetTargetObject(nullptr);
  const THomogeneousVector before = cam->Position().AsVector();
  cam->MoveAroundTarget(10, 10);
  EXPECT_TRUE(VectorEquals(before, cam->Position().AsVector()));
}

TEST(SceneTree, CameraAndLightSetters) {
  TGLScene scene;
  auto* cam = scene.Cameras()->AddNewChild<TGLCamera>();
  ExpectVec(cam->Direction().AsVector(), 0, 0, -1);
  cam->SetFocalLength(0);
  EXPECT_EQ(cam->FocalLength(), 1);
  cam->SetFocalLength(-5);
  EXPECT_EQ(cam->FocalLength(), 1);
  cam->SetSceneScale(0);
  EXPECT_EQ(cam->SceneScale(), 1);
  cam->SetSceneScale(-2);
  EXPECT_EQ(cam->SceneScale(), -2) << "a negative value is stored as given";
  cam->SetNearPlaneBias(0);
  EXPECT_EQ(cam->NearPlaneBias(), 1);
  cam->SetFocalLength(50);
  EXPECT_NEAR(cam->GetFieldOfView(256), 2 * std::atan(128.0 / 50) * 180 / M_PI, 1e-3);
  cam->SetFieldOfView(90, 256);
  EXPECT_NEAR(cam->FocalLength(), 128, 1e-3);
  // A freed target is forgotten.
  auto* target = scene.Objects()->AddNewChild<TGLDummyCube>();
  cam->SetTargetObject(target);
  delete target;
  EXPECT_EQ(cam->TargetObject(), nullptr);

  auto* light = scene.Objects()->AddNewChild<TGLLightSource>();
  light->SetSpotCutOff(120);
  EXPECT_EQ(light->SpotCutOff(), 180) << "120 is ignored";
  light->SetSpotCutOff(90);
  EXPECT_EQ(light->SpotCutOff(), 90);
  light->SetSpotCutOff(180);
  EXPECT_EQ(light->SpotCutOff(), 180);
  light->SetSpotCutOff(-1);
  EXPECT_EQ(light->SpotCutOff(), 180);
  light->SetSpotDirection({1, 0, 0});
  EXPECT_EQ(light->SpotDirection().W(), 0);
  EXPECT_FLOAT_EQ(light->Diffuse().Red(), 1);
  EXPECT_FLOAT_EQ(light->Ambient().Red(), 0);
}

TEST(SceneTree, NineLightsTakeEightSlots) {
  TGLScene scene;
  std::vector<TGLLightSource*> lights;
  for (int i = 0; i < 9; ++i) lights.push_back(scene.Objects()->AddNewChild<TGLLightSource>());
  for (int i = 0; i < 8; ++i) EXPECT_EQ(lights[std::size_t(i)]->LightID(), GLenum(GL_LIGHT0 + i));
  EXPECT_EQ(lights[8]->LightID(), 0u) << "the ninth is never lit";
  // A freed light gives its slot back; a light that leaves the scene too.
  delete lights[3];
  auto* again = scene.Objects()->AddNewChild<TGLLightSource>();
  EXPECT_EQ(again->LightID(), GLenum(GL_LIGHT3));
  auto* group = scene.Objects()->AddNewChild<TGLDummyCube>();
  group->AddChild(lights[0]);
  EXPECT_EQ(lights[0]->LightID(), GLenum(GL_LIGHT0)) << "moving inside the scene keeps a slot";
  std::unique_ptr<TGLBaseSceneObject> out = group->Remove(lights[0], false);
  EXPECT_EQ(scene.LightSlot(0), nullptr);
  scene.SetObjectsSorting(TGLObjectsSorting::osInherited);
  EXPECT_EQ(scene.ObjectsSorting(), TGLObjectsSorting::osRenderBlendedLast);
  scene.SetVisibilityCulling(TGLVisibilityCulling::vcInherited);
  EXPECT_EQ(scene.VisibilityCulling(), TGLVisibilityCulling::vcNone);
}

TEST(SceneTree, BasicObjectsRules) {
  TGLScene scene;
  auto* s = scene.Objects()->AddNewChild<TGLSphere>();
  s->SetSlices(0);
  EXPECT_EQ(s->Slices(), 1);
  s->SetStacks(-3);
  EXPECT_EQ(s->Stacks(), 1);
  s->SetStop(180);
  EXPECT_THROW(s->SetStart(200), EAssertionFailed);
  EXPECT_EQ(s->Start(), 0);
  s->SetStart(100);
  EXPECT_THROW(s->SetStop(50), EAssertionFailed);
  EXPECT_EQ(s->Stop(), 180);

  auto* cube = scene.Objects()->AddNewChild<TGLCube>();
  EXPECT_FALSE(cube->CubeSizeStored());
  cube->SetCubeDepth(2);
  EXPECT_TRUE(cube->CubeSizeStored());
  EXPECT_EQ(cube->WriteCubeSize().size(), 12u);
  cube->SetCubeDepth(1);
  THomogeneousVector p, n;
  ASSERT_TRUE(cube->IntersectRay({0, 0, 5, 1}, {0, 0, -1, 0}, &p, &n));
  ExpectVec(p, 0, 0, 0.5f);
  ExpectVec(n, 0, 0, 1);
  EXPECT_FALSE(cube->IntersectRay({0, 0, 5, 1}, {0, 0, 1, 0}, &p, &n));
  EXPECT_TRUE(cube->IntersectRay({0, 0, 5, 1}, {0, 0, -1, 0}, nullptr, nullptr)) << "outputs may be absent";
  // A moved cube: the ray works in its frame.
  cube->Position().SetAsVector({3, 0, 0, 1});
  ASSERT_TRUE(cube->IntersectRay({3, 0, 5, 1}, {0, 0, -1, 0}, &p, nullptr));
  ExpectVec(p, 3, 0, 0.5f);

  auto* group = scene.Objects()->AddNewChild<TGLDummyCube>();
  group->Position().SetY(50);
  for (float x : {0.0f, 3.0f, 6.0f}) group->AddNewChild<TGLSphere>()->Position().SetX(x);
  EXPECT_NEAR(group->AbsoluteCentre().X, 3, 1e-6);
  EXPECT_FALSE(group->IntersectRay({0, 0, 5, 1}, {0, 0, -1, 0}, &p, &n)) << "a dummy cube is never hit";

  // The scene's ray cast: the nearest visible object.
  s->Position().SetX(-30);
  auto* far = scene.Objects()->AddNewChild<TGLSphere>();
  far->Position().SetAsVector({0, 0, -20, 1});
  auto* near = scene.Objects()->AddNewChild<TGLSphere>();
  near->Position().SetAsVector({0, 0, -10, 1});
  cube->Position().SetX(30);
  EXPECT_EQ(scene.RayCastIntersect({0.0f, 0.0f, 0.0f, 1}, {0, 0, -1, 0}, &p), near);
  ExpectVec(p, 0, 0, -9.5f);
  near->SetVisible(false);
  EXPECT_EQ(scene.RayCastIntersect({0.0f, 0.0f, 0.0f, 1}, {0, 0, -1, 0}), far);
}

TEST(SceneTree, CoordinatesAndNodes) {
  int heard = 0;
  TGLCoordinates point(nullptr, {0, 0, 0, 1}, csPointStyle);
  point.OnNotifyChange = [&](TObject*) { ++heard; };
  point.SetAsVector({1, 2, 3, 5});
  EXPECT_EQ(point.W(), 1);
  TGLCoordinates vec(nullptr, {0, 0, 0, 0}, csVectorStyle), free(nullptr, {0, 0, 0, 0}, csFreeStyle);
  vec.SetAsVector({1, 2, 3, 5});
  EXPECT_EQ(vec.W(), 0);
  free.SetAsVector({1, 2, 3, 5});
  EXPECT_EQ(free.W(), 5);
  heard = 0;
  point.SetX(point.X());
  EXPECT_EQ(heard, 1) << "stores and notifies even when unchanged";
  EXPECT_THROW(point.SetToVector(1, 2, 3), EAssertionFailed);
  EXPECT_THROW(vec.SetToPoint(1, 2, 3), EAssertionFailed);
  TGLCoordinates zero(nullptr, {0, 0, 0, 0}, csVectorStyle);
  EXPECT_EQ(zero.WriteData(), std::string(16, '\0'));
  EXPECT_FALSE(zero.ReadData("short"));

  TGLNodes nodes(nullptr);
  ExpectVec(nodes.Barycenter(), 0, 0, 0);
  nodes.AddNode(1, 0, 0);
  SCOPED_TRACE("one node");
  ExpectVec(nodes.NodeVector(0), 0, 0, 0);
  nodes.AddNode(1, 0, 0);
  SCOPED_TRACE("two nodes at one place");
  ExpectVec(nodes.NodeVector(1), 0, 0, 0);
  SCOPED_TRACE("two nodes have no normal");
  ExpectVec(nodes.Normal(), 0, 0, 0);
  EXPECT_THROW(nodes.NodeVector(2), EAssertionFailed);
  nodes.RotateAroundY(90);
  ExpectVec(nodes[0]->AsAffineVector(), 0, 0, -1);
  EXPECT_EQ(nodes[0]->DisplayName(), "0.0000; 0.0000; -1.0000");
}

TEST(SceneTree, ColoursAndMaterials) {
  int heard = 0;
  TGLColor c(nullptr);
  c.OnNotifyChange = [&](TObject*) { ++heard; };
  c.SetRed(0);
  EXPECT_EQ(heard, 0) << "Red set to its value";
  c.SetColor(c.Color());
  EXPECT_EQ(heard, 1) << "SetColor always notifies";
  const TColorVector v = ColorToVector(clBtnFace, 0.5f);
  EXPECT_NEAR(v.X, 212 / 255.0f, 1e-6) << "a system colour as the desktop has it";
  EXPECT_EQ(v.W, 0.5f);
  const TColorVector red = ColorToVector(clRed);
  EXPECT_EQ(red.X, 1);
  EXPECT_EQ(red.Z, 0);

  TGLMaterial m(nullptr);
  EXPECT_FALSE(m.Blended());
  m.SetBlendingMode(TBlendingMode::bmTransparency);
  EXPECT_TRUE(m.Blended());
  m.SetBlendingMode(TBlendingMode::bmAlphaTest50);
  EXPECT_FALSE(m.Blended());
  EXPECT_FALSE(m.HasBackProperties());
  EXPECT_NEAR(m.BackProperties().Diffuse().Red(), 0.8f, 1e-6) << "made with the defaults";

  TGLMaterialLibrary lib;
  EXPECT_EQ(lib.Add()->Name(), "LibMaterial");
  EXPECT_EQ(lib.Add()->Name(), "LibMaterial1");
  TGLLibMaterial* a = lib.Add("A");
  TGLLibMaterial* b = lib.Add("B");
  a->Material().SetMaterialLibrary(&lib);
  a->Material().SetLibMaterialName("B");
  b->Material().SetMaterialLibrary(&lib);
  try {
    b->Material().SetLibMaterialName("A");
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Error: Cyclic material reference detected!");
  }
  b->Material().FrontProperties().Diffuse().SetRGBA(0, 0, 1, 0.5f);
  b->Material().SetBlendingMode(TBlendingMode::bmTransparency);
  EXPECT_TRUE(a->Material().Blended()) << "answers with the library material";
  // The archive, round trip.
  TMemoryStream s;
  lib.SaveToStream(s);
  s.SetPosition(0);
  TGLMaterialLibrary back;
  back.LoadFromStream(s);
  ASSERT_EQ(back.Count(), 4);
  EXPECT_EQ(back[3]->Name(), "B");
  EXPECT_EQ(back[3]->Material().FrontProperties().Diffuse().Alpha(), 0.5f);
  EXPECT_EQ(back[3]->Material().BlendingMode(), TBlendingMode::bmTransparency);
  TMemoryStream bad(std::string("\x02\x07", 2));
  try {
    back.LoadFromStream(bad);
    FAIL();
  } catch (const EFilerException& e) {
    EXPECT_STREQ(e.what(), "TGLMaterialLibrary : unknown archive version 7");
  }
}

}  // namespace
}  // namespace qx

namespace qx {
namespace {

TEST(SceneTreeMore, AngleSettersAndMatrices) {
  TGLScene scene;
  auto* o = scene.Objects()->AddNewChild<TGLSceneObject>();
  o->SetTurnAngle(90);
  EXPECT_EQ(o->TurnAngle(), 90);
  ExpectVec(o->Direction().AsVector(), 1, 0, 0, 1e-5f);
  o->SetTurnAngle(0);
  ExpectVec(o->Direction().AsVector(), 0, 0, 1, 1e-5f);
  o->SetPitchAngle(90);
  ExpectVec(o->Up().AsVector(), 0, 0, -1, 1e-5f);
  o->ResetRotations();
  EXPECT_EQ(o->PitchAngle(), 0);
  ExpectVec(o->Up().AsVector(), 0, 1, 0);
  // The rotation coordinates turn the frame by the three angles.
  o->Rotation().SetAsVector({0, 90, 0, 0});
  ExpectVec(o->Direction().AsVector(), 1, 0, 0, 1e-5f);
  o->Roll(90);
  EXPECT_NEAR(VectorDotProduct(o->Up().AsAffineVector(), o->Direction().AsAffineVector()), 0, 1e-5);
  // SetMatrix takes the frame, the scale and the position from the rows.
  TMatrix m = CreateScaleMatrix(TAffineVector{2, 3, 4});
  m[3] = {7, 8, 9, 1};
  o->SetMatrix(m);
  ExpectVec(o->Scale().AsVector(), 2, 3, 4);
  ExpectVec(o->Position().AsVector(), 7, 8, 9);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(o->GetMatrix().data()[i], m.data()[i], 1e-6) << i;
}

TEST(SceneTreeMore, BoundsAndPoints) {
  TGLScene scene;
  auto* cube = scene.Objects()->AddNewChild<TGLCube>();
  cube->SetCubeWidth(2);
  cube->Scale().SetAsVector({3, 1, 1, 0});
  cube->TransformationChanged();
  ExpectVec(cube->AxisAlignedDimensions(), 3, 0.5f, 0.5f);
  EXPECT_NEAR(cube->BoundingSphereRadius(), std::sqrt(9.5f), 1e-5);
  EXPECT_NEAR(cube->BoundingSphereRadiusUnscaled(), std::sqrt(1.5f), 1e-5);
  EXPECT_TRUE(cube->ContainsPoint({2.9f, 0.4f, 0}));
  EXPECT_FALSE(cube->ContainsPoint({0, 0.6f, 0}));
  auto* child = cube->AddNewChild<TGLCube>();
  child->Position().SetX(10);
  const TAxisAlignedBox box = cube->HierarchicalBox();
  EXPECT_NEAR(box.Max.X, 10.5f, 1e-5) << "the child's box in the parent's frame";
  EXPECT_NEAR(box.Min.X, -3, 1e-5);
  EXPECT_NEAR(cube->DistanceTo({0, 0, 5, 1}), 25, 1e-5);
  // The base ray test: the bounding sphere.
  TGLSceneObject plain;
  THomogeneousVector p, n;
  ASSERT_TRUE(plain.IntersectRay({0, 0, 5, 1}, {0, 0, -2, 0}, &p, &n));
  EXPECT_NEAR(p.Z, std::sqrt(0.75f), 1e-5);
  ExpectVec(n, 0, 0, 1);
  EXPECT_FALSE(plain.IntersectRay({0, 5, 5, 1}, {0, 0, -1, 0}, &p, &n));
}

class TStepBehaviour : public TGLBehaviour {
 public:
  using TGLBehaviour::TGLBehaviour;
  std::string ClassName() const override { return "TStepBehaviour"; }
  void DoProgress(double delta, double) override { total += delta; }
  double total = 0;
};

TEST(SceneTreeMore, TimeAdvancesChildrenFirstFromTheLast) {
  TGLScene scene;
  auto* root = scene.Objects()->AddNewChild<TGLDummyCube>();
  std::vector<std::string> order;
  for (const char* name : {"a", "b"}) {
    auto* c = root->AddNewChild<TGLDummyCube>();
    c->Name = name;
    c->OnProgress = [&order, c](TObject*, double, double) { order.push_back(c->Name); };
  }
  root->OnProgress = [&](TObject*, double, double) { order.push_back("root"); };
  auto* step = new TStepBehaviour(&root->Behaviours());
  scene.Progress(0.5, 1.0);
  EXPECT_EQ(order, (std::vector<std::string>{"b", "a", "root"}));
  EXPECT_EQ(step->total, 0.5);
  EXPECT_EQ(root->Behaviours().GetNamePath(), ".Behaviours");
  EXPECT_THROW(TGLBehaviours(nullptr), EAssertionFailed) << "the owner must be a scene object";
}

TEST(SceneTreeMore, FreeingASubtree) {
  TGLScene scene;
  auto* group = scene.Objects()->AddNewChild<TGLDummyCube>();
  auto* cam = group->AddNewChild<TGLCamera>();
  auto* light = cam->AddNewChild<TGLLightSource>();
  EXPECT_EQ(light->LightID(), GLenum(GL_LIGHT0));
  auto* watcher = scene.Cameras()->AddNewChild<TGLCamera>();
  watcher->SetTargetObject(cam);
  group->DeleteChildren();
  EXPECT_EQ(group->Count(), 0);
  EXPECT_EQ(scene.LightSlot(0), nullptr) << "the light under the freed camera gave its slot back";
  EXPECT_EQ(watcher->TargetObject(), nullptr);
  // A removed object no longer hears of a scene that goes first.
  auto* kept = group->AddNewChild<TGLSphere>();
  std::unique_ptr<TGLBaseSceneObject> out = group->Remove(kept, false);
  EXPECT_EQ(out->Scene(), nullptr);
}

TEST(SceneTreeMore, NodesOfAPolygonRebuildItsDrawing) {
  TCountingScene s;
  auto* poly = s.scene.Objects()->AddNewChild<TGLPolygonBase>();
  EXPECT_EQ(poly->Division(), 10);
  poly->SetDivision(0);
  EXPECT_EQ(poly->Division(), 1);
  s.changes = 0;
  poly->AddNode(1, 2, 3);
  EXPECT_TRUE(poly->StructureChangedFlag());
  EXPECT_GE(s.changes, 1);
  poly->Nodes()[0]->SetX(5);
  EXPECT_EQ(poly->Nodes()[0]->X(), 5);
  TGLPolygonBase copy;
  copy.Assign(poly);
  EXPECT_EQ(copy.Nodes().Count(), 1);
  EXPECT_EQ(copy.Division(), 1);
  ExpectVec(poly->Nodes().Barycenter(), 5, 2, 3);
}

TEST(SceneTreeMore, MaterialLibraryArchivesFailCleanly) {
  TGLMaterialLibrary lib;
  TGLLibMaterial* m = lib.Add("Vetro");
  m->Material().SetBlendingMode(TBlendingMode::bmTransparency);
  m->Material().FrontProperties().SetShininess(40);
  m->TextureScale().SetAsVector({2, 2, 2, 0});
  EXPECT_FALSE(m->TextureMatrixIsIdentity());
  TBitmap pic(4, 4, 0xFF112233u);
  lib.AddTextureMaterial("Legno", pic);
  TMemoryStream out;
  lib.SaveToStream(out);
  const std::string good = out.Data();
  TGLMaterialLibrary back;
  TMemoryStream in(good);
  back.LoadFromStream(in);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back[0]->Material().FrontProperties().Shininess(), 40);
  EXPECT_FALSE(back[0]->TextureMatrixIsIdentity());
  EXPECT_FALSE(back[1]->Material().Texture().Disabled());
  EXPECT_EQ(back[1]->Material().Texture().TextureMode(), TGLTextureMode::tmModulate);
  unsigned seed = 11;
  for (int round = 0; round < 1500; ++round) {
    std::string d = good;
    seed = seed * 1103515245u + 12345u;
    d[std::size_t(seed >> 8) % d.size()] = char(seed >> 19);
    if (round % 4 == 0) d.resize(std::size_t(seed >> 5) % d.size());
    TMemoryStream s(d);
    TGLMaterialLibrary l;
    try {
      l.LoadFromStream(s);
    } catch (const ESceneError&) {
    }
  }
}

TEST(SceneTreeMore, CopiesOfCamerasAndLights) {
  TGLScene scene;
  auto* cam = scene.Cameras()->AddNewChild<TGLCamera>();
  cam->SetFocalLength(35);
  cam->SetCameraStyle(TGLCameraStyle::csOrthogonal);
  auto* target = scene.Objects()->AddNewChild<TGLDummyCube>();
  cam->SetTargetObject(target);
  TGLCamera copy;
  copy.Assign(cam);
  EXPECT_EQ(copy.FocalLength(), 35);
  EXPECT_EQ(copy.CameraStyle(), TGLCameraStyle::csOrthogonal);
  EXPECT_EQ(copy.TargetObject(), target);
  auto* light = scene.Objects()->AddNewChild<TGLLightSource>();
  light->SetSpotCutOff(30);
  light->Diffuse().SetColor(clrBlue);
  TGLLightSource lcopy;
  lcopy.Assign(light);
  EXPECT_EQ(lcopy.SpotCutOff(), 30);
  EXPECT_EQ(lcopy.Diffuse().Blue(), 1);
  EXPECT_EQ(lcopy.LightID(), 0u) << "a copy outside the scene has no slot";
}

}  // namespace
}  // namespace qx
