// The case-blind order of the sorted lists, and a sorted list box kept up to date from a
// sequence of texts: always what Clear and an Add of each text would leave.
#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "ControlsTest.h"
#include "controls/RAHtControls.h"
#include "controls/RAStrUtil.h"
#include "controls/SortedItems.h"

namespace qx {
namespace {

int Sign(int x) { return (x > 0) - (x < 0); }

// Texts where ASCII folding alone would go wrong: letters that fold to ASCII ones (the
// Kelvin sign, the long s), the ones between 'Z' and 'a', accents, surrogate pairs that fold,
// a byte-order mark, and all of them after the object list's long common prefix.
std::vector<QString> TestiDifficili() {
  const std::vector<QString> pezzi = {
      "", "a", "A", "b", "B", "ab", "aB", "Ab", "a b", "[", "_", "`", "z", "Z", "e", "\u00E9", "\u00C9",
      "e\u0301", "\u00DF", "SS", "ss", "\u212A", "k", "K", "\u017F", "s", "S", "\uFEFF", "a\uFEFFb",
      "\U0001F600", "\U00010400", "\U00010428", "\u01C5", "\u01C4", "\u03A9", "\u03C9", "\u2126", "Punto",
      "punto", "PUNTO 1", "Punto\u00E0", "senza nome"};
  std::vector<QString> testi = pezzi;
  for (const QString& p : pezzi) testi.push_back("<b><c:Blue>Punto </b><c:WindowText>" + p);
  // And a few thousand pairs of short random texts over the same letters.
  const std::vector<QString> lettere = {"a", "A", "z", "Z", "_", "\u00E9", "\u00C9", "\u00DF", "K", "k", "\u212A",
                                        "\u017F", "s", "\U00010400", "\U00010428", "\uFEFF"};
  std::mt19937 caso(20261207);
  for (int i = 0; i < 120; ++i) {
    QString t;
    for (int n = int(caso() % 6); n > 0; --n) t += lettere[caso() % lettere.size()];
    testi.push_back(t);
  }
  return testi;
}

TEST(CompareCaseless, GivesQtsCaseInsensitiveOrderInUtf16AndUtf8) {
  const std::vector<QString> testi = TestiDifficili();
  for (const QString& a : testi)
    for (const QString& b : testi) {
      const int atteso = Sign(a.compare(b, Qt::CaseInsensitive));
      ASSERT_EQ(Sign(CompareCaseless(a, b)), atteso) << a.toStdString() << " / " << b.toStdString();
      ASSERT_EQ(Sign(CompareCaseless(a.toStdString(), b.toStdString())), atteso)
          << a.toStdString() << " / " << b.toStdString();
    }
}

// ---- TSortedItems ----

class SortedItemsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureWidgetApplication(); }

  // Hands the sequence over and answers whether the list holds what Clear and an Add of each
  // text in turn leave in a sorted list box.
  ::testing::AssertionResult Imposta(const std::vector<std::string>& testi) {
    voci.Begin();
    for (const std::string& t : testi) voci.Push(t);
    voci.End();
    TRAhtListBox atteso;
    atteso.SetSorted(true);
    for (const std::string& t : testi) atteso.Items.Add(QString::fromStdString(t));
    if (list.Items.Count() != atteso.Items.Count())
      return ::testing::AssertionFailure() << list.Items.Count() << " items, " << atteso.Items.Count() << " expected";
    for (int i = 0; i < atteso.Items.Count(); ++i)
      if (list.Items[i] != atteso.Items[i])
        return ::testing::AssertionFailure() << "row " << i << ": " << list.Items[i].toStdString() << ", expected "
                                             << atteso.Items[i].toStdString();
    return ::testing::AssertionSuccess();
  }

  TRAhtListBox list;
  TSortedItems voci{list};
};

TEST_F(SortedItemsTest, AGrowingTableOnlyAddsAndChangedLinesMove) {
  const std::string senzaNome = "<b><c:Black>Punto </b><c:WindowText>senza nome";
  std::vector<std::string> t = {"<b><c:Blue>Numero </b><c:WindowText>X = 1", "<b><c:Blue>Numero </b><c:WindowText>b = 1",
                                "<b><c:Blue>Numero </b><c:WindowText>B = 1", "<b><c:Blue>Numero </b><c:WindowText>\u00C4 = 1",
                                "<b><c:Blue>Numero </b><c:WindowText>\u00E4 = 1"};
  t.resize(300, senzaNome);
  ASSERT_TRUE(Imposta(t));
  EXPECT_EQ(voci.LastAdded(), t.size());
  // "b" and "B" sort together in the table's order; "Ä" and "ä" after every ASCII letter.
  EXPECT_EQ(list.Items[295], "<b><c:Blue>Numero </b><c:WindowText>b = 1");
  EXPECT_EQ(list.Items[296], "<b><c:Blue>Numero </b><c:WindowText>B = 1");
  EXPECT_EQ(list.Items[298], "<b><c:Blue>Numero </b><c:WindowText>\u00C4 = 1");
  EXPECT_EQ(list.Items[299], "<b><c:Blue>Numero </b><c:WindowText>\u00E4 = 1");

  // A loop's new figures, one sorting first, one among the equal ones, one last.
  for (int i = 0; i < 500; ++i) t.push_back(senzaNome);
  t.push_back("<b><c:Aqua>Cerchio </b><c:WindowText>senza nome");
  t.push_back("<b><c:Yellow>Testo </b><c:WindowText>senza nome");
  ASSERT_TRUE(Imposta(t));
  EXPECT_EQ(voci.LastRemoved(), 0u);
  EXPECT_EQ(voci.LastAdded(), 502u);

  // A number changes its value: its line alone goes and comes back at its new place.
  t[0] = "<b><c:Blue>Numero </b><c:WindowText>A = 3";
  ASSERT_TRUE(Imposta(t));
  EXPECT_EQ(voci.LastRemoved(), 1u);
  EXPECT_EQ(voci.LastAdded(), 1u);
  ASSERT_TRUE(Imposta(t));
  EXPECT_EQ(voci.LastRemoved() + voci.LastAdded(), 0u);

  // The table shrinks; then a new table starts small.
  t.resize(300);
  ASSERT_TRUE(Imposta(t));
  ASSERT_TRUE(Imposta({senzaNome}));
  ASSERT_TRUE(Imposta({}));
}

TEST_F(SortedItemsTest, NoItemIsSelectedOrCurrentAfterwardsAsAfterClear) {
  const std::vector<std::string> t = {"c", "a", "b"};
  ASSERT_TRUE(Imposta(t));
  list.SetItemIndex(1);
  ASSERT_TRUE(list.selectionModel()->hasSelection());
  ASSERT_TRUE(Imposta(t));
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_FALSE(list.selectionModel()->hasSelection());
  // An item added by someone else is not lost track of: the list is filled anew.
  list.Items.Add("z");
  ASSERT_TRUE(Imposta(t));
}

TEST_F(SortedItemsTest, AnySequenceOfChangesEndsInTheSortedTexts) {
  // Texts equal but for letter case, beyond ASCII, and many equal ones: random growth,
  // changes and cuts, small and large, so that both the edits and the refills are taken.
  const std::vector<std::string> pool = {"p", "P", "q", "\u00E9", "\u00C9", "\u212A", "k", "x1", "X1", "x2", "[", "z"};
  std::mt19937 caso(7);
  std::vector<std::string> t;
  for (int giro = 0; giro < 80; ++giro) {
    switch (caso() % 4) {
      case 0:
        for (int n = int(caso() % 40); n > 0; --n) t.push_back(pool[caso() % pool.size()]);
        break;
      case 1:
        for (int n = int(caso() % 4); n > 0 && !t.empty(); --n) t[caso() % t.size()] = pool[caso() % pool.size()];
        break;
      case 2:
        t.resize(t.size() - std::min<std::size_t>(t.size(), caso() % 30));
        break;
      default:
        for (int n = int(caso() % 300); n > 0; --n) t.push_back(pool[0]);
        break;
    }
    ASSERT_TRUE(Imposta(t)) << "round " << giro;
  }
}

}  // namespace
}  // namespace qx
