// Measures a 16-bit PCM WAV file with the generator's own measure (EBU R128 by libebur128):
//   kvz_soundmeter FILE loudness [FROM TO]   integrated loudness (LUFS) and true peak (dBTP)
//   kvz_soundmeter FILE onset FROM TO        the strongest onset between the two times
//   kvz_soundmeter FILE quiet FLOOR_DB MIN   every stretch of at least MIN s below FLOOR_DB
// Times are seconds from the start of the file; each result is one line.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "soundgen/loudness.h"

namespace {

using namespace kvz::soundgen;

bool number(const char* text, double& out) {
  char* end = nullptr;
  out = std::strtod(text, &end);
  return end != text && *end == '\0' && std::isfinite(out);
}

int usage(const char* self) {
  std::fprintf(stderr, "usage: %s FILE loudness [FROM TO] | onset FROM TO | quiet FLOOR_DB MIN_SECONDS\n", self);
  return 2;
}

// The samples from `from` to `to` seconds, clipped to the file.
std::vector<float> slice(const Pcm& pcm, double from, double to) {
  const auto frame = [&](double t) {
    return std::min(pcm.samples.size(), static_cast<std::size_t>(std::max(0.0, t) * pcm.rate) * pcm.channels);
  };
  const std::size_t a = frame(from), b = std::max(a, frame(to));
  return {pcm.samples.begin() + static_cast<long>(a), pcm.samples.begin() + static_cast<long>(b)};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage(argv[0]);
  const std::optional<Pcm> pcm = readPcm16(argv[1]);
  if (!pcm) {
    std::fprintf(stderr, "%s: not a 16-bit PCM WAV file\n", argv[1]);
    return 1;
  }
  const std::string what = argv[2];
  double a = 0, b = pcm->seconds();
  if (argc == 5 && !(number(argv[3], a) && number(argv[4], b))) return usage(argv[0]);
  if (what == "loudness" && (argc == 3 || argc == 5)) {
    const std::optional<Loudness> l = measureLoudness(slice(*pcm, a, b), pcm->channels, pcm->rate);
    if (!l) return 1;
    std::printf("%.2f %.2f\n", l->integratedLufs, l->truePeakDb);
    return 0;
  }
  if (what == "onset" && argc == 5) {
    const std::optional<double> at = strongestOnset(pcm->samples, pcm->channels, pcm->rate, a, b);
    if (!at) return 1;
    std::printf("%.3f\n", *at);
    return 0;
  }
  if (what == "quiet" && argc == 5) {
    for (const Stretch& s : quietStretches(pcm->samples, pcm->channels, pcm->rate, a, b))
      std::printf("%.3f %.3f\n", s.start, s.end);
    return 0;
  }
  return usage(argv[0]);
}
