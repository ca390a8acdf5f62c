#include "values/ValoriScalari.h"

#include "values/Blocchi.h"

namespace qx {

void* cValoreReale::operator new(std::size_t n) { return Blocchi<sizeof(cValoreReale)>::Prendi(n); }
void cValoreReale::operator delete(void* p, std::size_t n) noexcept { Blocchi<sizeof(cValoreReale)>::Rendi(p, n); }
void* cValoreStringa::operator new(std::size_t n) { return Blocchi<sizeof(cValoreStringa)>::Prendi(n); }
void cValoreStringa::operator delete(void* p, std::size_t n) noexcept {
  Blocchi<sizeof(cValoreStringa)>::Rendi(p, n);
}
void* cValoreBool::operator new(std::size_t n) { return Blocchi<sizeof(cValoreBool)>::Prendi(n); }
void cValoreBool::operator delete(void* p, std::size_t n) noexcept { Blocchi<sizeof(cValoreBool)>::Rendi(p, n); }

cValoreReale::cValoreReale() {
  Tipo = T_REALE;
  NomeTipo = "Numero";
  AzzeraReale(Value);
}

cValoreReale::cValoreReale(Reale v) : Value(v) {
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
