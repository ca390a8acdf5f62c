#include "controls/SortedItems.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QStringList>
#include <algorithm>
#include <numeric>

#include "controls/RAHtControls.h"
#include "controls/RAStrUtil.h"

namespace qx {

namespace {

// Rough costs in nanoseconds, as measured on a list of 100,000 items: making an item with
// its text, deleting one, taking away or putting back one run of rows (the model's signals
// and the view's bookkeeping), and moving one row (the model moves every row after the one
// it takes away or puts back, one row at a time).
constexpr double kMake = 120, kDelete = 40, kPerRun = 3000, kPerMovedRow = 0.1;

// A run of rows taken away or put back together.
struct Run {
  int row;
  int from;   // the run's first entry in the places being put back
  int count;
};

// The texts of new items; equal texts side by side (the anonymous figures of a loop) share
// one string.
class Labels {
 public:
  explicit Labels(std::size_t n) { list.reserve(qsizetype(n)); }
  void Add(const std::string& text) {
    if (last_ && *last_ == text)
      list.push_back(list.back());
    else
      list.push_back(QString::fromUtf8(text));
    last_ = &text;
  }
  QStringList list;

 private:
  const std::string* last_ = nullptr;
};

}  // namespace

void TSortedItems::Begin() {
  pushed_ = 0;
  changed_.clear();
}

void TSortedItems::Push(std::string_view text) {
  const std::size_t k = pushed_++;
  if (k < texts_.size()) {
    if (texts_[k] == text) return;
    texts_[k].assign(text);
  } else {
    texts_.emplace_back(text);
  }
  changed_.push_back(int(k));
}

bool TSortedItems::Before(int a, int b) const {
  const int c = CompareCaseless(texts_[std::size_t(a)], texts_[std::size_t(b)]);
  return c < 0 || (c == 0 && a < b);
}

void TSortedItems::Sort(std::vector<int>& places) const {
  // Tables hold long runs of equal texts at consecutive places (the anonymous figures a
  // loop makes): each run is sorted as one entry. A run's places are consecutive, so runs
  // of equal texts kept in their order keep their places in order.
  std::vector<Run> runs;
  for (std::size_t i = 0; i < places.size();) {
    std::size_t j = i + 1;
    const std::string& text = texts_[std::size_t(places[i])];
    while (j < places.size() && places[j] == places[j - 1] + 1 && texts_[std::size_t(places[j])] == text) ++j;
    runs.push_back({0, int(i), int(j - i)});
    i = j;
  }
  std::stable_sort(runs.begin(), runs.end(), [&](const Run& a, const Run& b) {
    return CompareCaseless(texts_[std::size_t(places[std::size_t(a.from)])],
                           texts_[std::size_t(places[std::size_t(b.from)])]) < 0;
  });
  std::vector<int> sorted;
  sorted.reserve(places.size());
  for (const Run& r : runs) {
    const int first = places[std::size_t(r.from)];
    for (int k = 0; k < r.count; ++k) sorted.push_back(first + k);
  }
  places.swap(sorted);
}

void TSortedItems::Refill() {
  const std::size_t n = pushed_;
  texts_.resize(n);
  rows_.resize(n);
  std::iota(rows_.begin(), rows_.end(), 0);
  Sort(rows_);
  Labels labels(n);
  for (const int p : rows_) labels.Add(texts_[std::size_t(p)]);
  lastRemoved_ = std::size_t(list_.count());
  lastAdded_ = n;
  list_.clear();
  list_.insertItems(0, labels.list);
  last_ = n;
  inList_ = true;
  changed_.clear();
}

void TSortedItems::End() {
  const std::size_t n = pushed_;
  if (!inList_ || last_ == 0 || std::size_t(list_.count()) != last_) return Refill();

  // The items that go: those of the places whose text changed, and of the places past the
  // sequence's new end.
  std::vector<char> gone(last_, 0);
  for (const int p : changed_)
    if (std::size_t(p) < last_) gone[std::size_t(p)] = 1;
  for (std::size_t p = n; p < last_; ++p) gone[p] = 1;
  std::vector<int> kept, goneRows;
  kept.reserve(last_);
  for (std::size_t r = 0; r < last_; ++r) {
    const int p = rows_[r];
    if (gone[std::size_t(p)])
      goneRows.push_back(int(r));
    else
      kept.push_back(p);
  }
  std::vector<int> added = changed_;
  Sort(added);

  // The new order: the kept items in theirs, each added one after the kept ones that sort
  // before it.
  std::vector<int> rows;
  rows.reserve(n);
  std::vector<Run> puts;
  std::size_t k = 0;
  for (std::size_t a = 0; a < added.size(); ++a) {
    const int p = added[a];
    // A place right after the last one, with the same text, goes right after it: no kept
    // place lies between the two.
    const bool follows = a > 0 && p == added[a - 1] + 1 && texts_[std::size_t(p)] == texts_[std::size_t(p - 1)];
    if (!follows)
      k = std::size_t(std::upper_bound(kept.begin() + std::ptrdiff_t(k), kept.end(), p,
                                       [this](int x, int y) { return Before(x, y); }) -
                      kept.begin());
    const std::size_t copied = rows.size() - a;
    rows.insert(rows.end(), kept.begin() + std::ptrdiff_t(copied), kept.begin() + std::ptrdiff_t(k));
    if (puts.empty() || copied != k || puts.back().row + puts.back().count != int(rows.size()))
      puts.push_back({int(rows.size()), int(a), 0});
    ++puts.back().count;
    rows.push_back(p);
  }
  rows.insert(rows.end(), kept.begin() + std::ptrdiff_t(rows.size() - added.size()), kept.end());

  std::vector<Run> takes;
  for (const int r : goneRows) {
    if (!takes.empty() && takes.back().row + takes.back().count == r)
      ++takes.back().count;
    else
      takes.push_back({r, 0, 1});
  }

  // Taking away and putting back, against filling the list anew. The model moves the rows
  // after the one it takes away or puts back, in the list as it stands at that moment.
  double moved = 0;
  double size = double(last_);
  for (auto t = takes.rbegin(); t != takes.rend(); ++t) {
    // The run's rows are taken one at a time at its first row: the rest of the run moves too.
    const double c = t->count;
    moved += c * (size - t->row) - c * (c + 1) / 2;
    size -= c;
  }
  for (const Run& t : puts) {
    moved += double(t.count) * (size - t.row);
    size += t.count;
  }
  const double edits = double(goneRows.size()) * kDelete + double(added.size()) * kMake + moved * kPerMovedRow +
                       double(takes.size() + puts.size()) * kPerRun;
  if (edits > double(last_) * kDelete + double(n) * kMake + kPerRun) return Refill();

  // From the bottom up, so that the rows above keep their numbers; then from the top down,
  // each run at its final row, with every item before it already there.
  for (auto t = takes.rbegin(); t != takes.rend(); ++t) list_.model()->removeRows(t->row, t->count);
  for (const Run& t : puts) {
    Labels labels(std::size_t(t.count));
    for (int i = 0; i < t.count; ++i) labels.Add(texts_[std::size_t(added[std::size_t(t.from + i)])]);
    list_.insertItems(t.row, labels.list);
  }
  // As after Clear: no item selected or current. (A reset lays out the whole list again.)
  if (list_.currentIndex().isValid() || list_.selectionModel()->hasSelection()) list_.reset();
  lastRemoved_ = goneRows.size();
  lastAdded_ = added.size();
  rows_.swap(rows);
  texts_.resize(n);
  last_ = n;
  changed_.clear();
}

}  // namespace qx
