#include "platform/random.h"

#include <chrono>
#include <cstdlib>
#include <string>

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

std::unique_ptr<MtRandom> MtRandom::fromEnvironment() {
  if (const char* text = std::getenv("KVIZARION_SEED"); text && *text) {
    try {
      return std::make_unique<MtRandom>(std::stoull(text, nullptr, 0));
    } catch (const std::exception&) {
      // A seed that is not a number is ignored: the game then plays unseeded.
    }
  }
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
