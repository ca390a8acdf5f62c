// The layer under the scene: capability flags, texture-coordinate mapping, the state cache
// (its calls counted), rendering contexts and their names, textures, materials and the
// polygon tessellator.
#include <gtest/gtest.h>

#include <map>

#include "scene/GLContextEGL.h"
#include "scene/GLMaterial.h"
#include "scene/GLRenderContextInfo.h"
#include "scene/GLState.h"
#include "scene/XOpenGL.h"
#include "scene/base/SceneErrors.h"

namespace qx {
namespace {

TEST(SceneGL, VersionAndExtensionStrings) {
  int major, minor;
  ParseGLVersion("1.5.2 Vendor 7.1", major, minor);
  EXPECT_EQ(major, 1);
  EXPECT_EQ(minor, 5);
  TGLCapabilities c;
  ReadGLCapabilitiesFrom("1.5.2 Vendor", "", "", c);
  EXPECT_TRUE(c.VERSION_1_0 && c.VERSION_1_1 && c.VERSION_1_2 && c.VERSION_1_3 && c.VERSION_1_4 &&
              c.VERSION_1_5);
  ReadGLCapabilitiesFrom("2.0", "", "", c);
  EXPECT_TRUE(c.VERSION_1_5);
  ReadGLCapabilitiesFrom("no dot here", "", "", c);
  EXPECT_TRUE(c.VERSION_1_0);
  EXPECT_FALSE(c.VERSION_1_1);
  ReadGLCapabilitiesFrom(".5", "", "", c);
  EXPECT_FALSE(c.VERSION_1_1);
  ReadGLCapabilitiesFrom("1.1", "GL_ARB_multitexture GL_EXT_bgra", "", c);
  EXPECT_TRUE(c.ARB_multitexture);
  EXPECT_TRUE(c.EXT_bgra);
  ReadGLCapabilitiesFrom("1.1", "GL_ARB_multisample GL_EXT_bgra", "", c);
  EXPECT_FALSE(c.ARB_multisample) << "tested with a leading blank";
  ReadGLCapabilitiesFrom("1.1", "GL_EXT_texture3D_extra GL_EXT_texture3D", "", c);
  EXPECT_FALSE(c.EXT_texture3D) << "only the first occurrence is examined";
}

TEST(SceneGL, TexCoordMappingInNestedUpdates) {
  MapTexCoordToNull();
  BeginTexCoordMapUpdate();
  BeginTexCoordMapUpdate();
  MapTexCoordToMain();
  EXPECT_EQ(CurrentTexCoordUnitMask(), 1u);
  EXPECT_EQ(xgl.TexCoord2f, CurrentTexCoordMode() == TMapTexCoordMode::mtcmNull ? xgl.TexCoord2f : nullptr);
  MapTexCoordToNull();
  EndTexCoordMapUpdate();
  EndTexCoordMapUpdate();
  EXPECT_EQ(CurrentTexCoordMode(), TMapTexCoordMode::mtcmNull);
  EXPECT_NE(xgl.TexCoord2f, &glTexCoord2f) << "the first-unit entries were never installed";
  MapTexCoordToMain();
  EXPECT_EQ(xgl.TexCoord2f, &glTexCoord2f);
  MapTexCoordToNull();
}

// Counts the OpenGL calls that the state cache makes.
struct TCallCounter {
  static inline std::map<std::string, int> calls;
  static void Enable(GLenum) { ++calls["Enable"]; }
  static void Disable(GLenum) { ++calls["Disable"]; }
  static void Materiali(GLenum, GLenum, GLint) { ++calls["Materiali"]; }
  static void Materialfv(GLenum, GLenum pname, const GLfloat*) {
    ++calls["Materialfv"];
    ++calls["Materialfv" + std::to_string(pname)];
  }
  static void BindTexture(GLenum, GLuint) { ++calls["BindTexture"]; }
  static void PolygonMode(GLenum, GLenum) { ++calls["PolygonMode"]; }
  static void FrontFace(GLenum) { ++calls["FrontFace"]; }
  static void LoadTextureMatrix(const GLfloat*) { ++calls["LoadTextureMatrix"]; }
  static void ActiveTexture(GLenum) { ++calls["ActiveTexture"]; }
  TCallCounter() {
    calls.clear();
    GLStateCalls() = {Enable,      Disable,   Materiali,         Materialfv,   BindTexture,
                      PolygonMode, FrontFace, LoadTextureMatrix, ActiveTexture};
  }
  ~TCallCounter() { ResetGLStateCalls(); }
};

TEST(SceneGL, StateCacheSkipsRedundantCalls) {
  TCallCounter count;
  TGLStateCache st;
  EXPECT_TRUE(count.calls.empty()) << "a new cache touches nothing";
  st.Enable(stBlend);
  st.Enable(stBlend);
  EXPECT_EQ(count.calls["Enable"], 1);
  st.Disable(stBlend);
  st.Disable(stBlend);
  EXPECT_EQ(count.calls["Disable"], 1);

  const TColorVector black{0, 0, 0, 1}, ambient{0.2f, 0.2f, 0.2f, 1}, diffuse{0.8f, 0.8f, 0.8f, 1};
  st.ResetGLMaterialColors();
  count.calls.clear();
  st.SetGLMaterialColors(GL_FRONT, black, ambient, diffuse, black, 0);
  EXPECT_EQ(count.calls["Materialfv"], 4) << "after a reset even the defaults are sent";
  st.SetGLMaterialColors(GL_FRONT, black, ambient, diffuse, black, 0);
  EXPECT_EQ(count.calls["Materialfv"], 4);
  const TColorVector ambientAlpha{0.2f, 0.2f, 0.2f, 0.5f}, diffuseAlpha{0.8f, 0.8f, 0.8f, 0.5f};
  st.SetGLMaterialColors(GL_FRONT, black, ambientAlpha, diffuse, black, 0);
  EXPECT_EQ(count.calls["Materialfv"], 4) << "the ambient alpha alone is not sent";
  st.SetGLMaterialColors(GL_FRONT, black, ambientAlpha, diffuseAlpha, black, 0);
  EXPECT_EQ(count.calls["Materialfv"], 5) << "the diffuse alpha is";
  st.SetGLMaterialColors(GL_FRONT, black, ambientAlpha, diffuseAlpha, black, 10);
  EXPECT_EQ(count.calls["Materiali"], 1);
  st.SetGLMaterialAlphaChannel(GL_FRONT, 0.5f);
  EXPECT_EQ(count.calls["Materialfv"], 5);
  st.SetGLMaterialAlphaChannel(GL_FRONT, 0.25f);
  EXPECT_EQ(count.calls["Materialfv"], 6);

  st.SetGLPolygonMode(GL_FRONT, GL_LINE);
  st.SetGLPolygonMode(GL_BACK, GL_POINT);
  st.SetGLPolygonMode(GL_FRONT, GL_LINE);
  EXPECT_EQ(count.calls["PolygonMode"], 2);
  st.SetGLPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  st.SetGLPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  EXPECT_EQ(count.calls["PolygonMode"], 3) << "front and back together: one call";

  st.SetGLCurrentTexture(0, GL_TEXTURE_2D, 7);
  st.SetGLCurrentTexture(0, GL_TEXTURE_2D, 7);
  EXPECT_EQ(count.calls["BindTexture"], 1);
  st.ResetGLCurrentTexture();
  st.SetGLCurrentTexture(0, GL_TEXTURE_2D, 7);
  EXPECT_EQ(count.calls["BindTexture"], 2);
  st.ResetGLTextureMatrix();
  EXPECT_EQ(count.calls["LoadTextureMatrix"], 0);
  st.SetGLTextureMatrix(IdentityHmgMatrix);
  st.ResetGLTextureMatrix();
  st.ResetGLTextureMatrix();
  EXPECT_EQ(count.calls["LoadTextureMatrix"], 2);
  st.InvertGLFrontFace();
  EXPECT_FALSE(st.FrontFaceCCW());
  st.ResetAll();
  EXPECT_TRUE(st.FrontFaceCCW());
}

TEST(SceneGL, MaterialsApplyAndUndo) {
  TCallCounter count;
  TGLStateCache st;
  st.Enable(stLighting);
  TRenderContextInfo rci;
  rci.GLStates = &st;
  TGLMaterial outer(nullptr), inner(nullptr);
  outer.SetMaterialOptions(moNoLighting);
  inner.SetMaterialOptions(moNoLighting);
  // Only the rendering context's state: no OpenGL call leaves the cache but through the seam
  // (glColor and friends are not counted here, the context is off-screen below).
  TGLEGLContext ctx;
  ctx.CreateMemoryContext(nullptr, 8, 8);
  ctx.Activate();
  outer.Apply(rci);
  EXPECT_FALSE(st.IsEnabled(stLighting));
  inner.Apply(rci);
  inner.UnApply(rci);
  EXPECT_FALSE(st.IsEnabled(stLighting)) << "the inner one does not switch it back";
  outer.UnApply(rci);
  EXPECT_TRUE(st.IsEnabled(stLighting));

  TGLMaterial test(nullptr);
  ResetGLStateCalls();
  test.SetBlendingMode(TBlendingMode::bmAlphaTest50);
  test.Apply(rci);
  GLint func = 0;
  GLfloat ref = -1;
  glGetIntegerv(GL_ALPHA_TEST_FUNC, &func);
  glGetFloatv(GL_ALPHA_TEST_REF, &ref);
  EXPECT_EQ(func, GL_GEQUAL);
  EXPECT_FLOAT_EQ(ref, 0.5f);
  test.UnApply(rci);
  glGetIntegerv(GL_ALPHA_TEST_FUNC, &func);
  glGetFloatv(GL_ALPHA_TEST_REF, &ref);
  EXPECT_EQ(func, GL_GREATER);
  EXPECT_FLOAT_EQ(ref, 0.0f);
  test.SetBlendingMode(TBlendingMode::bmOpaque);
  test.Apply(rci);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  test.UnApply(rci);
  ctx.Deactivate();
}

TEST(SceneGL, ContextActivationsNest) {
  ASSERT_TRUE(EGLAvailable());
  TGLEGLContext a;
  EXPECT_THROW(a.Activate(), EGLContext) << "not created";
  a.CreateMemoryContext(nullptr, 16, 16);
  EXPECT_THROW(a.CreateMemoryContext(nullptr, 16, 16), EGLContext);
  a.Activate();
  a.Activate();
  EXPECT_EQ(CurrentGLContext(), &a);
  try {
    a.SetDepthBits(16);
    FAIL();
  } catch (const EGLContext& e) {
    EXPECT_STREQ(e.what(), "Cannot alter an active context");
  }
  a.Deactivate();
  EXPECT_EQ(CurrentGLContext(), &a);
  a.Deactivate();
  EXPECT_EQ(CurrentGLContext(), nullptr);
  try {
    a.Deactivate();
    FAIL();
  } catch (const EGLContext& e) {
    EXPECT_STREQ(e.what(), "Unbalanced context activations");
  }
  EXPECT_FALSE(a.Active());
}

TEST(SceneGL, NamesPassToTheOtherMemberOfTheGroup) {
  auto first = std::make_unique<TGLEGLContext>();
  TGLEGLContext second;
  first->CreateMemoryContext(nullptr, 4, 4);
  second.CreateMemoryContext(nullptr, 4, 4);
  EXPECT_THROW(TGLEGLContext().ShareLists(first.get()), EGLContext) << "not created";
  second.ShareLists(first.get());
  EXPECT_TRUE(first->SharesWith(&second));
  first->Activate();
  TGLListHandle list;
  list.AllocateHandle();
  glNewList(list.Handle(), GL_COMPILE);
  glClearColor(0, 1, 0, 1);
  glEndList();
  first->Deactivate();
  EXPECT_EQ(list.RenderingContext(), first.get());
  first.reset();
  EXPECT_EQ(list.RenderingContext(), &second) << "handed over, not deleted";
  EXPECT_NE(list.Handle(), 0u);
  second.Activate();
  EXPECT_TRUE(glIsList(list.Handle()));
  glCallList(list.Handle());
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[1], 1.0f);
  list.DestroyHandle();
  EXPECT_EQ(list.Handle(), 0u);
  EXPECT_EQ(second.OwnedHandleCount(), 0);
  second.Deactivate();
  // A handle destroyed while no context is current finds its owner by itself.
  TGLTextureHandle tex;
  second.Activate();
  tex.AllocateHandle();
  second.Deactivate();
  tex.DestroyHandle();
  EXPECT_EQ(tex.Handle(), 0u);
}

TEST(SceneGL, BitmapsAndUploads) {
  TGLBitmap32 b;
  b.SetWidth(13);
  EXPECT_EQ(b.Width(), 16) << "a multiple of 4";
  EXPECT_THROW(b.SetHeight(-1), EAssertionFailed);
  // A 13-pixel-wide picture is stretched over 16 pixels; its top row becomes the last stored.
  TBitmap pic(13, 2, 0xFF0000FFu);
  pic.SetPixel(0, 0, 0xFFFF0000u);
  b.AssignFromBitmap(pic);
  EXPECT_EQ(b.Width(), 16);
  EXPECT_EQ(b.ScanLine(1)[0], 255) << "red at the top-left, stored last";
  EXPECT_EQ(b.ScanLine(0)[2], 255) << "blue below";
  b.BrightnessCorrection(1);
  EXPECT_EQ(b.ScanLine(1)[0], 255);
  TGLBitmap32 g;
  g.SetWidth(4);
  g.SetHeight(1);
  g.Data()[0] = 100;
  g.BrightnessCorrection(2);
  EXPECT_EQ(g.Data()[0], 200);
  g.BrightnessCorrection(2);
  EXPECT_EQ(g.Data()[0], 255) << "saturates";
  EXPECT_THROW(g.GammaCorrection(0), EAssertionFailed);
  g.Data()[0] = 128;
  g.GammaCorrection(0.05f);  // exponent 10
  EXPECT_EQ(g.Data()[0], 0);
  g.Data()[0] = 30, g.Data()[1] = 60, g.Data()[2] = 90;
  g.SetAlphaFromIntensity();
  EXPECT_EQ(g.Data()[3], 60);
  g.InvertAlpha();
  EXPECT_EQ(g.Data()[3], 195);

  TGLEGLContext ctx;
  ctx.CreateMemoryContext(nullptr, 4, 4);
  ctx.Activate();
  GLuint tex = 0;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  TGLBitmap32 big;
  big.SetWidth(100);
  big.SetHeight(60);
  int w = 0, h = 0;
  big.UploadBitmapTexture(GL_TEXTURE_2D, TGLMinFilter::miLinear, w, h, GL_RGBA8);
  EXPECT_EQ(w, 128);
  EXPECT_EQ(h, 64);
  GLint level1 = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1);
  EXPECT_EQ(level1, 0) << "no mipmaps with miLinear";
  TGLBitmap32 square;
  square.SetWidth(64);
  square.SetHeight(64);
  square.UploadBitmapTexture(GL_TEXTURE_2D, TGLMinFilter::miLinearMipmapLinear, w, h, GL_RGBA8);
  EXPECT_EQ(w, 64);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1);
  EXPECT_EQ(level1, 32) << "mipmaps with miLinearMipmapLinear";
  glDeleteTextures(1, &tex);
  // ReadPixels reads from the window origin, its width cut to a multiple of 4.
  TGLBitmap32 r;
  r.ReadPixels(10, 10, 50, 30);
  EXPECT_EQ(r.Width(), 40);
  EXPECT_EQ(r.Height(), 20);
  ctx.Deactivate();
}

TEST(SceneGL, TessellatedPolygons) {
  TGLEGLContext ctx;
  ctx.CreateMemoryContext(nullptr, 4, 4);
  ctx.Activate();
  GLuint list = glGenLists(1);
  TGLNodes two(nullptr);
  two.AddNode(0, 0, 0);
  two.AddNode(1, 0, 0);
  glNewList(list, GL_COMPILE);
  two.RenderTesselatedPolygon(false);
  glEndList();
  // A self-intersecting outline: the tessellator combines vertices, which get storage of
  // their own.
  TGLNodes bow(nullptr);
  for (auto [x, y] : std::vector<std::pair<float, float>>{{0, 0}, {2, 2}, {2, 0}, {0, 2}, {1, -1}, {1, 3}})
    bow.AddNode(x, y, 0);
  const TAffineVector n{0, 0, 1};
  glNewList(list, GL_COMPILE);
  EXPECT_NO_THROW(bow.RenderTesselatedPolygon(true, &n, 1, true));
  EXPECT_NO_THROW(bow.RenderTesselatedPolygon(false, &n, 4, false));
  glEndList();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  glDeleteLists(list, 1);
  ctx.Deactivate();
}

}  // namespace
}  // namespace qx

namespace qx {
namespace {

TEST(SceneGL, TextureImagesAndParameters) {
  TGLTexture t(nullptr);
  EXPECT_TRUE(t.Disabled());
  EXPECT_EQ(t.ImageClassName(), "TGLPersistentImage");
  EXPECT_TRUE(t.ImageChanged() && t.ParametersChanged());
  t.SetImageClassName("TGLBlankImage");
  ASSERT_EQ(t.ImageClassName(), "TGLBlankImage");
  auto* blank = static_cast<TGLBlankImage*>(t.Image());
  blank->SetWidth(0);
  EXPECT_EQ(blank->Width(), 1) << "below 1 becomes 1";
  blank->SetWidth(64);
  blank->SetHeight(32);
  EXPECT_EQ(blank->SaveToText(), "[BlankImage]\r\nWidth=64\r\nHeight=32");
  TGLBlankImage other(&t);
  other.LoadFromText("[BlankImage]\r\nWidth=8\r\nHeight=x");
  EXPECT_EQ(other.Width(), 8);
  EXPECT_EQ(other.Height(), 256) << "an unreadable value keeps what was there";
  t.SetImageClassName("TGLNessuna");
  EXPECT_EQ(t.ImageClassName(), "TGLBlankImage") << "an unknown class changes nothing";
  t.SetImage(nullptr);
  EXPECT_EQ(t.ImageClassName(), "TGLPersistentImage");
  // A picture file that is missing uploads nothing and raises nothing.
  TGLPicFileImage pic(&t);
  pic.SetPictureFileName("/nessuna/immagine.bmp");
  EXPECT_EQ(pic.GetBitmap32(GL_TEXTURE_2D), nullptr);

  TGLEGLContext ctx;
  ctx.CreateMemoryContext(nullptr, 4, 4);
  ctx.Activate();
  t.SetImageClassName("TGLBlankImage");
  static_cast<TGLBlankImage*>(t.Image())->SetWidth(16);
  static_cast<TGLBlankImage*>(t.Image())->SetHeight(16);
  t.SetTextureWrap(TGLTextureWrap::twNone);
  t.SetMinFilter(TGLMinFilter::miNearest);
  const GLuint name = t.Handle();
  EXPECT_NE(name, 0u);
  EXPECT_FALSE(t.ImageChanged() || t.ParametersChanged());
  EXPECT_EQ(t.TexWidth(), 16);
  GLint wrap = 0, minf = 0;
  glBindTexture(GL_TEXTURE_2D, name);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minf);
  EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);
  EXPECT_EQ(minf, GL_NEAREST);
  t.SetTextureMode(TGLTextureMode::tmBlend);
  EXPECT_TRUE(t.ParametersChanged());
  EXPECT_EQ(t.Handle(), name) << "the same name, new parameters";
  t.DestroyHandles();
  EXPECT_TRUE(t.ImageChanged());
  ctx.Deactivate();
}

TEST(SceneGL, TexCoordsToSeveralUnits) {
  TGLEGLContext ctx;
  ctx.CreateMemoryContext(nullptr, 4, 4);
  ctx.Activate();
  ASSERT_TRUE(GLCaps.ARB_multitexture);
  MapTexCoordToDual();
  EXPECT_EQ(CurrentTexCoordUnitMask(), 3u);
  xgl.TexCoord2f(0.25f, 0.75f);
  GLfloat tc[4] = {};
  glActiveTextureARB_(GL_TEXTURE1_ARB);
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, tc);
  glActiveTextureARB_(GL_TEXTURE0_ARB);
  EXPECT_FLOAT_EQ(tc[0], 0.25f) << "the second unit received it too";
  MapTexCoordToArbitrary(0b101u);
  EXPECT_EQ(CurrentTexCoordUnitMask(), 5u);
  MapTexCoordToArbitraryAdd(0b010u);
  EXPECT_EQ(CurrentTexCoordUnitMask(), 7u);
  vSecondTextureUnitForbidden = true;
  MapTexCoordToDual();
  EXPECT_EQ(CurrentTexCoordUnitMask(), 1u) << "falls back to the first unit";
  MapTexCoordToSecond();
  EXPECT_EQ(CurrentTexCoordUnitMask(), 0u);
  vSecondTextureUnitForbidden = false;
  MapTexCoordToMain();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  ctx.Deactivate();
}

TEST(SceneGL, StoredPropertiesOfColoursAndCoordinates) {
  TGLColor c(nullptr, {0.25f, 0.5f, 0.75f, 1});
  const std::string bytes = c.WriteData();
  ASSERT_EQ(bytes.size(), 16u);
  TGLColor d(nullptr);
  int heard = 0;
  d.OnNotifyChange = [&](TObject*) { ++heard; };
  EXPECT_TRUE(d.ReadData(bytes));
  EXPECT_EQ(heard, 0) << "reading notifies nobody";
  EXPECT_EQ(d.Blue(), 0.75f);
  EXPECT_FALSE(d.ReadData("1234"));
  // Coordinates owned by a component tell it, and only it.
  struct TOwner : TGLCoordinatesUpdateAbleComponent {
    int coordinates = 0;
    void CoordinatesChanged(TGLCoordinates*) override { ++coordinates; }
  } owner;
  TGLCoordinates p(&owner, {0, 0, 0, 1}, csPointStyle);
  p.OnNotifyChange = [&](TObject*) { ++heard; };
  p.Translate({1, 2, 3});
  EXPECT_EQ(owner.coordinates, 1);
  EXPECT_EQ(heard, 0);
  p.BeginUpdate();
  p.SetX(5);
  p.EndUpdate();
  EXPECT_EQ(owner.coordinates, 1) << "nothing while updating, and nothing replayed";
  EXPECT_EQ(p.X(), 5);
}

}  // namespace
}  // namespace qx

namespace qx {
namespace {

TEST(SceneGL, ThreeContextsInOneGroup) {
  auto a = std::make_unique<TGLEGLContext>();
  auto b = std::make_unique<TGLEGLContext>();
  auto c = std::make_unique<TGLEGLContext>();
  for (auto* x : {a.get(), b.get(), c.get()}) x->CreateMemoryContext(nullptr, 4, 4);
  b->ShareLists(a.get());
  c->ShareLists(a.get());
  EXPECT_TRUE(b->SharesWith(c.get())) << "a member that joined later is known to all";
  EXPECT_EQ(b->SharedContexts().size(), 3u);
  a.reset();
  EXPECT_EQ(b->SharedContexts().size(), 2u);
  EXPECT_EQ(c->SharedContexts().size(), 2u);
  b.reset();
  EXPECT_EQ(c->SharedContexts().size(), 1u);
}

}  // namespace
}  // namespace qx
