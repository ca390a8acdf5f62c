#include "tests/files/Lavoro.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "interpreter/LatoMouse.h"
#include "runstate/DatiGlob.h"
#include "values/ValoriScalari.h"

namespace qx::test {

void Lavoro::TearDown() {
  if (!cartella_.empty()) {
    ::chmod(cartella_.c_str(), 0755);
    std::error_code e;
    std::filesystem::remove_all(cartella_, e);
  }
}

bool Lavoro::Esegui(const std::string& programma) {
  const Esito e = run.Esegui(programma);
  EXPECT_TRUE(e.riuscito) << e.riga << " " << e.errore;
  testo_ = programma;
  stampa_.clear();
  for (const auto& riga : e.output) stampa_ += (stampa_.empty() ? "" : "\r\n") + riga;
  return e.riuscito;
}

TStatoProgramma Lavoro::Stato() {
  TStatoProgramma s;
  s.Testo = testo_;
  s.Stampa = stampa_;
  s.PuntiTraccia = DatiGlob.PuntiTraccia;
  s.ContatoreOggetti = DatiGlob.ContatoreOggetti;
  s.RifCart = run.ambiente.RifCart();
  s.Variabili = &run.ambiente.Variabili();
  return s;
}

std::string Lavoro::Apri(const std::string& dati) {
  TProgrammaLetto letto;
  std::string motivo;
  if (!LeggiProgramma(dati, letto, motivo)) return motivo;
  run.ambiente.InizializzaAmbiente();
  if (piani_) AggiungiPiani();
  ApplicaProgramma(letto, run.ambiente.Variabili(), *run.ambiente.RifCart(), DatiGlob.PuntiTraccia);
  testo_ = letto.Testo;
  stampa_ = letto.Stampa;
  return "";
}

void Lavoro::AggiungiPiani() {
  piani_ = true;
  for (const char* nome : {"PIANOXY", "PIANOXZ", "PIANOYZ"}) {
    auto v = std::make_unique<cValoreStringa>(std::string("piano"));
    v->Nome = nome;
    run.ambiente.Variabili().Aggiungi(std::make_unique<cVariabile>(nome, std::move(v)));
  }
}

std::string Lavoro::Nomi() {
  std::string r;
  const cListaVariabili& t = run.ambiente.Variabili();
  for (int i = t.Count(); i >= 1; --i) r += (r.empty() ? "" : " ") + t.Elemento(i)->Nome;
  return r;
}

void Lavoro::TrascinaDiagramma() {
  auto px = [](Reale x, Reale y) { return DatiGlob.RifCart->CartInPixel({x, y}); };
  run.finestra.Quando([] { return DatiGlob.bAttesaDiagramma; }, [px] {
    MousePremuto(px(-5, 5));
    MouseMosso(px(0, 0));
    MouseRilasciato(px(5, -3));
  });
}

int Lavoro::Conta(const std::string& dati, const std::string& cosa) {
  int n = 0;
  for (std::size_t p = dati.find(cosa); p != std::string::npos; p = dati.find(cosa, p + 1)) ++n;
  return n;
}

std::size_t Lavoro::Posizione(const std::string& dati, const std::string& cosa, int n) {
  std::size_t p = dati.find(cosa);
  for (int i = 1; i < n && p != std::string::npos; ++i) p = dati.find(cosa, p + 1);
  return p == std::string::npos ? dati.size() : p;
}

const std::string& Lavoro::Cartella() {
  if (cartella_.empty()) {
    std::string modello = (std::filesystem::temp_directory_path() / "quorix-file-XXXXXX").string();
    if (::mkdtemp(modello.data()) == nullptr) throw std::runtime_error("no scratch folder");
    cartella_ = modello;
  }
  return cartella_;
}

std::size_t Lavoro::FileNellaCartella() {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(Cartella())) ++n;
  return n;
}

void Lavoro::ScriviFile(const std::string& percorso, const std::string& dati) {
  std::ofstream(percorso, std::ios::binary) << dati;
}

std::string Lavoro::LeggiFile(const std::string& percorso) {
  std::ifstream f(percorso, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void Lavoro::SolaLettura(const std::string& cartella) { ::chmod(cartella.c_str(), 0555); }

std::string Lavoro::ComeUtenteComune(const std::function<std::string()>& azione) {
  if (::geteuid() != 0) return azione();
  int tubo[2];
  if (::pipe(tubo) != 0) return "<pipe>";
  const pid_t figlio = ::fork();
  if (figlio == 0) {
    ::close(tubo[0]);
    std::string r = "<setuid>";
    if (::setgid(65534) == 0 && ::setuid(65534) == 0) r = azione();
    const ssize_t scritti = ::write(tubo[1], r.data(), r.size());
    ::_exit(scritti == static_cast<ssize_t>(r.size()) ? 0 : 1);
  }
  ::close(tubo[1]);
  std::string r;
  char buf[512];
  for (ssize_t n; (n = ::read(tubo[0], buf, sizeof buf)) > 0;) r.append(buf, static_cast<std::size_t>(n));
  ::close(tubo[0]);
  int stato = 0;
  ::waitpid(figlio, &stato, 0);
  return r;
}

}  // namespace qx::test
