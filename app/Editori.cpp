#include "app/Editori.h"

#include <cmath>

#include "editor/qt/SrcEditConfig.h"
#include "runstate/DatiGlob.h"

namespace qx {

TSrcEditFinestra* CreaEditorProgramma(QWidget* parent) {
  auto* e = new TSrcEditFinestra(parent);
  ConfigureProgramEditor(*e);
  return e;
}

TSrcEditFinestra* CreaBarraComandi(QWidget* parent) {
  auto* e = new TSrcEditFinestra(parent);
  ConfigureCommandBar(*e);
  return e;
}

std::vector<std::string> RigheEditor(const TSrcEditFinestra& e) {
  const TSrcEditStringList& l = e.Lines();
  std::vector<std::string> righe;
  righe.reserve(static_cast<std::size_t>(l.Count()));
  for (int i = 0; i < l.Count(); ++i) righe.push_back(U32ToUtf8(l.Get(i)));
  return righe;
}

void ImpostaTestoEditor(TSrcEditFinestra& e, const std::string& testo) { e.SetLinesText(Utf8ToU32(testo)); }

void AggiungiRigheEditor(TSrcEditFinestra& e, const std::vector<std::string>& righe) {
  TSrcEditStringList& l = e.Lines();
  l.BeginUpdate();
  for (const std::string& r : righe) l.Add(Utf8ToU32(r));
  l.EndUpdate();
}

void SostituisciSelezione(TSrcEditFinestra& e, const std::string& testo) {
  if (e.ReadOnly()) return;
  e.ReplaceSelectedText(Utf8ToU32(testo));
}

// Sizes in points as the toolkit has them: a font's height in pixels at the screen's
// resolution, rounded.
int DimensioneCarattere(const TSrcEditFinestra& e) {
  const QFont f = e.font();
  if (f.pointSize() > 0) return f.pointSize();
  return static_cast<int>(std::lround(f.pixelSize() * 72.0 / e.logicalDpiY()));
}

void ImpostaDimensioneCarattere(TSrcEditFinestra& e, int punti) {
  QFont f = e.font();
  f.setPixelSize(static_cast<int>(std::lround(punti * e.logicalDpiY() / 72.0)));
  e.setFont(f);
}

}  // namespace qx
