#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "editor/UndoList.h"

namespace qx {

struct UndoListTestAccess {
  static void SetNextChangeNumber(TSrcEditUndoList& list, int n) { list.nextChangeNumber_ = n; }
};

namespace {

void Change(TSrcEditUndoList& list, TSynUndoReason reason = urInsert, std::u32string_view text = U"x") {
  list.AddChange(reason, {1, 1}, {2, 1}, text, smNormal);
}

std::vector<int> Numbers(const TSrcEditUndoList& list) {
  std::vector<int> out;
  for (int i = 0; i < list.ItemCount(); ++i) out.push_back(list.Items(i).ChangeNumber);
  return out;
}

TEST(UndoList, NumberingInsideAndOutsideBlocks) {
  TSrcEditUndoList list;
  int added = 0;
  list.OnAddedUndo = [&](TSrcEditUndoList&) { ++added; };
  Change(list);
  Change(list);
  EXPECT_EQ(Numbers(list), (std::vector<int>{1, 2}));
  EXPECT_EQ(added, 2);

  list.BeginBlock();
  Change(list);
  list.BeginBlock();  // nested: same number, only the outer end advances
  Change(list);
  list.EndBlock();
  Change(list);
  EXPECT_EQ(list.NextChangeNumber(), 3);
  list.EndBlock();
  EXPECT_EQ(Numbers(list), (std::vector<int>{1, 2, 3, 3, 3}));
  EXPECT_EQ(added, 2 + 3 + 1);  // once per push, once more for the whole block
  EXPECT_EQ(list.NextChangeNumber(), 4);
  EXPECT_EQ(list.BlockChangeNumber(), 0);

  // An empty block uses up a number but reports nothing.
  list.BeginBlock();
  list.EndBlock();
  list.EndBlock();  // without a begin: ignored
  EXPECT_EQ(added, 6);
  Change(list);
  EXPECT_EQ(list.PeekItem()->ChangeNumber, 5);

  // Changes while locked leave the list and the numbering untouched.
  list.Lock();
  list.Lock();
  Change(list);
  list.Unlock();
  Change(list);
  list.Unlock();
  list.Unlock();  // below 0: ignored
  EXPECT_EQ(list.ItemCount(), 6);
  EXPECT_EQ(list.NextChangeNumber(), 6);
  Change(list);
  EXPECT_EQ(list.ItemCount(), 7);

  // The number never runs into 0 or the -1 of "no unmodified state".
  UndoListTestAccess::SetNextChangeNumber(list, std::numeric_limits<int>::max());
  Change(list);
  Change(list);
  EXPECT_EQ(list.Items(7).ChangeNumber, std::numeric_limits<int>::max());
  EXPECT_EQ(list.Items(8).ChangeNumber, 1);

  auto top = list.PopItem();
  ASSERT_TRUE(top);
  EXPECT_EQ(top->ChangeNumber, 1);
  list.PushItem(nullptr);
  EXPECT_EQ(list.ItemCount(), 8);
  list.Clear();
  EXPECT_EQ(list.PopItem(), nullptr);
  EXPECT_EQ(list.PeekItem(), nullptr);
  EXPECT_EQ(list.LastChangeReason(), urNothing);
}

TEST(UndoList, GroupBreaks) {
  TSrcEditUndoList list;
  int added = 0;
  list.OnAddedUndo = [&](TSrcEditUndoList&) { ++added; };
  list.AddGroupBreak();
  list.AddGroupBreak();
  EXPECT_EQ(list.ItemCount(), 1);
  EXPECT_EQ(list.LastChangeReason(), urGroupBreak);
  EXPECT_EQ(added, 0);
  const TSrcEditUndoItem& gb = list.Items(0);
  EXPECT_EQ(gb.ChangeStartPos, (TBufferCoord{0, 0}));
  EXPECT_EQ(gb.ChangeStr, U"");
  EXPECT_EQ(gb.ChangeNumber, 1);
  Change(list, urDelete, U"abc");
  list.AddGroupBreak();
  EXPECT_EQ(list.ItemCount(), 3);
  EXPECT_EQ(added, 1);
  EXPECT_EQ(list.Items(1).ChangeReason, urDelete);
  EXPECT_EQ(list.Items(1).ChangeStr, U"abc");
}

TEST(UndoList, LimitsAndFullFlag) {
  TSrcEditUndoList list;
  EXPECT_EQ(list.MaxUndoActions(), 1024);
  list.SetMaxUndoActions(2);
  Change(list, urInsert, U"1");
  Change(list, urInsert, U"2");
  EXPECT_FALSE(list.FullUndoImpossible());
  Change(list, urInsert, U"3");
  EXPECT_TRUE(list.FullUndoImpossible());
  EXPECT_EQ(list.ItemCount(), 2);
  EXPECT_EQ(list.Items(0).ChangeStr, U"2");
  list.SetMaxUndoActions(-5);
  EXPECT_EQ(list.MaxUndoActions(), 0);
  EXPECT_EQ(list.ItemCount(), 0);
  Change(list);
  EXPECT_EQ(list.ItemCount(), 0);
  list.Clear();
  EXPECT_FALSE(list.FullUndoImpossible());

  // Only whole changes go: the limit falls inside a change of three items, which goes whole;
  // and a change longer than the limit (a block indent of many lines) stays whole while it
  // is the newest.
  list.SetMaxUndoActions(4);
  const auto blocco = [&](int n) {
    list.BeginBlock();
    for (int i = 0; i < n; ++i) Change(list, urPaste);
    list.EndBlock();
    return list.Items(list.ItemCount() - 1).ChangeNumber;
  };
  blocco(3);
  const int seconda = blocco(2);
  EXPECT_EQ(Numbers(list), (std::vector<int>{seconda, seconda}));
  const int lunga = blocco(6);
  EXPECT_EQ(Numbers(list), (std::vector<int>(6, lunga)));
  Change(list);
  EXPECT_EQ(list.ItemCount(), 1) << "the long change goes whole once a newer one comes";
  EXPECT_NE(list.Items(0).ChangeNumber, lunga);
  list.Clear();

  TSrcEditUndoList source;
  source.SetMaxUndoActions(7);
  source.BeginBlock();
  Change(source, urPaste, U"p");
  source.InsideRedo = true;
  list.Assign(source);
  EXPECT_EQ(list.ItemCount(), 1);
  EXPECT_EQ(list.Items(0).ChangeReason, urPaste);
  EXPECT_NE(&list.Items(0), &source.Items(0));
  EXPECT_EQ(list.MaxUndoActions(), 7);
  EXPECT_EQ(list.BlockCount(), 1);
  EXPECT_EQ(list.BlockChangeNumber(), 1);
  EXPECT_TRUE(list.InsideRedo);
}

TEST(UndoList, UnmodifiedMarker) {
  TSrcEditUndoList list;
  EXPECT_TRUE(list.IsTopMarkedAsUnmodified());
  list.MarkTopAsUnmodified(true);
  EXPECT_TRUE(list.IsTopMarkedAsUnmodified());
  Change(list);
  EXPECT_FALSE(list.IsTopMarkedAsUnmodified());
  auto item = list.PopItem();
  EXPECT_TRUE(list.IsTopMarkedAsUnmodified());
  list.PushItem(std::move(item));
  list.MarkTopAsUnmodified(true);  // saved with one change on the list
  EXPECT_EQ(list.InitialChangeNumber(), 1);
  Change(list);
  EXPECT_FALSE(list.IsTopMarkedAsUnmodified());
  // Declaring the document modified forgets the marker only from the marked state.
  list.MarkTopAsUnmodified(false);
  EXPECT_EQ(list.InitialChangeNumber(), 1);
  item = list.PopItem();
  EXPECT_TRUE(list.IsTopMarkedAsUnmodified());
  list.MarkTopAsUnmodified(false);
  EXPECT_EQ(list.InitialChangeNumber(), -1);
  EXPECT_FALSE(list.IsTopMarkedAsUnmodified());
  list.Clear();
  EXPECT_FALSE(list.IsTopMarkedAsUnmodified());
}

}  // namespace
}  // namespace qx
