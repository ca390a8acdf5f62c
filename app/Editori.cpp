#include "app/Editori.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace qx {

namespace {
QString Righe(const std::string& testo) {
  QString t = QString::fromStdString(testo);
  t.replace("\r\n", "\n").replace('\r', '\n');
  return t;
}
}  // namespace

TSrcEditFinestra* CreaEditorProgramma(QWidget* parent) {
  auto* e = new TSrcEditFinestra(parent);
  e->LineBreakOnShiftEnter = false;
  return e;
}

TSrcEditFinestra* CreaBarraComandi(QWidget* parent) {
  auto* e = new TSrcEditFinestra(parent);
  e->LineBreakOnShiftEnter = false;
  e->LineBreakOnEnter = false;
  return e;
}

std::vector<std::string> RigheEditor(const TSrcEditFinestra& e) {
  std::vector<std::string> righe;
  const QTextDocument* d = e.document();
  if (d->isEmpty()) return righe;
  for (QTextBlock b = d->begin(); b.isValid(); b = b.next()) righe.push_back(b.text().toStdString());
  return righe;
}

void ImpostaTestoEditor(TSrcEditFinestra& e, const std::string& testo) {
  QString t = Righe(testo);
  if (t.endsWith('\n')) t.chop(1);
  e.setPlainText(t);
}

void AggiungiRigheEditor(TSrcEditFinestra& e, const std::vector<std::string>& righe) {
  QTextCursor c(e.document());
  c.movePosition(QTextCursor::End);
  for (const std::string& r : righe) {
    if (!e.document()->isEmpty()) c.insertBlock();
    c.insertText(QString::fromStdString(r));
  }
}

void SostituisciSelezione(TSrcEditFinestra& e, const std::string& testo) {
  if (e.ReadOnly()) return;
  QTextCursor c = e.textCursor();
  c.beginEditBlock();
  c.insertText(Righe(testo));
  c.endEditBlock();
  e.setTextCursor(c);
}

int DimensioneCarattere(const TSrcEditFinestra& e) { return e.font().pointSize(); }

void ImpostaDimensioneCarattere(TSrcEditFinestra& e, int punti) {
  QFont f = e.font();
  f.setPointSize(punti);
  e.setFont(f);
}

}  // namespace qx
