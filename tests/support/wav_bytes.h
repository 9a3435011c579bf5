#pragma once

// The bytes of a WAVE file of any shape, well formed or not, for the tests of the readers and
// the test tones of the player benchmark (bench/players).

#include <cstdint>
#include <optional>
#include <string>

namespace kvz::testing {

inline void putLittleEndian(std::string& s, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}

struct WavShape {
  std::uint16_t format = 1, channels = 2;  // format 1 is PCM, 3 float
  std::uint32_t rate = 44100;
  std::uint16_t bits = 16;
  std::string data = {};
  std::string before = {};  // chunks between "fmt " and "data"
  std::optional<std::uint32_t> claimedData = std::nullopt;  // the data chunk's size, if not its own
};

inline std::string wavBytes(const WavShape& w) {
  const std::uint32_t align = w.channels * w.bits / 8u;
  std::string s = "RIFF";
  putLittleEndian(s, static_cast<std::uint32_t>(36 + w.before.size() + w.data.size()), 4);
  s += "WAVEfmt ";
  for (const auto& [v, n] : {std::pair{16u, 4}, {w.format, 2}, {w.channels, 2}, {w.rate, 4}, {w.rate * align, 4},
                             {align, 2}, {w.bits, 2}})
    putLittleEndian(s, v, n);
  s += w.before + "data";
  putLittleEndian(s, w.claimedData.value_or(static_cast<std::uint32_t>(w.data.size())), 4);
  return s + w.data;
}

}  // namespace kvz::testing
