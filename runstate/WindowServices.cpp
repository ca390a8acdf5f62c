#include "runstate/WindowServices.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

namespace qx {

WindowServices::~WindowServices() = default;

void WindowServices::AttendiEventi(int maxMs) {
  std::this_thread::sleep_for(std::chrono::milliseconds(maxMs > 0 ? maxMs : 1));
  ElaboraMessaggi();
}

std::uint64_t WindowServices::Millisecondi() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

std::uint64_t MillisecondiPompa() {
  timespec t;
  if (clock_gettime(CLOCK_MONOTONIC_COARSE, &t) != 0) clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<std::uint64_t>(t.tv_sec) * 1000 + static_cast<std::uint64_t>(t.tv_nsec) / 1000000;
}

bool WindowServices::EsisteCartella(const std::string& percorso) {
  std::error_code ec;
  return std::filesystem::is_directory(percorso, ec);
}

namespace detail {
static WindowServices gNessunaFinestra;
WindowServices* gFinestra = &gNessunaFinestra;
int gMessaggiIgnorati = 0;
std::uint64_t gMessaggiElaborati = 0;

void ChiamaElaboraMessaggi() {
  ++gMessaggiElaborati;
  WindowServices* finestra = gFinestra;
  const int ignorati = finestra->ElaboraMessaggi();
  // A window put in place meanwhile is asked at the next token (see ImpostaFinestra).
  if (gFinestra == finestra) gMessaggiIgnorati = std::max(0, ignorati);
}
}  // namespace detail

WindowServices& Finestra() { return *detail::gFinestra; }

void ImpostaFinestra(WindowServices* servizi) {
  detail::gFinestra = servizi ? servizi : &detail::gNessunaFinestra;
  // The new window is asked at the next token: what the old one would ignore says nothing.
  detail::gMessaggiIgnorati = 0;
}

void Attendi(int ms) {
  WindowServices& f = Finestra();
  const std::uint64_t inizio = f.Millisecondi();
  // At least one step, even for 0 ms; each step blocks for at most 1 ms.
  do {
    f.AttendiEventi(1);
  } while (f.Millisecondi() - inizio <= static_cast<std::uint64_t>(ms < 0 ? 0 : ms) && !f.InChiusura());
}

void ComandoContinua() { DatiGlob.bContinua = true; }

void ComandoPassoSuccessivo() { DatiGlob.bAttesaPasso = false; }

}  // namespace qx
