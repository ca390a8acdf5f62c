#include "editor/SynQuorix.h"

#include <vector>

namespace qx {

namespace {

// Identifier characters of the language: letters of the English alphabet and "_";
// digits end a word.
bool IsQuorixIdentChar(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || c == U'_'; }

// The code of the upper-case form less 64: "A" and "a" 1 ... "Z" and "z" 26, "_" 31.
int HashValue(char32_t c) {
  if (c >= U'a' && c <= U'z') return static_cast<int>(c - U'a') + 1;
  if (c >= U'A' && c <= U'Z') return static_cast<int>(c - U'A') + 1;
  if (c == U'_') return 31;
  return 0;
}

constexpr int kHashSize = 270;

struct TKeyword {
  const char* Text;
  int Kind;
};

// The language's keywords by kind, in the order of the keyword lists.
constexpr TKeyword kKeywords[] = {
    {"ANTIORARIO", 1}, {"FALSO", 1}, {"NO", 1}, {"ORARIO", 1}, {"SI", 1}, {"VERO", 1},
    {"CalcolaEspr", 2}, {"Den", 2}, {"Espressione", 2}, {"Frazione", 2}, {"LeggiEspr", 2}, {"LeggiFraz", 2},
    {"Num", 2}, {"StampaEspr", 2}, {"StampaFraz", 2},
    {"Binomiale", 3}, {"Cos", 3}, {"Determinante", 3}, {"Fattoriale", 3}, {"Int", 3}, {"MCD", 3}, {"mcm", 3},
    {"Numero_a_caso", 3}, {"Primo", 3}, {"RadiceQ", 3}, {"Sen", 3}, {"ValoreAss", 3},
    {"ComDenoFunz", 4}, {"DerivataFunz", 4}, {"EDOGraf", 4}, {"EDONum", 4}, {"Ellisse", 4}, {"Funzione", 4},
    {"FZero", 4}, {"GraficoFunz", 4}, {"Integrale", 4}, {"Iperbole", 4}, {"LeggiFunz", 4}, {"Parabola", 4},
    {"PolT", 4}, {"Primitiva", 4}, {"RifCart", 4}, {"StampaFunz", 4}, {"ValutaFunz", 4},
    {"Apri_Archivio", 6}, {"Cancella", 6}, {"Colore", 6}, {"ColorePenna", 6}, {"ColoreRiempimento", 6},
    {"ColoreSfondo", 6}, {"Crea_Archivio", 6}, {"Domanda", 6}, {"LeggiNum", 6}, {"LeggiStr", 6}, {"Lista", 6},
    {"MotivoRiempimento", 6}, {"Scrivi", 6}, {"SpessorePenna", 6}, {"Stampa", 6}, {"StilePenna", 6},
    {"Traccia", 6},
    {"Ampiezza", 7}, {"Angolo", 7}, {"Arco", 7}, {"Area", 7}, {"Ascissa", 7}, {"Baricentro", 7}, {"CentroX", 7},
    {"CentroY", 7}, {"Circ", 7}, {"Circonferenza", 7}, {"CoeffAng", 7}, {"Diametro", 7},
    {"Disegna_Distanza", 7}, {"Distanza", 7}, {"Esagono", 7}, {"Estremo", 7}, {"Gradi", 7},
    {"Ingrandisci", 7}, {"Intercetta", 7}, {"Intersezione", 7}, {"Lato", 7}, {"LeggiMisuraAng", 7},
    {"Linea", 7}, {"Misura", 7}, {"MisuraAng", 7}, {"Omotetia", 7}, {"Parallela", 7}, {"Pentagono", 7},
    {"Perpendicolare", 7}, {"Poligonale", 7}, {"Poligono", 7}, {"Primi", 7}, {"Punto", 7},
    {"Punto_a_caso", 7}, {"Punto_medio", 7}, {"Punto_su", 7}, {"PuntoACaso_su", 7}, {"Quadrato", 7},
    {"Raggio", 7}, {"Retta", 7}, {"Retta_Fascio", 7}, {"Rettangolo", 7}, {"RettaNum", 7},
    {"RettaPar_asse", 7}, {"Rimpicciolisci", 7}, {"Rombo", 7}, {"Ruota", 7}, {"ScegliLato", 7},
    {"ScegliOggetto", 7}, {"ScegliVertice", 7}, {"Secondi", 7}, {"Segmento", 7}, {"Segmento_Or", 7},
    {"Semiretta", 7}, {"Settore_circ", 7}, {"Simmetria_ass", 7}, {"Tangente", 7}, {"Trapezio_isoscele", 7},
    {"Trapezio_rettangolo", 7}, {"Trasla", 7}, {"Trasla_Punto", 7}, {"Triangolo_equilatero", 7},
    {"Triangolo_rettangolo", 7}, {"Vertice", 7},
    {"Autovalori", 9}, {"Inversa", 9}, {"LeggiMatr", 9}, {"LeggiVett", 9}, {"Matrice", 9}, {"Matrice_Str", 9},
    {"SistemaLin", 9}, {"StampaMatr", 9}, {"StampaVett", 9}, {"Vettore", 9}, {"Vettore_Str", 9},
    {"Cilindro", 12}, {"Cono", 12}, {"Cubo", 12}, {"Faccia", 12}, {"Parallelepipedo", 12}, {"Piano", 12},
    {"Piramide", 12}, {"Punto3D", 12}, {"Retta3D", 12}, {"RifCart3D", 12}, {"Ruota3D", 12},
    {"Segmento3D", 12}, {"Sfera", 12},
    {"Coeff_corr", 13}, {"ColFreqMarg", 13}, {"Covarianza", 13}, {"DiagCirc", 13}, {"DiagStr", 13},
    {"Istogramma", 13}, {"Lancio_dadi", 13}, {"Lancio_moneta", 13}, {"LeggiTab_de", 13}, {"Media", 13},
    {"Mediana", 13}, {"Moda", 13}, {"Retta_regr", 13}, {"RigaFreqMarg", 13}, {"SQM", 13}, {"SSM", 13},
    {"StampaTab_de", 13}, {"Tabella_de", 13}, {"Varianza", 13},
    {"ALLORA", 14}, {"ALTRIMENTI", 14}, {"DA", 14}, {"ESEGUI", 14}, {"FINE", 14}, {"FINQUANDO", 14},
    {"PER", 14}, {"RIPETI", 14}, {"SE", 14}, {"VOLTE", 14},
};

// The keywords filed under the sum of their characters' hash values. A keyword holding
// a digit sums only up to it and can never match: a word ends at its first digit.
const std::vector<const TKeyword*>& KeywordsWithHash(int hash) {
  static const auto table = [] {
    std::vector<std::vector<const TKeyword*>> t(kHashSize);
    for (const TKeyword& k : kKeywords) {
      int sum = 0;
      for (const char* p = k.Text; *p; ++p) sum += HashValue(static_cast<unsigned char>(*p));
      if (sum < kHashSize) t[static_cast<std::size_t>(sum)].push_back(&k);
    }
    return t;
  }();
  return table[static_cast<std::size_t>(hash)];
}

// Same length, and each character with the same hash value.
bool KeyComp(const TKeyword& k, std::u32string_view word) {
  std::size_t i = 0;
  for (const char* p = k.Text; *p; ++p, ++i) {
    if (i >= word.size()) return false;
    const char32_t c = static_cast<unsigned char>(*p);
    if (!IsQuorixIdentChar(c) || HashValue(c) != HashValue(word[i])) return false;
  }
  return i == word.size();
}

struct TAttrDef {
  int Kind;
  const char* Name;
  TFontStyles Style;
  TColor Foreground;
};

// Kinds 0 to 9, then 11 to 15: the order the attributes are made in.
constexpr TAttrDef kAttributes[] = {
    {tkComment, "Comment", fsItalic, clNavy}, {tkCostanti, "Costanti", fsBold, clNone},
    {tkFrazEspr, "FrazEspr", fsBold, clNone}, {tkFunz, "Funz", fsBold, clNone},
    {tkFunzRifCart, "FunzRifCart", fsBold, clNone}, {tkIdentifier, "Illegal Char", 0, clNone},
    {tkIstGen, "IstGen", fsBold, clNone}, {tkIstGeom, "IstGeom", fsBold, clNone},
    {tkKey, "SASM", fsBold, clNone}, {tkMatrVett, "MatrVett", fsBold, clNone},
    {tkSpace, "Space", 0, clNone}, {tkSpazio, "Spazio", fsBold, clNone}, {tkStat, "Stat", fsBold, clNone},
    {tkStrContr, "StrContr", fsBold, clNone}, {tkString, "String", 0, clGreen},
};

constexpr const char* kDefaultFilter = "All files (*.*)|*.*";

[[maybe_unused]] const int kRegistered = RegisterHighlighterClass<TSynSampleSyn>();

}  // namespace

TSynSampleSyn::TSynSampleSyn() {
  for (const TAttrDef& def : kAttributes) {
    auto attr = std::make_unique<TSynHighlighterAttributes>(def.Name);
    attr->SetStyle(def.Style);
    attr->SetForeground(def.Foreground);
    attributes_[static_cast<std::size_t>(def.Kind)] = AddAttribute(std::move(attr));
  }
  attributes_[tkUnknown] = attributes_[tkIdentifier];
  SetAttributesOnChange(MakeMethod<&TSynCustomHighlighter::DefHighlightChange>(this));
  SetDefaultFilter(kDefaultFilter);
  range_ = rsUnknown;
}

TSynHighlighterAttributes* TSynSampleSyn::GetDefaultAttribute(int index) const {
  switch (index) {
    case SYN_ATTR_COMMENT: return attributes_[tkComment];
    case SYN_ATTR_IDENTIFIER: return attributes_[tkIdentifier];
    case SYN_ATTR_KEYWORD: return attributes_[tkKey];
    case SYN_ATTR_STRING: return attributes_[tkString];
    case SYN_ATTR_WHITESPACE: return attributes_[tkSpace];
    default: return nullptr;
  }
}

std::string TSynSampleSyn::GetDefaultFilter() const { return TSynCustomHighlighter::GetDefaultFilter(); }
bool TSynSampleSyn::IsFilterStored() const { return GetDefaultFilter() != kDefaultFilter; }
bool TSynSampleSyn::IsIdentChar(char32_t c) const { return IsQuorixIdentChar(c); }
std::u32string TSynSampleSyn::GetSampleSource() const { return U"Sample source for: \r\nSyntax Parser/Highlighter"; }
std::string TSynSampleSyn::GetLanguageName() const { return "Quorix"; }
bool TSynSampleSyn::GetEol() const { return tokenId_ == tkNull; }
TSynRange TSynSampleSyn::GetRange() const { return range_; }
std::u32string TSynSampleSyn::GetToken() const {
  return line_.substr(tokenPos_, run_ > tokenPos_ ? run_ - tokenPos_ : 0);
}
int TSynSampleSyn::GetTokenKind() const { return tokenId_; }
int TSynSampleSyn::GetTokenPos() const { return static_cast<int>(tokenPos_); }
void TSynSampleSyn::SetRange(TSynRange value) { range_ = static_cast<int>(value); }
void TSynSampleSyn::ResetRange() { range_ = rsUnknown; }

TSynHighlighterAttributes* TSynSampleSyn::GetTokenAttribute() const {
  if (tokenId_ < 0 || tokenId_ >= static_cast<int>(attributes_.size())) return nullptr;
  return attributes_[static_cast<std::size_t>(tokenId_)];
}

bool TSynSampleSyn::IsKeyword(const std::u32string& word) const { return KeywordKind(word) != tkIdentifier; }

int TSynSampleSyn::KeywordKind(std::u32string_view word) {
  int hash = 0;
  std::size_t len = 0;
  while (len < word.size() && IsQuorixIdentChar(word[len])) hash += HashValue(word[len++]);
  if (len == 0 || len != word.size() || hash >= kHashSize) return tkIdentifier;
  for (const TKeyword* k : KeywordsWithHash(hash))
    if (KeyComp(*k, word)) return k->Kind;
  return tkIdentifier;
}

void TSynSampleSyn::SetLine(const std::u32string& line, int lineNumber) {
  line_ = line;
  lineNumber_ = lineNumber;
  run_ = 0;
  Next();
}

void TSynSampleSyn::Next() {
  tokenPos_ = run_;
  if (range_ == rsComment) {
    CommentProc();
    return;
  }
  range_ = rsUnknown;
  const char32_t c = At(run_);
  if (c == U'\0') {
    tokenId_ = tkNull;
  } else if (c == U'\n') {
    tokenId_ = tkSpace;
    ++run_;
  } else if (c == U'\r') {
    tokenId_ = tkSpace;
    ++run_;
    if (At(run_) == U'\n') ++run_;
  } else if (c <= 32) {
    SpaceProc();
  } else if (c == U'"') {
    StringProc();
  } else if (c == U'/') {
    SlashProc();
  } else if (IsQuorixIdentChar(c)) {
    IdentProc();
  } else {
    tokenId_ = tkUnknown;
    ++run_;
  }
}

// Blanks and control characters: the run of characters 1 to 32.
void TSynSampleSyn::SpaceProc() {
  tokenId_ = tkSpace;
  while (run_ < line_.size() && line_[run_] >= 1 && line_[run_] <= 32) ++run_;
}

// identifier = letter-or-underscore { letter-or-underscore }
void TSynSampleSyn::IdentProc() {
  std::size_t end = run_;
  while (end < line_.size() && IsQuorixIdentChar(line_[end])) ++end;
  tokenId_ = KeywordKind(std::u32string_view(line_).substr(run_, end - run_));
  run_ = end;
}

// string = '"' { any character but '"' } [ '"' ]   (ends at the end of the line)
void TSynSampleSyn::StringProc() {
  tokenId_ = tkString;
  range_ = rsString;
  ++run_;
  while (run_ < line_.size() && line_[run_] != U'\0' && line_[run_] != U'"') ++run_;
  if (At(run_) == U'"') {
    ++run_;
    range_ = rsUnknown;
  }
}

// comment = "/*" { any character } ( "*/" | end of line ); a lone "/" is a token of its own.
void TSynSampleSyn::SlashProc() {
  if (At(run_ + 1) != U'*') {
    tokenId_ = tkIdentifier;
    ++run_;
    return;
  }
  range_ = rsComment;
  run_ += 2;
  CommentProc();
}

void TSynSampleSyn::CommentProc() {
  const char32_t c = At(run_);
  if (run_ == tokenPos_ && (c == U'\0' || c == U'\n' || c == U'\r')) {
    // An empty rest of line inside a comment: the end of the line, or its break.
    if (c == U'\0') {
      tokenId_ = tkNull;
    } else {
      tokenId_ = tkSpace;
      ++run_;
      if (c == U'\r' && At(run_) == U'\n') ++run_;
    }
    return;
  }
  tokenId_ = tkComment;
  while (run_ < line_.size() && line_[run_] != U'\0') {
    if (line_[run_] == U'*' && At(run_ + 1) == U'/') {
      run_ += 2;
      range_ = rsUnknown;
      return;
    }
    ++run_;
  }
}

}  // namespace qx
