#include "controls/midi/MidiEventi.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace qx::midi {

int Limita(int low, int high, int value) {
  if (value >= low && value <= high) return value;
  return value > high ? high : low;
}

std::vector<MidiPhraseEvent> EventiNota(const TMidiProprieta& p, int key) {
  std::vector<MidiPhraseEvent> lista;
  int canale = CanalePercussioni;
  if (p.Channel != CanalePercussioni) {
    canale = p.Instrument < 128 ? p.Channel : CanalePercussioni;
    lista.push_back({0, mpeProgramChange, p.Instrument, static_cast<std::uint8_t>(canale)});
  }
  key = Limita(0, 127, key);
  // A percussion instrument chosen by Instrument sounds whatever the key.
  const int valore = canale == CanalePercussioni && p.Channel != CanalePercussioni ? p.Instrument : key;
  lista.push_back({0, mpeNoteOn, valore, static_cast<std::uint8_t>(canale)});
  lista.push_back({p.Duration, mpeNoteOff, valore, static_cast<std::uint8_t>(canale)});
  return lista;
}

// ---------------------------------------------------------------- stream buffer

namespace {

class TBuffer {
 public:
  void Aggiungi(std::uint32_t delta, std::uint32_t evento) {
    if (byte_.size() + DimensioneEvento > MaxByteBuffer) return;
    const std::uint32_t parole[3] = {delta, 0, evento};
    for (std::uint32_t w : parole)
      for (int i = 0; i < 4; ++i) byte_.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
  }
  std::vector<std::uint8_t> Prendi() { return std::move(byte_); }

 private:
  std::vector<std::uint8_t> byte_;
};

std::uint32_t Breve(int stato, int canale, int dato1, int dato2) {
  return static_cast<std::uint32_t>((stato | canale) & 0xFF) | static_cast<std::uint32_t>(dato1 & 0x7F) << 8 |
         static_cast<std::uint32_t>(dato2 & 0x7F) << 16;
}

std::uint32_t Controller(int canale, int controller, int valore) { return Breve(0xB0, canale, controller, valore); }

std::uint32_t ProgramChange(int canale, int programma) {
  return Breve(0xC0, canale, programma >= 128 ? 127 : programma, 0);
}

// Note on (velocity 127) or off (velocity 0) of one list entry, on current channel `c`.
std::uint32_t Nota(const MidiPhraseEvent& e, int c, int velocita) {
  if (e.Channel != CanalePercussioni || c == CanalePercussioni)
    return Breve(0x90, e.Channel, e.Value >= 128 ? 127 : e.Value, velocita);
  // Percussion chosen by instrument number: 128 is key 35, 174 is key 81.
  return Breve(0x90, CanalePercussioni, std::clamp(e.Value - 93, 35, 81), velocita);
}

// The pitch-bend steps placed before a note off whose delta is d.
void Glide(TBuffer& b, const TMidiProprieta& p, std::uint32_t d, int canale) {
  if (d == 0 || p.PBDuration == 0 || p.PBDelay == 100 || p.PitchBend == 0) return;
  const long long inizio = static_cast<long long>(d) * p.PBDelay / 100;
  const long long passi = (static_cast<long long>(d) - inizio) * p.PBDuration / 100;
  if (passi == 0 || passi > 8191) return;
  const long long passo = (static_cast<long long>(p.PitchBend) * 8191 / 120) / passi;
  long long valore = 8192 + passo;
  for (long long i = 0; i < passi; ++i) {
    const auto v = static_cast<int>(valore);
    b.Aggiungi(i == 0 ? static_cast<std::uint32_t>(inizio + 1) : 1, Breve(0xE0, canale, v & 0x7F, (v >> 7) & 0x7F));
    valore += passo;
  }
}

}  // namespace

std::vector<std::uint8_t> CostruisciBuffer(const TMidiProprieta& p, int c, const std::vector<MidiPhraseEvent>& lista,
                                           bool glideConsentito) {
  constexpr int P = CanalePercussioni;
  TBuffer b;
  b.Aggiungi(0, Controller(c, 121, 0) | MEVT_F_CALLBACK);
  b.Aggiungi(0, Controller(P, 121, 0));
  // Pitch-bend range of 12 semitones, then the parameter number is closed again.
  b.Aggiungi(0, Controller(c, 100, 0));
  b.Aggiungi(0, Controller(c, 101, 0));
  b.Aggiungi(0, Controller(c, 6, 12));
  b.Aggiungi(0, Controller(c, 100, 127));
  b.Aggiungi(0, Controller(c, 101, 127));
  const int pan = p.Pan * 63 / 100 + 64;
  b.Aggiungi(0, Controller(c, 10, pan));
  b.Aggiungi(0, Controller(P, 10, pan));
  b.Aggiungi(0, Controller(c, 1, p.Modulation * 127 / 100));
  const int volume = p.Volume * 127 / 100;
  b.Aggiungi(0, Controller(c, 7, volume));
  b.Aggiungi(0, Controller(P, 7, volume));
  b.Aggiungi(0, Controller(c, 64, p.Sustain ? 127 : 0));
  b.Aggiungi(0, Controller(c, 91, p.Reverb * 127 / 100));
  b.Aggiungi(0, Controller(c, 93, p.Chorus * 127 / 100));

  const bool glide = p.PitchBend != 0 && glideConsentito;
  if (!lista.empty() && lista.front().Kind != mpeProgramChange) b.Aggiungi(0, ProgramChange(c, p.Instrument));
  std::uint32_t precedente = 0;
  bool primoOff = true;
  for (const MidiPhraseEvent& e : lista) {
    const std::uint32_t delta = e.Time - precedente;
    precedente = e.Time;
    switch (e.Kind) {
      case mpeProgramChange:
        b.Aggiungi(delta, ProgramChange(e.Channel, e.Value));
        break;
      case mpeNoteOn:
        b.Aggiungi(delta, Nota(e, c, 127));
        break;
      case mpeNoteOff:
        if (glide && primoOff) Glide(b, p, delta, e.Channel);
        primoOff = false;
        b.Aggiungi(delta, Nota(e, c, 0));
        break;
      default:
        break;
    }
  }
  return b.Prendi();
}

std::vector<TEventoFlusso> LeggiBuffer(const std::vector<std::uint8_t>& buffer) {
  auto parola = [&](std::size_t i) {
    return static_cast<std::uint32_t>(buffer[i]) | static_cast<std::uint32_t>(buffer[i + 1]) << 8 |
           static_cast<std::uint32_t>(buffer[i + 2]) << 16 | static_cast<std::uint32_t>(buffer[i + 3]) << 24;
  };
  std::vector<TEventoFlusso> eventi;
  for (std::size_t i = 0; i + DimensioneEvento <= buffer.size(); i += DimensioneEvento)
    eventi.push_back({parola(i), parola(i + 8)});
  return eventi;
}

// ---------------------------------------------------------------- phrases

namespace {

// Semitone of each note name: two digits, then the name.
constexpr std::string_view NoteNameTable =
    "00C01C+01C#02D01D-03D+03D#04E03E-05F06F+06F#07G06G-08G+08G#09A08A-10A+10A#11B10B-";

// number := digit { digit }   (a whole number that fits in 32 bits)
std::optional<std::uint32_t> Intero(std::string_view s) {
  if (s.empty() || s.size() > 10) return std::nullopt;
  std::uint64_t v = 0;
  for (char ch : s) {
    if (!std::isdigit(static_cast<unsigned char>(ch))) return std::nullopt;
    v = v * 10 + static_cast<std::uint64_t>(ch - '0');
  }
  if (v > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(v);
}

int Semitono(std::string_view nome) {
  for (std::size_t i = 0; i < NoteNameTable.size();) {
    const std::size_t fine = NoteNameTable.find_first_of("0123456789", i + 2);
    const std::string_view voce = NoteNameTable.substr(i + 2, (fine == std::string_view::npos ? NoteNameTable.size() : fine) - i - 2);
    if (voce == nome) return (NoteNameTable[i] - '0') * 10 + (NoteNameTable[i + 1] - '0');
    i = fine == std::string_view::npos ? NoteNameTable.size() : fine;
  }
  return -1;
}

struct TNotaFrase {
  bool strumento = false;  // an instrument change rather than a key
  int valore = 0;
  int ottava = -1;         // the octave written after a note name, -1 when none
};

// note := "I" number | "N" number | letter [ "#" | "+" | "-" ] [ number ]
std::optional<TNotaFrase> LeggiNota(std::string_view s, int ottavaCorrente) {
  if (s.size() >= 2 && (s[0] == 'I' || s[0] == 'N')) {
    if (auto n = Intero(s.substr(1))) {
      if (s[0] == 'I') {
        if (*n > 174) return std::nullopt;
        return TNotaFrase{true, static_cast<int>(*n), -1};
      }
      if (*n > 127) return std::nullopt;
      return TNotaFrase{false, static_cast<int>(*n), -1};
    }
  }
  if (s.empty()) return std::nullopt;
  std::size_t lungo = 1;
  if (s.size() > 1 && (s[1] == '#' || s[1] == '+' || s[1] == '-')) lungo = 2;
  const int semitono = Semitono(s.substr(0, lungo));
  if (semitono < 0) return std::nullopt;
  int ottava = ottavaCorrente, scritta = -1;
  if (s.size() > lungo) {
    const auto o = Intero(s.substr(lungo));
    if (!o || *o > 10) return std::nullopt;
    ottava = scritta = static_cast<int>(*o);
  }
  const int key = semitono + 12 * ottava;
  if (key > 127) return std::nullopt;
  return TNotaFrase{false, key, scritta};
}

}  // namespace

std::vector<MidiPhraseEvent> EventiFrase(const TMidiProprieta& p, const std::string& testo, bool& glide) {
  std::string frase;
  for (char ch : testo)
    if (!std::isspace(static_cast<unsigned char>(ch))) frase += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));

  std::vector<MidiPhraseEvent> lista;
  glide = true;
  std::uint32_t ritardo = 0;
  std::optional<std::uint32_t> durata;  // the first use takes Duration
  int ottava = p.Octave;
  std::uint64_t tempo = 0;
  int canaleNota = p.Channel == CanalePercussioni ? CanalePercussioni
                                                  : (p.Instrument < 128 ? p.Channel : CanalePercussioni);
  int percussione = p.Instrument;

  std::size_t inizio = 0;
  while (inizio <= frase.size()) {
    std::size_t virgola = frase.find(',', inizio);
    if (virgola == std::string::npos) virgola = frase.size();
    std::string voce = frase.substr(inizio, virgola - inizio);
    inizio = virgola + 1;
    if (voce.empty()) continue;  // two commas in a row

    // item := [ delay ] ";" note ";" [ duration ], completed from the current values.
    if (!std::isdigit(static_cast<unsigned char>(voce[0])) && voce[0] != ';') voce = ";" + voce;
    if (voce[0] == ';') voce = std::to_string(ritardo) + voce;
    if (std::count(voce.begin(), voce.end(), ';') == 1) voce += ';';
    if (voce.back() == ';') {
      if (!durata) durata = p.Duration;
      voce += std::to_string(*durata);
    }
    const std::size_t s1 = voce.find(';');
    const std::size_t s2 = s1 == std::string::npos ? std::string::npos : voce.find(';', s1 + 1);
    const std::string_view v = voce;
    const auto nuovoRitardo = Intero(v.substr(0, s1));
    const std::string_view testoNota = s1 == std::string::npos ? std::string_view{} : v.substr(s1 + 1, s2 - s1 - 1);
    const auto nuovaDurata = s2 == std::string::npos ? std::nullopt : Intero(v.substr(s2 + 1));

    if (nuovoRitardo) {
      ritardo = *nuovoRitardo;
      if (ritardo != 0) glide = false;
    }
    const auto nota = LeggiNota(testoNota, ottava);
    const std::uint32_t durataScritta = nuovaDurata.value_or(0);
    if (durataScritta > 0) {
      if (durata && *durata != durataScritta) glide = false;
      durata = durataScritta;
    }
    if (!nuovoRitardo || !nuovaDurata || !nota) continue;

    tempo += ritardo;
    const auto t = static_cast<std::uint32_t>(std::min<std::uint64_t>(tempo, 0xFFFFFFFFu));
    if (nota->strumento) {
      if (nota->valore < 128) {
        canaleNota = p.Channel;
      } else {
        canaleNota = CanalePercussioni;
        percussione = nota->valore;
      }
      if (p.Channel != CanalePercussioni)
        lista.push_back({t, mpeProgramChange, nota->valore, static_cast<std::uint8_t>(canaleNota)});
      continue;
    }
    if (nota->ottava >= 0) ottava = nota->ottava;
    if (!durata) durata = p.Duration;
    const int valore = canaleNota == CanalePercussioni && p.Channel != CanalePercussioni ? percussione : nota->valore;
    const auto fine = static_cast<std::uint32_t>(std::min<std::uint64_t>(tempo + *durata, 0xFFFFFFFFu));
    lista.push_back({t, mpeNoteOn, valore, static_cast<std::uint8_t>(canaleNota)});
    lista.push_back({fine, mpeNoteOff, valore, static_cast<std::uint8_t>(canaleNota)});
  }
  // By time; at one time a program change comes before the notes.
  std::stable_sort(lista.begin(), lista.end(), [](const MidiPhraseEvent& a, const MidiPhraseEvent& b) {
    if (a.Time != b.Time) return a.Time < b.Time;
    return a.Kind == mpeProgramChange && b.Kind != mpeProgramChange;
  });
  return lista;
}

}  // namespace qx::midi
