#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string_view>

namespace kvz {

// Uniform numbers in [0, 1), reseeded from the clock where the game asks for it.
class RandomSource {
public:
  virtual ~RandomSource() = default;
  virtual void seedFromClock() = 0;
  virtual double next() = 0;
  // A whole number from 1 to n, each equally likely: floor(u * n) + 1.
  int draw(int n);
};

// Mersenne twister. With a fixed seed, reseeding from the clock is ignored, so that a whole
// game can be reproduced (the environment variable KVIZARION_SEED, a whole decimal number,
// fixes it; any other value is refused with a message on stderr).
class MtRandom final : public RandomSource {
public:
  explicit MtRandom(std::optional<std::uint64_t> fixedSeed = std::nullopt);
  static std::unique_ptr<MtRandom> fromEnvironment();
  // The seed a text names: a whole decimal number that fits, nothing else.
  static std::optional<std::uint64_t> parseSeed(std::string_view text);
  void seedFromClock() override;
  double next() override;
  bool fixed() const { return fixed_; }

private:
  std::mt19937_64 engine_;
  bool fixed_ = false;
};

}  // namespace kvz
