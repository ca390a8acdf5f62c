#include "controls/RAHtControls.h"

#include <QAbstractListModel>
#include <QEvent>
#include <QItemSelectionModel>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QImage>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>
#include <iterator>

#include "controls/RAStrUtil.h"
#include "controls/ToolkitColors.h"
#include "platform/ColorNames.h"

namespace qx {

namespace {

// Style tags: the body between "<" and ">" and what it does to the font.
struct StyleTag {
  QLatin1StringView Body;
  void (QFont::*Set)(bool);
  bool On;
};
const StyleTag kStyleTags[] = {
    {QLatin1StringView("b>"), &QFont::setBold, true},       {QLatin1StringView("/b>"), &QFont::setBold, false},
    {QLatin1StringView("i>"), &QFont::setItalic, true},     {QLatin1StringView("/i>"), &QFont::setItalic, false},
    {QLatin1StringView("u>"), &QFont::setUnderline, true},  {QLatin1StringView("/u>"), &QFont::setUnderline, false},
};

// The colour of a colour tag's name; an unknown name leaves the colour as it is.
std::optional<TColor> TagColor(const QString& name) {
  if (name.startsWith(QLatin1Char('$'))) return StringToColor(name.toStdString());
  return IdentToColor(("cl" + name).toStdString());
}

// The one pass of drawing and measuring. Without a canvas only the plain text is made.
struct MarkupPass {
  QPainter* canvas;
  bool paint;
  QString plain;
  QString run;
  int x = 0;
  int top = 0;

  QFontMetrics Metrics() const { return canvas->fontMetrics(); }

  void Flush() {
    if (canvas) {
      const QFontMetrics fm = Metrics();
      if (paint && !run.isEmpty()) canvas->drawText(QPoint(x, top + fm.ascent()), run);
      x += fm.horizontalAdvance(run);
    }
    plain += run;
    run.clear();
  }

  void SetStyle(void (QFont::*set)(bool), bool on) {
    if (!canvas) return;
    QFont f = canvas->font();
    (f.*set)(on);
    canvas->setFont(f);
  }

  int Run(QRect r, TOwnerDrawState state, bool hideSelColor, const QString& text) {
    QFont savedStyle;
    QPen savedPen;
    if (canvas) {
      savedStyle = canvas->font();
      savedPen = canvas->pen();
      if (hideSelColor) {
        canvas->setBrush(ToQColor(clWindow));
        canvas->setPen(ToQColor(clWindowText));
      }
      canvas->fillRect(r, canvas->brush());
    }
    const int start = r.left();
    x = r.left() + 2;
    top = r.top();
    const int lineStart = x;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
      const QChar ch = text[i];
      if (ch == QLatin1Char('<')) {
        const QStringView rest = QStringView(text).mid(i + 1);
        const StyleTag* tag = nullptr;
        for (const StyleTag& t : kStyleTags)
          if (rest.startsWith(t.Body, Qt::CaseInsensitive)) tag = &t;
        if (tag) {
          Flush();
          SetStyle(tag->Set, tag->On);
          i += 1 + tag->Body.size();
          continue;
        }
        if (rest.startsWith(QLatin1StringView("c:"), Qt::CaseInsensitive)) {
          Flush();
          const QString name = SubStr(text.mid(i + 3), 0, QStringLiteral(">"));
          if (canvas && (hideSelColor || !(state & odSelected)))
            if (const auto color = TagColor(name)) canvas->setPen(ToQColor(*color));
          i += 3 + name.size() + 1;
          continue;
        }
      } else if (ch == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
        Flush();
        x = lineStart;
        if (canvas) top += Metrics().height();
        i += 2;
        continue;
      }
      run += ch;
      ++i;
    }
    Flush();
    if (canvas) {
      QFont f = canvas->font();
      f.setBold(savedStyle.bold());
      f.setItalic(savedStyle.italic());
      f.setUnderline(savedStyle.underline());
      f.setStrikeOut(savedStyle.strikeOut());
      canvas->setFont(f);
      canvas->setPen(savedPen);
    }
    return x - start + 2;
  }
};

}  // namespace

QString DrawMarkup(QPainter& canvas, const QRect& rect, TOwnerDrawState state, bool hideSelColor,
                   const QString& text) {
  MarkupPass pass{&canvas, true, {}, {}};
  pass.Run(rect, state, hideSelColor, text);
  return pass.plain;
}

int MeasureMarkup(QPainter& canvas, const QRect& rect, TOwnerDrawState state, bool hideSelColor,
                  const QString& text) {
  MarkupPass pass{&canvas, false, {}, {}};
  return pass.Run(rect, state, hideSelColor, text);
}

QString MarkupPlainText(const QString& text) {
  MarkupPass pass{nullptr, false, {}, {}};
  pass.Run(QRect(), 0, false, text);
  return pass.plain;
}

// ---- TRAhtListBox ----

// The texts of the items, one row each.
class TListBoxModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(items.size()); }
  // The view asks for the index of every row at each layout: answered without the virtual
  // calls of the general one.
  QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override {
    if (parent.isValid() || column != 0 || row < 0 || row >= int(items.size())) return {};
    return createIndex(row, 0);
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= int(items.size())) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return items[std::size_t(index.row())];
    return {};
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
  }

  void Insert(int row, std::vector<QString> texts) {
    if (texts.empty()) return;
    row = std::clamp(row, 0, int(items.size()));
    beginInsertRows({}, row, row + int(texts.size()) - 1);
    items.insert(items.begin() + row, std::make_move_iterator(texts.begin()), std::make_move_iterator(texts.end()));
    endInsertRows();
  }
  void Remove(int row, int count) {
    if (row < 0 || count <= 0 || row + count > int(items.size())) return;
    beginRemoveRows({}, row, row + count - 1);
    items.erase(items.begin() + row, items.begin() + row + count);
    endRemoveRows();
  }
  void Reset(std::vector<QString> texts) {
    beginResetModel();
    items = std::move(texts);
    endResetModel();
  }
  void SetText(int row, const QString& text) {
    items[std::size_t(row)] = text;
    emit dataChanged(index(row), index(row));
  }

  std::vector<QString> items;
};

namespace {

// Hands every item to the list box's own drawing, at the list box's fixed item height.
class HtItemDelegate : public QStyledItemDelegate {
 public:
  explicit HtItemDelegate(TRAhtListBox* list) : QStyledItemDelegate(list), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    TOwnerDrawState state = 0;
    if (option.state & QStyle::State_Selected) state |= odSelected;
    if ((option.state & QStyle::State_HasFocus) && list_->hasFocus()) state |= odFocused;
    if (!(option.state & QStyle::State_Enabled)) state |= odDisabled;
    painter->save();
    list_->PaintItem(*painter, index.row(), option.rect, state);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& /*index*/) const override {
    return QSize(option.rect.width(), list_->ItemHeight());
  }

  // A caption longer than the list is wide is read whole in its tooltip; measuring costs
  // one item at a time, only when the pointer rests on it.
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (event->type() != QEvent::ToolTip || !index.isValid())
      return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString whole = list_->CutItemText(index.row());
    if (whole.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(event->globalPos(), whole, view->viewport(), option.rect);
    return true;
  }

 private:
  TRAhtListBox* list_;
};

}  // namespace

TRAhtListBox::TRAhtListBox(QWidget* owner) : QListView(owner), model_(new TListBoxModel(this)) {
  setModel(model_);
  setItemDelegate(new HtItemDelegate(this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  FontChanged();
}

void TRAhtListBox::SetHideSel(bool value) {
  hideSel_ = value;
  viewport()->update();
}

void TRAhtListBox::SetSorted(bool value) {
  if (sorted_ == value) return;
  sorted_ = value;
  if (!sorted_) return;
  std::vector<QString> texts = model_->items;
  std::stable_sort(texts.begin(), texts.end(),
                   [](const QString& a, const QString& b) { return CompareCaseless(a, b) < 0; });
  // Each row takes its new text in place: the current row stays the current row.
  for (int i = 0; i < int(texts.size()); ++i) model_->SetText(i, texts[i]);
}

void TRAhtListBox::SetItemIndex(int index) {
  // A list of one selection selects the current item, as a click does.
  selectionModel()->setCurrentIndex(model_->index(index), QItemSelectionModel::ClearAndSelect);
}

QRect TRAhtListBox::ItemRect(int index) const { return visualRect(model_->index(index)); }

QString TRAhtListBox::CutItemText(int index) const {
  const QRect rect = ItemRect(index);
  if (rect.isEmpty()) return {};
  // Measured on a canvas of the list's resolution, so the width is the one drawn.
  QImage scratch(1, 1, QImage::Format_RGB32);
  scratch.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
  scratch.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
  QPainter canvas(&scratch);
  canvas.setFont(font());
  const QString text = Items[index];
  const int shown = viewport()->width() - rect.left();
  return MeasureMarkup(canvas, QRect(), 0, hideSel_, text) > shown ? MarkupPlainText(text) : QString();
}

void TRAhtListBox::InsertItems(int index, std::vector<QString> texts) { model_->Insert(index, std::move(texts)); }

void TRAhtListBox::DeleteItems(int index, int count) { model_->Remove(index, count); }

void TRAhtListBox::SetItems(std::vector<QString> texts) { model_->Reset(std::move(texts)); }

void TRAhtListBox::FontChanged() {
  itemHeight_ = QFontMetrics(font()).height();
  doItemsLayout();
}

void TRAhtListBox::changeEvent(QEvent* event) {
  QListView::changeEvent(event);
  if (event->type() == QEvent::FontChange) FontChanged();
}

void TRAhtListBox::PaintItem(QPainter& canvas, int index, const QRect& rect, TOwnerDrawState state) {
  canvas.setFont(font());
  if (state & odSelected) {
    canvas.setBrush(ToQColor(clHighlight));
    canvas.setPen(ToQColor(clHighlightText));
  } else {
    canvas.setBrush(palette().color(QPalette::Base));
    canvas.setPen(palette().color(QPalette::Text));
  }
  DrawItem(canvas, index, rect, state);
  if (state & odFocused) {
    QPen dots(canvas.pen());
    dots.setStyle(Qt::DotLine);
    canvas.setPen(dots);
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(rect.adjusted(0, 0, -1, -1));
  }
}

void TRAhtListBox::DrawItem(QPainter& canvas, int index, const QRect& rect, TOwnerDrawState state) {
  DrawMarkup(canvas, rect, state, hideSel_, Items[index]);
}

// ---- TListBoxStrings ----

int TListBoxStrings::Add(const QString& s) {
  const std::vector<QString>& items = owner_.model_->items;
  int index = int(items.size());
  const auto sopra = [&](int i) { return CompareCaseless(items[std::size_t(i)], s) <= 0; };
  // A list filled in its order adds each item after the last one: one comparison instead
  // of a search.
  if (owner_.sorted_ && !(index > 0 && sopra(index - 1))) {
    // After the last item that does not sort above it, so equal items keep their order.
    int lo = 0, hi = index;
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      if (sopra(mid))
        lo = mid + 1;
      else
        hi = mid;
    }
    index = lo;
  }
  owner_.model_->Insert(index, {s});
  return index;
}

void TListBoxStrings::Insert(int index, const QString& s) { owner_.model_->Insert(index, {s}); }

void TListBoxStrings::Delete(int index) { owner_.model_->Remove(index, 1); }

void TListBoxStrings::Clear() { owner_.model_->Reset({}); }

int TListBoxStrings::Count() const { return int(owner_.model_->items.size()); }

QString TListBoxStrings::operator[](int index) const {
  const std::vector<QString>& items = owner_.model_->items;
  return index >= 0 && index < int(items.size()) ? items[std::size_t(index)] : QString();
}

int TListBoxStrings::IndexOf(const QString& s) const {
  const std::vector<QString>& items = owner_.model_->items;
  for (int i = 0; i < int(items.size()); ++i)
    if (CompareCaseless(items[std::size_t(i)], s) == 0) return i;
  return -1;
}

}  // namespace qx
