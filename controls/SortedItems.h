// The items of a sorted list box as the sorted order of a sequence of texts that the owner
// keeps in an order of its own (the object list: the variable table's order), brought up to
// date by taking away and putting back only the items whose text changed.
#pragma once
#include <QString>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TRAhtListBox;

class TSortedItems {
 public:
  // The list box is then filled only through this object.
  explicit TSortedItems(TRAhtListBox& list) : list_(list) {}

  // A new sequence: Push each text (UTF-8) in the owner's order, then End.
  void Begin();
  void Push(std::string_view text);
  // The list's items become the texts sorted by CompareCaseless, equal texts in the
  // sequence's order, with no item selected or current: what Clear and an Add of each text
  // in turn leave in a sorted list. When that is cheaper than filling the list anew, only
  // the items whose place in the sequence holds another text than the last time are taken
  // away and put back.
  void End();

  // How the last End went: the items it took away and the ones it made (all of them when
  // it filled the list anew).
  std::size_t LastRemoved() const { return lastRemoved_; }
  std::size_t LastAdded() const { return lastAdded_; }

 private:
  // A text, shared by the places side by side that hold it (a loop's anonymous figures all
  // have the same caption), with the string the list box shows. A text no place holds any
  // more keeps its memory for the next one.
  struct Text {
    std::string utf8;
    QString label;  // made when an item first needs it
    int uses = 0;
  };

  const std::string& TextAt(int place) const { return pool_[std::size_t(ids_[std::size_t(place)])].utf8; }
  const QString& Label(int place);
  int Acquire(std::string_view text);
  void Release(int id);
  // Whether place a sorts before place b: by text, then by place.
  bool Before(int a, int b) const;
  // `places` (ascending) sorted by text, equal texts in their order.
  void Sort(std::vector<int>& places) const;
  // Drops the places past the new sequence's end.
  void Truncate();
  void Refill();

  TRAhtListBox& list_;
  std::vector<Text> pool_;
  std::vector<int> freeIds_;
  int lastId_ = -1;                 // the text acquired last: the next place may share it
  std::vector<int> ids_;            // the sequence, in the owner's order, as texts of the pool
  std::vector<int> rows_;           // the place in the sequence of each row's item
  std::vector<int> changed_;        // the places whose text changed, ascending
  // End's work lists, kept for their memory.
  std::vector<char> gone_;
  std::vector<int> kept_, spareRows_;
  std::size_t pushed_ = 0;          // texts pushed since Begin
  std::size_t last_ = 0;            // the length of the last sequence
  bool inList_ = false;             // the list holds the last sequence's items
  std::size_t lastRemoved_ = 0, lastAdded_ = 0;
};

}  // namespace qx
