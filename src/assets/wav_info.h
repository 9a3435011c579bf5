#pragma once

// Reads what a RIFF WAVE file says about itself, without trusting it: every size in the
// header is checked against the bytes really there.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace kvz {

struct WavInfo {
  std::uint16_t formatTag = 0;  // 1 = PCM, 3 = float, 0xFFFE = extensible
  std::uint16_t channels = 0;
  std::uint32_t sampleRate = 0;
  std::uint32_t bytesPerSecond = 0;
  std::uint16_t blockAlign = 0;  // bytes of one frame, all channels
  std::uint16_t bitsPerSample = 0;
  std::uint64_t dataOffset = 0;  // where the sample data starts in the file
  std::uint64_t dataBytes = 0;   // as many as the header claims and the file really holds

  std::uint64_t frames() const { return blockAlign ? dataBytes / blockAlign : 0; }
  std::int64_t durationMs() const;
};

// nullopt for anything that is not a readable WAVE file: a short or truncated header,
// no "fmt " or "data" chunk, a zero rate or block size.
std::optional<WavInfo> readWavInfo(std::span<const std::byte> file);
std::optional<WavInfo> readWavInfo(const std::filesystem::path& file);

// How long the file plays, in milliseconds; nullopt when it cannot be read as WAVE.
std::optional<int> wavDurationMs(const std::filesystem::path& file);

}  // namespace kvz
