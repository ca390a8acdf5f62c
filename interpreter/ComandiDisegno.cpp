// The statements that set the drawing state (pen, brush, background, font, trace), the 2D
// and 3D frames, and the ones that pause or play a sound.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "interpreter/ComandiGenerali.h"
#include "interpreter/Dispatch.h"
#include "interpreter/Istruzioni.h"
#include "platform/PercorsoSenzaMaiuscole.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "values/FunzioniAusiliarie.h"
#include "values/RifCart.h"
#include "values/Variabili.h"
#include "values/figure/ValorePunto.h"

namespace qx {

TServiziPunto& ServiziPunto() {
  static TServiziPunto servizi{
      [](const cValore& v, TPuntoMondo& p) {
        const auto* punto = dynamic_cast<const cValorePunto*>(&v);
        if (punto) p = punto->Punto();
        return punto != nullptr;
      },
      [](cValore& v, const TPuntoMondo& p) {
        if (auto* punto = dynamic_cast<cValorePunto*>(&v)) {
          punto->xCart = p.x;
          punto->yCart = p.y;
          punto->bCoordCartesiane = true;
        }
      }};
  return servizi;
}

std::function<void()>& CreaRifCart3D() {
  static std::function<void()> crea;
  return crea;
}

TServiziSpazio& ServiziSpazio() {
  static TServiziSpazio servizi;
  return servizi;
}

namespace {

// A number as a small integer: truncated, and held where an int can take it.
int Intero(Reale x) {
  if (std::isnan(x)) return 0;
  return static_cast<int>(std::clamp<Reale>(std::trunc(x), -2147483647.0L, 2147483647.0L));
}

// The stored drawable value behind an argument (found by its name), or nullptr.
cValoreGraf* Memorizzato(const cValore* v) {
  if (!v || !DatiGlob.ListaVariabili) return nullptr;
  return dynamic_cast<cValoreGraf*>(DatiGlob.ListaVariabili->CercaValore(*v));
}

bool IsGrafico(const cValore* v) { return dynamic_cast<const cValoreGraf*>(v) != nullptr; }

// COLORE, STILE and TRACCIA: one value, applied before any surplus is reported.
void ValoreSingolo(bool Esegui, ListaArgomenti& a, const std::string& parola, TipiValore tipo,
                   const std::function<void(const cValore&)>& applica) {
  const TParoleChiave& k = ParoleChiave;
  if (a.Vuota()) {
    ReportError(k.msgMancaParametro + parola, true);
    return;
  }
  if (!Esegui) return;
  if (a.Tipo(0) != tipo) {
    ReportError(k.msgParametroNonValido + parola, true);
    return;
  }
  applica(*a.Valore(0));
  if (a.Count() > 1) ReportError(k.msgTroppiParametri + parola, true);
}

void CmdColore(bool Esegui, ListaArgomenti& a, const std::string&) {
  ValoreSingolo(Esegui, a, ParoleChiave.COLORE, T_REALE, [](const cValore& v) {
    DatiGlob.PennaCorrente.Color = IndiceAColore(Intero(static_cast<const cValoreReale&>(v).Value));
  });
}

void CmdStile(bool Esegui, ListaArgomenti& a, const std::string&) {
  ValoreSingolo(Esegui, a, ParoleChiave.STILE, T_REALE, [](const cValore& v) {
    DatiGlob.PennaCorrente.Style = NumeroAStilePenna(Intero(static_cast<const cValoreReale&>(v).Value));
  });
}

void CmdTraccia(bool Esegui, ListaArgomenti& a, const std::string&) {
  ValoreSingolo(Esegui, a, ParoleChiave.TRACCIA, T_BOOLEANO,
                [](const cValore& v) { DatiGlob.bTraccia = static_cast<const cValoreBool&>(v).Value; });
}

// A colour component: the number rounded to the nearest integer (halves to even), held
// within the byte a component is, so that it never spills into the next one.
int Componente(Reale x) {
  if (std::isnan(x)) return 0;
  return static_cast<int>(std::nearbyint(std::clamp<Reale>(x, 0.0L, 255.0L)));
}

// The widest pen: far wider than any canvas, small enough that the canvas can add to it.
constexpr int SPESSORE_MASSIMO = 10000;

void CmdColoreRGB(bool Esegui, ListaArgomenti& a, const std::string& nome) {
  if (!Esegui) return;
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  int i = 0;
  const bool conOggetto = IsGrafico(a.Valore(0));
  cValoreGraf* oggetto = conOggetto ? Memorizzato(a.Valore(0)) : nullptr;
  if (conOggetto) i = 1;
  int rgb[3] = {0, 0, 0};
  for (int c = 0; c < 3 && a.Tipo(i) == T_REALE; ++c, ++i) rgb[c] = Componente(a.Numero(i));
  const TColor colore = ComponiColore(rgb[0], rgb[1], rgb[2]);
  if (nome == k.COLOREPENNA) {
    if (conOggetto) {
      if (oggetto) oggetto->Pen.Color = colore;
    } else {
      g.PennaCorrente.Color = colore;
    }
  } else if (nome == k.COLORERIEMPIMENTO) {
    if (conOggetto) {
      if (oggetto) ColoraPennello(oggetto->Brush, colore);
      if (oggetto && IsGeometriaSpazio(oggetto->Tipo) && ServiziSpazio().ColoraMateriale)
        ServiziSpazio().ColoraMateriale(*oggetto, colore);
    } else {
      ColoraPennello(g.PennelloCorrente, colore);
      ColoraPennello(g.PennelloColore, colore);
    }
  } else {
    g.ColoreSfondo = colore;
    if (g.RifCart) ColoraPennello(g.RifCart->Brush, colore);
    RidisegnaRifCart();
  }
}

void CmdStilePenna(bool Esegui, ListaArgomenti& a, const std::string& nome) {
  const TParoleChiave& k = ParoleChiave;
  if (a.Vuota()) {
    ReportError(k.msgMancaParametro + nome, true);
    return;
  }
  if (!Esegui) return;
  TDatiGlob& g = DatiGlob;
  int i = 0;
  const bool conOggetto = IsGrafico(a.Valore(0));
  cValoreGraf* oggetto = conOggetto ? Memorizzato(a.Valore(0)) : nullptr;
  if (conOggetto) i = 1;
  if (i >= a.Count()) {
    ReportError(k.msgMancaParametro + nome, true);
    return;
  }
  if (a.Tipo(i) != T_REALE) {
    ReportError(k.msgParametroNonValido + nome, true);
    return;
  }
  const int n = Intero(a.Numero(i));
  if (nome == k.SPESSOREPENNA && (n < 0 || n > SPESSORE_MASSIMO)) {
    ReportError(k.msgParametroNonValido + nome, true);
    return;
  }
  if (nome == k.STILEPENNA) {
    if (!conOggetto) g.PennaCorrente.Style = NumeroAStilePenna(n);
    else if (oggetto) oggetto->Pen.Style = NumeroAStilePenna(n);
  } else if (nome == k.MOTIVORIEMPIMENTO) {
    if (!conOggetto) g.PennelloCorrente.Style = NumeroAStileRiempimento(n);
    else if (oggetto) oggetto->Brush.Style = NumeroAStileRiempimento(n);
  } else {
    if (!conOggetto) g.PennaCorrente.Width = n;
    else if (oggetto) oggetto->Pen.Width = n;
  }
  if (a.Count() > i + 1) ReportError(k.msgTroppiParametri + nome, true);
}

// The optional parts are recognised by their kinds in a fixed order; a part that is
// missing keeps the current size and colour, and gives an empty name and a plain style.
void CmdCarattere(bool Esegui, ListaArgomenti& a, const std::string&) {
  if (!Esegui) return;
  TDatiGlob& g = DatiGlob;
  int i = 0;
  TFont* font = &g.CarattereCorrente;
  if (IsGrafico(a.Valore(0))) {
    cValoreGraf* oggetto = Memorizzato(a.Valore(0));
    if (!oggetto) return;
    font = &oggetto->Font;
    i = 1;
  }
  std::string nomeFont;
  if (a.Tipo(i) == T_STRINGA) nomeFont = a.Testo(i++);
  int dimensione = font->Size;
  if (a.Tipo(i) == T_REALE) dimensione = Intero(a.Numero(i++));
  TFontStyles stile = 0;
  const TFontStyle stili[4] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
  for (int s = 0; s < 4 && a.Tipo(i) == T_BOOLEANO; ++s, ++i)
    if (static_cast<const cValoreBool*>(a.Valore(i))->Value) stile = static_cast<TFontStyles>(stile | stili[s]);
  TColor colore = font->Color;
  if (a.Tipo(i) == T_REALE) colore = IndiceAColore(Intero(a.Numero(i)));
  font->Name = nomeFont;
  font->Size = dimensione;
  font->Style = stile;
  font->Color = colore;
}

// What both frame statements do after their own settings.
void ApplicaRiferimento(cRifCart& r) {
  TDatiGlob& g = DatiGlob;
  r.Pen = g.PennaCorrente;
  r.Brush = g.PennelloCorrente;
  r.Rettangolo = {0, 0, g.AreaRifCart.ClientWidth, g.AreaRifCart.ClientHeight};
  Finestra().MostraRighelli(false);
  r._bAssi = true;
}

void CmdRifCart(bool Esegui, ListaArgomenti& a, const std::string&) {
  if (!Esegui) return;
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  cRifCart* rif = g.RifCart;
  if (!rif) return;
  const TServiziPunto& punti = ServiziPunto();
  const bool conPunto = a.Tipo(0) == T_PUNTO && punti.Posizione;
  const int primo = conPunto ? 1 : 0;
  const int numeri = a.Count() - primo;
  bool forma = numeri == 0 || (numeri == 2 && a.Tipo(primo) == T_REALE && a.Tipo(primo + 1) == T_REALE);
  // A unit of no pixels would make every world coordinate of the area infinite.
  if (forma && numeri == 2 && (a.Numero(primo) == 0 || a.Numero(primo + 1) == 0)) forma = false;
  if (!forma) {
    ReportError(k.msgParametriErrati + k.RIFCART, true);
    return;
  }
  cValore* puntoMemorizzato = nullptr;
  TPuntoMondo posizione{0, 0};
  if (conPunto) {
    const cValore& arg = *a.Valore(0);
    const std::string nomePunto = arg.Nome.empty() ? "$" + std::to_string(g.ContatoreOggetti) : arg.Nome;
    if (g.ListaVariabili)
      if (cVariabile* var = g.ListaVariabili->Cerca(nomePunto)) puntoMemorizzato = var->GetValore();
    punti.Posizione(puntoMemorizzato ? *puntoMemorizzato : arg, posizione);
  }
  // Both read in the frame as it was before the statement.
  const Reale origineX = conPunto ? rif->XPixel(posizione.x) : g.AreaRifCart.ClientWidth / 2;
  const Reale origineY = conPunto ? rif->YPixel(posizione.y) : g.AreaRifCart.ClientHeight / 2;
  ApplicaRiferimento(*rif);
  rif->__AsseX = origineX;
  rif->__AsseY = origineY;
  if (numeri == 2) {
    rif->_TaccaX = std::fabs(a.Numero(primo));
    rif->_TaccaY = std::fabs(a.Numero(primo + 1));
  }
  rif->AsseXIniziale = rif->__AsseX;
  rif->AsseYIniziale = rif->__AsseY;
  rif->_bxAnalisi = false;
  if (puntoMemorizzato && punti.ImpostaPosizione) {
    punti.ImpostaPosizione(*puntoMemorizzato, TPuntoMondo{0, 0});
    if (auto* p = dynamic_cast<cValoreGraf*>(puntoMemorizzato)) p->bCoordCartesiane = true;
  }
  RidisegnaRifCart();
}

void CmdRifCart1(bool Esegui, ListaArgomenti& a, const std::string&) {
  if (!Esegui) return;
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  Reale finestra[4] = {-10, -10, 10, 10};
  int i = 0;
  for (; i < 4 && a.Tipo(i) == T_REALE; ++i) finestra[i] = a.Numero(i);
  bool adatta = false;
  bool forma = i == a.Count() || a.Tipo(i) == T_BOOLEANO;
  if (forma && a.Tipo(i) == T_BOOLEANO) adatta = static_cast<const cValoreBool*>(a.Valore(i))->Value;
  // The analysis mapping divides by the window's width and height.
  if (forma && !(finestra[0] < finestra[2] && finestra[1] < finestra[3])) {
    ReportError(k.msgParametriNonValidi + k.RIFCART1, true);
    return;
  }
  if (!forma) {
    ReportError(k.msgParametriErrati + k.RIFCART1, true);
    return;
  }
  cRifCart* rif = g.RifCart;
  if (!rif) return;
  ApplicaRiferimento(*rif);
  rif->_TaccaX = rif->_TaccaY = 30;
  rif->_bAdattaAllaFunzione = adatta;
  rif->_bxAnalisi = true;
  rif->__AsseX = rif->AsseXIniziale = g.AreaRifCart.ClientWidth / 2;
  rif->__AsseY = rif->AsseYIniziale = g.AreaRifCart.ClientHeight / 2;
  rif->_xa = finestra[0];
  rif->_ya = finestra[1];
  rif->_xb = finestra[2];
  rif->_yb = finestra[3];
  RidisegnaRifCart();
}

void CmdRifCart3D(bool Esegui, ListaArgomenti&, const std::string&) {
  if (!Esegui) return;
  if (CreaRifCart3D()) CreaRifCart3D()();
  Finestra().MostraVista(true);
}

// Waits `ms` milliseconds of the window's clock, blocked on events; a stop ends it early.
void AttendiMs(std::uint64_t ms) {
  WindowServices& f = Finestra();
  const std::uint64_t inizio = f.Millisecondi();
  for (;;) {
    const std::uint64_t trascorsi = f.Millisecondi() - inizio;
    if (trascorsi >= ms || DatiGlob.bStop || f.InChiusura()) return;
    f.AttendiEventi(static_cast<int>(std::min<std::uint64_t>(ms - trascorsi, 50)));
  }
}

void CmdPausa(bool Esegui, ListaArgomenti& a, const std::string&) {
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  if (!Esegui) return;
  WindowServices& f = Finestra();
  if (a.Vuota()) {
    f.MostraContinua(true);
    g.bContinua = false;
    // The stop command sets bContinua as well.
    while (!g.bContinua && !f.InChiusura()) f.AttendiEventi(50);
    f.MostraContinua(false);
    return;
  }
  if (a.Tipo(0) != T_REALE) {
    ReportError(k.msgParametroNonValido + k.PAUSA, true);
    return;
  }
  const Reale ms = std::trunc(a.Numero(0));
  AttendiMs(ms > 0 ? static_cast<std::uint64_t>(std::min<Reale>(ms, 1e12L)) : 0);
  if (a.Count() > 1) ReportError(k.msgTroppiParametri + k.PAUSA, true);
}

void CmdSuona(bool Esegui, ListaArgomenti& a, const std::string&) {
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  if (a.Vuota()) {
    ReportError(k.msgMancaParametro + k.SUONA, true);
    return;
  }
  if (!Esegui) return;
  if (a.Tipo(0) != T_STRINGA) {
    ReportError(k.msgParametroNonValido + k.SUONA, true);
    return;
  }
  // The name is always taken inside the program folder, with one separator between.
  std::string nome = a.Testo(0);
  std::replace(nome.begin(), nome.end(), '\\', '/');
  const std::size_t inizioNome = nome.find_first_not_of('/');
  nome.erase(0, inizioNome == std::string::npos ? nome.size() : inizioNome);
  // Found whatever the case of its letters, as on the desktop the programs come from.
  const std::string percorso = PercorsoSenzaMaiuscole(g.CartellaProgramma, nome);
  // A file that cannot be opened is not an error of the program.
  if (!Finestra().SuonaFile(percorso)) Finestra().ImpostaCursore(crDefault);
  if (a.Count() > 1) ReportError(k.msgTroppiParametri + k.SUONA, true);
}

// The semitone of a note name; -1 for a name the language does not know.
int Semitono(const std::string& nota) {
  static const std::pair<const char*, int> note[] = {{"DO", 0}, {"RE", 2},  {"MI", 4}, {"FA", 5},
                                                      {"SOL", 7}, {"LA", 9}, {"SI", 11}};
  for (const auto& [n, s] : note)
    if (nota == n) return s;
  return -1;
}

void CmdSuonaNota(bool Esegui, ListaArgomenti& a, const std::string&) {
  TDatiGlob& g = DatiGlob;
  if (a.Vuota()) {
    ReportError("Mancano un parametri per " + ParoleChiave.SUONANOTA, true);
    return;
  }
  if (!Esegui) return;
  int i = 0;
  if (a.Tipo(i) == T_REALE) ++i;  // accepted and not used
  // Without a name the note is DO; a name the language does not know keeps the last one.
  int semitono = 0;
  if (a.Tipo(i) == T_STRINGA) semitono = Semitono(a.Testo(i++));
  Reale durata = 300;
  if (a.Tipo(i) == T_REALE) durata = std::trunc(a.Numero(i));
  TMidiGen* midi = Finestra().MidiGen();
  if (midi) {
    if (semitono >= 0) midi->SetNote(semitono);
    midi->Play();
  }
  g.bSuonoFermato = false;
  WindowServices& f = Finestra();
  const std::uint64_t inizio = f.Millisecondi();
  const std::uint64_t ms = durata > 0 ? static_cast<std::uint64_t>(std::min<Reale>(durata, 1e12L)) : 0;
  for (;;) {
    const std::uint64_t trascorsi = f.Millisecondi() - inizio;
    if (trascorsi >= ms || g.bSuonoFermato || g.bStop || f.InChiusura()) break;
    f.AttendiEventi(static_cast<int>(std::min<std::uint64_t>(ms - trascorsi, 20)));
  }
  // The note sounds its own length, as the player plays it; only a stopped run cuts it short.
  if (midi && (g.bSuonoFermato || g.bStop || f.InChiusura())) midi->Stop();
}

}  // namespace

void detail::RegistraComandiDisegno() {
  RegistraIstruzione("CmdColore", CmdColore);
  RegistraIstruzione("CmdStile", CmdStile);
  RegistraIstruzione("CmdTraccia", CmdTraccia);
  RegistraIstruzione("CmdColoreRGB", CmdColoreRGB);
  RegistraIstruzione("CmdStilePenna", CmdStilePenna);
  RegistraIstruzione("CmdCarattere", CmdCarattere);
  RegistraIstruzione("CmdRifCart", CmdRifCart);
  RegistraIstruzione("CmdRifCart1", CmdRifCart1);
  RegistraIstruzione("CmdRifCart3D", CmdRifCart3D);
  RegistraIstruzione("CmdPausa", CmdPausa);
  RegistraIstruzione("CmdSuona", CmdSuona);
  RegistraIstruzione("CmdSuonaNota", CmdSuonaNota);
}

}  // namespace qx
