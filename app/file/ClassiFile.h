// What each value class stores in a program file: its class name and its published
// properties in file order, base class first, each with how it is written, how it is read
// back and what it is when the file does not hold it.
//
// Omission rules of the writer: a real equal to 0 and an empty string are not written; the
// pen and the brush leave out what equals the toolkit's declared defaults (black, copy,
// solid, width 1; white, solid); every other ordinal, set and collection is always
// written. The reader takes an absent property to be what it was omitted for (0, empty,
// the declared default); anything else absent keeps the constructor's default.
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
  // Appends the property unless the omission rules leave it out.
  std::function<void(const cValore&, TComponenteStream&)> Scrivi;
  // Reads the property's value; a value of the wrong kind raises EReadError. Empty for a
  // property that the class reads in `Completa`.
  std::function<void(cValore&, const TValoreStream&)> Leggi;
  // Sets what the property is when the file does not hold it; empty: keep the default.
  std::function<void(cValore&)> Assente;
};

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

// The record of a value (of a kind that ClasseDiTipo knows).
TComponenteStream RecordDiValore(const cValore& v);
TComponenteStream RecordDiRifCart(const cRifCart& r);

// Writes the common part (Tipo, Nome, then Pen, Brush, Font, varGruppo of a drawable
// value) and the fields, in file order.
void ScriviProprieta(const cValore& v, const TClasseFile& classe, TComponenteStream& r);
// Reads every property that the class knows (Tipo excepted) into the value, absent ones
// as the omission rules say; unknown ones are skipped. Raises EReadError.
void LeggiProprieta(cValore& v, const TClasseFile& classe, const TComponenteStream& r);

// A value made from its record: the record's class must be the kind's class, and its own
// Tipo, when present, a kind of that class. Raises EReadError.
std::unique_ptr<cValore> ValoreDaRecord(const TComponenteStream& r, TipiValore tipo, TipiPoligono tipoPol,
                                        TipiLista tipoLista);

// The kind a record names in its Tipo property, or `altrimenti` when it has none.
TipiValore TipoDelRecord(const TComponenteStream& r, TipiValore altrimenti);

// A list member that is stored as a record of its own; any other place (empty, or a value
// with no record of its kind) is stored as an empty place.
bool MembroConRecord(const cValoreGraf* e);

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
