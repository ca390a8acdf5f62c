#include "values/Valori.h"

#include "runstate/DatiGlob.h"

namespace qx {

namespace {
struct InfoTipo {
  const char* membro;
  const char* nome;
};
// Indexed by TipiValore.
constexpr InfoTipo kTipi[] = {
    {"T_1", ""},
    {"T_BOOLEANO", "Logico"},
    {"T_REALE", "Numero"},
    {"T_STRINGA", "Stringa"},
    {"T_VETT_REALE", "Vettore"},
    {"T_MATR_REALE", "Matrice"},
    {"T_FRAZIONE", "Frazione"},
    {"T_ESPRESSIONE", "Espressione"},
    {"T_LISTA", "LISTA"},
    {"T_ARCHIVIO", "Archivio"},
    {"T_VETT_STRINGA", "Vettore Stringa"},
    {"T_MATR_STRINGA", "Matrice di Stringhe"},
    {"T_GRADO", "MisuraAng"},
    {"T_2", ""},
    {"T_GEOMETRIA_PIANA", ""},
    {"T_FUNZIONE", "Funzione"},
    {"T_PUNTO", "Punto"},
    {"T_LINEA", "Linea"},
    {"T_RETTA", "Retta"},
    {"T_SEGMENTO", "Segmento"},
    {"T_SEGMENTO_OR", "Segmento orientato"},
    {"T_SEMIRETTA", "Semiretta"},
    {"T_ANGOLO", "Angolo"},
    {"T_CERCHIO", "Circonferenza"},
    {"T_POLIGONO", "Poligono"},
    {"T_RETTANUM", "Retta numerica"},
    {"T_RETTA_OR", ""},
    {"T_ELLISSE", "Ellisse"},
    {"T_IPERBOLE", "Iperbole"},
    {"T_PARABOLA", "Parabola"},
    {"T_TESTO", "Testo"},
    {"T_ARCO", "Arco"},
    {"T_SETTORECIRC", "Settore Circolare"},
    {"T_IMMAGINE", "Immagine"},
    {"T_SCRITTURA", ""},
    {"T_GEOMETRIA_PIANA_", ""},
    {"T_STATISTICA", ""},
    {"T_DIAG_STR", "Disgramma a Strisce"},
    {"T_DIAG_CIRC", "Disgramma Circolare"},
    {"T_DIAG_IST", "Istogramma"},
    {"T_STATISTICA_", ""},
    {"T_GEOMETRIA_SPAZIO", ""},
    {"T_GRUPPO3D", ""},
    {"T_CILINDRO3D", ""},
    {"T_CONO3D", ""},
    {"T_SFERA3D", ""},
    {"T_CUBO3D", ""},
    {"T_PIRAMIDE3D", ""},
    {"T_PUNTO3D", ""},
    {"T_PIANO3D", ""},
    {"T_SEGMENTO3D", ""},
    {"T_RETTA3D", ""},
    {"T_FUNZIONE3D", ""},
    {"T_FACCIA3D", ""},
    {"T_PARALL3D", ""},
    {"T_TETRAEDRO3D", ""},
    {"T_SOLIDO3D", ""},
    {"T_PRISMA3D", ""},
    {"T_OTTAEDRO3D", ""},
    {"T_DODECAEDRO3D", ""},
    {"T_ICOSAEDRO3D", ""},
    {"T_GEOMETRIA_SPAZIO_", ""},
};
static_assert(sizeof(kTipi) / sizeof(kTipi[0]) == T_GEOMETRIA_SPAZIO_ + 1);

constexpr const char* kPoligoni[] = {"Poligono",           "Quadrato",           "Rettangolo",
                                     "Trapezio isoscele",  "Trapezio rettangolo", "Triangolo rettangolo",
                                     "Triangolo equilatero", "Triangolo isoscele", "Rombo",
                                     "Pentagono",          "Esagono"};
}  // namespace

const char* NomeMembroTipo(TipiValore t) { return t <= T_GEOMETRIA_SPAZIO_ ? kTipi[t].membro : ""; }
const char* NomeTipoDi(TipiValore t) { return t <= T_GEOMETRIA_SPAZIO_ ? kTipi[t].nome : ""; }
const char* NomeTipoPoligono(TipiPoligono t) { return t <= T_ESAGONO ? kPoligoni[t] : ""; }

cValore::~cValore() = default;

void cValore::Descrizione(int, std::string& Testo) const { Testo.clear(); }

std::string cValore::IntestazioneDescrizione() const {
  std::string t(NomeTipo);
  if (!Nome.empty() && !IsAnonimo()) t += ": " + Nome;
  return t;
}

cValoreGraf::cValoreGraf()
    : Pen(DatiGlob.PennaCorrente), Brush(DatiGlob.PennelloCorrente), Font(DatiGlob.CarattereCorrente) {}

cValoreGraf::cValoreGraf(const cValoreGraf& s, ComeCopia)
    : Pen(s.Pen), Brush(s.Brush), Font(s.Font), varGruppo(s.varGruppo), bDerivato(s.bDerivato) {
  Tipo = s.Tipo;
  Nome = s.Nome;
}

cValoreGraf::~cValoreGraf() = default;

void cValoreGraf::Disegna(TCanvas&) {}
bool cValoreGraf::Colpito(const TPoint&) const { return false; }
void cValoreGraf::Sposta(Reale, Reale) {}

void cValoreGraf::Copia(cValoreGraf& Dest) const {
  Dest.bDerivato = bDerivato;
  Dest.Tipo = Tipo;
  Dest.Pen = Pen;
  Dest.Brush = Brush;
  Dest.Font = Font;
  Dest.Nome = Nome;
  Dest.varGruppo = varGruppo;
}

}  // namespace qx
