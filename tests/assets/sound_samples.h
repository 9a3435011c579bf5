#pragma once

// Reading the generated sound files back for the tests: the format from the header, the
// samples as numbers in [-1, 1].

#include <QCoreApplication>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "assets/wav_info.h"

namespace kvz::testing {

// The build folder: the tests get it from ctest; run by hand they sit in build/tests.
inline std::filesystem::path buildDir() {
  if (const char* dir = std::getenv("KVZ_BUILD_DIR"); dir && *dir) return dir;
  return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()).parent_path();
}

inline std::filesystem::path sndFile(const char* name) { return buildDir() / "snd" / name; }

inline std::vector<char> readBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Sound {
  WavInfo info;
  std::vector<std::vector<double>> channels;  // 16-bit samples scaled to [-1, 1]

  std::size_t frames() const { return channels.empty() ? 0 : channels[0].size(); }
  double seconds() const { return static_cast<double>(frames()) / info.sampleRate; }
  std::size_t at(double s) const { return std::min(frames(), static_cast<std::size_t>(s * info.sampleRate)); }

  // Highest absolute sample of any channel in [from, to) frames.
  double peak(std::size_t from, std::size_t to) const {
    double p = 0;
    for (const auto& c : channels)
      for (std::size_t i = from; i < to && i < c.size(); ++i) p = std::max(p, std::fabs(c[i]));
    return p;
  }
  double rms(std::size_t from, std::size_t to) const {
    double sum = 0;
    std::size_t n = 0;
    for (const auto& c : channels)
      for (std::size_t i = from; i < to && i < c.size(); ++i, ++n) sum += c[i] * c[i];
    return n ? std::sqrt(sum / static_cast<double>(n)) : 0;
  }
};

inline double toDb(double level) { return 20.0 * std::log10(std::max(level, 1e-12)); }

// Only 16-bit PCM files are loaded; anything else gives nullopt.
inline std::optional<Sound> loadSound(const std::filesystem::path& file) {
  const std::optional<WavInfo> info = readWavInfo(file);
  if (!info || info->formatTag != 1 || info->bitsPerSample != 16 || info->channels == 0) return std::nullopt;
  const std::vector<char> bytes = readBytes(file);
  Sound s{*info, std::vector<std::vector<double>>(info->channels)};
  const std::size_t frames = static_cast<std::size_t>(info->frames());
  for (std::size_t f = 0; f < frames; ++f) {
    for (std::size_t c = 0; c < info->channels; ++c) {
      const std::size_t at = static_cast<std::size_t>(info->dataOffset) + (f * info->channels + c) * 2;
      const auto lo = static_cast<unsigned char>(bytes[at]);
      const auto hi = static_cast<unsigned char>(bytes[at + 1]);
      const auto v = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | hi << 8));
      s.channels[c].push_back(v / 32768.0);
    }
  }
  return s;
}

}  // namespace kvz::testing
