// What materials can carry beyond one texture: texture lists on several units, a library
// material's second texture, texture files found through the library, cube maps, float
// data images and the picture formats.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <sstream>

#include "ShapeFixture.h"
#include "scene/GLSimpleObjects.h"
#include "scene/GLTextureImages.h"
#include "scene/base/SceneErrors.h"

namespace qx::test {
namespace {

using Materials = ShapeFixture;

// Columns of the given colours, left to right.
TBitmap Stripes(std::initializer_list<std::uint32_t> colours, int height = 4) {
  TBitmap b(int(colours.size()) * 4, height);
  int x = 0;
  for (std::uint32_t c : colours)
    for (int k = 0; k < 4; ++k, ++x)
      for (int y = 0; y < height; ++y) b.SetPixel(x, y, c);
  return b;
}

void UsePicture(TGLTexture& t, const TBitmap& b, TGLTextureMode mode = TGLTextureMode::tmReplace) {
  TGLPersistentImage img(&t);
  img.SetPicture(b);
  t.SetImage(&img);
  t.SetMinFilter(TGLMinFilter::miNearest);
  t.SetMagFilter(TGLMagFilter::maNearest);
  t.SetTextureMode(mode);
  t.SetDisabled(false);
}

constexpr std::uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGreen = 0xFF00FF00, kWhite = 0xFFFFFFFF;

TEST_F(Materials, ATextureListPutsTexturesOnTheirUnits) {
  auto* p = Add<TGLPlane>(clWhite);
  p->SetWidth(2);
  p->SetHeight(2);
  TGLTextureEx& list = p->Material().TextureEx();
  TGLTextureExItem* item = list.Add();
  EXPECT_EQ(item->DisplayName(), "Tex [0]");
  UsePicture(item->Texture(), Stripes({kRed, kBlue}));
  EXPECT_TRUE(list.IsTextureUsed(0));
  EXPECT_FALSE(list.IsTextureUsed(1));
  Render();
  EXPECT_TRUE(Near(Pixel(Px(-0.5f), 128), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(Px(0.5f), 128), {0, 0, 255}));
  // Scaled twice: the stripes repeat.
  item->TextureScale().SetAsVector({2, 2, 1, 0});
  EXPECT_FALSE(item->TextureMatrixIsIdentity());
  Render();
  EXPECT_TRUE(Near(Pixel(Px(-0.75f), 128), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(Px(-0.25f), 128), {0, 0, 255}));
  EXPECT_TRUE(Near(Pixel(Px(0.25f), 128), {255, 0, 0}));
  // On the second unit it modulates what the first leaves: the material's own texture.
  item->TextureScale().SetAsVector({1, 1, 1, 0});
  item->SetTextureIndex(1);
  item->Texture().SetTextureMode(TGLTextureMode::tmModulate);
  EXPECT_EQ(item->DisplayName(), "Tex [1]");
  UsePicture(p->Material().Texture(), Stripes({kWhite, kGreen}));
  Render();
  EXPECT_TRUE(Near(Pixel(Px(-0.5f), 128), {255, 0, 0}));  // white x red
  EXPECT_TRUE(Near(Pixel(Px(0.5f), 128), {0, 0, 0}))
      << Pixel(Px(0.5f), 128) << Pixel(Px(-0.5f), 128);  // green x blue
  // The next object drawn has no texture left on either unit.
  auto* c = Add<TGLCube>(clLime);
  c->Position().SetAsVector({0, 1.5f, 0, 1});
  c->Scale().SetAsVector({0.5f, 0.5f, 0.5f, 0});
  Render();
  EXPECT_TRUE(Near(Pixel(128, Py(1.5f)), {0, 255, 0}));
  // A copy of the material copies the list.
  c->Material().Assign(&p->Material());
  ASSERT_TRUE(c->Material().HasTextureEx());
  EXPECT_EQ(c->Material().TextureEx()[0]->TextureIndex(), 1);
}

TEST_F(Materials, TheLibraryArchiveKeepsTextureLists) {
  TGLMaterialLibrary lib;
  TGLLibMaterial* m = lib.Add("Vetro");
  TGLTextureExItem* item = m->Material().TextureEx().Add();
  UsePicture(item->Texture(), Stripes({kRed, kGreen}));
  item->SetTextureIndex(2);
  item->TextureOffset().SetAsVector({0.5f, 0.25f, 0, 0});
  m->Material().TextureEx().Add()->SetTextureIndex(3);  // no picture
  TMemoryStream stream;
  lib.SaveToStream(stream);
  stream.SetPosition(0);
  TGLMaterialLibrary back;
  back.LoadFromStream(stream);
  ASSERT_EQ(back.Count(), 1);
  TGLMaterial& mm = (*back[0]).Material();
  ASSERT_TRUE(mm.HasTextureEx());
  ASSERT_EQ(mm.TextureEx().Count(), 2);
  TGLTextureExItem* i0 = mm.TextureEx()[0];
  EXPECT_EQ(i0->TextureIndex(), 2);
  EXPECT_FLOAT_EQ(i0->TextureOffset().X(), 0.5f);
  EXPECT_FLOAT_EQ(i0->TextureOffset().Y(), 0.25f);
  EXPECT_TRUE(i0->Texture().Enabled());
  auto* img = dynamic_cast<TGLPersistentImage*>(i0->Texture().Image());
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->Picture().Width(), 8);
  EXPECT_FALSE(mm.TextureEx()[1]->Texture().Enabled());
}

TEST_F(Materials, ASecondLibraryTextureGoesOnTheSecondUnit) {
  TGLMaterialLibrary lib;
  TGLLibMaterial* a = lib.Add("Base");
  UsePicture(a->Material().Texture(), Stripes({kWhite, kRed}));
  TGLLibMaterial* b = lib.Add("Luce");
  UsePicture(b->Material().Texture(), Stripes({kGreen}), TGLTextureMode::tmModulate);
  a->Texture2Name = "Luce";
  auto* p = Add<TGLPlane>();
  p->SetWidth(2);
  p->Material().SetMaterialLibrary(&lib);
  p->Material().SetLibMaterialName("Base");
  Render();
  EXPECT_TRUE(Near(Pixel(Px(-0.5f), 128), {0, 255, 0}));                       // white x green
  EXPECT_TRUE(Near(Pixel(Px(0.5f), 128), {0, 0, 0})) << Pixel(Px(0.5f), 128);  // red x green
  // A name that finds nothing draws the first texture alone, and is kept.
  a->Texture2Name = "Nessuno";
  p->StructureChanged();
  Render();
  EXPECT_TRUE(Near(Pixel(Px(-0.5f), 128), {255, 255, 255}));
  EXPECT_EQ(a->Texture2Name, "Nessuno");
}

TEST_F(Materials, TextureFilesAreFoundThroughTheLibrary) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage img(4, 4, QImage::Format_RGB32);
  img.fill(qRgb(0, 0, 255));
  ASSERT_TRUE(img.save(dir.filePath("quadro.png")));
  TGLMaterialLibrary lib;
  lib.SetTexturePaths(" /nessuna ; " + dir.path().toStdString());
  ASSERT_EQ(lib.TexturePaths().size(), 2u);
  EXPECT_EQ(lib.TexturePaths()[0], "/nessuna/");
  TGLLibMaterial* m = lib.Add("Quadro");
  TGLTexture& t = m->Material().Texture();
  t.SetImageClassName("TGLPicFileImage");
  static_cast<TGLPicFileImage*>(t.Image())->SetPictureFileName("quadro.png");
  t.SetTextureMode(TGLTextureMode::tmReplace);
  t.SetDisabled(false);
  auto* p = Add<TGLPlane>();
  p->Material().SetMaterialLibrary(&lib);
  p->Material().SetLibMaterialName("Quadro");
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 0, 255}));
  // The handler may name another file; an absolute name is taken as it is.
  std::string asked;
  lib.OnTextureNeeded = [&](TObject*, std::string& name) {
    asked = name;
    name = "altro.png";
  };
  img.fill(qRgb(0, 255, 0));
  ASSERT_TRUE(img.save(dir.filePath("altro.png")));
  static_cast<TGLPicFileImage*>(t.Image())->SetPictureFileName("quadro2.png");
  Render();
  EXPECT_EQ(asked, "quadro2.png");
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 255, 0}));
  lib.OnTextureNeeded = nullptr;
  EXPECT_EQ(lib.TextureFileName("/x/quadro.png"), "/x/quadro.png");
  EXPECT_EQ(lib.TextureFileName("manca.png"), "manca.png");
}

TEST_F(Materials, CubeMapsAndFloatImages) {
  Render();  // the capabilities are known once a context exists
  ASSERT_TRUE(GLCaps.ARB_texture_cube_map);
  auto* s = Add<TGLSphere>(clWhite);
  s->SetRadius(1);
  TGLTexture& t = s->Material().Texture();
  t.SetImageClassName("TGLCubeMapImage");
  auto* cube = dynamic_cast<TGLCubeMapImage*>(t.Image());
  ASSERT_NE(cube, nullptr);
  EXPECT_EQ(cube->NativeTextureTarget(), GLenum(GL_TEXTURE_CUBE_MAP_ARB));
  const std::uint32_t colours[6] = {kRed, kRed, kRed, kRed, kBlue, kGreen};
  for (int f = 0; f < 6; ++f) cube->SetPicture(TGLCubeMapFace(f), Stripes({colours[f]}));
  EXPECT_TRUE(cube->FacesAgree());
  t.SetMappingMode(TGLTextureMappingMode::tmmCubeMapNormal);
  t.SetTextureMode(TGLTextureMode::tmReplace);
  t.SetMinFilter(TGLMinFilter::miNearest);
  t.SetDisabled(false);
  Render();
  // The normal at the sphere's middle points to the eye, +Z: that face's colour.
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 0, 255}));
  // Faces of different sizes make no cube; nothing is uploaded and nothing fails.
  cube->SetPicture(cmtNZ, Stripes({kGreen, kGreen}));
  EXPECT_FALSE(cube->FacesAgree());
  Render();
  // An empty float image on the rectangle target.
  t.SetImageClassName("TGLFloatDataImage");
  auto* fl = dynamic_cast<TGLFloatDataImage*>(t.Image());
  ASSERT_NE(fl, nullptr);
  EXPECT_EQ(fl->FriendlyDescription(), "Image to be dynamically generated by OpenGL");
  fl->SetWidth(0);
  EXPECT_EQ(fl->Width(), 1);
  fl->SetWidth(64);
  fl->SetHeight(32);
  t.SetMappingMode(TGLTextureMappingMode::tmmUser);
  t.SetMinFilter(TGLMinFilter::miLinear);
  if (GLCaps.ARB_texture_float) t.SetTextureFormat(TGLTextureFormat::tfRGBAFloat16);
  Render();
  EXPECT_EQ(fl->SaveToText(), "[FloatDataImage]\r\nWidth=64\r\nHeight=32");
  TGLFloatDataImage other(nullptr);
  other.LoadFromText("[FloatDataImage]\r\nWidth=8\r\nHeight=x");
  EXPECT_EQ(other.Width(), 8);
  EXPECT_EQ(other.Height(), 256);
  try {
    other.LoadFromFile("/nessuna/cartella/immagine.txt");
    FAIL();
  } catch (const ESceneError& e) {
    EXPECT_STREQ(e.what(), "Could not open file: /nessuna/cartella/immagine.txt");
  }
  TGLBlankImage blank(nullptr);
  EXPECT_THROW(blank.LoadFromFile("/nessuna/cartella/vuota.txt"), ESceneError);
}

TEST(PictureFormats, ByExtension) {
  EXPECT_EQ(GraphicClassForExtension(".BMP"), "TBitmap");
  EXPECT_EQ(GraphicClassForExtension("bmp"), "TBitmap");
  EXPECT_EQ(GraphicClassForExtension(".xyz"), "");
  EXPECT_FALSE(GraphicClassForExtension("png").empty());
  const auto list = ListPictureFormats();
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list[0], "bmp=Bitmaps");
  RegisterPictureFormat(".QXI", "Quorix image", "TQxImage");
  EXPECT_EQ(GraphicClassForExtension("qxi"), "TQxImage");
}

}  // namespace
}  // namespace qx::test
