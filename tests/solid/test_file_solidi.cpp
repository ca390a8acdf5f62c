// Space values in program files: every kind saved and opened again keeps its kind, name,
// place, direction, colours and sizes, to the last bit where the file holds them.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "app/file/AccessiSpazio.h"
#include "app/file/FileProgramma.h"
#include "app/file/ValoriSpazio.h"
#include "app/stream/Reader.h"
#include "solid/Facce3D.h"
#include "solid/Funzione3D.h"
#include "solid/Gruppo3D.h"
#include "solid/Parall3D.h"
#include "solid/Poliedri3D.h"
#include "solid/Punto3D.h"
#include "solid/Retta3D.h"
#include "solid/Rotondi3D.h"
#include "tests/solid/Spazio.h"
#include "values/RegistroSpazio.h"

namespace qx::test {
namespace {

class FileSolidi : public Spazio {
 protected:
  FileSolidi() { RegistraAccessiSpazio(); }
  ~FileSolidi() override {
    SvuotaAccessiSpazio();
  }
  std::string Salva(const std::string& testo) {
    TStatoProgramma s;
    s.Testo = testo;
    s.PuntiTraccia = DatiGlob.PuntiTraccia;
    s.ContatoreOggetti = DatiGlob.ContatoreOggetti;
    s.RifCart = run.ambiente.RifCart();
    s.Variabili = &run.ambiente.Variabili();
    return ScriviProgramma(s).Dati;
  }
  // Runs a program that makes a cube C, turns C about the vertical and saves the work.
  std::string EseguiESalva(const std::string& programma) {
    EXPECT_EQ(Esegui(programma), "<ok>");
    V3("C").GiraSuVerticale(30);
    return Salva(programma);
  }
  std::string Apri(const std::string& dati) {
    TProgrammaLetto letto;
    std::string motivo;
    if (!LeggiProgramma(dati, letto, motivo)) return motivo;
    run.ambiente.InizializzaAmbiente();
    ApplicaProgramma(letto, run.ambiente.Variabili(), *run.ambiente.RifCart(), DatiGlob.PuntiTraccia);
    return "";
  }
  // Every stored space value: kind, class, placement and the bits of its scene frame.
  struct TImpronta {
    TipiValore tipo;
    std::string classe, descrizione, gruppo;
    THomogeneousVector posizione, direzione, alto, colore;
    TColor penna, pennello;
  };
  std::map<std::string, TImpronta> Impronte() {
    std::map<std::string, TImpronta> r;
    cListaVariabili& t = run.ambiente.Variabili();
    for (int i = 1; i <= t.Count(); ++i) {
      cValore* v = t.Elemento(i)->GetValore();
      if (!IsGeometriaSpazio(v->Tipo) || t.Elemento(i)->Nome.rfind("PIANO", 0) == 0) continue;
      TImpronta p{v->Tipo, typeid(*v).name(), TestoValore(*v), "", {}, {}, {}, {}, 0, 0};
      if (auto* g = dynamic_cast<cValoreGraf*>(v)) p.gruppo = g->varGruppo, p.penna = g->Pen.Color, p.pennello = g->Brush.Color;
      if (auto* s = dynamic_cast<cValoreGraf3D*>(v); s && s->Principale()) {
        p.posizione = s->Principale()->AbsolutePosition();
        p.direzione = s->Principale()->AbsoluteDirection();
        p.alto = s->Principale()->AbsoluteUp();
        p.colore = s->Principale()->Material().FrontProperties().Diffuse().Color();
      }
      r[t.Elemento(i)->Nome] = p;
    }
    return r;
  }
};

bool Bit(const THomogeneousVector& a, const THomogeneousVector& b) { return std::memcmp(&a, &b, 3 * sizeof(float)) == 0; }

TEST_F(FileSolidi, EveryKindSavedAndOpenedKeepsItself) {
  const std::string programma =
      "RIFCART3D;\nCOLORERIEMPIMENTO(255, 128, 0);\nCOLOREPENNA(0, 0, 255);\n"
      "P = PUNTO3D(1.25, -2, 3);\nQ = PUNTO3D(0.5, 0.5, 0.5);\nS = SFERA(P, 0.75);\nY = CILINDRO(Q, 0.5, 2);\n"
      "K = CONO2(PUNTO3D(-3, 1, 2), 30, 1.5);\nK1 = CONO(1, 2);\nC = CUBO(Q, 1.5);\nB = PARALLELEPIPEDO(P, 1, 2, 3);\n"
      "APRIPOLIEDRO(B);\nT = TETRAEDRO(Q, 2);\nAPRIPOLIEDRO(T);\nPI = PIRAMIDE(P, 2, 1);\nPR = PRISMA(Q, 1, 2);\n"
      "O = OTTAEDRO(Q, 1);\nD = DODECAEDRO(P, 1);\nI = ICOSAEDRO(Q, 1);\nAPRIPOLIEDRO(I);\n"
      "L = SEGMENTO3D(P, Q);\nR = RETTA3D(Q, PUNTO3D(3, 1, 0));\nPL = PIANO(P, Q, PUNTO3D(0, 0, 0));\n"
      "F = FACCIA(P, Q, PUNTO3D(0, 2, 1), PUNTO3D(1, 3, 0));\nF2 = FACCIA(PUNTO3D(0, 0, 4), PUNTO3D(1, 0, 4), "
      "PUNTO3D(1, 1, 4), PUNTO3D(0, 1, 5));\nSO = SOLIDO(F, F2);\nSP = SOLIDO(F, PUNTO3D(0, 0, 6));\n"
      "FZ = FUNZIONE3D(\"x*y\");\nG = GRUPPO3D;\nAGGIUNGI(G, P, S);\nSS = SFERA(PIANOXZ, PUNTO3D(1, 0, 1), 0.5);";
  const std::string dati = EseguiESalva(programma);
  const auto prima = Impronte();
  // A run with nothing in space, then the file.
  ASSERT_EQ(Esegui("A = 1;"), "<ok>");
  ASSERT_EQ(Apri(dati), "");
  const auto dopo = Impronte();
  ASSERT_EQ(dopo.size(), prima.size());
  for (const auto& [nome, p] : prima) {
    SCOPED_TRACE(nome);
    ASSERT_TRUE(dopo.count(nome));
    const TImpronta& q = dopo.at(nome);
    EXPECT_EQ(q.tipo, p.tipo);
    EXPECT_EQ(q.classe, p.classe);
    EXPECT_EQ(q.descrizione, p.descrizione);
    EXPECT_EQ(q.gruppo, p.gruppo);
    EXPECT_EQ(q.penna, p.penna);
    EXPECT_EQ(q.pennello, p.pennello);
    EXPECT_TRUE(Bit(q.posizione, p.posizione)) << p.posizione.X << " " << q.posizione.X;
    EXPECT_TRUE(Bit(q.alto, p.alto));
    EXPECT_TRUE(Bit(q.direzione, p.direzione)) << p.direzione.X << "," << p.direzione.Y << "," << p.direzione.Z << " / "
                                              << q.direzione.X << "," << q.direzione.Y << "," << q.direzione.Z;
    EXPECT_TRUE(Bit(q.colore, p.colore));
  }
  // Sizes, states and shapes.
  EXPECT_EQ(Di<cValoreSfera3D>("S").Raggio, 0.75L);
  EXPECT_TRUE(Di<cValoreCono3D>("K").Cono2);
  EXPECT_FALSE(Di<cValoreCono3D>("K1").Cono2);
  EXPECT_TRUE(Di<cValoreParall3D>("B").Aperto);
  EXPECT_FALSE(Di<cValoreParall3D>("C").Aperto);
  EXPECT_TRUE(Di<cValoreTetraedro3D>("T").Aperto);
  EXPECT_TRUE(Di<cValoreTetraedro3D>("I").Aperto);
  EXPECT_EQ(Di<cValoreTetraedro3D>("PI").nFacce, 5) << "a pyramid made by a statement comes back as one";
  EXPECT_EQ(Di<cValoreTetraedro3D>("PR").nFacce, 7);
  EXPECT_EQ(Di<cValoreRetta3D>("L").Linea()->Height(), Di<cValoreRetta3D>("L").Linea()->Height());
  EXPECT_NEAR(Di<cValoreRetta3D>("L").Linea()->Height(), std::sqrt(0.75 * 0.75 + 2.5 * 2.5 + 2.5 * 2.5), 1e-5);
  EXPECT_EQ(Di<cValoreRetta3D>("R").Linea()->Height(), 100.0f);
  EXPECT_EQ(Di<cValoreFaccia3D>("F").Poligono()->Nodes().Count(), 4);
  EXPECT_EQ(Di<cValoreSolido3D>("SO").nFacce, 6);
  EXPECT_TRUE(Circa(NodiNelPadre(*Di<cValoreSolido3D>("SP").Faccia(3))[1], -0.6875f, -0.875f, 4.875f, 1e-5f))
      << NodiNelPadre(*Di<cValoreSolido3D>("SP").Faccia(3))[1];
  EXPECT_EQ(Di<cValoreFunzione3D>("FZ")._sFunz, "x*y");
  EXPECT_EQ(Di<cValoreFunzione3D>("FZ").ValutaXY(2, 3), 6);
  EXPECT_EQ(Di<cValoreGruppo3D>("G")._Vett, (std::vector<std::string>{"P", "S"}));
  ASSERT_NE(Di<cValorePunto3D>("P").Etichetta(), nullptr);
  EXPECT_EQ(Di<cValorePunto3D>("P").Etichetta()->Text(), " P");
  EXPECT_EQ(V3("SS").Padre(), nullptr) << "a value on a plane comes back standing free, where it was";
  // Saved again, the same bytes.
  EXPECT_EQ(Salva(programma), dati);
}

TEST_F(FileSolidi, RecordsWithoutTheNewerFieldsStillRead) {
  ASSERT_EQ(Esegui("RIFCART3D;\nL = RETTA3D(PUNTO3D(0,0,0), PUNTO3D(1,0,0));\nS = SEGMENTO3D(PUNTO3D(0,0,0), PUNTO3D(0,3,0));\n"
                   "SO = SOLIDO(FACCIA(PUNTO3D(0,0,0), PUNTO3D(1,0,0), PUNTO3D(0,1,0)), PUNTO3D(0,0,1));"),
            "<ok>");
  // The records as a writer of the old properties only wrote them.
  auto vecchio = [&](const std::string& nome) {
    TComponenteStream r = RecordDiValoreSpazio(*run.Valore(nome));
    EXPECT_TRUE(r.Cerca("Dirx") || r.Cerca("Diry") || r.Cerca("_Punti")) << nome << ": a newer field is written";
    std::erase_if(r.Proprieta, [](const TProprieta& p) {
      return p.Nome == "Altezza" || p.Nome == "_Punti" || p.Nome == "Dirx" || p.Nome == "Diry" || p.Nome == "Dirz";
    });
    return ValoreSpazioDaRecord(r, run.Valore(nome)->Tipo);
  };
  auto l = vecchio("L");
  EXPECT_EQ(static_cast<cValoreRetta3D&>(*l).Linea()->Height(), 100.0f) << "a line is 100 long";
  auto s = vecchio("S");
  EXPECT_EQ(static_cast<cValoreRetta3D&>(*s).Linea()->Height(), 0.0f);
  const TAffineVector d = static_cast<cValoreRetta3D&>(*s).Linea()->Direction().AsAffineVector();
  EXPECT_FALSE(std::isnan(d.X) || std::isnan(d.Y) || std::isnan(d.Z));
  auto so = vecchio("SO");
  EXPECT_EQ(static_cast<cValoreSolido3D&>(*so).nFacce, 5);
  EXPECT_EQ(static_cast<cValoreSolido3D&>(*so).Faccia(1)->Nodes().Count(), 0) << "its faces are not in the file";
}

// A reader that knows only the stored properties listed for each class: it reads NumOfVar
// values and finds nothing it does not know in them; what a value needs besides (a
// segment's direction and length, a solid's bases, the polyhedron a pyramid was made as)
// comes after them, where such a reader never looks.
TEST_F(FileSolidi, ValueRecordsHoldOnlyTheListedPropertiesAndTheRestFollowsThem) {
  const std::string programma =
      "RIFCART3D;\nP = PUNTO3D(1, 2, 3);\nL = SEGMENTO3D(P, PUNTO3D(0, 0, 0));\nR = RETTA3D(P, PUNTO3D(3, 1, 0));\n"
      "PI = PIRAMIDE(P, 2, 1);\nC = CUBO(P, 1);\nF = FACCIA(P, PUNTO3D(0,0,0), PUNTO3D(0,1,0));\n"
      "SO = SOLIDO(F, PUNTO3D(0,0,5));\nCOLOREPENNA(0, 0, 0);\nS = SFERA(P, 1);\nG = GRUPPO3D;\nAGGIUNGI(G, P, S);\n"
      "Z = PUNTO(1, 1);";
  const std::string dati = EseguiESalva(programma);
  const auto prima = Impronte();

  const std::vector<std::string> comuni = {"Tipo", "Nome", "Pen.Color", "Pen.Mode", "Pen.Style", "Pen.Width",
                                           "Brush.Color", "Brush.Style", "Font.Color", "Font.Height", "Font.Name",
                                           "Font.Style", "varGruppo"};
  const std::vector<std::string> posto = {"Posx", "Posy", "Posz", "RollAngle", "TurnAngle", "Upx", "Upy", "Upz"};
  const std::map<std::string, std::vector<std::string>> propri = {
      {"cValoreGruppo3D", {"_Vett"}},   {"cValoreSfera3D", {"Raggio"}},
      {"cValoreParall3D", {"Larghezza", "Altezza", "Profondita", "Aperto"}},
      {"cValoreSolido3D", {"nFacce"}},  {"cValorePiramide3D", {"Lato", "Altezza"}},
      {"cValorePunto3D", {"_text"}},    {"cValoreFaccia3D", {"_Punti"}},
      {"cValoreRetta3D", {}},           {"cValorePiano3D", {"Altezza", "Larghezza"}}};
  TReader r(dati);
  const TComponenteStream h = r.ReadRootComponent();
  const int n = static_cast<int>(h.Cerca("NumOfVar")->Valore.Intero);
  r.ReadRootComponent();  // the frame
  std::map<std::string, std::string> classi;
  for (int i = 0; i < n; ++i) {
    r.ReadRootComponent();  // the type record
    const TComponenteStream v = r.ReadRootComponent();
    SCOPED_TRACE(v.Classe);
    if (v.Classe == "cValorePunto") continue;  // the plane point at the end
    ASSERT_TRUE(propri.count(v.Classe));
    for (const TProprieta& p : v.Proprieta) {
      const auto& proprie = propri.at(v.Classe);
      const bool nota = std::count(comuni.begin(), comuni.end(), p.Nome) ||
                        (v.Classe != "cValoreGruppo3D" && std::count(posto.begin(), posto.end(), p.Nome)) ||
                        std::count(proprie.begin(), proprie.end(), p.Nome);
      EXPECT_TRUE(nota) << p.Nome;
    }
    classi[v.Cerca("Nome")->Valore.Testo] = v.Classe;
  }
  EXPECT_EQ(classi.at("PI"), "cValorePiramide3D") << "the class that code 47 is read as";
  int resto = 0;
  for (; !r.Fine(); ++resto) EXPECT_EQ(r.ReadRootComponent().Classe, "cAggiunte");
  // The cube turned about the vertical needs nothing more: its up vector gives its direction.
  EXPECT_EQ(resto, 4) << "the segment, the line, the pyramid and the solid";

  // And it all comes back (every frame to the last bit: EveryKindSavedAndOpenedKeepsItself).
  ASSERT_EQ(Esegui("A = 1;"), "<ok>");
  ASSERT_EQ(Apri(dati), "");
  EXPECT_EQ(Impronte().size(), prima.size());
  EXPECT_NEAR(Di<cValoreRetta3D>("L").Linea()->Height(), std::sqrt(14.0), 1e-5);
  EXPECT_EQ(Di<cValoreTetraedro3D>("PI").nFacce, 5);
  EXPECT_EQ(Di<cValoreSolido3D>("SO").nFacce, 5);
  // The space values, made after the records of the rest, hand on their pens in file order:
  // the point's black pen, the declared default, is left out of its record after S's.
  EXPECT_EQ(Di<cValoreGraf>("Z").Pen.Color, clBlack);
  EXPECT_EQ(DatiGlob.PennaCorrente.Color, clBlack);
  EXPECT_EQ(Salva(programma), dati);
  // Files that held all of it in the value's record still read.
  const auto vecchio = ValoreSpazioDaRecord(RecordDiValoreSpazio(*run.Valore("L")), T_SEGMENTO3D);
  TGLArrowLine& linea = *static_cast<cValoreRetta3D&>(*vecchio).Linea();
  EXPECT_EQ(linea.Height(), Di<cValoreRetta3D>("L").Linea()->Height());
  EXPECT_TRUE(Bit(linea.AbsoluteDirection(), Di<cValoreRetta3D>("L").Linea()->AbsoluteDirection()));
  // A record of the rest without its index is damage.
  std::string rotto = dati;
  const std::string indice = std::string("\x06Indice");
  rotto.replace(rotto.rfind(indice), indice.size(), "\x06Indizi");
  EXPECT_EQ(Apri(rotto), "manca l'indice di un oggetto cAggiunte");
}

// Files of space values damaged byte by byte (from a fixed seed): each is refused with a
// reason or opens; nothing crashes and no NaN reaches the scene.
TEST_F(FileSolidi, DamagedFilesOfSpaceValues) {
  const std::string programma =
      "RIFCART3D;\nP = PUNTO3D(1, 2, 3);\nS = SFERA(P, 1);\nC = CUBO(P, 1);\nAPRIPOLIEDRO(C);\nT = ICOSAEDRO(P, 1);\n"
      "F = FACCIA(P, PUNTO3D(0,0,0), PUNTO3D(0,1,0));\nSO = SOLIDO(F, PUNTO3D(0,0,5));\nL = SEGMENTO3D(P, PUNTO3D(0,0,0));\n"
      "K = CONO2(30, 1);\nG = GRUPPO3D;\nAGGIUNGI(G, P, S);\nFZ = FUNZIONE3D(\"x*y\");";
  ASSERT_EQ(Esegui(programma), "<ok>");
  const std::string buono = Salva(programma);
  std::mt19937 caso(77);
  int aperti = 0;
  for (int prova = 0; prova < 300; ++prova) {
    std::string dati = buono;
    const int guasti = 1 + int(caso() % 4);
    for (int k = 0; k < guasti; ++k) dati[caso() % dati.size()] = char(caso() % 256);
    if (prova % 10 == 0) dati.resize(caso() % dati.size());
    if (Apri(dati).empty()) {
      ++aperti;
      for (cValoreGraf3D* v = cValoreGraf3D::Primo(); v; v = v->Successivo()) {
        TGLCustomSceneObject* o = v->Principale();
        if (!o) continue;
        for (const THomogeneousVector& c : {o->Position().AsVector(), o->Up().AsVector(), o->Direction().AsVector()})
          ASSERT_FALSE(std::isnan(c.X) || std::isnan(c.Y) || std::isnan(c.Z)) << "try " << prova;
      }
    }
  }
  EXPECT_GT(aperti, 0) << "some damage leaves a file that still reads";
  Fotografa();
}

}  // namespace
}  // namespace qx::test
