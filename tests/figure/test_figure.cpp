// Descriptions, hit tests, moves and copies of the plane figures, lists and the selection
// list, drawn on the recording canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/figure/Cornice.h"
#include "values/figure/ListaValGraf.h"
#include "values/figure/StiliGrafici.h"
#include "values/figure/VariabiliFigure.h"

namespace qx {
namespace {

std::string Descrivi(const cValore& v) {
  std::string t;
  v.Descrizione(0, t);
  return t;
}

int Conta(const std::vector<std::string>& righe, const std::string& inizio) {
  return int(std::count_if(righe.begin(), righe.end(), [&](const std::string& r) { return r.starts_with(inizio); }));
}

class FigureTest : public ::testing::Test {
 protected:
  test::Cornice cornice;
  TRecordingCanvas& c = cornice.registro;
};

TEST_F(FigureTest, Descriptions) {
  cValorePunto p;
  p.Nome = "A";
  p.xCart = 1.5;
  p.yCart = -2;
  EXPECT_EQ(Descrivi(p), "Punto: A (1.5, -2)");
  p.Nome = "$3";
  EXPECT_EQ(Descrivi(p), "Punto (1.5, -2)");
  p.xCart = -0.001L;
  EXPECT_EQ(Descrivi(p), "Punto (0, -2)") << "no coordinate prints as -0";
  p.bSuRettaNumerica = true;
  EXPECT_EQ(Descrivi(p), "Punto");

  cValoreRetta s(T_SEGMENTO);
  s.Nome = "AB";
  s.x2 = 3;
  s.y2 = 4;
  EXPECT_EQ(Descrivi(s), "Segmento: AB - misura: 5");
  cValoreRetta o(T_RETTA_OR);
  EXPECT_EQ(o.NomeTipo, "");
  EXPECT_EQ(Descrivi(o), "Retta orientata");

  cValoreCerchio k;
  k.Nome = "c";
  k.r = 2.5;
  EXPECT_EQ(Descrivi(k), "Circonferenza: c - centro:(0, 0)  raggio: 2.5");

  cValoreAngolo a;
  a.Nome = "ABC";
  a.x1 = 1;
  a.x3 = 0;
  a.y3 = 1;
  EXPECT_EQ(Descrivi(a), "Angolo: ABC - Ampiezza: 90° 0' 0\"");

  cValorePoligono q(T_QUADRATO);
  q.Nome = "Q";
  EXPECT_EQ(Descrivi(q), "Quadrato: Q");
  q.bChiuso = false;
  EXPECT_EQ(Descrivi(q), "Polyline: Q");
  cValoreLinea l;
  l.Nome = "$1";
  EXPECT_EQ(Descrivi(l), "Linea");
  l._bScrittura = true;
  EXPECT_EQ(Descrivi(l), "Scrittura");
  cValoreTesto t;
  t.Testo = "ciao";
  EXPECT_EQ(Descrivi(t), "");
  cValoreDiagramma d(T_DIAG_STR, 3);
  d.Nome = "D";
  EXPECT_EQ(Descrivi(d), "Disgramma a Strisce: D");
  cValoreArco s2(T_SETTORECIRC);
  EXPECT_EQ(Descrivi(s2), "Settore Circolare");
  cValoreImmagine im;
  im.Nome = "I";
  EXPECT_EQ(Descrivi(im), "Immagine: I");
}

TEST_F(FigureTest, AngleSecondsCarryIntoMinutes) {
  // 10 degrees, 59 minutes and 59.996 seconds: rounds to 11 degrees exactly.
  cValoreAngolo a;
  const Reale gradi = (10 + 59 / 60.0L + 59.996L / 3600) * PI_SU_180;
  a.x1 = 1;
  a.x3 = std::cos(gradi);
  a.y3 = std::sin(gradi);
  int g = 0, p = 0;
  Reale s = 0;
  a.Ampiezza(g, p, s);
  EXPECT_EQ(g, 11);
  EXPECT_EQ(p, 0);
  EXPECT_EQ(s, 0);
  const Reale altro = (30 + 15 / 60.0L + 7.25L / 3600) * PI_SU_180;
  a.x3 = std::cos(altro);
  a.y3 = std::sin(altro);
  EXPECT_EQ(Descrivi(a), "Angolo - Ampiezza: 30° 15' 7.25\"");
}

TEST_F(FigureTest, PointHitAndLabel) {
  cValorePunto p;
  p.Nome = "P12";
  p.Etichetta = "P12";
  p.xCart = -200.0L / 30;  // pixel column 100
  p.yCart = 100.0L / 30;   // pixel row 100
  p.bCoordCartesiane = true;
  p.Disegna(c);
  EXPECT_EQ(p.Pixel, (TPoint{100, 100}));
  EXPECT_TRUE(p.Colpito({104, 96}));
  EXPECT_FALSE(p.Colpito({95, 100}));
  EXPECT_EQ(c.Righe().front(), "Rectangle 98 98 103 103");
  EXPECT_EQ(Conta(c.Righe(), "TextOut 102 102 \"P\""), 1);
  EXPECT_TRUE(p.Colpito({p.RettNome.Right - 1, p.RettNome.Bottom - 1})) << "the label belongs to the point";
  EXPECT_TRUE(p.Colpito({p.RettIndice.Left, p.RettIndice.Top}));
  p.Nome = "$2";
  EXPECT_FALSE(p.Colpito({p.RettNome.Right - 1, p.RettNome.Bottom - 1}));

  std::string base, indice;
  DividiEtichetta("12", base, indice);
  EXPECT_EQ(base, "");
  EXPECT_EQ(indice, "12");
  DividiEtichetta("P_1", base, indice);
  EXPECT_EQ(base, "P");
  EXPECT_EQ(indice, "1");
}

TEST_F(FigureTest, PointCopyAndStoreLabel) {
  cValorePunto p;
  p.Nome = "A";
  p.Etichetta = "A";
  p.Pen.Color = clRed;
  p.xCart = 2;
  cValorePunto q;
  q.NomeTipo = "altro";
  p.Copia(q);
  EXPECT_EQ(q.Etichetta, "") << "the label is not copied";
  EXPECT_EQ(q.NomeTipo, "altro");
  EXPECT_EQ(q.Pen.Color, clRed);
  EXPECT_EQ(q.xCart, 2);
  q.DopoMemorizzazione(p, "B");
  EXPECT_EQ(q.Etichetta, "A") << "taken from the source's label";
  cValorePunto r;
  r.DopoMemorizzazione(cValorePunto(), "UnNomeMoltoLungoDiTrentaCaratteri");
  EXPECT_EQ(r.Etichetta, "UnNomeMoltoLungoDiTr");
  p.bSuRettaNumerica = true;
  p.Sposta(1, 1);
  EXPECT_EQ(p.xCart, 2);
}

TEST_F(FigureTest, SegmentsLinesAndRays) {
  cValoreRetta s(T_SEGMENTO);
  s.x1 = -1;
  s.x2 = 1;
  s.y2 = 1;
  EXPECT_TRUE(s.Colpito({285, 192}));
  EXPECT_FALSE(s.Colpito({285, 180}));
  EXPECT_FALSE(s.Colpito({340, 170})) << "beyond the end";

  cValoreRetta r(T_SEMIRETTA);
  r.x1 = 1;
  r.x2 = 2;
  r.Disegna(c);
  EXPECT_EQ(c.Righe().front(), "MoveTo 330 200");
  EXPECT_EQ(c.Righe()[1], "LineTo 5000 200") << "from the start through the second point, never backwards";
  EXPECT_FALSE(r.Colpito({250, 200}));
  EXPECT_TRUE(r.Colpito({400, 202}));

  c.Svuota();
  cValoreRetta n(T_RETTANUM);
  n.x1 = -1;
  n.x2 = 1;
  n.Disegna(c);
  EXPECT_EQ(Conta(c.Righe(), "TextOut"), 1) << "no unit: only the origin";
  c.Svuota();
  n._UnitMis = 1;
  n.Disegna(c);
  EXPECT_EQ(Conta(c.Righe(), "TextOut 302 202 \"O\""), 1);
  EXPECT_EQ(Conta(c.Righe(), "TextOut 332 202 \"U\""), 1);
  EXPECT_GT(Conta(c.Righe(), "MoveTo"), 300);

  c.Svuota();
  n._UnitMis = 1e-12L;  // marks far closer than a pixel: bounded, not endless
  n.Disegna(c);
  EXPECT_LT(c.Righe().size(), 100000u);

  c.Svuota();
  cValoreRetta o(T_SEGMENTO_OR);
  o.x2 = 1;
  o.Disegna(c);
  EXPECT_EQ(c.Righe()[2], "MoveTo 330 200");
  EXPECT_EQ(c.Righe()[3], "LineTo 320 190");
  EXPECT_EQ(c.Righe()[5], "LineTo 320 210");
}

TEST_F(FigureTest, PolylineWithPenUpDrawsTwoStrokes) {
  cValoreLinea l;
  l.Punti.Aggiungi(0, 0);
  l.Punti.Aggiungi(1, 0);
  l.Punti.Aggiungi(PENNA_SU, 0);
  l.Punti.Aggiungi(0, 1);
  l.Punti.Aggiungi(1, 1);
  l.Disegna(c);
  const std::vector<std::string> atteso = {"MoveTo 300 200", "LineTo 300 200", "LineTo 330 200", "MoveTo 300 170",
                                           "LineTo 330 170"};
  EXPECT_EQ(c.Righe(), atteso);
  EXPECT_TRUE(l.Colpito({315, 171}));
  EXPECT_FALSE(l.Colpito({331, 185})) << "no line across the gap";
  l.Sposta(1, 1);
  EXPECT_EQ(l.Punti.Elemento(2).x, PENNA_SU);
  EXPECT_EQ(l.Punti.Elemento(3).x, 1);
}

TEST_F(FigureTest, PolygonGeometry) {
  cValorePoligono q;
  q.Punti.Aggiungi(0, 0);
  q.Punti.Aggiungi(1, 0);
  q.Punti.Aggiungi(1, 1);
  q.Punti.Aggiungi(0, 1);
  EXPECT_EQ(q.Area(), 1);
  TPuntoMondo g;
  ASSERT_TRUE(q.Baricentro(g));
  EXPECT_EQ(g.x, 0.5);
  EXPECT_EQ(g.y, 0.5);
  cValorePoligono orario;
  for (auto it = q.Punti.end(); it != q.Punti.begin();) {
    --it;
    orario.Punti.Aggiungi(*it);
  }
  EXPECT_EQ(orario.Area(), -1);
  cValorePoligono due;
  due.Punti.Aggiungi(0, 0);
  due.Punti.Aggiungi(1, 0);
  EXPECT_EQ(due.Area(), 0);
  EXPECT_FALSE(due.Baricentro(g));

  q.RibaltaOrizzontale();
  EXPECT_EQ(q.Punti.Elemento(0).x, 2);
  orario.OrdinaVertici();
  EXPECT_EQ(orario.Punti.Elemento(0).x, 0);
  EXPECT_EQ(orario.Punti.Elemento(0).y, 0);
  EXPECT_EQ(orario.Punti.Elemento(1).x, 1);
  EXPECT_EQ(orario.Punti.Elemento(1).y, 0);
}

TEST_F(FigureTest, PolygonHitTests) {
  cValorePoligono q;
  q.Punti.Aggiungi(0, 0);
  q.Punti.Aggiungi(2, 0);
  q.Punti.Aggiungi(2, 2);
  q.Punti.Aggiungi(0, 2);  // pixels 300..360 x 140..200
  q.Brush.Style = bsSolid;
  EXPECT_TRUE(q.Colpito({330, 170})) << "filled: hit at the centre";
  EXPECT_FALSE(q.bLatoTrovato);
  EXPECT_FALSE(q.Colpito({370, 170}));
  q.Brush.Style = bsClear;
  EXPECT_FALSE(q.Colpito({330, 170})) << "open: only near the sides";
  EXPECT_TRUE(q.Colpito({362, 170}));
  EXPECT_TRUE(q.bLatoTrovato);
  EXPECT_EQ(q.EstremoLato1.x, 2);
  EXPECT_EQ(q.EstremoLato1.y, 0);
  EXPECT_EQ(q.EstremoLato2.y, 2);
  auto lato = q.LatoColpito({330, 201});
  ASSERT_TRUE(lato);
  EXPECT_EQ(lato->Tipo, T_SEGMENTO);
  EXPECT_EQ(lato->x1, 0);
  EXPECT_EQ(lato->x2, 2);
  EXPECT_FALSE(q.VerticeColpito({360, 140})) << "vertices are found only while one is being picked";
  DatiGlob.bAttesaScegliVertice = true;
  auto vertice = q.VerticeColpito({361, 141});
  ASSERT_TRUE(vertice);
  EXPECT_EQ(vertice->xCart, 2);
  EXPECT_EQ(vertice->yCart, 2);
  EXPECT_TRUE(vertice->bCoordCartesiane);
}

TEST_F(FigureTest, CircleHitTests) {
  cValoreCerchio k;
  k.ImpostaPixel({100, 100}, 50);
  EXPECT_TRUE(k.Colpito({148, 100}));
  EXPECT_FALSE(k.Colpito({100, 100}));
  // Alike on every side: on the outline and 2 pixels beyond it, not 3.
  for (const TPoint u : {TPoint{1, 0}, TPoint{-1, 0}, TPoint{0, 1}, TPoint{0, -1}}) {
    for (int d : {50, 52}) EXPECT_TRUE(k.Colpito({100 + d * u.x, 100 + d * u.y})) << u.x << " " << u.y << " " << d;
    EXPECT_FALSE(k.Colpito({100 + 53 * u.x, 100 + 53 * u.y})) << u.x << " " << u.y;
  }
  k.Brush.Style = bsSolid;
  EXPECT_TRUE(k.Colpito({100, 100}));
  EXPECT_TRUE(k.Colpito({150, 100}));
  EXPECT_TRUE(k.Colpito({100, 150}));
  EXPECT_FALSE(k.Colpito({151, 100}));
  k.bCoordCartesiane = true;
  k.x = 1;
  k.r = 1;
  k.Disegna(c);
  EXPECT_EQ(c.Righe().back(), "Ellipse 300 170 361 231");
}

TEST_F(FigureTest, SectorAndArcHitTests) {
  cValoreArco s(T_SETTORECIRC);
  s.x1 = 2;   // start (360, 200)
  s.x3 = 0;   // centre (300, 200), end towards (300, 140)
  s.y3 = 2;
  s.Brush.Style = bsSolid;
  EXPECT_FALSE(s.Colpito({302, 198})) << "not within 3 pixels of the centre";
  EXPECT_TRUE(s.Colpito({330, 180}));
  EXPECT_FALSE(s.Colpito({270, 220})) << "outside the sector's angle";
  s.Brush.Style = bsClear;
  EXPECT_FALSE(s.Colpito({330, 180}));
  EXPECT_TRUE(s.Colpito({330, 201})) << "on a radius";
  cValoreArco a(T_ARCO);
  a.x1 = 2;
  a.x3 = 0;
  a.y3 = 2;
  EXPECT_TRUE(a.Colpito({343, 158}));
  EXPECT_FALSE(a.Colpito({330, 201}));
  a.Disegna(c);
  EXPECT_EQ(c.Righe().back(), "Arc 240 140 360 260 360 200 300 140");
}

TEST_F(FigureTest, AngleHitWithTheOriginPannedFarLeft) {
  cornice.rifCart.__AsseX = -5000;
  cValoreAngolo a;
  a.x1 = 200;
  a.y1 = 0;
  a.x2 = 199;
  a.x3 = 199;
  a.y3 = 1;
  a.Disegna(c);
  const TPoint v = a.Pixel2;
  EXPECT_TRUE(a.Colpito({v.x + 10, v.y - 10})) << "inside the marking radius of 18 pixels";
  EXPECT_FALSE(a.Colpito({v.x + 2, v.y - 2}));
  EXPECT_FALSE(a.Colpito({v.x + 20, v.y - 20}));
  EXPECT_FALSE(a.Colpito({v.x - 10, v.y + 10}));
  // Filled: the slice in the brush colour under the three arcs.
  c.Svuota();
  a.Brush.Style = bsSolid;
  a.Disegna(c);
  EXPECT_EQ(Conta(c.Righe(), "Pie"), 1);
  EXPECT_EQ(Conta(c.Righe(), "Arc"), 3);
}

TEST_F(FigureTest, AngleArcsShrinkWithAShortSide) {
  cornice.rifCart._TaccaX = cornice.rifCart._TaccaY = 90;
  cValoreAngolo a;
  a.x1 = 0.2L;
  a.x3 = 0;
  a.y3 = 2;
  a.Disegna(c);
  // Radii 0.2, 0.2 * 2/3 and 0.2 * 2/9 units: 18, 12 and 4 pixels.
  std::vector<std::string> archi;
  for (const std::string& r : c.Righe())
    if (r.starts_with("Arc")) archi.push_back(r.substr(0, r.find(' ', r.find(' ', r.find(' ', 4) + 1) + 1)));
  ASSERT_EQ(archi.size(), 3u);
  EXPECT_EQ(archi[0], "Arc 282 182 318");
  EXPECT_EQ(archi[1], "Arc 288 188 312");
  EXPECT_EQ(archi[2], "Arc 296 196 304");
}

TEST_F(FigureTest, SelectionAndHighlightStyles) {
  cValoreRetta s(T_SEGMENTO);
  s.Pen = {clBlue, psSolid, 1, pmCopy};
  s.Font.Color = clGreen;
  s.bSelezionato = true;
  ApplicaStili(c, s);
  EXPECT_EQ(c.Pen, (TPen{RGBColor(255, 0, 0), psDot, 2, pmNotXor}));
  EXPECT_EQ(c.Font.Color, RGBColor(255, 0, 0));
  s.bEvidenziato = true;
  ApplicaStili(c, s);
  EXPECT_EQ(c.Pen, (TPen{RGBColor(255, 0, 0), psDot, 2, pmMaskNotPen}));
  s.bSelezionato = false;
  ApplicaStili(c, s);
  EXPECT_EQ(c.Pen, (TPen{clBlue, psSolid, 2, pmMaskNotPen}));
  EXPECT_EQ(c.Font.Color, RGBColor(255, 0, 0));
}

TEST_F(FigureTest, MovesAndClones) {
  cValoreDiagramma d(T_DIAG_IST, 2);
  d._freq.Scrivi(1, 4);
  d.Sposta(1, 2);
  EXPECT_EQ(d.x1, 1);
  EXPECT_EQ(d.y2, 2);
  EXPECT_EQ(d.Rettangolo, (TRect{100, 100, 400, 400}));
  auto copia = d.Clona();
  auto& dc = static_cast<cValoreDiagramma&>(*copia);
  EXPECT_EQ(dc._freq.Leggi(1), 4);
  EXPECT_EQ(dc.NomeTipo, "Istogramma");
  EXPECT_TRUE(d.Colpito({100, 399}));
  EXPECT_FALSE(d.Colpito({400, 200}));

  cValoreConica k(T_PARABOLA);
  k.Nome = "k";
  k._a = 0.5;
  cValoreConica dest(T_ELLISSE);
  dest.Nome = "resta";
  k.CopiaIn(dest);
  EXPECT_EQ(dest.Nome, "resta");
  EXPECT_EQ(dest.Tipo, T_PARABOLA);
  EXPECT_EQ(dest._a, 0.5);
  EXPECT_EQ(static_cast<cValoreConica&>(*k.Clona()).Nome, "k");

  cValoreTesto t;
  t.Testo = "abc";
  t.x = 1;
  t.y = 1;
  EXPECT_TRUE(t.Colpito({331, 171}));
  EXPECT_FALSE(t.Colpito({329, 171}));
}

TEST_F(FigureTest, ListsIndexAndOwnership) {
  cValoreLista l;
  l.Nome = "L";
  EXPECT_EQ(Descrivi(l), "LISTA");
  auto p = std::make_unique<cValorePunto>();
  p->xCart = 7;
  l.ImpostaElemento(1, std::move(p));
  EXPECT_EQ(l.Count(), 1);
  DatiGlob.bStop = false;
  try {
    l.ImpostaElemento(3, std::make_unique<cValorePunto>());
    ADD_FAILURE();
  } catch (const EIndiceNonValido& e) {
    EXPECT_STREQ(e.what(), "Indici non validi per referenziare la lista L");
  }
  EXPECT_TRUE(DatiGlob.bStop);
  EXPECT_THROW(l.Elemento(0), EIndiceNonValido);

  cValoreLista v(T_VETT_FUNZ, 2);
  v.Nome = "V";
  EXPECT_EQ(v.NomeTipo, "Vettore di Funzioni");
  try {
    v.Elemento(2);
    ADD_FAILURE();
  } catch (const EIndiceNonValido& e) {
    EXPECT_STREQ(e.what(), "L'elemento del vettore V indicizzato è nullo");
  }
  try {
    v.Elemento(3);
    ADD_FAILURE();
  } catch (const EIndiceNonValido& e) {
    EXPECT_STREQ(e.what(), "Indici non validi per referenziare il vettore V");
  }

  auto copia = l.Clona();
  auto& lc = static_cast<cValoreLista&>(*copia);
  ASSERT_EQ(lc.Count(), 1);
  EXPECT_NE(lc.Elemento(1), l.Elemento(1)) << "copies never share an element";
  EXPECT_EQ(static_cast<cValorePunto*>(lc.Elemento(1))->xCart, 7);
  l.ImpostaElemento(1, std::make_unique<cValoreCerchio>());
  EXPECT_EQ(l.Elemento(1)->Tipo, T_CERCHIO);

  // Only the points (and plotted functions) of a list are drawn.
  cValoreLista disegno;
  disegno.ImpostaElemento(1, std::make_unique<cValorePunto>());
  disegno.ImpostaElemento(2, std::make_unique<cValoreCerchio>());
  disegno.Disegna(c);
  EXPECT_EQ(Conta(c.Righe(), "Rectangle"), 1);
  EXPECT_EQ(Conta(c.Righe(), "Ellipse"), 0);
}

TEST_F(FigureTest, SelectionListHighlightsAndRestores) {
  cValoreCerchio a, b;
  a.Pen.Color = clRed;
  b.Pen.Color = clGreen;
  b.bEvidenziato = true;
  TListValGraf lista;
  lista.Aggiungi(&a);
  lista.Aggiungi(&b);
  lista.Disegna(true);
  EXPECT_EQ(a.Pen.Color, clRed);
  EXPECT_EQ(b.Pen.Color, clGreen);
  lista.Svuota();
  EXPECT_EQ(lista.Count(), 0);
  EXPECT_FALSE(b.bEvidenziato);
}

TEST_F(FigureTest, VariablesCreateTheirValues) {
  cVariabileDiagramma d("D", T_DIAG_CIRC, 4);
  EXPECT_EQ(d.Tipo, T_DIAG_CIRC);
  EXPECT_EQ(static_cast<cValoreDiagramma*>(d.GetValore())->_freq.Count, 4);
  cVariabileLista l("L", T_VETT_FUNZ, 3);
  EXPECT_EQ(static_cast<cValoreLista*>(l.GetValore())->Count(), 3);
  cVariabilePoligono q("Q", T_ROMBO);
  EXPECT_EQ(q.GetValore()->NomeTipo, "Rombo");
  cVariabileRetta r("r", T_SEMIRETTA);
  EXPECT_EQ(r.Tipo, T_SEMIRETTA);
}

}  // namespace
}  // namespace qx
