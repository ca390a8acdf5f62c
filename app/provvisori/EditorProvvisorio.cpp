#include "app/provvisori/EditorProvvisorio.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>

namespace qx {

namespace {
QColor Colore(TColor c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
}  // namespace

TEditorProvvisorio::TEditorProvvisorio(Ruolo ruolo, QWidget* parent) : QPlainTextEdit(parent), ruolo_(ruolo) {
  QFont f("Courier New");
  f.setStyleHint(QFont::Monospace);
  f.setPointSize(10);
  setFont(f);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabChangesFocus(false);
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    righeDaRicalcolare_ = true;
    if (OnChange) OnChange();
  });
  connect(this, &QPlainTextEdit::selectionChanged, this, [this] {
    if (OnChange) OnChange();
  });
}

std::vector<std::string> TEditorProvvisorio::GetLines() const {
  std::vector<std::string> righe;
  if (document()->isEmpty()) return righe;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) righe.push_back(b.text().toStdString());
  return righe;
}

int TEditorProvvisorio::LinesCount() const { return document()->isEmpty() ? 0 : document()->blockCount(); }

void TEditorProvvisorio::AddLines(const std::vector<std::string>& righe) {
  QTextCursor c(document());
  c.movePosition(QTextCursor::End);
  for (const std::string& r : righe) {
    if (!document()->isEmpty()) c.insertBlock();
    c.insertText(QString::fromStdString(r));
  }
}

std::string TEditorProvvisorio::GetLinesText() const {
  std::string testo;
  for (const std::string& r : GetLines()) testo += r + "\r\n";
  return testo;
}

void TEditorProvvisorio::SetLinesText(const std::string& testo) {
  QString t = QString::fromStdString(testo);
  t.replace("\r\n", "\n").replace('\r', '\n');
  if (t.endsWith('\n')) t.chop(1);
  setPlainText(t);
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

void TEditorProvvisorio::ReplaceSelectedText(const std::string& testo) {
  QString t = QString::fromStdString(testo);
  t.replace("\r\n", "\n").replace('\r', '\n');
  QTextCursor c = textCursor();
  c.beginEditBlock();
  c.insertText(t);
  c.endEditBlock();
  setTextCursor(c);
}

void TEditorProvvisorio::InvalidateLines(int, int) {
  righeDaRicalcolare_ = true;
  viewport()->update();
}

void TEditorProvvisorio::SetFontSize(int punti) {
  QFont f = font();
  f.setPointSize(punti);
  setFont(f);
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
      OnSpecialLineColors(b.blockNumber() + 1, speciale, fg, bg);
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
  if (OnKeyDown) OnKeyDown(e);
  const bool invio = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  if (invio) {
    const auto m = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (ruolo_ == Ruolo::Programma && m == Qt::ShiftModifier) return;
    if (ruolo_ == Ruolo::BarraComandi) {
      if (m == Qt::ControlModifier) textCursor().insertBlock();
      return;
    }
  }
  if (e->key() == Qt::Key_F1) return;
  QPlainTextEdit::keyPressEvent(e);
}

void TEditorProvvisorio::keyReleaseEvent(QKeyEvent* e) {
  if (OnKeyUp) OnKeyUp(e);
  QPlainTextEdit::keyReleaseEvent(e);
}

void TEditorProvvisorio::focusInEvent(QFocusEvent* e) {
  QPlainTextEdit::focusInEvent(e);
  if (OnEnter) OnEnter();
}

void TEditorProvvisorio::focusOutEvent(QFocusEvent* e) {
  QPlainTextEdit::focusOutEvent(e);
  if (OnExit) OnExit();
}

}  // namespace qx
