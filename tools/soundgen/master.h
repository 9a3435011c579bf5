#pragma once

// The last step of every sound: one loudness for all (EBU R128), peaks held under the true
// peak ceiling, no DC offset, and short fades so no sound clicks at its start or end.

#include <optional>

#include "soundgen/dsp.h"
#include "soundgen/loudness.h"

namespace kvz::soundgen {

constexpr double kEffectLufs = -16.0;
// The music bed sits this far below the effects, so that an effect stands out over it.
constexpr double kMusicBelowEffectsLu = 7.0;
constexpr double kMusicLufs = kEffectLufs - kMusicBelowEffectsLu;
constexpr double kTruePeakCeilingDb = -1.0;

// Brings an effect to `lufs` with its true peak under the ceiling; fades in over a few ms and
// out over `fadeOutSeconds` at its end, then adds `padSeconds` of silence, which the measure
// counts as the player plays it. Returns what it measured, nullopt if it cannot.
std::optional<Loudness> masterEffect(Stereo& s, int rate, double lufs, double fadeOutSeconds, double padSeconds);
// The same for a loop: no fades (its end runs on into its start) and no limiter.
std::optional<Loudness> masterLoop(Stereo& s, int rate, double lufs);

// Interleaves the channels, rounded to the 16-bit steps the file will hold.
std::vector<float> interleaved16(const Stereo& s);

}  // namespace kvz::soundgen
