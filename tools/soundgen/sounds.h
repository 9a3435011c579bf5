#pragma once

// The game's sounds. Effects start sounding at their first sample (the game times its
// sequences from the moment it starts a sound). Each comes back cut to the length it sounds;
// the generator levels it and adds kEffectPadSeconds of silence, because the effect player
// may swallow the last tenth of a second. The long ones follow their sequence: their times
// come from game/durations.h and lifelines/durations.h.

#include "soundgen/dsp.h"

namespace kvz::soundgen {

constexpr int kEffectRate = 44100;
constexpr int kMusicRate = 44100;
constexpr double kEffectPadSeconds = 0.2;
// A sound that runs up to the next one of its sequence ends this much before it.
constexpr double kEffectMarginSeconds = 0.1;
// The sequences' times are kept in ms.
constexpr double seconds(int ms) { return ms / 1000.0; }

Stereo rightAnswer();    // r.wav: a bright rising major arpeggio into a chord
Stereo phoneHangUp();    // tel-end.wav: the receiver goes down, two falling beeps
Stereo fiftyFifty();     // 50-50.wav: a quick zap and whoosh
Stereo studioLights();   // lights.wav: a swell that breaks into a full hit

// The sounds of the long sequences, each filling its sequence.
Stereo wrongAnswer();    // w.wav: a brass sting, a sagging trombone, a low hit on the 0 Kč plate
Stereo finalWin();       // pt.wav: a fanfare, then the winner's theme under the top prize plate
Stereo phoneRing();      // tel.wav: ringing until the pick-up, then the call's 30 s countdown
Stereo audiencePoll();   // div.wav: the voting, a lift at the empty graph, the closing cue on the bars

// bgm.wav: a calm, tense loop whose last sample runs on into its first.
Stereo backgroundLoop();

}  // namespace kvz::soundgen
