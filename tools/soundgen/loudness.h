#pragma once

// Loudness after EBU R128 (libebur128): the one measure of the sounds, used by the generator
// to set their levels and by the checks that listen to a recorded game.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

namespace kvz::soundgen {

struct Loudness {
  double integratedLufs = 0;  // -HUGE_VAL for a sound that never rises above the gate
  double truePeakDb = 0;      // dBTP, the highest of the channels
};

// Measures interleaved samples in [-1, 1] of `channels` channels; nullopt when libebur128
// refuses the format or the buffer.
std::optional<Loudness> measureLoudness(const std::vector<float>& interleaved, int channels, int rate);

// The strongest onset of a sound between two times: where the next 20 ms are loudest compared
// with the 200 ms before them. Seconds from the start; nullopt for a range without sound.
std::optional<double> strongestOnset(const std::vector<float>& interleaved, int channels, int rate, double from,
                                     double to);

// Stretches of at least `minSeconds` in which no 50 ms window rises above `floorDb` (RMS,
// dBFS): [start, end) in seconds.
struct Stretch {
  double start, end;
};
std::vector<Stretch> quietStretches(const std::vector<float>& interleaved, int channels, int rate, double floorDb,
                                    double minSeconds);

// A 16-bit PCM WAV file read whole: its samples interleaved and scaled to [-1, 1].
struct Pcm {
  int channels = 0, rate = 0;
  std::vector<float> samples;
  double seconds() const { return channels && rate ? static_cast<double>(samples.size()) / channels / rate : 0; }
};
// nullopt for a file that is missing, not WAVE, or not 16-bit PCM.
std::optional<Pcm> readPcm16(const std::filesystem::path& file);

}  // namespace kvz::soundgen
