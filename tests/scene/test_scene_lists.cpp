// Vector lists, the tagged archive, the object list, silhouettes, splines and roots.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/base/GLSilhouette.h"
#include "scene/base/GLUtils.h"
#include "scene/base/PersistentClasses.h"
#include "scene/base/Polynomials.h"
#include "scene/base/SceneErrors.h"
#include "scene/base/Spline.h"
#include "scene/base/VectorLists.h"
#include "scene/base/XCollection.h"

namespace qx {
namespace {

std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int x : b) s += char(x);
  return s;
}

TEST(SceneLists, GrowthAndZeroFill) {
  TAffineVectorList l;
  EXPECT_EQ(l.Count(), 0);
  EXPECT_EQ(l.Capacity(), 0);
  EXPECT_EQ(l.GrowthDelta, 16);
  for (int i = 0; i < 17; ++i) l.Add({float(i), 0, 0});
  EXPECT_EQ(l.Capacity(), 32);
  TIntegerList ints;
  ints.Add(4);
  ints.Add(5);
  ints.SetCount(5);
  EXPECT_EQ(ints[4], 0);
  EXPECT_EQ(ints[1], 5);
  EXPECT_THROW(ints.SetCount(-1), EAssertionFailed);
  TAffineVector mn, mx;
  TAffineVectorList empty;
  empty.GetExtents(mn, mx);
  EXPECT_TRUE(std::isinf(mn.X) && mn.X > 0);
  EXPECT_TRUE(std::isinf(mx.Z) && mx.Z < 0);
  TAffineVectorList z;
  z.Add({0, 0, 0});
  EXPECT_EQ(z.IndexOf({-0.0f, 0, 0}), -1);
  EXPECT_EQ(z.FindOrAdd({-0.0f, 0, 0}), 1);
}

TEST(SceneLists, PairedQuicksort) {
  TSingleList keys;
  TPersistentObjectList objs;
  TObject a, b, c;
  keys.Add(3), keys.Add(-1), keys.Add(2);
  objs.Add(&a), objs.Add(&b), objs.Add(&c);
  QuickSortLists(0, 2, keys, objs);
  EXPECT_EQ(keys[0], -1);
  EXPECT_EQ(keys[2], 3);
  EXPECT_EQ(objs[0], &b);
  EXPECT_EQ(objs[1], &c);
  EXPECT_EQ(objs[2], &a);
}

TEST(SceneArchive, IntegerAndStringTags) {
  TMemoryStream s;
  TBinaryWriter w(s);
  w.WriteInteger(127);
  EXPECT_EQ(s.Size(), 2);
  w.WriteInteger(128);
  EXPECT_EQ(s.Size(), 5);
  w.WriteInteger(-32769);
  EXPECT_EQ(s.Size(), 10);
  w.WriteString(std::string(255, 'a'));
  EXPECT_EQ(std::uint8_t(s.Data()[10]), 6);
  w.WriteString(std::string(256, 'b'));
  EXPECT_EQ(std::uint8_t(s.Data()[10 + 257]), 12);
  w.WriteFloat(1.5L);
  w.WriteBoolean(true);
  s.SetPosition(0);
  TBinaryReader r(s);
  EXPECT_EQ(r.ReadInteger(), 127);
  EXPECT_EQ(r.ReadInteger(), 128);
  EXPECT_EQ(r.ReadInteger(), -32769);
  EXPECT_EQ(r.ReadString().size(), 255u);
  EXPECT_EQ(r.ReadString(), std::string(256, 'b'));
  EXPECT_EQ(r.ReadFloat(), 1.5L);
  EXPECT_THROW(r.ReadInteger(), EReadError) << "a boolean is not an integer";
  EXPECT_EQ(r.PeekValueTag(), 0) << "the end of the stream reads as end of list";
}

TEST(SceneArchive, WideAndUtf8Strings) {
  TMemoryStream s(Bytes({18, 2, 0, 0, 0, 0xE8, 0x00, 0x41, 0x00, 20, 2, 0, 0, 0, 0xC3, 0xA8}));
  TBinaryReader r(s);
  EXPECT_EQ(r.ReadString(),
            "\xC3\xA8"
            "A");
  EXPECT_EQ(r.ReadString(), "\xC3\xA8");
  TMemoryStream damaged(Bytes({12, 0xFF, 0xFF, 0xFF, 0x7F, 'x'}));
  TBinaryReader r2(damaged);
  EXPECT_THROW(r2.ReadString(), EReadError) << "a length beyond the stream";
}

TEST(SceneArchive, ObjectListLayout) {
  RegisterVectorListClasses();
  TPersistentObjectList empty;
  EXPECT_EQ(empty.SaveArchiveToString(), Bytes({2, 0, 1, 0}));

  TPersistentObjectList list;
  auto* a = new TSingleList;
  a->Add(1.5f);
  list.Add(a);
  list.Add(new TSingleList);
  const std::string data = list.SaveArchiveToString();
  // The class name once, then its index.
  EXPECT_EQ(data.find("TSingleList"), data.rfind("TSingleList"));
  TPersistentObjectList back;
  back.LoadArchiveFromString(data);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ((*static_cast<TSingleList*>(back[0]))[0], 1.5f);
  back.Clean();
  list.Clean();

  TPersistentObjectList bad;
  try {
    bad.LoadArchiveFromString(Bytes({2, 1, 1, 0}));
    FAIL();
  } catch (const EFilerException& e) {
    EXPECT_STREQ(e.what(), "TPersistentObjectList : unknown archive version 1");
  }
  EXPECT_THROW(bad.LoadArchiveFromString(Bytes({2, 0, 1, 5, 0})), EFilerException) << "a float is no item";
  EXPECT_THROW(bad.LoadArchiveFromString(Bytes({2, 0, 1, 6, 3, 'Z', 'Z', 'Z', 0})), EFilerException);
  EXPECT_THROW(bad.LoadArchiveFromString(Bytes({2, 0, 1, 8, 2, 9, 0})), EFilerException)
      << "a raw address from a file is refused";
  bad.Clean();
}

TEST(SceneArchive, FuzzedListArchivesFailCleanly) {
  RegisterVectorListClasses();
  TPersistentObjectList list;
  auto* v = new TAffineVectorList;
  v->Add({1, 2, 3});
  list.Add(v);
  const std::string good = list.SaveArchiveToString();
  list.Clean();
  unsigned seed = 7;
  for (int round = 0; round < 2000; ++round) {
    std::string d = good;
    seed = seed * 1103515245u + 12345u;
    d[std::size_t(seed >> 8) % d.size()] = char(seed >> 20);
    if (round % 3 == 0) d.resize(std::size_t(seed >> 4) % d.size());
    TPersistentObjectList l;
    try {
      l.LoadArchiveFromString(d);
    } catch (const ESceneError&) {
    }
    l.Clean();
  }
}

TEST(SceneLists, SilhouetteOfACube) {
  TConnectivity con(true);
  const float h = 0.5f;
  auto quad = [&](TAffineVector a, TAffineVector b, TAffineVector c, TAffineVector d) {
    con.AddQuad(a, b, c, d);
  };
  quad({h, -h, h}, {h, -h, -h}, {h, h, -h}, {h, h, h});      // +x
  quad({-h, -h, -h}, {-h, -h, h}, {-h, h, h}, {-h, h, -h});  // -x
  quad({-h, h, h}, {h, h, h}, {h, h, -h}, {-h, h, -h});      // +y
  quad({-h, -h, -h}, {h, -h, -h}, {h, -h, h}, {-h, -h, h});  // -y
  quad({-h, -h, h}, {h, -h, h}, {h, h, h}, {-h, h, h});      // +z
  quad({h, -h, -h}, {-h, -h, -h}, {-h, h, -h}, {h, h, -h});  // -z
  EXPECT_EQ(con.FaceCount(), 12);
  std::unique_ptr<TGLSilhouette> sil;
  con.CreateSilhouette({{5, 0, 0}, {}, false}, sil, false);
  EXPECT_EQ(sil->Indices.Count() / 2, 4);
  con.CreateSilhouette({{5, 0, 0}, {}, true}, sil, false);
  EXPECT_EQ(sil->CapIndices.Count() / 3, 10) << "every face but the two triangles of +x";
}

TEST(SceneSplines, ThroughValuesAndExtrapolating) {
  const float y[3] = {0, 1, 0};
  TCubicSpline s(y, y, y, nullptr, 3);
  EXPECT_NEAR(s.EvaluateX(0), 0, 1e-6);
  EXPECT_NEAR(s.EvaluateX(1), 1, 1e-6);
  EXPECT_NEAR(s.EvaluateX(2), 0, 1e-6);
  // Natural ends: D = (1.5, 0, -1.5); the first cubic at -1: -0.5 u^3 + 0 u^2 + 1.5 u.
  EXPECT_NEAR(s.EvaluateX(-1), -1.0, 1e-5);
  const float line[2] = {0, 3};
  TCubicSpline l(line, line, line, nullptr, 2);
  EXPECT_NEAR(l.EvaluateX(0.5f), 1.5, 1e-6);
  EXPECT_NEAR(l.SplineSlopeVector(0.25f).X, 3, 1e-5);
  TCubicSpline one(line, nullptr, nullptr, nullptr, 1);
  EXPECT_EQ(one.EvaluateX(0.5f), 0);
}

TEST(ScenePolynomials, Roots) {
  const double q1[3] = {-1, 0, 1};
  EXPECT_EQ(SolveQuadric(q1), (TDoubleArray{1, -1}));
  const double q2[3] = {1, 0, 1};
  EXPECT_TRUE(SolveQuadric(q2).empty());
  const double q3[3] = {1, -2, 1};
  EXPECT_EQ(SolveQuadric(q3), (TDoubleArray{1}));
  const double linear[3] = {2, 4, 0};
  EXPECT_EQ(SolveQuadric(linear), (TDoubleArray{-0.5})) << "no division by zero";
  const double c[4] = {-6, 11, -6, 1};
  TDoubleArray r = SolveCubic(c);
  ASSERT_EQ(r.size(), 3u);
  std::sort(r.begin(), r.end());
  EXPECT_NEAR(r[0], 1, 1e-5);
  EXPECT_NEAR(r[1], 2, 1e-5);
  EXPECT_NEAR(r[2], 3, 1e-5);
  const double q4[5] = {-1, 0, 0, 0, 1};
  r = SolveQuartic(q4);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_NEAR(std::max(r[0], r[1]), 1, 1e-5);
  EXPECT_NEAR(std::min(r[0], r[1]), -1, 1e-5);
  const double q5[5] = {0, 2, 5, 4, 1};
  r = SolveQuartic(q5);
  ASSERT_EQ(r.size(), 4u);
  const double want[4] = {0, -1, -2, -1};  // the depressed cubic's roots, then the appended 0, shifted
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(r[std::size_t(i)], want[i], 1e-5) << i;
  double m = 0;
  EXPECT_TRUE(MinPositiveRoot({-2, 3, 0.5}, m));
  EXPECT_EQ(m, 0.5);
  EXPECT_FALSE(MinPositiveRoot({-1, -2}, m));
}

TEST(SceneUtils, PowersOfTwoAndFiles) {
  EXPECT_EQ(NextPowerOfTwo(0), 1);
  EXPECT_EQ(NextPowerOfTwo(1), 1);
  EXPECT_EQ(NextPowerOfTwo(3), 4);
  EXPECT_EQ(NextPowerOfTwo(4), 4);
  EXPECT_EQ(NextPowerOfTwo(257), 512);
  EXPECT_EQ(SqrtByteTable()[1], 15);
  EXPECT_EQ(SqrtByteTable()[255], 255);
  const std::string f = testing::TempDir() + "qx_scene_utils.bin";
  WriteStringFile(f, std::string("ab\0c", 4));
  EXPECT_EQ(ReadStringFile(f), std::string("ab\0c", 4));
  EXPECT_EQ(FileSizeOf(f), 4);
  EXPECT_EQ(ReadStringFile(f + ".none"), "");
  EXPECT_EQ(FileSizeOf(f + ".none"), 0);
  try {
    OpenDataStream(f + ".none", TFileMode::fmOpenRead);
    FAIL();
  } catch (const EFileNotFound& e) {
    EXPECT_EQ(std::string(e.what()), "File not found: \"" + f + ".none\"");
  }
}

class TTestItem : public TXCollectionItem {
 public:
  using TXCollectionItem::TXCollectionItem;
  std::string ClassName() const override { return "TTestItem"; }
};

TEST(SceneXCollection, StreamsItemsWithTheirClasses) {
  RegisterXCollectionItemClass({"TTestItem", [](TXCollection* o) { return new TTestItem(o); }, false});
  TXCollection c;
  (new TTestItem(&c))->Name = "uno";
  (new TTestItem(&c))->Name = "due";
  TMemoryStream s;
  TBinaryWriter w(s);
  c.WriteToFiler(w);
  s.SetPosition(0);
  TBinaryReader r(s);
  TXCollection back;
  back.ReadFromFiler(r);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back[1]->Name, "due");
  EXPECT_EQ(back[1]->GetNamePath(), "TXCollection[1]");
  TMemoryStream bad;
  TBinaryWriter bw(bad);
  bw.WriteInteger(1);
  bw.WriteString("TNessuno");
  bad.SetPosition(0);
  TBinaryReader br(bad);
  try {
    back.ReadFromFiler(br);
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Class TNessuno unknown. Add the relevant unit to your \"uses\".");
  }
}

}  // namespace
}  // namespace qx

namespace qx {
namespace {

TEST(SceneLists, VectorListArchivesAndAssign) {
  TVectorList v;
  v.AddPoint(1, 2, 3);
  v.Add({4, 5, 6, 0});
  const std::string data = v.SaveArchiveToString();
  TVectorList back;
  back.LoadArchiveFromString(data);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back[0].W, 1);
  EXPECT_EQ(back[1].Z, 6);
  // An archive of another item size is refused, not read into the wrong layout.
  TAffineVectorList other;
  EXPECT_THROW(other.LoadArchiveFromString(data), EFilerException);
  EXPECT_EQ(other.Count(), 0);
  // A count the stream cannot hold is refused before anything is allocated.
  TVectorList damaged;
  EXPECT_THROW(damaged.LoadArchiveFromString(std::string("\x02\x00\x04\xFF\xFF\xFF\x7F\x02\x10", 9)),
               EFilerException);
  // Assign copies the items of the same class.
  TVectorList copy;
  copy.Assign(&v);
  EXPECT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy[1].X, 4);
  copy.Assign(nullptr);
  EXPECT_EQ(copy.Count(), 0);
  // Lists combine, translate and measure.
  TAffineVectorList p, q;
  p.Add({1, 0, 0});
  q.Add({0, 2, 0});
  p.Translate(q);
  EXPECT_EQ(p[0].Y, 2);
  p.Combine(q, -1);
  EXPECT_EQ(p[0].Y, 0);
  EXPECT_FLOAT_EQ(p.MaxSpacing(q), 3);
  p.Lerp(p, q, 0.5f);
  EXPECT_FLOAT_EQ(p[0].X, 0.5f);
  EXPECT_FLOAT_EQ(p.Sum().Y, 1);
}

}  // namespace
}  // namespace qx
