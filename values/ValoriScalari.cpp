#include "values/ValoriScalari.h"

namespace qx {

namespace {
// A free list of number blocks; the blocks are never returned to the system, and at most a
// few hundred are alive at once (the depth of the expressions being evaluated).
struct BloccoLibero {
  BloccoLibero* successivo;
};
BloccoLibero* gLiberi = nullptr;
}  // namespace

#ifdef QUORIX_SENZA_POOL
constexpr bool kPool = false;
#else
constexpr bool kPool = true;
#endif

void* cValoreReale::operator new(std::size_t n) {
  if (!kPool || n != sizeof(cValoreReale) || gLiberi == nullptr) return ::operator new(n);
  BloccoLibero* b = gLiberi;
  gLiberi = b->successivo;
  return b;
}

void cValoreReale::operator delete(void* p, std::size_t n) noexcept {
  if (p == nullptr) return;
  if (!kPool || n != sizeof(cValoreReale)) {
    ::operator delete(p, n);
    return;
  }
  auto* b = static_cast<BloccoLibero*>(p);
  b->successivo = gLiberi;
  gLiberi = b;
}

cValoreReale::cValoreReale() {
  Tipo = T_REALE;
  NomeTipo = "Numero";
}

cValoreStringa::cValoreStringa() {
  Tipo = T_STRINGA;
  NomeTipo = "Stringa";
}

cValoreBool::cValoreBool() {
  Tipo = T_BOOLEANO;
  NomeTipo = "Logico";
}

cValoreGrado::cValoreGrado() {
  Tipo = T_GRADO;
  NomeTipo = "MisuraAng";
}

void cValoreGrado::CopiaIn(cValoreGrado& Dest) const {
  Dest.Gradi = Gradi;
  Dest.Primi = Primi;
  Dest.Secondi = Secondi;
}

// "MisuraAng: alfa30° 15' 7.5"": no blank between the name and the degrees.
void cValoreGrado::Descrizione(int, std::string& Testo) const {
  Testo = IntestazioneDescrizione() + NumeroInTesto(Gradi) + "° " + NumeroInTesto(Primi) + "' " +
          NumeroInTestoDec(Secondi, 2) + "\"";
}

cValoreArchivio::cValoreArchivio() {
  Tipo = T_ARCHIVIO;
  NomeTipo = "Archivio";
}

cValoreArchivio::cValoreArchivio(const cValoreArchivio& altro) : cValore(altro) {
  if (altro.Tabella) altro.Copy(*this);
}

void cValoreArchivio::Copy(cValoreArchivio& Dest) const {
  if (!Dest.Tabella) Dest.Tabella = std::make_unique<TTabellaArchivio>();
  if (Tabella) *Dest.Tabella = *Tabella;
}

}  // namespace qx
