#include "app/file/ValoriSpazio.h"

#include <array>

#include "app/file/ClassiFile.h"
#include "platform/ColorNames.h"
#include "values/RegistroSpazio.h"
#include "values/figure/ValorePunto.h"

namespace qx {

namespace {

using enum TTipoCampoSpazio;

// One row per kind 42..60, in the order of the kinds.
const std::array<TClasseSpazio, 19>& TabellaSpazio() {
  static const std::array<TClasseSpazio, 19> t = {{
      {"cValoreGruppo3D", "", false, {{"_Vett", Nomi}}},
      {"cValoreCilindro3D", "", true, {{"Raggio", Reale}, {"Altezza", Reale}}},
      {"cValoreCono3D", "", true, {{"Raggio", Reale}, {"Altezza", Reale}, {"Cono2", Booleano}}},
      {"cValoreSfera3D", "", true, {{"Raggio", Reale}}},
      {"cValoreParall3D", "", true, {{"Larghezza", Reale}, {"Altezza", Reale}, {"Profondita", Reale}, {"Aperto", Booleano}}},
      {"cValorePiramide3D", "cValoreTetraedro3D", true, {{"Lato", Reale}, {"Altezza", Reale}}},
      {"cValorePunto3D", "", true, {{"_text", Testo}}},
      {"cValorePiano3D", "", true, {{"Altezza", Reale}, {"Larghezza", Reale}}},
      {"cValoreRetta3D", "", true, {}, {{"Altezza", Reale}}},
      {"cValoreRetta3D", "", true, {}, {{"Altezza", Reale}}},
      {"cValoreFunzione3D", "", true, {{"_sFunz", Testo}}},
      {"cValoreFaccia3D", "", true, {{"_Punti", Punti3D}}},
      {"cValoreParall3D", "", true, {{"Larghezza", Reale}, {"Altezza", Reale}, {"Profondita", Reale}, {"Aperto", Booleano}}},
      {"cValoreTetraedro3D", "", true, {{"Lato", Reale}, {"Altezza", Reale}, {"Aperto", Booleano}, {"nFacce", Intero}}},
      {"cValoreSolido3D", "", true, {{"nFacce", Intero}}, {{"_Punti", Punti3D}}},
      {"cValoreTetraedro3D", "", true, {{"Lato", Reale}, {"Altezza", Reale}, {"Aperto", Booleano}, {"nFacce", Intero}}},
      {"cValoreTetraedro3D", "", true, {{"Lato", Reale}, {"Altezza", Reale}, {"Aperto", Booleano}, {"nFacce", Intero}}},
      {"cValoreTetraedro3D", "", true, {{"Lato", Reale}, {"Altezza", Reale}, {"Aperto", Booleano}, {"nFacce", Intero}}},
      {"cValoreTetraedro3D", "", true, {{"Lato", Reale}, {"Altezza", Reale}, {"Aperto", Booleano}, {"nFacce", Intero}}},
  }};
  return t;
}

std::array<TAccessoSpazio, 19>& Accessi() {
  static std::array<TAccessoSpazio, 19> a;
  return a;
}

bool IsSpazio(TipiValore t) { return t >= T_GRUPPO3D && t <= T_ICOSAEDRO3D; }

// The drawable part that every space value shares.
const TClasseFile& Base() {
  static const TClasseFile b{"", true, {}, nullptr, nullptr};
  return b;
}

struct TSingolo {
  std::string_view Nome;
  float TCampiSpazio::*Campo;
};
constexpr TSingolo kSingoli[] = {
    {"Posx", &TCampiSpazio::Posx},           {"Posy", &TCampiSpazio::Posy},
    {"Posz", &TCampiSpazio::Posz},           {"RollAngle", &TCampiSpazio::RollAngle},
    {"TurnAngle", &TCampiSpazio::TurnAngle}, {"Upx", &TCampiSpazio::Upx},
    {"Upy", &TCampiSpazio::Upy},             {"Upz", &TCampiSpazio::Upz},
};
constexpr TSingolo kDirezione[] = {
    {"Dirx", &TCampiSpazio::Dirx}, {"Diry", &TCampiSpazio::Diry}, {"Dirz", &TCampiSpazio::Dirz}};

TValoreStream CollezionePunti3D(const std::vector<TPunto3D>& punti) {
  TValoreStream c;
  c.Tipo = TValueType::vaCollection;
  for (const auto& p : punti) {
    TElementoCollezione e;
    if (p.x != 0) e.Proprieta.push_back({"x", TValoreStream::DiExtended(p.x)});
    if (p.y != 0) e.Proprieta.push_back({"y", TValoreStream::DiExtended(p.y)});
    if (p.z != 0) e.Proprieta.push_back({"z", TValoreStream::DiExtended(p.z)});
    c.Collezione.push_back(std::move(e));
  }
  return c;
}

std::vector<TPunto3D> LeggiPunti3D(const TValoreStream& v, std::string_view nome) {
  ControllaCollezione(v, nome);
  std::vector<TPunto3D> punti;
  for (const auto& e : v.Collezione) {
    TPunto3D p;
    for (const auto& q : e.Proprieta) {
      if (SameIdent(q.Nome, "x")) p.x = LeggiReale(q.Valore, nome);
      else if (SameIdent(q.Nome, "y")) p.y = LeggiReale(q.Valore, nome);
      else if (SameIdent(q.Nome, "z")) p.z = LeggiReale(q.Valore, nome);
    }
    punti.push_back(p);
  }
  return punti;
}

// Sizes are written even when 0: the reader's constructor gives them other values. Texts
// are left out when empty, as every constructor leaves them.
void ScriviCampo(const TCampoSpazio& c, const TCampiSpazio& f, TComponenteStream& r) {
  const std::string nome(c.Nome);
  switch (c.Tipo) {
    case Reale:
      if (auto it = f.Reali.find(c.Nome); it != f.Reali.end()) r.Aggiungi(nome, TValoreStream::DiExtended(it->second));
      break;
    case Booleano:
      if (auto it = f.Booleani.find(c.Nome); it != f.Booleani.end()) r.Aggiungi(nome, TValoreStream::DiBooleano(it->second));
      break;
    case Intero:
      if (auto it = f.Interi.find(c.Nome); it != f.Interi.end()) r.Aggiungi(nome, TValoreStream::DiIntero(it->second));
      break;
    case Testo:
      if (auto it = f.Testi.find(c.Nome); it != f.Testi.end() && !it->second.empty())
        r.Aggiungi(nome, TValoreStream::DiStringa(it->second));
      break;
    case Punti3D:
      r.Aggiungi(nome, CollezionePunti3D(f.Punti));
      break;
    case Nomi:
      r.Aggiungi(nome, ValoreCollezioneStringhe(f.Nomi));
      break;
  }
}

void LeggiCampo(const TCampoSpazio& c, const TValoreStream& v, TCampiSpazio& f) {
  const std::string nome(c.Nome);
  switch (c.Tipo) {
    case Reale: f.Reali[nome] = LeggiReale(v, nome); break;
    case Booleano: f.Booleani[nome] = LeggiBooleano(v, nome); break;
    case Intero: f.Interi[nome] = LeggiIntero(v, nome); break;
    case Testo: f.Testi[nome] = LeggiTesto(v, nome); break;
    case Punti3D: f.Punti = LeggiPunti3D(v, nome); break;
    case Nomi: f.Nomi = LeggiCollezioneStringhe(v, nome); break;
  }
}

// The sizes a value is made with when it is made only to be filled from its record: every
// size 1, a plane 10 x 10; a line keeps the length its constructor gives it.
TCampiSpazio MisurePredefinite(TipiValore tipo, std::string_view classe) {
  TCampiSpazio f;
  f.Classe = std::string(classe);
  if (tipo == T_PIANO3D) {
    f.Reali = {{"Larghezza", 10}, {"Altezza", 10}};
  } else if (tipo != T_SEGMENTO3D && tipo != T_RETTA3D) {
    for (const char* m : {"Raggio", "Altezza", "Larghezza", "Profondita", "Lato"}) f.Reali[m] = 1;
  }
  return f;
}

// The fields of the value that the reader's constructor makes for a kind: what a record's
// absent properties keep.
TCampiSpazio CampiPredefiniti(const TAccessoSpazio& accesso, TipiValore tipo, std::string_view classe) {
  const TCampiSpazio misure = MisurePredefinite(tipo, classe);
  TCampiSpazio f = misure;
  const std::unique_ptr<cValore> v = accesso.Crea ? accesso.Crea(misure) : CreaValoreSpazio(tipo);
  if (v && accesso.Leggi) accesso.Leggi(*v, f);
  f.Classe = std::string(classe);
  f.ConDirezione = false;
  return f;
}

// The pen, brush and font the reader's constructor gives a space value: the current pen and
// font, the fill brush; carried by a value of any drawable class.
cValoreGraf& ConStileSpazio(cValoreGraf& portatore, const TStile& corrente) {
  portatore.Pen = corrente.Penna;
  portatore.Brush = corrente.PennelloColore;
  portatore.Font = corrente.Carattere;
  return portatore;
}

const cValore& StileSpazio(const TStile& corrente) {
  static cValorePunto portatore;
  return ConStileSpazio(portatore, corrente);
}

// The fields of the class a value is written as: a kind's other class has its own.
const std::vector<TCampoSpazio>& CampiDi(const TClasseSpazio& classe, std::string_view nomeClasse) {
  if (!classe.AltraClasse.empty() && SameIdent(nomeClasse, classe.AltraClasse))
    for (const auto& c : TabellaSpazio())
      if (c.Classe == classe.AltraClasse) return c.Campi;
  return classe.Campi;
}

bool HaCampo(const std::vector<TCampoSpazio>& campi, std::string_view nome) {
  for (const auto& c : campi)
    if (c.Nome == nome) return true;
  return false;
}

}  // namespace

const TClasseSpazio* ClasseSpazioDiTipo(TipiValore tipo) {
  return IsSpazio(tipo) ? &TabellaSpazio()[tipo - T_GRUPPO3D] : nullptr;
}

bool RegistraAccessoSpazio(TipiValore tipo, TAccessoSpazio accesso) {
  if (!IsSpazio(tipo)) return false;
  Accessi()[tipo - T_GRUPPO3D] = std::move(accesso);
  return true;
}

void SvuotaAccessiSpazio() { Accessi() = {}; }

TComponenteStream RecordDiValoreSpazio(const cValore& v, const TStile* corrente, TComponenteStream* aggiunte) {
  const TClasseSpazio* classe = ClasseSpazioDiTipo(v.Tipo);
  TComponenteStream r;
  if (!classe) return r;
  TCampiSpazio f;
  if (const auto& a = Accessi()[v.Tipo - T_GRUPPO3D]; a.Leggi) a.Leggi(v, f);
  const std::string nomeClasse = f.Classe.empty() ? std::string(classe->Classe) : f.Classe;
  const std::vector<TCampoSpazio>& campi = CampiDi(*classe, nomeClasse);
  // With a record for the rest, the value's record is the kind's own class with the fields
  // it lists, and the rest (the other class, its other fields, the direction, ours) goes
  // there; without one, everything is in the value's record.
  TComponenteStream& resto = aggiunte ? *aggiunte : r;
  r.Classe = aggiunte ? std::string(classe->Classe) : nomeClasse;
  ScriviProprieta(v, Base(), r, corrente ? &StileSpazio(*corrente) : nullptr);
  if (classe->Graf3D) {
    // The placement is always written: the constructor's depends on the sizes.
    for (const auto& s : kSingoli) r.Aggiungi(std::string(s.Nome), TValoreStream::DiSingle(f.*s.Campo));
    if (f.ConDirezione)
      for (const auto& s : kDirezione)
        if (const float x = f.*s.Campo; x != 0) resto.Aggiungi(std::string(s.Nome), TValoreStream::DiSingle(x));
  }
  if (aggiunte && nomeClasse != classe->Classe) resto.Aggiungi("Classe", TValoreStream::DiStringa(nomeClasse));
  for (const auto& c : campi) ScriviCampo(c, f, !aggiunte || HaCampo(classe->Campi, c.Nome) ? r : resto);
  for (const auto& c : classe->Nostri) ScriviCampo(c, f, resto);
  return r;
}

TStile StileDopoValoreSpazio(const TComponenteStream& r, const TStile& corrente) {
  cValorePunto portatore;
  LeggiProprieta(ConStileSpazio(portatore, corrente), Base(), r);
  portatore.Tipo = T_SFERA3D;  // a space value: it hands its pen, brush and font on
  TStile s = corrente;
  ApplicaStile(portatore, s);
  return s;
}

std::unique_ptr<cValore> ValoreSpazioDaRecord(const TComponenteStream& r, TipiValore tipo,
                                              const TComponenteStream* aggiunte) {
  const TClasseSpazio* classe = ClasseSpazioDiTipo(tipo);
  if (!classe) throw EReadError("tipo di valore " + std::to_string(int(tipo)) + " non previsto");
  if (!SameIdent(r.Classe, classe->Classe) && !(classe->AltraClasse.size() && SameIdent(r.Classe, classe->AltraClasse)))
    throw EReadError("al posto di un oggetto " + std::string(classe->Classe) + " c'è un oggetto " + r.Classe);
  const TipiValore proprio = TipoDelRecord(r, tipo);
  if (ClasseSpazioDiTipo(proprio) == nullptr || (proprio != tipo && ClasseSpazioDiTipo(proprio)->Classe != classe->Classe))
    ErroreProprieta("Tipo");
  const TAccessoSpazio& accesso = Accessi()[proprio - T_GRUPPO3D];
  // The class it was written as: the record's, or the other one that the record of the rest
  // names.
  std::string nomeClasse = r.Classe;
  if (const TProprieta* c = aggiunte ? CercaProprieta(*aggiunte, "Classe") : nullptr) {
    nomeClasse = LeggiTesto(c->Valore, "Classe");
    if (!SameIdent(nomeClasse, classe->Classe) && !(classe->AltraClasse.size() && SameIdent(nomeClasse, classe->AltraClasse)))
      ErroreProprieta("Classe");
  }
  // What the constructor gives, then the record's properties over it.
  TCampiSpazio f = CampiPredefiniti(accesso, proprio, nomeClasse);
  f.ConAlto = false;
  const std::vector<TCampoSpazio>& campi = CampiDi(*classe, nomeClasse);
  auto singolo = [](const TProprieta& p, const TSingolo& s, TCampiSpazio& f) {
    if (!SameIdent(p.Nome, s.Nome)) return false;
    if (p.Valore.Tipo != TValueType::vaSingle && !p.Valore.IsReale()) ErroreProprieta(s.Nome);
    f.*s.Campo = static_cast<float>(p.Valore.Numero());
    return true;
  };
  auto leggi = [&](const TProprieta& p, bool piazzamento) {
    if (classe->Graf3D) {
      if (piazzamento)
        for (const auto& s : kSingoli)
          if (singolo(p, s, f) && s.Nome.starts_with("Up")) f.ConAlto = true;
      for (const auto& s : kDirezione)
        if (singolo(p, s, f)) f.ConDirezione = true;
    }
    for (const auto* lista : {&campi, &classe->Nostri})
      for (const auto& c : *lista)
        if (SameIdent(p.Nome, c.Nome)) LeggiCampo(c, p.Valore, f);
  };
  for (const auto& p : r.Proprieta) leggi(p, true);
  if (aggiunte)
    for (const auto& p : aggiunte->Proprieta) leggi(p, false);
  std::unique_ptr<cValore> v = accesso.Crea ? accesso.Crea(f) : CreaValoreSpazio(proprio);
  if (!v || !accesso.Scrivi || !dynamic_cast<cValoreGraf*>(v.get()))
    throw EReadError("gli oggetti dello spazio (" + std::string(NomeMembroTipo(proprio)) + ") non si possono ancora aprire");
  LeggiProprieta(*v, Base(), r);
  v->Tipo = proprio;
  accesso.Scrivi(*v, f);
  return v;
}

}  // namespace qx
