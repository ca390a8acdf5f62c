#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "editor/EditorExceptions.h"
#include "editor/TextBuffer.h"

namespace qx {
namespace {

std::string Save(const TSrcEditStringList& list) {
  std::ostringstream out;
  list.SaveToStream(out);
  return out.str();
}

void Load(TSrcEditStringList& list, const std::string& bytes) {
  std::istringstream in(bytes);
  list.LoadFromStream(in);
}

std::vector<std::u32string> Lines(const TSrcEditStringList& list) {
  std::vector<std::u32string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.Get(i));
  return out;
}

// Records every event of the list as one line of text, in order.
struct EventLog {
  std::vector<std::string> events;
  explicit EventLog(TSrcEditStringList& list) {
    list.OnChanging = [this](TSrcEditStringList&) { events.push_back("changing"); };
    list.OnChange = [this](TSrcEditStringList&) { events.push_back("change"); };
    list.OnLinesCleared = [this](TSrcEditStringList&) { events.push_back("cleared"); };
    list.OnLinesInserted = [this](TSrcEditStringList&, int i, int n) {
      events.push_back("inserted " + std::to_string(i) + " " + std::to_string(n));
    };
    list.OnLinesDeleted = [this](TSrcEditStringList&, int i, int n) {
      events.push_back("deleted " + std::to_string(i) + " " + std::to_string(n));
    };
    list.OnLinePut = [this](TSrcEditStringList&, int i, int n) {
      events.push_back("put " + std::to_string(i) + " " + std::to_string(n));
    };
  }
  std::vector<std::string> Take() { return std::exchange(events, {}); }
};

using V = std::vector<std::u32string>;
using E = std::vector<std::string>;

TEST(TextBuffer, LineEndsRoundTripByteForByte) {
  struct Case {
    std::string bytes;
    V lines;
    TSynLineBreakFormat format;
  };
  const std::vector<Case> cases = {
      {"a\r\nb\r\n", {U"a", U"b", U""}, lbfCRLF},
      {"a\nb", {U"a", U"b"}, lbfLF},
      {"a\rb", {U"a", U"b"}, lbfCR},
      {"", {}, lbfCRLF},
      {"\r\n", {U"", U""}, lbfCRLF},
      {"x\n\n", {U"x", U"", U""}, lbfLF},
  };
  for (const Case& c : cases) {
    TSrcEditStringList list;
    Load(list, c.bytes);
    EXPECT_EQ(Lines(list), c.lines) << c.bytes;
    EXPECT_EQ(list.Format(), c.format) << c.bytes;
    EXPECT_EQ(Save(list), c.bytes);
  }
}

TEST(TextBuffer, MixedAndReversedLineEnds) {
  TSrcEditStringList list;
  Load(list, "a\nb\r\nc");
  EXPECT_EQ(Lines(list), (V{U"a", U"b", U"c"}));
  EXPECT_EQ(list.Format(), lbfCRLF);
  EXPECT_EQ(Save(list), "a\r\nb\r\nc");

  // LF CR ends one line, the CR a second, and the final break adds a third.
  Load(list, "\n\r");
  EXPECT_EQ(Lines(list), (V{U"", U"", U""}));
  EXPECT_EQ(list.Format(), lbfCRLF);
  EXPECT_EQ(Save(list), "\r\n\r\n");
}

TEST(TextBuffer, EncodingsRoundTrip) {
  TSrcEditStringList list;
  Load(list, "caff\xE8\r\n");  // Windows-1252: not valid UTF-8
  EXPECT_EQ(list.Encoding(), TTextEncoding::Windows1252);
  EXPECT_EQ(list.Get(0), U"caff\u00E8");
  EXPECT_EQ(list.Get(0).size(), 5u);
  EXPECT_EQ(Save(list), "caff\xE8\r\n");

  // Every byte value survives, the undefined ones of the code page included.
  std::string all;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') all.push_back(static_cast<char>(b));
  Load(list, all);
  EXPECT_EQ(list.Encoding(), TTextEncoding::Windows1252);
  EXPECT_EQ(list.Get(0)[0x80 - 2], U'\u20AC');
  EXPECT_EQ(Save(list), all);

  Load(list, "perch\xC3\xA9 \xE2\x82\xAC\n");
  EXPECT_EQ(list.Encoding(), TTextEncoding::Utf8);
  EXPECT_EQ(list.Get(0), U"perch\u00E9 \u20AC");
  EXPECT_EQ(Save(list), "perch\xC3\xA9 \xE2\x82\xAC\n");

  Load(list, "\xEF\xBB\xBFx\r\ny");
  EXPECT_EQ(list.Encoding(), TTextEncoding::Utf8WithBOM);
  EXPECT_EQ(list.Get(0), U"x");
  EXPECT_EQ(Save(list), "\xEF\xBB\xBFx\r\ny");

  // A Windows-1252 text given a character the code page lacks is saved whole as UTF-8.
  Load(list, "\xE8");
  list.Put(0, U"\u00E8\u0142");
  EXPECT_EQ(list.SaveEncoding(), TTextEncoding::Utf8);
  EXPECT_EQ(Save(list), "\xC3\xA8\xC5\x82");
}

TEST(TextBuffer, FilesMatchStreamsAndSurviveLongLines) {
  const auto dir = std::filesystem::temp_directory_path() / "qx_text_buffer_test";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "t.txt").string();

  std::string longLine(20000, 'x');
  longLine[100] = '\t';
  const std::string content = "primo\n" + longLine + "\n\xC3\xA8ultimo";
  {
    std::ofstream(path, std::ios::binary) << content;
  }
  TSrcEditStringList list;
  list.LoadFromFile(path);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(1).size(), 20000u);
  EXPECT_EQ(list.Format(), lbfLF);
  list.SaveToFile(path);
  std::ifstream in(path, std::ios::binary);
  const std::string back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(back, content);
  EXPECT_EQ(back, Save(list));

  // Many lines cross the writer's buffer several times.
  TSrcEditStringList many;
  for (int i = 0; i < 5000; ++i) many.Add(U"riga numero " + std::u32string(static_cast<std::size_t>(i % 40), U'\u00E8'));
  many.SaveToFile(path);
  TSrcEditStringList again;
  again.LoadFromFile(path);
  EXPECT_EQ(Lines(again), Lines(many));

  EXPECT_THROW(list.LoadFromFile((dir / "missing.txt").string()), EStreamError);
  try {
    list.SaveToFile((dir / "no" / "such" / "dir.txt").string());
    ADD_FAILURE();
  } catch (const EStreamError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + (dir / "no" / "such" / "dir.txt").string() + "\"");
  }
  std::filesystem::remove_all(dir);
}

TEST(TextBuffer, RandomBytesNeverCrashAndRoundTrip) {
  std::mt19937 rng(1234);
  const char alphabet[] = {'a', '\r', '\n', '\t', '\0', '\xC3', '\xA8', '\xE2', '\x82', '\xAC', '\xFF', '\x80', '\xEF', '\xBB', '\xBF'};
  for (int round = 0; round < 500; ++round) {
    std::string bytes;
    const int n = static_cast<int>(rng() % 40);
    for (int i = 0; i < n; ++i) bytes.push_back(alphabet[rng() % sizeof alphabet]);
    TSrcEditStringList list;
    Load(list, bytes);
    const std::string saved = Save(list);
    // Only the line breaks may be written differently, and only for mixed files.
    TSrcEditStringList again;
    Load(again, saved);
    EXPECT_EQ(Lines(again), Lines(list));
    const bool mixed = bytes.find('\r') != std::string::npos && bytes.find('\n') != std::string::npos;
    if (!mixed) {
      EXPECT_EQ(saved, bytes);
    }
  }
}

TEST(TextBuffer, WholeTextGetAndSet) {
  TSrcEditStringList list;
  EXPECT_EQ(list.GetTextStr(), U"");
  list.SetTextStr(U"a\r\nb\nc\rd\r\n");
  EXPECT_EQ(Lines(list), (V{U"a", U"b", U"c", U"d"}));
  EXPECT_EQ(list.GetTextStr(), U"a\r\nb\r\nc\r\nd");
  list.SetTextStr(U"x\n\ry");
  EXPECT_EQ(Lines(list), (V{U"x", U"", U"y"}));
  list.SetTextStr(std::u32string(U"uno\0due", 7));
  EXPECT_EQ(Lines(list), (V{U"uno"}));
  list.Add(U"");
  EXPECT_EQ(list.GetTextStr(), U"uno\r\n");
}

TEST(TextBuffer, TabExpansion) {
  TSrcEditStringList list;
  list.Add(U"a\tb");
  list.SetTabWidth(4);
  EXPECT_EQ(list.ExpandedStrings(0), U"a\t\t\tb");
  EXPECT_EQ(list.ExpandedStringLengths(0), 5);
  list.SetTabWidth(3);
  EXPECT_EQ(list.ExpandedStrings(0), U"a\t\tb");
  list.SetTabWidth(1);
  EXPECT_EQ(list.ExpandedStrings(0), U"a b");
  list.SetTabWidth(0);
  EXPECT_EQ(list.ExpandedStringLengths(0), 3);
  EXPECT_EQ(list.ExpandedStrings(5), U"");
  EXPECT_EQ(list.ExpandedStringLengths(-1), 0);

  const int indexes[] = {1, 2, 3, 4, 10};
  const int columns[] = {1, 2, 5, 6, 12};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(CharIndex2CaretPos(indexes[i], 4, U"a\tb"), columns[i]) << indexes[i];
  EXPECT_EQ(CharIndex2CaretPos(7, 1, U"a\tb"), 7);
  EXPECT_EQ(CharIndex2CaretPos(0, 4, U"\t"), 1);
  EXPECT_EQ(GetExpandedLength(U"\u00E8\t\t", 8), 16);
  EXPECT_EQ(GetExpandedLength(U"a\tb", 0), 3);
}

TEST(TextBuffer, LongestLineFollowsEveryChange) {
  TSrcEditStringList list;
  EXPECT_EQ(list.LengthOfLongestLine(), 0);
  list.Add(U"abc");
  list.Add(U"\tx");
  list.Add(U"abcd");
  EXPECT_EQ(list.LengthOfLongestLine(), 9);  // TAB to column 8, then x
  list.SetTabWidth(2);
  EXPECT_EQ(list.LengthOfLongestLine(), 4);
  list.Insert(0, U"123456");
  EXPECT_EQ(list.LengthOfLongestLine(), 6);
  list.Exchange(0, 3);
  EXPECT_EQ(list.LengthOfLongestLine(), 6);
  list.Insert(0, U"");  // the longest line moves down
  list.Put(4, U"z");    // and is cut short where it now stands
  EXPECT_EQ(list.LengthOfLongestLine(), 4);
  list.InsertLines(0, 2);
  list.Put(0, U"1234567");
  EXPECT_EQ(list.LengthOfLongestLine(), 7);
  list.Delete(0);
  EXPECT_EQ(list.LengthOfLongestLine(), 4);
  list.DeleteLines(0, 100);
  EXPECT_EQ(list.LengthOfLongestLine(), 0);
}

TEST(TextBuffer, CapacityAndIndexErrors) {
  TSrcEditStringList list;
  for (int i = 0; i < 64; ++i) list.Add(U"x");
  EXPECT_EQ(list.Capacity(), 64);
  list.Add(U"x");
  EXPECT_EQ(list.Capacity(), 80);
  for (int i = 0; i < 16; ++i) list.Add(U"x");
  EXPECT_EQ(list.Capacity(), 100);
  try {
    list.SetCapacity(80);
    ADD_FAILURE();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "Stringlist capacity cannot be smaller than count");
  }
  EXPECT_EQ(list.Capacity(), 100);
  list.InsertLines(81, 3);
  EXPECT_EQ(list.Capacity(), 84);
  list.Clear();
  EXPECT_EQ(list.Capacity(), 0);

  auto message = [&](auto op) {
    try {
      op();
    } catch (const ESrcEditStringList& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  list.Add(U"uno");
  EXPECT_EQ(message([&] { list.Put(-1, U"x"); }), "Invalid stringlist index -1");
  EXPECT_EQ(message([&] { list.Put(2, U"x"); }), "Invalid stringlist index 2");
  EXPECT_EQ(message([&] { list.PutObject(1, nullptr); }), "Invalid stringlist index 1");
  EXPECT_EQ(message([&] { list.PutRange(1, 0); }), "Invalid stringlist index 1");
  EXPECT_EQ(message([&] { list.Insert(2, U"x"); }), "Invalid stringlist index 2");
  EXPECT_EQ(message([&] { list.InsertLines(-3, 1); }), "Invalid stringlist index -3");
  EXPECT_EQ(message([&] { list.Delete(1); }), "Invalid stringlist index 1");
  EXPECT_EQ(message([&] { list.DeleteLines(2, 1); }), "Invalid stringlist index 2");
  EXPECT_EQ(message([&] { list.Exchange(0, 7); }), "Invalid stringlist index 7");
  EXPECT_EQ(message([&] { list.Exchange(-2, 7); }), "Invalid stringlist index -2");
  EXPECT_EQ(Lines(list), (V{U"uno"}));

  // Reading never raises.
  EXPECT_EQ(list.Get(5), U"");
  EXPECT_EQ(list.GetObject(-1), nullptr);
  EXPECT_EQ(list.GetRange(9), 0);
  EXPECT_EQ(list.GetRange(0), kRangeNotScanned);

  // Index = Count appends, on an empty list too.
  TSrcEditStringList empty;
  empty.Put(0, U"a");
  empty.Put(1, U"b");
  EXPECT_EQ(Lines(empty), (V{U"a", U"b"}));
}

TEST(TextBuffer, EventOrder) {
  TSrcEditStringList list;
  EventLog log(list);
  list.Add(U"a");
  EXPECT_EQ(log.Take(), (E{"changing", "inserted 0 1", "change"}));
  list.Insert(0, U"b");
  EXPECT_EQ(log.Take(), (E{"changing", "inserted 0 1", "change"}));
  list.Put(1, U"c");
  EXPECT_EQ(log.Take(), (E{"changing", "put 1 1", "change"}));
  list.Delete(0);
  EXPECT_EQ(log.Take(), (E{"changing", "deleted 0 1", "change"}));
  list.PutRange(0, 7);
  list.PutObject(0, &log);
  EXPECT_EQ(log.Take(), (E{"changing", "change", "changing", "change"}));
  EXPECT_EQ(list.GetRange(0), 7);
  list.Put(0, U"d");  // range and object stay with the line
  EXPECT_EQ(list.GetRange(0), 7);
  EXPECT_EQ(list.GetObject(0), &log);
  log.Take();

  // Deleting a run reports after its bracket, and only the lines that were there.
  list.InsertLines(1, 3);
  EXPECT_EQ(log.Take(), (E{"changing", "inserted 1 3", "change"}));
  list.DeleteLines(2, 10);
  EXPECT_EQ(log.Take(), (E{"changing", "change", "deleted 2 2"}));
  list.DeleteLines(2, 5);
  list.InsertLines(0, 0);
  EXPECT_EQ(log.Take(), E{});

  // Inside an update the bracket events come once, around everything.
  list.BeginUpdate();
  list.Add(U"x");
  list.Exchange(0, 2);
  list.Clear();
  list.Clear();
  list.EndUpdate();
  EXPECT_EQ(log.Take(), (E{"changing", "inserted 2 1", "cleared", "change"}));
  list.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(log.Take(), E{});

  TSrcEditStringList other;
  other.Add(U"p");
  other.Add(U"q");
  list.AddStrings(other);
  list.AddStrings(list);
  EXPECT_EQ(log.Take(), (E{"changing", "inserted 0 2", "change", "changing", "inserted 2 2", "change"}));
  EXPECT_EQ(Lines(list), (V{U"p", U"q", U"p", U"q"}));
  EXPECT_EQ(list.Capacity(), 16);

  list.SetTextStr(U"1\n2");
  EXPECT_EQ(log.Take(), (E{"changing", "cleared", "inserted 0 1", "inserted 1 1", "change"}));
  Load(list, "z");
  EXPECT_EQ(log.Take(), (E{"changing", "cleared", "inserted 0 1", "change"}));
}

}  // namespace
}  // namespace qx
