#include "app/provvisori/EditorProvvisorio.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>

namespace qx {

namespace {

QColor Colore(TColor c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

TShiftState Stato(Qt::KeyboardModifiers m) {
  return static_cast<TShiftState>(((m & Qt::ShiftModifier) ? ssShift : 0) | ((m & Qt::ControlModifier) ? ssCtrl : 0) |
                                  ((m & Qt::AltModifier) ? ssAlt : 0));
}

std::uint16_t Tasto(const QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return VK_RETURN;
  if (e->key() == Qt::Key_F1) return VK_F1;
  return static_cast<std::uint16_t>(e->key() & 0xFFFF);
}

}  // namespace

TEditorProvvisorio::TEditorProvvisorio(QWidget* parent) : QPlainTextEdit(parent) {
  QFont f("Courier New");
  f.setStyleHint(QFont::Monospace);
  f.setPointSize(10);
  setFont(f);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    righeDaRicalcolare_ = true;
    if (OnChange) OnChange(this);
  });
  connect(this, &QPlainTextEdit::selectionChanged, this, [this] {
    if (OnStatusChange) OnStatusChange(this);
  });
}

void TEditorProvvisorio::ClearAll() {
  clear();
  document()->clearUndoRedoStacks();
  document()->setModified(false);
}

bool TEditorProvvisorio::Modified() const { return document()->isModified(); }

void TEditorProvvisorio::SetEditorModified(bool valore) { document()->setModified(valore); }

bool TEditorProvvisorio::CanUndo() const { return document()->isUndoAvailable(); }

bool TEditorProvvisorio::CanRedo() const { return document()->isRedoAvailable(); }

void TEditorProvvisorio::InvalidateLines(int, int) {
  righeDaRicalcolare_ = true;
  viewport()->update();
}

void TEditorProvvisorio::AggiornaRigheSpeciali() {
  righeDaRicalcolare_ = false;
  QList<QTextEdit::ExtraSelection> speciali;
  if (OnSpecialLineColors) {
    const int alto = viewport()->height();
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
      const QRectF r = blockBoundingGeometry(b).translated(contentOffset());
      if (r.top() > alto) break;
      bool speciale = false;
      TColor fg = clBlack, bg = clWhite;
      OnSpecialLineColors(this, b.blockNumber() + 1, speciale, fg, bg);
      if (!speciale) continue;
      QTextEdit::ExtraSelection s;
      s.cursor = QTextCursor(b);
      s.format.setBackground(Colore(bg));
      s.format.setForeground(Colore(fg));
      s.format.setProperty(QTextFormat::FullWidthSelection, true);
      speciali.push_back(s);
    }
  }
  setExtraSelections(speciali);
}

void TEditorProvvisorio::paintEvent(QPaintEvent* e) {
  if (righeDaRicalcolare_) AggiornaRigheSpeciali();
  QPlainTextEdit::paintEvent(e);
}

void TEditorProvvisorio::keyPressEvent(QKeyEvent* e) {
  std::uint16_t tasto = Tasto(e);
  const TShiftState stato = Stato(e->modifiers());
  if (OnKeyDown) OnKeyDown(this, tasto, stato);
  if (tasto == 0) return;
  if (tasto == VK_RETURN) {
    if (stato == ssCtrl && !LineBreakOnEnter) {
      textCursor().insertBlock();
      return;
    }
    if ((stato == ssShift && !LineBreakOnShiftEnter) || (stato == 0 && !LineBreakOnEnter) || stato == ssCtrl) return;
  }
  if (tasto == VK_F1) return;
  QPlainTextEdit::keyPressEvent(e);
}

void TEditorProvvisorio::keyReleaseEvent(QKeyEvent* e) {
  std::uint16_t tasto = Tasto(e);
  if (OnKeyUp && !e->isAutoRepeat()) OnKeyUp(this, tasto, Stato(e->modifiers()));
  QPlainTextEdit::keyReleaseEvent(e);
}

void TEditorProvvisorio::focusInEvent(QFocusEvent* e) {
  QPlainTextEdit::focusInEvent(e);
  if (OnEnter) OnEnter(this);
}

void TEditorProvvisorio::focusOutEvent(QFocusEvent* e) {
  QPlainTextEdit::focusOutEvent(e);
  if (OnExit) OnExit(this);
}

}  // namespace qx
