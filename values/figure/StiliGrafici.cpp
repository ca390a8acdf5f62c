#include "values/figure/StiliGrafici.h"

namespace qx {

void StileSelezione(TCanvas& c) {
  c.Pen.Width = 2;
  c.Pen.Style = psDot;
  c.Pen.Mode = pmNotXor;
  c.Pen.Color = RGBColor(255, 0, 0);
  c.Font.Color = RGBColor(255, 0, 0);
}

void StileEvidenziato(TCanvas& c) {
  c.Pen.Width = 2;
  c.Pen.Mode = pmMaskNotPen;
  c.Font.Color = RGBColor(255, 0, 0);
}

void ApplicaSelezione(TCanvas& c, const cValoreGraf& v) {
  if (v.bSelezionato) StileSelezione(c);
  if (v.bEvidenziato) StileEvidenziato(c);
}

void ApplicaStili(TCanvas& c, const cValoreGraf& v) {
  c.Pen = v.Pen;
  c.Brush = v.Brush;
  c.Font = v.Font;
  ApplicaSelezione(c, v);
}

}  // namespace qx
