#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EditorExtensions.h"

namespace qx {
namespace {

struct FakeEditor : TSrcEditMarkHost {
  TSrcEditMarkList marks;
  std::vector<int> invalidated;
  int changes = 0;
  FakeEditor() {
    marks.OnChange = [this](TSrcEditMarkList&) { ++changes; };
  }
  TSrcEditMarkList& Marks() override { return marks; }
  void InvalidateLine(int line) override { invalidated.push_back(line); }
  TSrcEditMark* Place(int line, bool visible = true) {
    auto mark = std::make_unique<TSrcEditMark>(this);
    mark->SetLine(line);
    mark->SetVisible(visible);
    return marks.Add(std::move(mark));
  }
};

struct RecordingPlugin : TSrcEditPlugin {
  std::vector<std::string>* log;
  std::string name;
  RecordingPlugin(std::vector<std::string>* l, std::string n) : log(l), name(std::move(n)) {}
  ~RecordingPlugin() override { log->push_back(name + " freed"); }
  void AfterPaint(TCanvas*, const TRect& clip, int first, int last) override {
    log->push_back(name + " paint " + std::to_string(clip.Right) + " " + std::to_string(first) + "-" +
                   std::to_string(last));
  }
  void LinesInserted(int first, int count) override {
    log->push_back(name + " inserted " + std::to_string(first) + " " + std::to_string(count));
  }
  void LinesDeleted(int first, int count) override {
    log->push_back(name + " deleted " + std::to_string(first) + " " + std::to_string(count));
  }
};

std::vector<int> LinesOf(const TSrcEditMarkList& marks) {
  std::vector<int> out;
  for (int i = 0; i < marks.Count(); ++i) out.push_back(marks.Items(i)->Line());
  return out;
}

TEST(Marks, SettersRepaintAndListOwnsMarks) {
  FakeEditor ed;
  TSrcEditMark* m = ed.Place(3, false);
  EXPECT_EQ(ed.invalidated, std::vector<int>{});  // hidden until made visible
  EXPECT_EQ(ed.changes, 1);
  m->SetVisible(true);
  m->SetVisible(true);
  EXPECT_EQ(ed.invalidated, std::vector<int>{3});
  ed.invalidated.clear();
  m->SetLine(5);
  EXPECT_EQ(ed.invalidated, (std::vector<int>{3, 5}));
  ed.invalidated.clear();
  m->SetImageIndex(2);
  m->SetInternalImage(true);
  m->SetChar(9);
  EXPECT_EQ(ed.invalidated, (std::vector<int>{5, 5}));
  m->SetVisible(false);
  EXPECT_EQ(ed.invalidated, (std::vector<int>{5, 5, 5}));
  EXPECT_EQ(m->Char(), 9);
  EXPECT_FALSE(m->IsBookmark());
  m->SetBookmarkNumber(4);
  EXPECT_TRUE(m->IsBookmark());

  EXPECT_EQ(m->GetEdit(), &ed);
  std::unique_ptr<TSrcEditMark> out = ed.marks.Extract(m);
  ASSERT_EQ(out.get(), m);
  EXPECT_EQ(ed.changes, 2);
  EXPECT_EQ(m->GetEdit(), nullptr);  // no longer the editor's
  EXPECT_EQ(ed.marks.Extract(m), nullptr);

  // At most 16 marks per line are reported, in list order.
  for (int i = 0; i < 20; ++i) ed.Place(7)->SetImageIndex(i);
  ed.Place(8);
  TSrcEditMarks onLine;
  ed.marks.GetMarksForLine(7, onLine);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(onLine[static_cast<std::size_t>(i)]->ImageIndex(), i);
  ed.marks.GetMarksForLine(8, onLine);
  EXPECT_NE(onLine[0], nullptr);
  EXPECT_EQ(onLine[1], nullptr);
  ed.marks.GetMarksForLine(99, onLine);
  EXPECT_EQ(onLine[0], nullptr);

  ed.changes = 0;
  ed.marks.Delete(0);
  ed.marks.Delete(100);
  EXPECT_EQ(ed.changes, 1);
  ed.marks.Clear();
  EXPECT_EQ(ed.marks.Count(), 0);
  EXPECT_EQ(ed.changes, 21);
}

TEST(Marks, FollowInsertedAndDeletedLines) {
  FakeEditor ed;
  std::vector<std::string> log;
  {
    TSrcEditExtensions ext(&ed, ed.marks);
    ext.AddPlugin(std::make_unique<RecordingPlugin>(&log, "p1"));
    ext.AddPlugin(std::make_unique<RecordingPlugin>(&log, "p2"));
    for (int line : {5, 6, 7, 10, 4}) ed.Place(line);
    ext.DoLinesDeleted(5, 3);
    EXPECT_EQ(LinesOf(ed.marks), (std::vector<int>{5, 5, 5, 7, 4}));
    ext.DoLinesInserted(4, 2);
    EXPECT_EQ(LinesOf(ed.marks), (std::vector<int>{7, 7, 7, 9, 6}));
    ed.Place(3);
    ext.DoLinesInserted(4, 2);
    EXPECT_EQ(ed.marks.Items(5)->Line(), 3);
    ext.DoAfterPaint(nullptr, TRect{0, 0, 50, 10}, 1, 4);
    EXPECT_EQ(log, (std::vector<std::string>{"p1 deleted 5 3", "p2 deleted 5 3", "p1 inserted 4 2",
                                             "p2 inserted 4 2", "p1 inserted 4 2", "p2 inserted 4 2",
                                             "p1 paint 50 1-4", "p2 paint 50 1-4"}));
    log.clear();
  }
  EXPECT_EQ(log, (std::vector<std::string>{"p2 freed", "p1 freed"}));
}

struct Hook {
  std::vector<std::string>* log;
  bool handle = false;
  void Handle(void* editor, bool after, bool& handled, TSrcEditorCommand& command, char32_t& ch, void* data,
              void* own) {
    log->push_back(std::string(after ? "after " : "before ") + std::to_string(command) + " " +
                   std::to_string(static_cast<unsigned>(ch)) + (editor ? " ed" : "") + (data ? " data" : "") +
                   (own == this ? " own" : ""));
    if (handle) handled = true;
  }
};

TEST(Marks, HookedCommandHandlers) {
  FakeEditor ed;
  TSrcEditExtensions ext(&ed, ed.marks);
  std::vector<std::string> log;
  Hook first{&log}, second{&log, true};
  ext.RegisterCommandHandler(MakeMethod<&Hook::Handle>(&first), &first);
  ext.RegisterCommandHandler(MakeMethod<&Hook::Handle>(&first), nullptr);  // already listed
  ext.RegisterCommandHandler(THookedCommandEvent{}, nullptr);             // missing: ignored
  EXPECT_EQ(ext.CommandHandlerCount(), 1);

  TSrcEditorCommand command = ecChar;
  char32_t ch = U'a';
  int payload = 0;
  ext.NotifyHookedCommandHandlers(false, command, ch, &payload);
  EXPECT_EQ(command, ecChar);
  EXPECT_EQ(log, (std::vector<std::string>{"before 511 97 ed data own"}));

  // A handler that handles the command before processing stops it; all still run.
  ext.RegisterCommandHandler(MakeMethod<&Hook::Handle>(&second), nullptr);
  Hook third{&log};
  ext.RegisterCommandHandler(MakeMethod<&Hook::Handle>(&third), &third);
  log.clear();
  command = ecUndo;
  ext.NotifyHookedCommandHandlers(false, command, ch, nullptr);
  EXPECT_EQ(command, ecNone);
  EXPECT_EQ(log.size(), 3u);
  EXPECT_EQ(log[1], "before 601 97 ed");

  ext.UnregisterCommandHandler(MakeMethod<&Hook::Handle>(&second));
  command = ecRedo;
  ext.NotifyHookedCommandHandlers(true, command, ch, nullptr);
  EXPECT_EQ(command, ecRedo);
  EXPECT_EQ(log.back(), "after 602 97 ed own");
  EXPECT_EQ(ext.CommandHandlerCount(), 2);
}

}  // namespace
}  // namespace qx
