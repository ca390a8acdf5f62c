// Captions in a small mark-up ("<b>Punto </b><c:WindowText>P"), the drawer that paints or
// measures them in one pass, and TRAhtListBox, the list box whose items are such captions
// (the main window's object list).
//
// Tags, letter case ignored: <b> </b>, <i> </i>, <u> </u> add and remove one style;
// <c:Name> sets the font colour to clName (a toolkit colour name) or, for a name that
// begins with "$", to that hexadecimal number; CR LF breaks the line. A "<" that begins no
// tag is text.
#pragma once
#include <QListView>
#include <QString>
#include <vector>

class QPainter;

namespace qx {

// The owner-draw state of an item, as the toolkit hands it to the drawing code.
enum TOwnerDrawStateFlag : unsigned {
  odSelected = 1,
  odGrayed = 2,
  odDisabled = 4,
  odChecked = 8,
  odFocused = 16,
  odDefault = 32,
};
using TOwnerDrawState = unsigned;

// The drawer works on the painter as on the toolkit's canvas: its font is the canvas font,
// its pen colour the font colour, its brush the background that the rectangle is filled
// with first. It leaves the font's style and colour as it found them.

// Paints the caption into `rect` (text from 2 pixels inside its left edge, lines from its
// top) and answers the plain text (tags and line breaks removed). With `hideSelColor` the
// item is drawn on the window colour in window-text colour; tag colours apply unless the
// item is selected and `hideSelColor` is off, so a selected item keeps the selection's
// text colour.
QString DrawMarkup(QPainter& canvas, const QRect& rect, TOwnerDrawState state, bool hideSelColor,
                   const QString& text);
// The same pass without the text: the width the caption needs (its last line plus a
// 2-pixel margin on each side). The rectangle is filled all the same.
int MeasureMarkup(QPainter& canvas, const QRect& rect, TOwnerDrawState state, bool hideSelColor,
                  const QString& text);
// The plain text of a caption, without any canvas.
QString MarkupPlainText(const QString& text);

class TRAhtListBox;
class TListBoxModel;

// The items of a list box as the toolkit's string list: Add keeps a sorted list sorted.
class TListBoxStrings {
 public:
  explicit TListBoxStrings(TRAhtListBox& owner) : owner_(owner) {}
  int Add(const QString& s);
  void Insert(int index, const QString& s);
  void Delete(int index);
  void Clear();
  int Count() const;
  QString operator[](int index) const;
  int IndexOf(const QString& s) const;

 private:
  TRAhtListBox& owner_;
};

// The items are the rows of a model of texts of its own: the view draws only the rows it
// shows, and a run of items comes and goes in one change of the model (a list of thousands
// of lines is filled or cut at the cost of its texts).
class TRAhtListBox : public QListView {
 public:
  explicit TRAhtListBox(QWidget* owner = nullptr);

  TListBoxStrings Items{*this};

  // When set, a selected item is drawn like an unselected one.
  bool HideSel() const { return hideSel_; }
  void SetHideSel(bool value);
  bool Sorted() const { return sorted_; }
  // Sorting sorts the items already there (letter case ignored), as the toolkit does.
  void SetSorted(bool value);
  int ItemIndex() const { return currentIndex().row(); }
  // Makes the item current and selects it; -1: none.
  void SetItemIndex(int index);
  // The canvas's text height of "W" in the control's font.
  int ItemHeight() const { return itemHeight_; }
  // Where the item is drawn, in the viewport.
  QRect ItemRect(int index) const;
  // The plain text of an item that the list's width cuts (its tooltip); empty when the
  // item shows whole.
  QString CutItemText(int index) const;

  // Runs of items at once, in one change of the model each (as Insert, Delete and Clear
  // then Add of each, without looking at the order).
  void InsertItems(int index, std::vector<QString> texts);
  void DeleteItems(int index, int count);
  void SetItems(std::vector<QString> texts);

  // Paints one item: the selection's colours or the list's, the caption, the focus frame.
  void PaintItem(QPainter& canvas, int index, const QRect& rect, TOwnerDrawState state);

 protected:
  virtual void DrawItem(QPainter& canvas, int index, const QRect& rect, TOwnerDrawState state);
  void changeEvent(QEvent* event) override;

 private:
  friend class TListBoxStrings;
  void FontChanged();

  TListBoxModel* model_;
  bool hideSel_ = false;
  bool sorted_ = false;
  int itemHeight_ = 0;
};

}  // namespace qx
