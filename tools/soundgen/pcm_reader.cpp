#include <cstdint>
#include <fstream>
#include <iterator>

#include "assets/wav_info.h"
#include "soundgen/loudness.h"

namespace kvz::soundgen {

std::optional<Pcm> readPcm16(const std::filesystem::path& file) {
  const std::optional<WavInfo> info = readWavInfo(file);
  if (!info || info->formatTag != 1 || info->bitsPerSample != 16 || info->channels == 0) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Pcm pcm{info->channels, static_cast<int>(info->sampleRate), {}};
  const std::size_t count = info->frames() * info->channels;
  pcm.samples.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = static_cast<std::size_t>(info->dataOffset) + 2 * i;
    const auto lo = static_cast<unsigned char>(bytes[at]), hi = static_cast<unsigned char>(bytes[at + 1]);
    pcm.samples.push_back(static_cast<float>(static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | hi << 8)) / 32768.0));
  }
  return pcm;
}

}  // namespace kvz::soundgen
