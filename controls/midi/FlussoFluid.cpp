#include "controls/midi/FlussoFluid.h"

#include <fluidsynth.h>

#include <memory>

#include "controls/midi/MidiEventi.h"

namespace qx::midi {

namespace {
// What a timer event of ours reports, carried in its data pointer.
void* const TimerPrimo = reinterpret_cast<void*>(1);
void* const TimerFine = reinterpret_cast<void*>(2);
// At 500,000 microseconds per quarter note a quarter lasts half a second.
constexpr double QuartiAlSecondo = 2.0;

using Evento = std::unique_ptr<fluid_event_t, void (*)(fluid_event_t*)>;
Evento NuovoEvento() { return Evento(new_fluid_event(), delete_fluid_event); }
}  // namespace

TFlussoFluid::TFlussoFluid(suono::TSintetizzatore& sintetizzatore, suono::TMixer& mixer,
                           std::function<bool()> uscitaDisponibile)
    : s_(sintetizzatore), mixer_(mixer), uscitaDisponibile_(std::move(uscitaDisponibile)) {
  if (s_.Valido())
    client_ = mixer_.Esclusivo(
        [&] { return fluid_sequencer_register_client(s_.Sequencer(), "quorix-midigen", Richiamo, this); });
}

TFlussoFluid::~TFlussoFluid() {
  mixer_.Esclusivo([&] {
    TogliEventi();
    if (client_ >= 0) fluid_sequencer_unregister_client(s_.Sequencer(), client_);
  });
}

void TFlussoFluid::Richiamo(unsigned int, fluid_event_t* evento, fluid_sequencer_t*, void* dati) {
  auto* self = static_cast<TFlussoFluid*>(dati);
  if (fluid_event_get_type(evento) != FLUID_SEQ_TIMER) return;
  if (fluid_event_get_data(evento) == TimerPrimo) {
    self->Notifica_(TNotificaMidi::PositionCB);
  } else if (fluid_event_get_data(evento) == TimerFine && self->inCoda_) {
    self->inCoda_ = self->avviato_ = false;
    self->Notifica_(TNotificaMidi::Done);
  }
}

int TFlussoFluid::NumeroDispositivi() { return ProvaDispositivo(-1) ? 1 : 0; }

bool TFlussoFluid::ProvaDispositivo(int dispositivo) {
  return dispositivo < 1 && client_ >= 0 && (!uscitaDisponibile_ || uscitaDisponibile_());
}

bool TFlussoFluid::Apri(int dispositivo, Notifica notifica) {
  if (!ProvaDispositivo(dispositivo)) return false;
  mixer_.Esclusivo([&] {
    notifica_ = std::move(notifica);
    aperto_ = true;
    inCoda_ = avviato_ = false;
    Notifica_(TNotificaMidi::Open);
  });
  return true;
}

void TFlussoFluid::Reset() {
  // Every voice off at once, sustained or not: a stopped note is silent at once.
  mixer_.Esclusivo([&] { fluid_synth_all_sounds_off(s_.Synth(), -1); });
}

bool TFlussoFluid::ImpostaDivisione(int ticksPerQuarto) {
  if (!aperto_ || ticksPerQuarto <= 0) return false;
  mixer_.Esclusivo([&] { fluid_sequencer_set_time_scale(s_.Sequencer(), ticksPerQuarto * QuartiAlSecondo); });
  return true;
}

bool TFlussoFluid::Accoda(const std::vector<std::uint8_t>& buffer) {
  if (!aperto_ || buffer.size() < DimensioneEvento) return false;
  mixer_.Esclusivo([&] {
    buffer_ = buffer;
    inCoda_ = true;
    avviato_ = false;
  });
  return true;
}

bool TFlussoFluid::Riavvia() {
  if (!aperto_) return false;
  mixer_.Esclusivo([&] {
    if (!inCoda_ || avviato_) return;
    avviato_ = true;
    fluid_sequencer_t* seq = s_.Sequencer();
    Evento e = NuovoEvento();
    fluid_event_set_source(e.get(), -1);
    const unsigned int inizio = fluid_sequencer_get_tick(seq);
    unsigned int tempo = inizio;
    for (const TEventoFlusso& ev : LeggiBuffer(buffer_)) {
      tempo += ev.Delta;
      if (ev.Callback()) {
        fluid_event_set_dest(e.get(), client_);
        fluid_event_timer(e.get(), TimerPrimo);
        fluid_sequencer_send_at(seq, e.get(), tempo, 1);
      }
      const int canale = ev.Stato() & 0x0F;
      switch (ev.Stato() & 0xF0) {
        case 0x80:
          fluid_event_noteoff(e.get(), canale, ev.Dato1());
          break;
        case 0x90:
          if (ev.Dato2() > 0) fluid_event_noteon(e.get(), canale, ev.Dato1(), ev.Dato2());
          else fluid_event_noteoff(e.get(), canale, ev.Dato1());
          break;
        case 0xB0:
          fluid_event_control_change(e.get(), canale, ev.Dato1(), ev.Dato2());
          break;
        case 0xC0:
          fluid_event_program_change(e.get(), canale, ev.Dato1());
          break;
        case 0xE0:
          fluid_event_pitch_bend(e.get(), canale, ev.Dato1() | ev.Dato2() << 7);
          break;
        default:
          continue;
      }
      fluid_event_set_dest(e.get(), s_.DestinazioneSynth());
      fluid_sequencer_send_at(seq, e.get(), tempo, 1);
    }
    fluid_event_set_dest(e.get(), client_);
    fluid_event_timer(e.get(), TimerFine);
    fluid_sequencer_send_at(seq, e.get(), tempo, 1);
  });
  return true;
}

void TFlussoFluid::TogliEventi() {
  if (!s_.Valido()) return;
  fluid_sequencer_remove_events(s_.Sequencer(), -1, s_.DestinazioneSynth(), -1);
  if (client_ >= 0) fluid_sequencer_remove_events(s_.Sequencer(), -1, client_, -1);
}

void TFlussoFluid::Ferma() {
  mixer_.Esclusivo([&] {
    TogliEventi();
    fluid_synth_all_notes_off(s_.Synth(), -1);
    if (!inCoda_) return;
    inCoda_ = avviato_ = false;
    Notifica_(TNotificaMidi::Done);
  });
}

void TFlussoFluid::Chiudi() {
  mixer_.Esclusivo([&] {
    if (!aperto_) return;
    aperto_ = false;
    Notifica_(TNotificaMidi::Close);
  });
}

}  // namespace qx::midi
