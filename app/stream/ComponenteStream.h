// One record of the toolkit's binary property stream held in memory: a component's class
// name, its component name and its properties, each a name and a tagged value. Readers
// parse a whole record into this form before anything looks at it, so a damaged record is
// refused before any object is touched; writers build one and write it out in one go.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// The value tags of the stream, in the toolkit's numbering.
enum class TValueType : std::uint8_t {
  vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue,
  vaBinary, vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString,
  vaInt64, vaUTF8String
};
constexpr int kUltimoValueType = static_cast<int>(TValueType::vaUTF8String);

struct TProprieta;
struct TValoreStream;

// One item of a collection: an optional order number, then the item's properties.
struct TElementoCollezione {
  bool bOrdine = false;
  std::int64_t Ordine = 0;
  std::vector<TProprieta> Proprieta;
};

// A tagged value. Only the fields of its tag are meaningful:
// - integers (vaInt8 .. vaInt64): `Intero`; a writer picks the smallest signed size itself;
// - vaCurrency: `Intero`, the amount times 10000;
// - vaExtended, vaSingle, vaDate: `Reale` (a single or a double widens exactly);
// - vaString, vaLString, vaWString, vaUTF8String, vaIdent: `Testo` in UTF-8; a writer
//   picks the short or the long string by the byte length in the file's code page;
// - vaBinary: `Testo` holds the bytes as they are;
// - vaSet: `Insieme`, the member identifiers; vaList: `Lista`; vaCollection: `Collezione`;
// - vaFalse, vaTrue, vaNil, vaNull: nothing more.
struct TValoreStream {
  TValueType Tipo = TValueType::vaNil;
  std::int64_t Intero = 0;
  long double Reale = 0;
  std::string Testo;
  std::vector<std::string> Insieme;
  std::vector<TValoreStream> Lista;
  std::vector<TElementoCollezione> Collezione;

  static TValoreStream DiIntero(std::int64_t v);
  static TValoreStream DiExtended(long double v);
  static TValoreStream DiSingle(float v);
  static TValoreStream DiStringa(std::string v);
  static TValoreStream DiIdent(std::string v);
  static TValoreStream DiBooleano(bool v);
  static TValoreStream DiSet(std::vector<std::string> membri);
  static TValoreStream DiNil();

  bool IsIntero() const;
  bool IsReale() const;  // any tag that carries a number
  bool IsStringa() const;
  bool IsBooleano() const { return Tipo == TValueType::vaFalse || Tipo == TValueType::vaTrue; }
  // The number an integer, real, currency or date tag carries.
  long double Numero() const;
};

struct TProprieta {
  std::string Nome;  // a property of a nested object carries its path: "Pen.Color"
  TValoreStream Valore;
};

struct TComponenteStream {
  std::string Classe;
  std::string NomeComponente;
  std::vector<TProprieta> Proprieta;
  // Owned components written inside this one; the system's own records never have any.
  std::vector<TComponenteStream> Figli;

  // The first property of that name, or nullptr.
  const TProprieta* Cerca(std::string_view nome) const;
  // Appends a property.
  void Aggiungi(std::string nome, TValoreStream valore) { Proprieta.push_back({std::move(nome), std::move(valore)}); }
};

}  // namespace qx
