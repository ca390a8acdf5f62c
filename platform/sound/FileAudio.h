// Reading a media file (WAV, OGG, FLAC and the other formats libsndfile knows) into samples
// that the mixer can play.
#pragma once
#include <string>
#include <vector>

namespace qx::suono {

// Reads the whole file as interleaved stereo at `frequenza` samples per second (mono is
// doubled, channels past the second are dropped, the rate converted by linear
// interpolation). False, with `stereo` empty, when the file cannot be opened or decoded.
bool LeggiFileAudio(const std::string& percorso, int frequenza, std::vector<float>& stereo);

// True for a name that ends in .mid or .midi, in any case.
bool IsNomeFileMidi(const std::string& percorso);
// True when the file starts as a standard MIDI file should: a header chunk of format 0, 1
// or 2 with at least one track, and a first track chunk that the file holds whole.
bool IsFileMidi(const std::string& percorso);

}  // namespace qx::suono
