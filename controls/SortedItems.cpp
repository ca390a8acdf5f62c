#include "controls/SortedItems.h"

#include <QItemSelectionModel>
#include <QString>
#include <algorithm>
#include <numeric>

#include "controls/RAHtControls.h"
#include "controls/RAStrUtil.h"

namespace qx {

namespace {

// Rough costs in nanoseconds, as measured on a list of 100,000 items: making an item's text
// (less when it is shared), dropping one, one change of the list box's rows (the model's
// signals, the view's and the selection's bookkeeping), and moving one row (the rows after
// a run taken away or put back move once).
constexpr double kMake = 60, kDrop = 40, kPerRun = 2000, kPerMovedRow = 1;

// A run of rows taken away or put back together, or of places with the same text.
struct Run {
  int row;
  int from;   // the run's first entry in the places being put back, or sorted
  int count;
  const std::string* text = nullptr;
};

}  // namespace

void TSortedItems::Begin() {
  pushed_ = 0;
  changed_.clear();
}

int TSortedItems::Acquire(std::string_view text) {
  if (lastId_ < 0 || pool_[std::size_t(lastId_)].utf8 != text) {
    if (freeIds_.empty()) {
      lastId_ = int(pool_.size());
      pool_.emplace_back();
    } else {
      lastId_ = freeIds_.back();
      freeIds_.pop_back();
    }
    pool_[std::size_t(lastId_)].utf8.assign(text);
  }
  ++pool_[std::size_t(lastId_)].uses;
  return lastId_;
}

void TSortedItems::Release(int id) {
  Text& t = pool_[std::size_t(id)];
  if (--t.uses > 0) return;
  t.label = QString();
  freeIds_.push_back(id);
  if (lastId_ == id) lastId_ = -1;
}

const QString& TSortedItems::Label(int place) {
  Text& t = pool_[std::size_t(ids_[std::size_t(place)])];
  if (t.label.isNull()) t.label = QString::fromUtf8(t.utf8);
  return t.label;
}

void TSortedItems::Push(std::string_view text) {
  const std::size_t k = pushed_++;
  if (k < ids_.size()) {
    if (TextAt(int(k)) == text) return;
    Release(ids_[k]);
    ids_[k] = Acquire(text);
  } else {
    ids_.push_back(Acquire(text));
  }
  changed_.push_back(int(k));
}

bool TSortedItems::Before(int a, int b) const {
  const int ia = ids_[std::size_t(a)], ib = ids_[std::size_t(b)];
  const int c = ia == ib ? 0 : CompareCaseless(TextAt(a), TextAt(b));
  return c < 0 || (c == 0 && a < b);
}

void TSortedItems::Sort(std::vector<int>& places) const {
  // Tables hold long runs of equal texts at consecutive places (the anonymous figures a
  // loop makes): each run is sorted as one entry. A run's places are consecutive, so runs
  // of equal texts kept in their order keep their places in order.
  std::vector<Run> runs;
  for (std::size_t i = 0; i < places.size();) {
    std::size_t j = i + 1;
    const int id = ids_[std::size_t(places[i])];
    while (j < places.size() && places[j] == places[j - 1] + 1 && ids_[std::size_t(places[j])] == id) ++j;
    runs.push_back({0, int(i), int(j - i), &pool_[std::size_t(id)].utf8});
    i = j;
  }
  std::stable_sort(runs.begin(), runs.end(),
                   [](const Run& a, const Run& b) { return CompareCaseless(*a.text, *b.text) < 0; });
  std::vector<int> sorted;
  sorted.reserve(places.size());
  for (const Run& r : runs) {
    const int first = places[std::size_t(r.from)];
    for (int k = 0; k < r.count; ++k) sorted.push_back(first + k);
  }
  places.swap(sorted);
}

void TSortedItems::Truncate() {
  for (std::size_t p = pushed_; p < ids_.size(); ++p) Release(ids_[p]);
  ids_.resize(pushed_);
}

void TSortedItems::Refill() {
  const std::size_t n = pushed_;
  Truncate();
  rows_.resize(n);
  std::iota(rows_.begin(), rows_.end(), 0);
  Sort(rows_);
  std::vector<QString> labels;
  labels.reserve(n);
  for (const int p : rows_) labels.push_back(Label(p));
  lastRemoved_ = std::size_t(list_.Items.Count());
  lastAdded_ = n;
  list_.SetItems(std::move(labels));
  last_ = n;
  inList_ = true;
  changed_.clear();
}

void TSortedItems::End() {
  const std::size_t n = pushed_;
  if (!inList_ || last_ == 0 || std::size_t(list_.Items.Count()) != last_) return Refill();

  // The items that go: those of the places whose text changed, and of the places past the
  // sequence's new end.
  std::vector<char>& gone = gone_;
  gone.assign(last_, 0);
  for (const int p : changed_)
    if (std::size_t(p) < last_) gone[std::size_t(p)] = 1;
  for (std::size_t p = n; p < last_; ++p) gone[p] = 1;
  std::vector<int>& kept = kept_;
  std::vector<int> goneRows;
  kept.clear();
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
  std::vector<int>& rows = spareRows_;
  rows.clear();
  std::vector<Run> puts;
  std::size_t k = 0;
  for (std::size_t a = 0; a < added.size(); ++a) {
    const int p = added[a];
    // A place right after the last one, with the same text, goes right after it: no kept
    // place lies between the two.
    const bool follows = a > 0 && p == added[a - 1] + 1 && ids_[std::size_t(p)] == ids_[std::size_t(p - 1)];
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

  // Taking away and putting back, against filling the list anew.
  double moved = 0;
  double size = double(last_);
  for (auto t = takes.rbegin(); t != takes.rend(); ++t) {
    size -= t->count;
    moved += size - t->row;
  }
  for (const Run& t : puts) {
    moved += size - t.row;
    size += t.count;
  }
  const double edits = double(goneRows.size()) * kDrop + double(added.size()) * kMake + moved * kPerMovedRow +
                       double(takes.size() + puts.size()) * kPerRun;
  if (edits > double(last_) * kDrop + double(n) * kMake + kPerRun) return Refill();

  // From the bottom up, so that the rows above keep their numbers; then from the top down,
  // each run at its final row, with every item before it already there.
  for (auto t = takes.rbegin(); t != takes.rend(); ++t) list_.DeleteItems(t->row, t->count);
  for (const Run& t : puts) {
    std::vector<QString> labels;
    labels.reserve(std::size_t(t.count));
    for (int i = 0; i < t.count; ++i) labels.push_back(Label(added[std::size_t(t.from + i)]));
    list_.InsertItems(t.row, std::move(labels));
  }
  // As after Clear: no item selected or current. (A reset lays out the whole list again.)
  if (list_.currentIndex().isValid() || list_.selectionModel()->hasSelection()) list_.reset();
  lastRemoved_ = goneRows.size();
  lastAdded_ = added.size();
  rows_.swap(rows);
  Truncate();
  last_ = n;
  changed_.clear();
}

}  // namespace qx
