#include "platform/random.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace kvz {

int RandomSource::draw(int n) {
  const int value = static_cast<int>(next() * n) + 1;
  return value > n ? n : value;  // guards against a source that rounds up to 1.0
}

MtRandom::MtRandom(std::optional<std::uint64_t> fixedSeed) : fixed_(fixedSeed.has_value()) {
  if (fixedSeed)
    engine_.seed(*fixedSeed);
  else
    seedFromClock();
}

std::optional<std::uint64_t> MtRandom::parseSeed(std::string_view text) {
  std::uint64_t seed = 0;
  const char* end = text.data() + text.size();
  // Digits only: no sign, no blanks, no base prefix, nothing after the number, no overflow.
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  const auto [at, error] = std::from_chars(text.data(), end, seed, 10);
  if (error != std::errc() || at != end) return std::nullopt;
  return seed;
}

std::unique_ptr<MtRandom> MtRandom::fromEnvironment() {
  const char* text = std::getenv("KVIZARION_SEED");
  if (!text) return std::make_unique<MtRandom>();
  if (const auto seed = parseSeed(text)) return std::make_unique<MtRandom>(*seed);
  std::fprintf(stderr, "kvizarion: KVIZARION_SEED=\"%s\" is not a whole decimal number; the seed comes from the clock\n",
               text);
  return std::make_unique<MtRandom>();
}

void MtRandom::seedFromClock() {
  if (fixed_) return;
  // Two reseeds within one clock tick would repeat a sequence; the counter keeps them apart.
  static std::uint64_t counter = 0;
  const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::seed_seq seq{static_cast<std::uint64_t>(now), ++counter};
  engine_.seed(seq);
}

double MtRandom::next() {
  const double u = std::generate_canonical<double, 53>(engine_);
  return u < 1.0 ? u : 0x1.fffffffffffffp-1;  // some library versions can return 1.0
}

}  // namespace kvz
