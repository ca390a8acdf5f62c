// Generated tones: the beep of the picks and the message beep of the error report.
#pragma once
#include <vector>

namespace qx::suono {

// Sampling rate of everything the sound layer plays.
constexpr int FrequenzaCampionamento = 44100;

// A mono sine of `hz` lasting `ms` milliseconds at `frequenza` samples per second, with short
// fades at both ends so that it starts and stops without a click. Its length is
// frequenza * ms / 1000 samples; no samples for a non-positive duration or frequency.
std::vector<float> GeneraTono(int hz, int ms, int frequenza = FrequenzaCampionamento);

// Interleaved stereo from mono: both channels take every sample.
std::vector<float> InStereo(const std::vector<float>& mono);

}  // namespace qx::suono
