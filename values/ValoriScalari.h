// Numbers, strings, logical values, angle measures and database tables: thin holders; the
// interpreter does the arithmetic and the statements on them.
#pragma once
#include <memory>
#include <string>

#include "values/Valori.h"

namespace qx {

class cValoreReale : public cValore {
 public:
  // Numbers are made and copied at every step of an expression: their value is set and copied
  // as bytes (see CopiaReale).
  cValoreReale();
  explicit cValoreReale(Reale v);
  cValoreReale(const cValoreReale& v) : cValore(v) { CopiaReale(Value, v.Value); }
  Reale Value;
  Reale Leggi() const { return Value; }
  void Scrivi(Reale x) { Value = x; }
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cValoreReale>(*this); }

  // Numbers are made and dropped at every step of an expression: they reuse their blocks.
  static void* operator new(std::size_t n);
  static void operator delete(void* p, std::size_t n) noexcept;
};

class cValoreStringa : public cValore {
 public:
  cValoreStringa();
  explicit cValoreStringa(std::string v) : cValoreStringa() { Value = std::move(v); }
  std::string Value;
  void Leggi(std::string& s) const { s = Value; }
  void Scrivi(const std::string& s) { Value = s; }
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cValoreStringa>(*this); }

  static void* operator new(std::size_t n);
  static void operator delete(void* p, std::size_t n) noexcept;
};

class cValoreBool : public cValore {
 public:
  cValoreBool();
  explicit cValoreBool(bool v) : cValoreBool() { Value = v; }
  bool Value = false;
  bool Leggi() const { return Value; }
  void Scrivi(bool b) { Value = b; }
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cValoreBool>(*this); }

  static void* operator new(std::size_t n);
  static void operator delete(void* p, std::size_t n) noexcept;
};

// An angle measure in degrees, minutes and seconds.
class cValoreGrado : public cValore {
 public:
  cValoreGrado();
  Reale Gradi = 0, Primi = 0, Secondi = 0;
  void CopiaIn(cValoreGrado& Dest) const;
  void Descrizione(int n, std::string& Testo) const override;
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cValoreGrado>(*this); }
};

// What an archive value knows of its database table: the folder, the table's name and its
// type. The table's contents live in the file.
struct TTabellaArchivio {
  std::string DatabaseName;
  std::string TableName;
  std::string TableType;
};

class cValoreArchivio : public cValore {
 public:
  cValoreArchivio();
  cValoreArchivio(const cValoreArchivio& altro);
  cValoreArchivio& operator=(const cValoreArchivio&) = delete;
  // The table, created on first use.
  std::unique_ptr<TTabellaArchivio> Tabella;
  // Copies the table's names (not its contents) into Dest, creating Dest's table first.
  void Copy(cValoreArchivio& Dest) const;
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cValoreArchivio>(*this); }
};

}  // namespace qx
