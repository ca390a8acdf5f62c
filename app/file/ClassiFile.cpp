#include "app/file/ClassiFile.h"

#include <cmath>
#include <map>
#include <optional>
#include <tuple>

#include "app/file/Identificatori.h"
#include "platform/Cp1252.h"
#include "values/RifCart.h"
#include "values/ValoreFunzione.h"
#include "values/ValoriScalari.h"
#include "values/VettoriMatrici.h"
#include "values/espressioni/Stampa.h"
#include "values/figure/LettoreImmagini.h"
#include "values/figure/ValoreAngolo.h"
#include "values/figure/ValoreArco.h"
#include "values/figure/ValoreCerchio.h"
#include "values/figure/ValoreConica.h"
#include "values/figure/ValoreDiagramma.h"
#include "values/figure/ValoreImmagine.h"
#include "values/figure/ValoreLinea.h"
#include "values/figure/ValoreLista.h"
#include "values/figure/ValorePoligono.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"
#include "values/figure/ValoreTesto.h"

namespace qx {

std::optional<TipiValore> TipoValoreDi(std::string_view nome) {
  for (int t = T_1; t <= T_GEOMETRIA_SPAZIO_; ++t)
    if (SameIdent(NomeMembroTipo(static_cast<TipiValore>(t)), nome)) return static_cast<TipiValore>(t);
  return std::nullopt;
}

// ---- Single values --------------------------------------------------------------------

void ErroreProprieta(std::string_view proprieta) {
  throw EReadError("valore non valido per " + std::string(proprieta));
}

long double LeggiReale(const TValoreStream& v, std::string_view proprieta) {
  if (!v.IsReale()) ErroreProprieta(proprieta);
  return v.Numero();
}

int LeggiIntero(const TValoreStream& v, std::string_view proprieta) {
  if (!v.IsIntero() || v.Intero < INT32_MIN || v.Intero > INT32_MAX) ErroreProprieta(proprieta);
  return static_cast<int>(v.Intero);
}

bool LeggiBooleano(const TValoreStream& v, std::string_view proprieta) {
  if (!v.IsBooleano()) ErroreProprieta(proprieta);
  return v.Tipo == TValueType::vaTrue;
}

std::string LeggiTesto(const TValoreStream& v, std::string_view proprieta) {
  if (!v.IsStringa()) ErroreProprieta(proprieta);
  return v.Testo;
}

std::string LeggiIdent(const TValoreStream& v, std::string_view proprieta) {
  if (v.Tipo != TValueType::vaIdent) ErroreProprieta(proprieta);
  return v.Testo;
}

const TProprieta* CercaProprieta(const TComponenteStream& r, std::string_view nome) {
  for (const auto& p : r.Proprieta)
    if (SameIdent(p.Nome, nome)) return &p;
  return nullptr;
}

void ControllaCollezione(const TValoreStream& v, std::string_view proprieta) {
  if (v.Tipo != TValueType::vaCollection) ErroreProprieta(proprieta);
}

namespace {

template <std::size_t N>
int LeggiOrdinale(const TValoreStream& v, const std::array<std::string_view, N>& nomi, std::string_view proprieta) {
  const auto o = OrdinaleDi(nomi, LeggiIdent(v, proprieta));
  if (!o) ErroreProprieta(proprieta);
  return *o;
}

TColor LeggiColore(const TValoreStream& v, std::string_view proprieta) {
  if (v.Tipo == TValueType::vaIdent) {
    if (const auto c = IdentToColor(v.Testo)) return *c;
    ErroreProprieta(proprieta);
  }
  return static_cast<TColor>(LeggiIntero(v, proprieta));
}

TValoreStream ValoreColore(TColor c) {
  if (const auto nome = ColorToIdent(c)) return TValoreStream::DiIdent(std::string(*nome));
  return TValoreStream::DiIntero(c);
}

// A Char property is a string of one character; our chars are bytes of the code page.
TValoreStream ValoreChar(char c) { return TValoreStream::DiStringa(Cp1252ToUtf8(std::string_view(&c, 1))); }

char LeggiChar(const TValoreStream& v, std::string_view proprieta) {
  const std::string b = Utf8ToCp1252(LeggiTesto(v, proprieta));
  if (b.size() != 1) ErroreProprieta(proprieta);
  return b[0];
}

// The toolkit rounds halves away from zero here.
int MulDiv(int a, int b, int c) {
  const long double r = static_cast<long double>(a) * b / c;
  return static_cast<int>(std::lround(r));
}
// Fonts are stored by their height in pixels at 96 pixels per inch, negative for the
// character height without the internal leading, as the toolkit stores them.
int AltezzaDaPunti(int size) { return -MulDiv(size, 96, 72); }
int PuntiDaAltezza(int height) { return -MulDiv(height, 72, 96); }

// ---- Collections ----------------------------------------------------------------------

TValoreStream CollezionePunti(const TCollPunti& punti) {
  TValoreStream c;
  c.Tipo = TValueType::vaCollection;
  c.Collezione.reserve(static_cast<std::size_t>(punti.Count()));
  for (const auto& p : punti) {
    TElementoCollezione e;
    if (p.x != 0) e.Proprieta.push_back({"x", TValoreStream::DiExtended(p.x)});
    if (p.y != 0) e.Proprieta.push_back({"y", TValoreStream::DiExtended(p.y)});
    c.Collezione.push_back(std::move(e));
  }
  return c;
}

template <class F>
void PerOgniProprieta(const TElementoCollezione& e, F&& f) {
  for (const auto& p : e.Proprieta) f(p);
}

}  // namespace

// Used by the header record too.
TValoreStream ValoreCollezionePunti(const TCollPunti& punti) { return CollezionePunti(punti); }

TCollPunti LeggiCollezionePunti(const TValoreStream& v, std::string_view proprieta) {
  ControllaCollezione(v, proprieta);
  TCollPunti punti;
  for (const auto& e : v.Collezione) {
    TCollItemsPunti p;
    PerOgniProprieta(e, [&](const TProprieta& q) {
      if (SameIdent(q.Nome, "x")) p.x = LeggiReale(q.Valore, proprieta);
      else if (SameIdent(q.Nome, "y")) p.y = LeggiReale(q.Valore, proprieta);
    });
    punti.Aggiungi(p);
  }
  return punti;
}

namespace {

TValoreStream CollezioneReali(const std::vector<Reale>& valori) {
  TValoreStream c;
  c.Tipo = TValueType::vaCollection;
  c.Collezione.reserve(valori.size());
  for (const Reale x : valori) {
    TElementoCollezione e;
    if (x != 0) e.Proprieta.push_back({"val", TValoreStream::DiExtended(x)});
    c.Collezione.push_back(std::move(e));
  }
  return c;
}

std::vector<Reale> LeggiCollezioneReali(const TValoreStream& v, std::string_view proprieta) {
  ControllaCollezione(v, proprieta);
  std::vector<Reale> r;
  r.reserve(v.Collezione.size());
  for (const auto& e : v.Collezione) {
    Reale x = 0;
    PerOgniProprieta(e, [&](const TProprieta& q) {
      if (SameIdent(q.Nome, "val")) x = LeggiReale(q.Valore, proprieta);
    });
    r.push_back(x);
  }
  return r;
}

TValoreStream CollezioneStringhe(const std::vector<std::string>& valori) {
  TValoreStream c;
  c.Tipo = TValueType::vaCollection;
  for (const auto& s : valori) {
    TElementoCollezione e;
    if (!s.empty()) e.Proprieta.push_back({"val", TValoreStream::DiStringa(s)});
    c.Collezione.push_back(std::move(e));
  }
  return c;
}

}  // namespace

std::vector<std::string> LeggiCollezioneStringhe(const TValoreStream& v, std::string_view proprieta) {
  ControllaCollezione(v, proprieta);
  std::vector<std::string> r;
  for (const auto& e : v.Collezione) {
    std::string s;
    PerOgniProprieta(e, [&](const TProprieta& q) {
      if (SameIdent(q.Nome, "val")) s = LeggiTesto(q.Valore, proprieta);
    });
    r.push_back(std::move(s));
  }
  return r;
}

TValoreStream ValoreCollezioneStringhe(const std::vector<std::string>& valori) { return CollezioneStringhe(valori); }

namespace {

// ---- Field builders -------------------------------------------------------------------

template <class C, class M>
M& Membro(cValore& v, M C::*m) {
  return static_cast<C&>(v).*m;
}
template <class C, class M>
const M& Membro(const cValore& v, M C::*m) {
  return static_cast<const C&>(v).*m;
}

// A real left out when it is 0 and the reader's constructor gives 0 too.
template <class C>
TCampoFile Reale_(std::string_view nome, Reale C::*m) {
  return {nome,
          [nome, m](const cValore& v, const cValore* predefinito, TComponenteStream& r) {
            const Reale x = Membro(v, m);
            if (x != 0 || !predefinito || Membro(*predefinito, m) != 0)
              r.Aggiungi(std::string(nome), TValoreStream::DiExtended(x));
          },
          [nome, m](cValore& v, const TValoreStream& s) { Membro(v, m) = LeggiReale(s, nome); }};
}

// A field that is always written.
template <class C, class M, class Scrivi, class Leggi>
TCampoFile Sempre_(std::string_view nome, M C::*m, Scrivi scrivi, Leggi leggi) {
  return {nome,
          [nome, m, scrivi](const cValore& v, const cValore*, TComponenteStream& r) {
            r.Aggiungi(std::string(nome), scrivi(Membro(v, m)));
          },
          [nome, m, leggi](cValore& v, const TValoreStream& s) { Membro(v, m) = leggi(s, nome); }};
}

template <class C>
TCampoFile Intero_(std::string_view nome, int C::*m) {
  return Sempre_(nome, m, TValoreStream::DiIntero, LeggiIntero);
}

template <class C>
TCampoFile Bool_(std::string_view nome, bool C::*m) {
  return Sempre_(nome, m, TValoreStream::DiBooleano, LeggiBooleano);
}

// A string left out when it is empty and the reader's constructor gives it empty too.
template <class C>
TCampoFile Stringa_(std::string_view nome, std::string C::*m) {
  return {nome,
          [nome, m](const cValore& v, const cValore* predefinito, TComponenteStream& r) {
            const std::string& s = Membro(v, m);
            if (!s.empty() || !predefinito || !Membro(*predefinito, m).empty())
              r.Aggiungi(std::string(nome), TValoreStream::DiStringa(s));
          },
          [nome, m](cValore& v, const TValoreStream& s) { Membro(v, m) = LeggiTesto(s, nome); }};
}

template <class C>
TCampoFile Char_(std::string_view nome, char C::*m) {
  return Sempre_(nome, m, ValoreChar, LeggiChar);
}

template <class C>
TCampoFile Punti_(std::string_view nome, TCollPunti C::*m) {
  return Sempre_(nome, m, CollezionePunti, LeggiCollezionePunti);
}

// A property that the class writes in its own way and reads in `Completa`.
TCampoFile Speciale(std::string_view nome, std::function<void(const cValore&, TComponenteStream&)> scrivi) {
  return {nome, [scrivi = std::move(scrivi)](const cValore& v, const cValore*, TComponenteStream& r) { scrivi(v, r); },
          nullptr};
}

// ---- The common part ------------------------------------------------------------------

// A property of the pen, the brush or the font: left out when it equals the toolkit's
// declared default (when there is one) and the reader's current one is that too.
template <class O, class T, class Scrivi, class Leggi>
TCampoFile Annidato(std::string_view nome, O cValoreGraf::*oggetto, T O::*campo, std::optional<T> dichiarato,
                    Scrivi scrivi, Leggi leggi) {
  auto get = [oggetto, campo](cValore& v) -> T& { return static_cast<cValoreGraf&>(v).*oggetto.*campo; };
  auto cget = [oggetto, campo](const cValore& v) -> const T& { return static_cast<const cValoreGraf&>(v).*oggetto.*campo; };
  return {nome,
          [nome, cget, dichiarato, scrivi](const cValore& v, const cValore* predefinito, TComponenteStream& r) {
            const bool omesso = dichiarato && cget(v) == *dichiarato && predefinito && cget(*predefinito) == cget(v);
            if (!omesso) r.Aggiungi(std::string(nome), scrivi(cget(v)));
          },
          [nome, get, leggi](cValore& v, const TValoreStream& s) { get(v) = leggi(s, nome); }};
}

// An enumeration written as its member's identifier.
template <class T, std::size_t N>
auto ScriviEnum(const std::array<std::string_view, N>& nomi) {
  return [&nomi](T x) { return TValoreStream::DiIdent(std::string(nomi.at(x))); };
}
template <class T, std::size_t N>
auto LeggiEnum(const std::array<std::string_view, N>& nomi) {
  return [&nomi](const TValoreStream& s, std::string_view nome) { return static_cast<T>(LeggiOrdinale(s, nomi, nome)); };
}

// Pen, Brush, Font and varGruppo of every drawable value, in file order.
const std::vector<TCampoFile>& CampiGrafici() {
  static const std::vector<TCampoFile> campi = [] {
    std::vector<TCampoFile> c;
    auto carattere = [](cValore& v) -> TFont& { return static_cast<cValoreGraf&>(v).Font; };
    auto g = [](const cValore& v) -> const cValoreGraf& { return static_cast<const cValoreGraf&>(v); };
    c.push_back(Annidato("Pen.Color", &cValoreGraf::Pen, &TPen::Color, std::optional<TColor>(clBlack), ValoreColore, LeggiColore));
    c.push_back(Annidato("Pen.Mode", &cValoreGraf::Pen, &TPen::Mode, std::optional(pmCopy), ScriviEnum<TPenMode>(kNomiPenMode),
                         LeggiEnum<TPenMode>(kNomiPenMode)));
    c.push_back(Annidato("Pen.Style", &cValoreGraf::Pen, &TPen::Style, std::optional(psSolid),
                         ScriviEnum<TPenStyle>(kNomiPenStyle), LeggiEnum<TPenStyle>(kNomiPenStyle)));
    c.push_back(Annidato(
        "Pen.Width", &cValoreGraf::Pen, &TPen::Width, std::optional(1), [](int x) { return TValoreStream::DiIntero(x); },
        LeggiIntero));
    c.push_back(Annidato("Brush.Color", &cValoreGraf::Brush, &TBrush::Color, std::optional<TColor>(clWhite), ValoreColore,
                         LeggiColore));
    c.push_back(Annidato("Brush.Style", &cValoreGraf::Brush, &TBrush::Style, std::optional(bsSolid),
                         ScriviEnum<TBrushStyle>(kNomiBrushStyle), LeggiEnum<TBrushStyle>(kNomiBrushStyle)));
    // The character set and the pitch are always the declared defaults: never written,
    // and read only to be passed over.
    auto nulla = [](const cValore&, const cValore*, TComponenteStream&) {};
    c.push_back({"Font.Charset", nulla, [](cValore&, const TValoreStream&) {}});
    c.push_back(Annidato("Font.Color", &cValoreGraf::Font, &TFont::Color, std::optional<TColor>(), ValoreColore, LeggiColore));
    c.push_back({"Font.Height",
                 [g](const cValore& v, const cValore*, TComponenteStream& r) {
                   r.Aggiungi("Font.Height", TValoreStream::DiIntero(AltezzaDaPunti(g(v).Font.Size)));
                 },
                 [carattere](cValore& v, const TValoreStream& s) {
                   carattere(v).Size = PuntiDaAltezza(LeggiIntero(s, "Font.Height"));
                 }});
    c.push_back({"Font.Name",
                 [g](const cValore& v, const cValore* predefinito, TComponenteStream& r) {
                   if (!g(v).Font.Name.empty() || !predefinito || !g(*predefinito).Font.Name.empty())
                     r.Aggiungi("Font.Name", TValoreStream::DiStringa(g(v).Font.Name));
                 },
                 [carattere](cValore& v, const TValoreStream& s) { carattere(v).Name = LeggiTesto(s, "Font.Name"); }});
    c.push_back({"Font.Pitch", nulla, [](cValore&, const TValoreStream&) {}});
    c.push_back({"Font.Size", nulla,
                 [carattere](cValore& v, const TValoreStream& s) { carattere(v).Size = LeggiIntero(s, "Font.Size"); }});
    c.push_back({"Font.Style",
                 [g](const cValore& v, const cValore*, TComponenteStream& r) {
                   std::vector<std::string> membri;
                   for (std::size_t b = 0; b < kNomiFontStyle.size(); ++b)
                     if (g(v).Font.Style & (1u << b)) membri.emplace_back(kNomiFontStyle[b]);
                   r.Aggiungi("Font.Style", TValoreStream::DiSet(std::move(membri)));
                 },
                 [carattere](cValore& v, const TValoreStream& s) {
                   if (s.Tipo != TValueType::vaSet) ErroreProprieta("Font.Style");
                   TFontStyles stili = 0;
                   for (const auto& m : s.Insieme) {
                     const auto o = OrdinaleDi(kNomiFontStyle, m);
                     if (!o) ErroreProprieta("Font.Style");
                     stili = static_cast<TFontStyles>(stili | (1u << *o));
                   }
                   carattere(v).Style = stili;
                 }});
    c.push_back(Stringa_<cValoreGraf>("varGruppo", &cValoreGraf::varGruppo));
    return c;
  }();
  return campi;
}

const TCampoFile& CampoNome() {
  static const TCampoFile c = Stringa_<cValore>("Nome", &cValore::Nome);
  return c;
}

const TCampoFile* Trova(const std::vector<TCampoFile>& campi, std::string_view nome) {
  for (const auto& c : campi)
    if (SameIdent(c.Nome, nome)) return &c;
  return nullptr;
}

// ---- The classes ----------------------------------------------------------------------

[[noreturn]] void Danneggiato(const std::string& cosa) { throw EReadError(cosa); }

const TProprieta* CercaIdent(const TComponenteStream& r, std::string_view nome) { return CercaProprieta(r, nome); }

// The elements of a vector or matrix must be as many as its sizes say.
void ControllaDimensione(std::int64_t attesi, std::size_t letti, const std::string& nome) {
  if (attesi < 0 || static_cast<std::uint64_t>(attesi) != letti)
    Danneggiato("le dimensioni di " + nome + " non corrispondono agli elementi");
}

template <class V>
void CompletaVettore(cValore& v, const TComponenteStream& r, const char* proprieta) {
  auto& x = static_cast<V&>(v);
  const TProprieta* p = CercaIdent(r, proprieta);
  if constexpr (std::is_same_v<V, cVettReale>) {
    const std::vector<Reale> e = p ? LeggiCollezioneReali(p->Valore, proprieta) : std::vector<Reale>{};
    ControllaDimensione(x.Count, e.size(), "un vettore");
    x.Vett = TVettore(x.Count);
    for (int i = 1; i <= x.Count; ++i) x.Vett(i) = e[static_cast<std::size_t>(i - 1)];
  } else if constexpr (std::is_same_v<V, cVettStringa>) {
    x.Vett = p ? LeggiCollezioneStringhe(p->Valore, proprieta) : std::vector<std::string>{};
    ControllaDimensione(x.Count, x.Vett.size(), "un vettore");
  } else if constexpr (std::is_same_v<V, cMatrReale>) {
    const std::vector<Reale> e = p ? LeggiCollezioneReali(p->Valore, proprieta) : std::vector<Reale>{};
    if (x.Rows < 0 || x.Cols < 0) Danneggiato("le dimensioni di una matrice non sono valide");
    ControllaDimensione(std::int64_t{x.Rows} * x.Cols, e.size(), "una matrice");
    x.Matr = TMatrice(x.Rows, x.Cols);
    std::size_t k = 0;
    for (int i = 1; i <= x.Rows; ++i)
      for (int j = 1; j <= x.Cols; ++j) x.Matr(i, j) = e[k++];
  } else {
    if (x.Rows < 0 || x.Cols < 0) Danneggiato("le dimensioni di una matrice non sono valide");
    x.Matr = p ? LeggiCollezioneStringhe(p->Valore, proprieta) : std::vector<std::string>{};
    ControllaDimensione(std::int64_t{x.Rows} * x.Cols, x.Matr.size(), "una matrice");
  }
}

std::vector<Reale> ElementiVettore(const TVettore& v) {
  std::vector<Reale> e;
  e.reserve(static_cast<std::size_t>(v.Dimensione()));
  for (int i = 1; i <= v.Dimensione(); ++i) e.push_back(v(i));
  return e;
}

std::vector<Reale> ElementiMatrice(const TMatrice& m) {
  std::vector<Reale> e;
  e.reserve(static_cast<std::size_t>(m.Righe()) * static_cast<std::size_t>(m.Colonne()));
  for (int i = 1; i <= m.Righe(); ++i)
    for (int j = 1; j <= m.Colonne(); ++j) e.push_back(m(i, j));
  return e;
}

// The text a function is stored by: its own, or the one rebuilt from its tree.
std::string TestoFunzione(const cValoreFunzione& f) {
  if (!f._sFunz.empty() || !f.Albero()) return f._sFunz;
  return AlberoInTesto(f.Albero());
}

// Parses the text again, without messages: a text that no longer parses keeps its text
// and has no tree.
void RicostruisciFunzione(cValoreFunzione& f) {
  const std::string testo = f._sFunz;
  const bool messaggi = f.bMessaggi;
  f.bMessaggi = false;
  if (!testo.empty() && !f.ImpostaFunzione(testo)) f._sFunz = testo;
  f.bMessaggi = messaggi;
}

std::vector<TClasseFile> CreaClassi() {
  std::vector<TClasseFile> k;
  auto semplice = [](auto crea) {
    return [crea](TipiValore, TipiPoligono, TipiLista) -> std::unique_ptr<cValore> { return crea(); };
  };
  auto diTipo = [](auto crea) {
    return [crea](TipiValore t, TipiPoligono, TipiLista) -> std::unique_ptr<cValore> { return crea(t); };
  };

  k.push_back({"cValoreBool", false, {Bool_<cValoreBool>("Value", &cValoreBool::Value)},
               semplice([] { return std::make_unique<cValoreBool>(); }), nullptr});
  k.push_back({"cValoreReale", false, {Reale_<cValoreReale>("Value", &cValoreReale::Value)},
               semplice([] { return std::make_unique<cValoreReale>(); }), nullptr});
  k.push_back({"cValoreStringa", false, {Stringa_<cValoreStringa>("Value", &cValoreStringa::Value)},
               semplice([] { return std::make_unique<cValoreStringa>(); }), nullptr});
  k.push_back({"cVettReale", false,
               {Intero_<cVettReale>("_Count", &cVettReale::Count),
                Speciale("_Vett",
                         [](const cValore& v, TComponenteStream& r) {
                           r.Aggiungi("_Vett", CollezioneReali(ElementiVettore(static_cast<const cVettReale&>(v).Vett)));
                         })},
               semplice([] { return std::make_unique<cVettReale>(); }),
               [](cValore& v, const TComponenteStream& r) { CompletaVettore<cVettReale>(v, r, "_Vett"); }});
  k.push_back({"cMatrReale", false,
               {Intero_<cMatrReale>("_Rows", &cMatrReale::Rows), Intero_<cMatrReale>("_Cols", &cMatrReale::Cols),
                Speciale("_Matr",
                         [](const cValore& v, TComponenteStream& r) {
                           r.Aggiungi("_Matr", CollezioneReali(ElementiMatrice(static_cast<const cMatrReale&>(v).Matr)));
                         }),
                Bool_<cMatrReale>("_bStatistica", &cMatrReale::_bStatistica)},
               semplice([] { return std::make_unique<cMatrReale>(); }),
               [](cValore& v, const TComponenteStream& r) { CompletaVettore<cMatrReale>(v, r, "_Matr"); }});
  k.push_back({"cValoreFunzione", true,
               {Speciale("_sFunz",
                         [](const cValore& v, TComponenteStream& r) {
                           const std::string t = TestoFunzione(static_cast<const cValoreFunzione&>(v));
                           if (!t.empty()) r.Aggiungi("_sFunz", TValoreStream::DiStringa(t));
                         }),
                Intero_<cValoreFunzione>("_bGrafico", &cValoreFunzione::_bGrafico),
                Bool_<cValoreFunzione>("_bGraficoCompleto", &cValoreFunzione::_bGraficoCompleto),
                Reale_<cValoreFunzione>("_xa", &cValoreFunzione::_xa), Reale_<cValoreFunzione>("_xb", &cValoreFunzione::_xb),
                Reale_<cValoreFunzione>("_ya", &cValoreFunzione::_ya), Reale_<cValoreFunzione>("_yb", &cValoreFunzione::_yb),
                Bool_<cValoreFunzione>("_bEDO", &cValoreFunzione::_bEDO),
                Reale_<cValoreFunzione>("_EDOy0", &cValoreFunzione::_EDOy0)},
               diTipo([](TipiValore t) { return std::make_unique<cValoreFunzione>(t); }),
               [](cValore& v, const TComponenteStream& r) {
                 auto& f = static_cast<cValoreFunzione&>(v);
                 if (const TProprieta* p = CercaIdent(r, "_sFunz")) f._sFunz = LeggiTesto(p->Valore, "_sFunz");
                 RicostruisciFunzione(f);
               }});
  k.push_back({"cValoreLista", true,
               {Speciale("_Oggetti",
                         [](const cValore& v, TComponenteStream& r) {
                           // A place without a record of its own is an item whose reference
                           // is nil.
                           TValoreStream c;
                           c.Tipo = TValueType::vaCollection;
                           const auto& l = static_cast<const cValoreLista&>(v);
                           for (const auto& e : l._Oggetti) {
                             TElementoCollezione item;
                             if (!MembroConRecord(l, e.get())) item.Proprieta.push_back({"val", TValoreStream::DiNil()});
                             c.Collezione.push_back(std::move(item));
                           }
                           r.Aggiungi("_Oggetti", std::move(c));
                         }),
                Intero_<cValoreLista>("_nCount", &cValoreLista::_nCount)},
               [](TipiValore, TipiPoligono, TipiLista l) -> std::unique_ptr<cValore> {
                 if (l != T_GENERICA && l != T_VETT_FUNZ) Danneggiato("tipo di lista non valido");
                 return std::make_unique<cValoreLista>(l, 0);
               },
               [](cValore& v, const TComponenteStream& r) {
                 // The members themselves follow as records: here only their places.
                 auto& l = static_cast<cValoreLista&>(v);
                 l._Oggetti.clear();
                 if (const TProprieta* p = CercaIdent(r, "_Oggetti")) {
                   ControllaCollezione(p->Valore, "_Oggetti");
                   l._Oggetti.resize(p->Valore.Collezione.size());
                 }
                 if (l._nCount < 0) Danneggiato("le dimensioni di una lista non sono valide");
               }});
  k.push_back({"cValoreArchivio", false,
               {Speciale("Tabella.DatabaseName",
                         [](const cValore& v, TComponenteStream& r) {
                           const auto& a = static_cast<const cValoreArchivio&>(v);
                           if (!a.Tabella) return;
                           if (!a.Tabella->DatabaseName.empty())
                             r.Aggiungi("Tabella.DatabaseName", TValoreStream::DiStringa(a.Tabella->DatabaseName));
                           if (!a.Tabella->TableName.empty())
                             r.Aggiungi("Tabella.TableName", TValoreStream::DiStringa(a.Tabella->TableName));
                           if (!a.Tabella->TableType.empty())
                             r.Aggiungi("Tabella.TableType", TValoreStream::DiIdent(a.Tabella->TableType));
                         })},
               semplice([] { return std::make_unique<cValoreArchivio>(); }),
               [](cValore& v, const TComponenteStream& r) {
                 auto& a = static_cast<cValoreArchivio&>(v);
                 static constexpr std::string_view kCampi[] = {"Tabella.DatabaseName", "Tabella.TableName",
                                                               "Tabella.TableType"};
                 for (const auto& p : r.Proprieta)
                   for (std::size_t i = 0; i < std::size(kCampi); ++i) {
                     if (!SameIdent(p.Nome, kCampi[i])) continue;
                     if (!a.Tabella) a.Tabella = std::make_unique<TTabellaArchivio>();
                     std::string& campo = i == 0 ? a.Tabella->DatabaseName : i == 1 ? a.Tabella->TableName : a.Tabella->TableType;
                     campo = p.Valore.Tipo == TValueType::vaIdent ? p.Valore.Testo : LeggiTesto(p.Valore, p.Nome);
                   }
               }});
  k.push_back({"cVettStringa", false,
               {Intero_<cVettStringa>("_Count", &cVettStringa::Count),
                Speciale("_Vett",
                         [](const cValore& v, TComponenteStream& r) {
                           r.Aggiungi("_Vett", CollezioneStringhe(static_cast<const cVettStringa&>(v).Vett));
                         })},
               semplice([] { return std::make_unique<cVettStringa>(); }),
               [](cValore& v, const TComponenteStream& r) { CompletaVettore<cVettStringa>(v, r, "_Vett"); }});
  k.push_back({"cMatrStringa", false,
               {Intero_<cMatrStringa>("_Rows", &cMatrStringa::Rows), Intero_<cMatrStringa>("_Cols", &cMatrStringa::Cols),
                Speciale("_Matr",
                         [](const cValore& v, TComponenteStream& r) {
                           r.Aggiungi("_Matr", CollezioneStringhe(static_cast<const cMatrStringa&>(v).Matr));
                         })},
               semplice([] { return std::make_unique<cMatrStringa>(); }),
               [](cValore& v, const TComponenteStream& r) { CompletaVettore<cMatrStringa>(v, r, "_Matr"); }});
  k.push_back({"cValoreGrado", false,
               {Reale_<cValoreGrado>("Gradi", &cValoreGrado::Gradi), Reale_<cValoreGrado>("Primi", &cValoreGrado::Primi),
                Reale_<cValoreGrado>("Secondi", &cValoreGrado::Secondi)},
               semplice([] { return std::make_unique<cValoreGrado>(); }), nullptr});
  k.push_back({"cValorePunto", true,
               {Reale_<cValorePunto>("xCart", &cValorePunto::xCart), Reale_<cValorePunto>("yCart", &cValorePunto::yCart)},
               semplice([] { return std::make_unique<cValorePunto>(); }), nullptr});
  k.push_back({"cValoreLinea", true,
               {Punti_<cValoreLinea>("Punti", &cValoreLinea::Punti), Bool_<cValoreLinea>("_bScrittura", &cValoreLinea::_bScrittura)},
               [](TipiValore t, TipiPoligono, TipiLista) -> std::unique_ptr<cValore> {
                 auto l = std::make_unique<cValoreLinea>();
                 // Freehand writing is a line that knows it is writing.
                 if (t == T_SCRITTURA) l->_bScrittura = true;
                 return l;
               },
               nullptr});
  k.push_back({"cValoreRetta", true,
               {Reale_<cValoreRetta>("x1", &cValoreRetta::x1), Reale_<cValoreRetta>("y1", &cValoreRetta::y1),
                Reale_<cValoreRetta>("x2", &cValoreRetta::x2), Reale_<cValoreRetta>("y2", &cValoreRetta::y2),
                Reale_<cValoreRetta>("_xCentro", &cValoreRetta::_xCentro),
                Reale_<cValoreRetta>("_UnitMis", &cValoreRetta::_UnitMis)},
               diTipo([](TipiValore t) { return std::make_unique<cValoreRetta>(t); }), nullptr});
  k.push_back({"cValoreAngolo", true,
               {Reale_<cValoreAngolo>("x1", &cValoreAngolo::x1), Reale_<cValoreAngolo>("y1", &cValoreAngolo::y1),
                Reale_<cValoreAngolo>("x2", &cValoreAngolo::x2), Reale_<cValoreAngolo>("y2", &cValoreAngolo::y2),
                Reale_<cValoreAngolo>("x3", &cValoreAngolo::x3), Reale_<cValoreAngolo>("y3", &cValoreAngolo::y3),
                Char_<cValoreAngolo>("v", &cValoreAngolo::v), Bool_<cValoreAngolo>("sem", &cValoreAngolo::sem)},
               semplice([] { return std::make_unique<cValoreAngolo>(); }), nullptr});
  k.push_back({"cValoreCerchio", true,
               {Reale_<cValoreCerchio>("x", &cValoreCerchio::x), Reale_<cValoreCerchio>("y", &cValoreCerchio::y),
                Reale_<cValoreCerchio>("r", &cValoreCerchio::r)},
               semplice([] { return std::make_unique<cValoreCerchio>(); }), nullptr});
  k.push_back({"cValorePoligono", true,
               {Bool_<cValorePoligono>("bChiuso", &cValorePoligono::bChiuso),
                Punti_<cValorePoligono>("Punti", &cValorePoligono::Punti)},
               [](TipiValore, TipiPoligono p, TipiLista) -> std::unique_ptr<cValore> {
                 if (p > T_ESAGONO) Danneggiato("tipo di poligono non valido");
                 return std::make_unique<cValorePoligono>(p);
               },
               nullptr});
  k.push_back({"cValoreConica", true,
               {Reale_<cValoreConica>("_xa", &cValoreConica::_xa), Reale_<cValoreConica>("_ya", &cValoreConica::_ya),
                Reale_<cValoreConica>("_xb", &cValoreConica::_xb), Reale_<cValoreConica>("_yb", &cValoreConica::_yb),
                Reale_<cValoreConica>("_a", &cValoreConica::_a), Reale_<cValoreConica>("_b", &cValoreConica::_b),
                Reale_<cValoreConica>("_k", &cValoreConica::_k)},
               diTipo([](TipiValore t) { return std::make_unique<cValoreConica>(t); }), nullptr});
  k.push_back({"cValoreTesto", true,
               {Reale_<cValoreTesto>("x", &cValoreTesto::x), Reale_<cValoreTesto>("y", &cValoreTesto::y),
                Stringa_<cValoreTesto>("Testo", &cValoreTesto::Testo)},
               semplice([] { return std::make_unique<cValoreTesto>(); }), nullptr});
  k.push_back({"cValoreArco", true,
               {Reale_<cValoreArco>("x1", &cValoreArco::x1), Reale_<cValoreArco>("y1", &cValoreArco::y1),
                Reale_<cValoreArco>("x2", &cValoreArco::x2), Reale_<cValoreArco>("y2", &cValoreArco::y2),
                Reale_<cValoreArco>("x3", &cValoreArco::x3), Reale_<cValoreArco>("y3", &cValoreArco::y3),
                Reale_<cValoreArco>("mis", &cValoreArco::mis), Char_<cValoreArco>("v", &cValoreArco::v)},
               diTipo([](TipiValore t) { return std::make_unique<cValoreArco>(t); }), nullptr});
  k.push_back({"cValoreImmagine", true,
               {Reale_<cValoreImmagine>("x", &cValoreImmagine::x), Reale_<cValoreImmagine>("y", &cValoreImmagine::y),
                Reale_<cValoreImmagine>("x1", &cValoreImmagine::x1), Reale_<cValoreImmagine>("y1", &cValoreImmagine::y1),
                Stringa_<cValoreImmagine>("NomeFile", &cValoreImmagine::NomeFile),
                Bool_<cValoreImmagine>("bStretch", &cValoreImmagine::bStretch)},
               semplice([] { return std::make_unique<cValoreImmagine>(); }),
               [](cValore& v, const TComponenteStream&) {
                 // The picture is loaded again from its file; a file that is gone leaves
                 // the value without a picture, as a failed load does.
                 auto& i = static_cast<cValoreImmagine&>(v);
                 std::string motivo;
                 if (!i.NomeFile.empty() && !LeggiImmagine(i.NomeFile, i.Immagine, motivo)) i.Immagine = TBitmap();
               }});
  k.push_back({"cValoreDiagramma", true,
               {Reale_<cValoreDiagramma>("x1", &cValoreDiagramma::x1), Reale_<cValoreDiagramma>("y1", &cValoreDiagramma::y1),
                Reale_<cValoreDiagramma>("x2", &cValoreDiagramma::x2), Reale_<cValoreDiagramma>("y2", &cValoreDiagramma::y2),
                // The two vectors are components of their own that follow the chart.
                Speciale("_freq", [](const cValore&, TComponenteStream&) {}),
                Speciale("_descr", [](const cValore&, TComponenteStream&) {}),
                Reale_<cValoreDiagramma>("_maxAlt", &cValoreDiagramma::_maxAlt)},
               diTipo([](TipiValore t) { return std::make_unique<cValoreDiagramma>(t, 0); }), nullptr});
  return k;
}

const std::vector<TClasseFile>& Classi() {
  static const std::vector<TClasseFile> classi = CreaClassi();
  return classi;
}

const TClasseFile* PerNome(std::string_view nome) {
  for (const auto& c : Classi())
    if (c.Classe == nome) return &c;
  return nullptr;
}

}  // namespace

const TClasseFile* ClasseDiTipo(TipiValore tipo) {
  switch (tipo) {
    case T_BOOLEANO: return PerNome("cValoreBool");
    case T_REALE: return PerNome("cValoreReale");
    case T_STRINGA: return PerNome("cValoreStringa");
    case T_VETT_REALE: return PerNome("cVettReale");
    case T_MATR_REALE: return PerNome("cMatrReale");
    case T_FRAZIONE:
    case T_ESPRESSIONE:
    case T_FUNZIONE: return PerNome("cValoreFunzione");
    case T_LISTA: return PerNome("cValoreLista");
    case T_ARCHIVIO: return PerNome("cValoreArchivio");
    case T_VETT_STRINGA: return PerNome("cVettStringa");
    case T_MATR_STRINGA: return PerNome("cMatrStringa");
    case T_GRADO: return PerNome("cValoreGrado");
    case T_PUNTO: return PerNome("cValorePunto");
    case T_LINEA:
    case T_SCRITTURA: return PerNome("cValoreLinea");
    case T_RETTA:
    case T_SEGMENTO:
    case T_SEGMENTO_OR:
    case T_SEMIRETTA:
    case T_RETTANUM:
    case T_RETTA_OR: return PerNome("cValoreRetta");
    case T_ANGOLO: return PerNome("cValoreAngolo");
    case T_CERCHIO: return PerNome("cValoreCerchio");
    case T_POLIGONO: return PerNome("cValorePoligono");
    case T_ELLISSE:
    case T_IPERBOLE:
    case T_PARABOLA: return PerNome("cValoreConica");
    case T_TESTO: return PerNome("cValoreTesto");
    case T_ARCO:
    case T_SETTORECIRC: return PerNome("cValoreArco");
    case T_IMMAGINE: return PerNome("cValoreImmagine");
    case T_DIAG_STR:
    case T_DIAG_CIRC:
    case T_DIAG_IST: return PerNome("cValoreDiagramma");
    default: return nullptr;
  }
}

const TClasseFile& ClasseRifCart() {
  static const TClasseFile c{
      "cRifCart",
      true,
      {Bool_<cRifCart>("_bAssi", &cRifCart::_bAssi), Bool_<cRifCart>("_bxAnalisi", &cRifCart::_bxAnalisi),
       Bool_<cRifCart>("_bAdattaAllaFunzione", &cRifCart::_bAdattaAllaFunzione),
       Reale_<cRifCart>("_xa", &cRifCart::_xa), Reale_<cRifCart>("_xb", &cRifCart::_xb),
       Reale_<cRifCart>("_ya", &cRifCart::_ya), Reale_<cRifCart>("_yb", &cRifCart::_yb),
       Reale_<cRifCart>("__AsseX", &cRifCart::__AsseX), Reale_<cRifCart>("__AsseY", &cRifCart::__AsseY),
       Reale_<cRifCart>("_TaccaX", &cRifCart::_TaccaX), Reale_<cRifCart>("_TaccaY", &cRifCart::_TaccaY)},
      nullptr,
      nullptr};
  return c;
}

void ScriviProprieta(const cValore& v, const TClasseFile& classe, TComponenteStream& r, const cValore* predefinito) {
  r.Proprieta.reserve(r.Proprieta.size() + 2 + (classe.Grafico ? CampiGrafici().size() : 0) + classe.Campi.size());
  r.Aggiungi("Tipo", TValoreStream::DiIdent(NomeMembroTipo(v.Tipo)));
  CampoNome().Scrivi(v, predefinito, r);
  if (classe.Grafico)
    for (const auto& c : CampiGrafici()) c.Scrivi(v, predefinito, r);
  for (const auto& c : classe.Campi) c.Scrivi(v, predefinito, r);
}

void LeggiProprieta(cValore& v, const TClasseFile& classe, const TComponenteStream& r) {
  for (const auto& p : r.Proprieta) {
    if (SameIdent(p.Nome, "Tipo")) continue;
    const TCampoFile* c = SameIdent(p.Nome, "Nome") ? &CampoNome() : nullptr;
    if (!c && classe.Grafico) c = Trova(CampiGrafici(), p.Nome);
    if (!c) c = Trova(classe.Campi, p.Nome);
    if (c && c->Leggi) c->Leggi(v, p.Valore);
  }
  if (classe.Completa) classe.Completa(v, r);
}

TipiValore TipoDelRecord(const TComponenteStream& r, TipiValore altrimenti) {
  const TProprieta* p = CercaIdent(r, "Tipo");
  if (!p) return altrimenti;
  const auto t = TipoValoreDi(LeggiIdent(p->Valore, "Tipo"));
  if (!t) ErroreProprieta("Tipo");
  return *t;
}

std::unique_ptr<cValore> ValoreDaRecord(const TComponenteStream& r, TipiValore tipo, TipiPoligono tipoPol,
                                        TipiLista tipoLista) {
  const TClasseFile* classe = ClasseDiTipo(tipo);
  if (!classe) Danneggiato("tipo di valore " + std::to_string(int(tipo)) + " non previsto");
  if (!SameIdent(r.Classe, classe->Classe))
    Danneggiato("al posto di un oggetto " + std::string(classe->Classe) + " c'è un oggetto " + r.Classe);
  const TipiValore proprio = TipoDelRecord(r, tipo);
  if (ClasseDiTipo(proprio) != classe) ErroreProprieta("Tipo");
  std::unique_ptr<cValore> v = classe->Crea(proprio, tipoPol, tipoLista);
  LeggiProprieta(*v, *classe, r);
  // Freehand writing is stored as a line that knows it is writing.
  v->Tipo = proprio == T_SCRITTURA ? T_LINEA : proprio;
  return v;
}

bool MembroConRecord(const cValoreLista& l, const cValoreGraf* e) {
  // An empty place of a list of functions is an empty function: every place has its record.
  if (l.TipoLista == T_VETT_FUNZ) return !e || e->Tipo == T_FUNZIONE;
  return e && e->Tipo != T_LISTA && ClasseDiTipo(e->Tipo) != nullptr;
}

TComponenteStream RecordDiMembro(const cValoreLista& l, const cValoreGraf* e, const TStile* corrente) {
  if (e || l.TipoLista != T_VETT_FUNZ) return RecordDiValore(*e, corrente);
  const cValoreFunzione vuota(T_FUNZIONE);
  return RecordDiValore(vuota, corrente);
}

TStile StileDopoReset() {
  return {TPen{clBlue, psSolid, 1, pmCopy}, TBrush{clWhite, bsClear}, TFont{clBlue, "MS Sans Serif", 10, 0},
          TBrush{clAqua, bsSolid}};
}

bool PassaStile(const cValore& v) { return v.Tipo > T_2 && dynamic_cast<const cValoreGraf*>(&v) != nullptr; }

void ApplicaStile(const cValore& v, TStile& stile) {
  if (!PassaStile(v)) return;
  const auto& g = static_cast<const cValoreGraf&>(v);
  stile.Penna = g.Pen;
  stile.Pennello = g.Brush;
  stile.Carattere = g.Font;
}

namespace {

// The value the reader's constructor makes for a kind, one kept per kind; its pen, brush and
// font are set to the reader's current ones before each use.
const cValore* Predefinito(const TClasseFile& classe, const cValore& v, const TStile& corrente) {
  static std::map<std::tuple<const TClasseFile*, int, int, int>, std::unique_ptr<cValore>> fatti;
  const TipiPoligono pol = v.Tipo == T_POLIGONO ? static_cast<const cValorePoligono&>(v).TipoPol : T_POL;
  const TipiLista lista = v.Tipo == T_LISTA ? static_cast<const cValoreLista&>(v).TipoLista : T_GENERICA;
  auto& p = fatti[{&classe, v.Tipo, pol, lista}];
  if (!p) p = classe.Crea(v.Tipo, pol, lista);
  if (auto* g = dynamic_cast<cValoreGraf*>(p.get())) {
    g->Pen = corrente.Penna;
    g->Brush = corrente.Pennello;
    g->Font = corrente.Carattere;
  }
  return p.get();
}

}  // namespace

TComponenteStream RecordDiValore(const cValore& v, const TStile* corrente) {
  const TClasseFile* classe = ClasseDiTipo(v.Tipo);
  TComponenteStream r;
  r.Classe = classe ? classe->Classe : "";
  if (classe) ScriviProprieta(v, *classe, r, corrente ? Predefinito(*classe, v, *corrente) : nullptr);
  return r;
}

TComponenteStream RecordDiRifCart(const cRifCart& f) {
  TComponenteStream r;
  r.Classe = ClasseRifCart().Classe;
  ScriviProprieta(f, ClasseRifCart(), r, nullptr);
  return r;
}

}  // namespace qx
