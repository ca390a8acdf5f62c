// The space values (kinds 42 to 60) in program files. Their classes belong to the solid
// geometry, which sits above this layer: what the files need of them is their stored fields
// as plain data (`TCampiSpazio`), read from a value and written back into one through an
// accessor that the application registers per kind beside the value's maker
// (values/RegistroSpazio.h). The fields of each class and their order are a table here.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/stream/ComponenteStream.h"
#include "platform/Graphics.h"
#include "values/Valori.h"

namespace qx {

enum class TTipoCampoSpazio { Reale, Booleano, Intero, Testo, Punti3D, Nomi };

struct TCampoSpazio {
  std::string_view Nome;
  TTipoCampoSpazio Tipo;
};

struct TClasseSpazio {
  std::string_view Classe;
  // The other class a kind may be written as (a pyramid built by a statement is a
  // polyhedron); empty when there is none.
  std::string_view AltraClasse;
  // Position, angles and up vector (singles) follow the drawable part; not for groups.
  bool Graf3D = true;
  // The fields the class lists, in file order.
  std::vector<TCampoSpazio> Campi;
  // What the value needs besides them (a line's length, a solid's bases): ours.
  std::vector<TCampoSpazio> Nostri = {};
};

// The class of a space kind, or nullptr.
const TClasseSpazio* ClasseSpazioDiTipo(TipiValore tipo);

// The stored fields of one space value. Read from a file, they are the fields of the value
// the kind's constructor makes (every size 1, a plane 10 x 10) with the record's properties
// over them. The three components of the up vector always travel together: whoever writes
// them into a scene object sets the whole vector at once, so that a loaded value points
// where the saved one did.
struct TCampiSpazio {
  std::string Classe;  // the class it is written as; empty: the kind's own
  float Posx = 0, Posy = 0, Posz = 0, RollAngle = 0, TurnAngle = 0, Upx = 0, Upy = 0, Upz = 0;
  // False when the record holds no up vector: the value keeps its constructor's orientation.
  bool ConAlto = true;
  // The direction, written (after the up vector) only when the up vector alone would not
  // bring it back: a reader that knows only the old properties skips it.
  bool ConDirezione = false;
  float Dirx = 0, Diry = 0, Dirz = 0;
  std::map<std::string, long double, std::less<>> Reali;
  std::map<std::string, bool, std::less<>> Booleani;
  std::map<std::string, int, std::less<>> Interi;
  std::map<std::string, std::string, std::less<>> Testi;
  std::vector<TPunto3D> Punti;    // the points of a face (`_Punti`)
  std::vector<std::string> Nomi;  // the member names of a group (`_Vett`)
};

struct TAccessoSpazio {
  // The fields of a value (a face first copies its points from its polygon).
  std::function<void(const cValore&, TCampiSpazio&)> Leggi;
  // Writes the fields read from a file into a new value, then refreshes its colour; a face
  // rebuilds its polygon from its points.
  std::function<void(cValore&, const TCampiSpazio&)> Scrivi;
  // Makes the value a record's fields describe (its class, its sizes); when unset, the
  // kind's maker of values/RegistroSpazio.h makes it.
  std::function<std::unique_ptr<cValore>(const TCampiSpazio&)> Crea;
};

// Registers the accessor of a space kind (false for a kind outside 42..60).
bool RegistraAccessoSpazio(TipiValore tipo, TAccessoSpazio accesso);
void SvuotaAccessiSpazio();

struct TStile;
// The record of a space value, for a reader whose current drawing state will be `corrente`
// (nullptr: unknown, every property is written). With `aggiunte`, the value's record holds
// only its kind's class and the properties that class lists, and what the value needs
// besides (the direction where the up vector does not give it, the other class a pyramid
// was made as and its fields, `Nostri`) is appended to `aggiunte`; without it, all of that
// is in the value's record.
TComponenteStream RecordDiValoreSpazio(const cValore& v, const TStile* corrente = nullptr,
                                       TComponenteStream* aggiunte = nullptr);
// The drawing state after a space value is read from its record: its pen and font over the
// current ones, its brush over the fill brush (what its constructor gives it).
TStile StileDopoValoreSpazio(const TComponenteStream& r, const TStile& corrente);
// A space value made from its record and, when there is one, the record of the rest (its
// maker and accessor must be registered). Raises EReadError.
std::unique_ptr<cValore> ValoreSpazioDaRecord(const TComponenteStream& r, TipiValore tipo,
                                              const TComponenteStream* aggiunte = nullptr);

}  // namespace qx
