#pragma once

// The game's sounds. Effects start sounding at their first sample (the game times its
// sequences from the moment it starts a sound) and end with silence, because the effect
// player may swallow the last tenth of a second.

#include "soundgen/dsp.h"

namespace kvz::soundgen {

constexpr int kEffectRate = 44100;
constexpr int kMusicRate = 22050;
constexpr double kEffectPeakDb = -3.0;
constexpr double kEffectPadSeconds = 0.2;

Stereo rightAnswer();    // r.wav: a bright rising major arpeggio into a chord
Stereo wrongAnswer();    // w.wav: a low brass cluster that sags and dies
Stereo finalWin();       // pt.wav: a fanfare with cymbal and timpani
Stereo phoneRing();      // tel.wav: three double rings of a bell telephone
Stereo phoneHangUp();    // tel-end.wav: the receiver goes down, two falling beeps
Stereo audiencePoll();   // div.wav: a tense, rising voting pulse with a closing chime
Stereo fiftyFifty();     // 50-50.wav: a quick zap and whoosh
Stereo studioLights();   // lights.wav: a swell that breaks into a full hit

// bgm.wav: a calm, tense loop, mono at kMusicRate, whose last sample runs on into its first.
Samples backgroundLoop();

}  // namespace kvz::soundgen
