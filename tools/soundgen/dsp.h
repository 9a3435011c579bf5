#pragma once

// Small synthesis toolkit for the game's sounds: oscillators, envelopes, filters, noise and
// a stereo reverb. Everything is deterministic so that a rebuild writes the same files.

#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

namespace kvz::soundgen {

using Samples = std::vector<float>;

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Note number to frequency, A4 = 69 = 440 Hz.
double midiHz(double note);
double dbToGain(double db);

std::size_t toSamples(double seconds, int rate);

struct Stereo {
  Samples left;
  Samples right;
  std::size_t size() const { return left.size(); }
  void ensure(std::size_t frames);
};

// Adds a mono voice at a time offset, panned (-1 left .. +1 right, equal power).
void mix(Stereo& out, const Samples& voice, double atSeconds, int rate, double gain, double pan = 0.0);
void mix(Samples& out, const Samples& voice, double atSeconds, int rate, double gain);
// The same, with the voice moving across from `panFrom` to `panTo` while it sounds.
void mixSweep(Stereo& out, const Samples& voice, double atSeconds, int rate, double gain, double panFrom,
              double panTo);

// A phase accumulator that follows a changing frequency without jumps.
class Phase {
public:
  Phase() = default;
  explicit Phase(double startCycles) : phase_(startCycles - static_cast<long>(startCycles)) {}
  // Returns the phase in cycles [0, 1) for this sample, then advances by freq / rate.
  double next(double freq, int rate);

private:
  double phase_ = 0.0;
};

// Band-limited (polyBLEP) saw and square; phase in cycles, increment = freq / rate.
double sawBlep(double phase, double increment);
double squareBlep(double phase, double increment);

// White noise from a fixed-seed generator.
class Noise {
public:
  explicit Noise(std::uint32_t seed = 1) : state_(seed ? seed : 1) {}
  double next();  // uniform in [-1, 1)

private:
  std::uint32_t state_;
};

// Attack-decay-sustain-release envelope; `length` is when the release begins.
struct Adsr {
  double attack = 0.005;
  double decay = 0.1;
  double sustain = 0.7;
  double release = 0.2;
  double at(double t, double length) const;
  double end(double length) const { return length + release; }
};

// Exponential decay that reaches -60 dB after `t60` seconds, with a short linear attack.
double percussive(double t, double attack, double t60);

// RBJ biquad; coefficients can be changed per sample for sweeps.
class Biquad {
public:
  enum class Kind { LowPass, HighPass, BandPass };
  void set(Kind kind, double freq, double q, int rate);
  double process(double x);

private:
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Stereo reverb of parallel combs and serial all-passes per channel (different lengths on
// each side give width). `size` 0..1 sets the feedback, `damp` 0..1 darkens the tail.
class Reverb {
public:
  Reverb(int rate, double size, double damp);
  void process(Stereo& io, double wet);

private:
  struct Comb {
    std::vector<float> line;
    std::size_t pos = 0;
    double store = 0;
  };
  struct AllPass {
    std::vector<float> line;
    std::size_t pos = 0;
  };
  double runChannel(std::vector<Comb>& combs, std::vector<AllPass>& passes, double in);
  std::vector<Comb> combsL_, combsR_;
  std::vector<AllPass> passesL_, passesR_;
  double feedback_;
  double damp_;
};

// Feedback echo on a mono buffer.
void echo(Samples& io, int rate, double delaySeconds, double feedback, double wet);

double peak(const Samples& s);
double peak(const Stereo& s);
double rms(const Samples& s);

// Cuts a sound at `seconds` (or lengthens it with silence); the levelling fades its end.
void cut(Stereo& s, double seconds, int rate);

// Renders `seconds` of a voice whose sample at time t is f(t).
Samples render(double seconds, int rate, const std::function<double(double)>& f);

}  // namespace kvz::soundgen
