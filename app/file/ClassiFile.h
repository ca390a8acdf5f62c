// What each value class stores in a program file: its class name and its published
// properties in file order, base class first, each with how it is written and how it is
// read back.
//
// Reading makes each value as a statement would (the current pen, brush and font) and reads
// the record into it: a property that the record leaves out keeps what the constructor
// gave. Writing leaves a property out where the toolkit's stream does (a real equal to 0,
// an empty string, a pen or brush property equal to its declared default: black, copy,
// solid, width 1; white, solid) only when the reader's constructor gives that same value;
// otherwise it is written, so that nothing comes back changed.
#pragma once
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "app/stream/ComponenteStream.h"
#include "app/stream/Reader.h"
#include "values/Collezioni.h"
#include "values/Valori.h"

namespace qx {

class cRifCart;

struct TCampoFile {
  std::string_view Nome;
  // Appends the property unless the omission rules leave it out. `predefinito` is the value
  // the reader's constructor makes (same class and kind, with the pen, brush and font that
  // will be current); nullptr when that is not known: then the property is always written.
  std::function<void(const cValore&, const cValore* predefinito, TComponenteStream&)> Scrivi;
  // Reads the property's value; a value of the wrong kind raises EReadError. Empty for a
  // property that the class reads in `Completa`.
  std::function<void(cValore&, const TValoreStream&)> Leggi;
};

// The drawing state a loaded value is made with: the current pen, brush and font (and the
// fill brush that space values take), as a reset of the environment leaves them and as each
// drawable value read hands its own on.
struct TStile {
  TPen Penna;
  TBrush Pennello;
  TFont Carattere;
  TBrush PennelloColore;
};
// The state right after a reset of the environment.
TStile StileDopoReset();
// Whether a value read from a file makes its pen, brush and font the current ones (the
// drawable values above the plane-geometry marker), and that hand-over.
bool PassaStile(const cValore& v);
void ApplicaStile(const cValore& v, TStile& stile);

struct TClasseFile {
  std::string_view Classe;
  // A drawable value: Pen, Brush, Font and varGruppo follow Tipo and Nome.
  bool Grafico = false;
  std::vector<TCampoFile> Campi;
  // A new value of a kind of this class, ready to be filled from its record.
  std::function<std::unique_ptr<cValore>(TipiValore tipo, TipiPoligono tipoPol, TipiLista tipoLista)> Crea;
  // Reads what the fields leave to the class and checks that the value holds together.
  std::function<void(cValore&, const TComponenteStream&)> Completa;
};

// The class that stores values of a kind (plane figures, scalars, vectors, matrices,
// functions, lists and charts); nullptr for markers, space kinds and T_SCRITTURA's like.
const TClasseFile* ClasseDiTipo(TipiValore tipo);
// The frame's class, "cRifCart".
const TClasseFile& ClasseRifCart();

// The record of a value (of a kind that ClasseDiTipo knows), for a reader whose current
// drawing state will be `corrente` (nullptr: unknown, every property is written).
TComponenteStream RecordDiValore(const cValore& v, const TStile* corrente = nullptr);
// The frame's record: it is read into the frame a reset made, so every property is written.
TComponenteStream RecordDiRifCart(const cRifCart& r);

// Writes the common part (Tipo, Nome, then Pen, Brush, Font, varGruppo of a drawable
// value) and the fields, in file order; `predefinito` as in TCampoFile::Scrivi.
void ScriviProprieta(const cValore& v, const TClasseFile& classe, TComponenteStream& r,
                     const cValore* predefinito);
// Reads every property of the record that the class knows (Tipo excepted) into the value;
// absent ones keep what the value holds; unknown ones are skipped. Raises EReadError.
void LeggiProprieta(cValore& v, const TClasseFile& classe, const TComponenteStream& r);

// A value made from its record: the record's class must be the kind's class, and its own
// Tipo, when present, a kind of that class. Raises EReadError.
std::unique_ptr<cValore> ValoreDaRecord(const TComponenteStream& r, TipiValore tipo, TipiPoligono tipoPol,
                                        TipiLista tipoLista);

// The kind a record names in its Tipo property, or `altrimenti` when it has none.
TipiValore TipoDelRecord(const TComponenteStream& r, TipiValore altrimenti);

class cValoreLista;
// A list place that is stored as a record of its own; any other place (empty, or a value
// with no record of its kind) is an item whose reference is nil. An empty place of a list of
// functions is stored as an empty function, and an empty function read back is an empty
// place.
bool MembroConRecord(const cValoreLista& l, const cValoreGraf* e);
// The record of a place for which MembroConRecord holds.
TComponenteStream RecordDiMembro(const cValoreLista& l, const cValoreGraf* e, const TStile* corrente);

// The first property of that name, letter case ignored as the toolkit does; nullptr.
const TProprieta* CercaProprieta(const TComponenteStream& r, std::string_view nome);

// Readers of single values for the other record kinds; each raises EReadError naming the
// property when the value has the wrong kind.
long double LeggiReale(const TValoreStream& v, std::string_view proprieta);
int LeggiIntero(const TValoreStream& v, std::string_view proprieta);
bool LeggiBooleano(const TValoreStream& v, std::string_view proprieta);
std::string LeggiTesto(const TValoreStream& v, std::string_view proprieta);
std::string LeggiIdent(const TValoreStream& v, std::string_view proprieta);
void ControllaCollezione(const TValoreStream& v, std::string_view proprieta);
[[noreturn]] void ErroreProprieta(std::string_view proprieta);
// Collections of points (items x, y) and of strings (items val).
TValoreStream ValoreCollezionePunti(const TCollPunti& punti);
TCollPunti LeggiCollezionePunti(const TValoreStream& v, std::string_view proprieta);
TValoreStream ValoreCollezioneStringhe(const std::vector<std::string>& valori);
std::vector<std::string> LeggiCollezioneStringhe(const TValoreStream& v, std::string_view proprieta);

}  // namespace qx
