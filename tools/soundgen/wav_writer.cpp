#include "soundgen/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "soundgen/riff_io.h"

namespace kvz::soundgen {

using riff::put16;
using riff::put32;

bool writeWav(const std::filesystem::path& file, const std::vector<const Samples*>& channels, int rate) {
  if (channels.empty() || rate <= 0) return false;
  const std::size_t frames = channels.front()->size();
  for (const Samples* c : channels) {
    if (c->size() != frames) return false;
  }
  const auto channelCount = static_cast<std::uint16_t>(channels.size());
  const std::uint16_t blockAlign = channelCount * 2;
  const std::uint64_t dataBytes = static_cast<std::uint64_t>(frames) * blockAlign;
  if (dataBytes > 0xFFFFFF00ULL) return false;

  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  put32(out, static_cast<std::uint32_t>(36 + dataBytes));
  out += "WAVEfmt ";
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, channelCount);
  put32(out, static_cast<std::uint32_t>(rate));
  put32(out, static_cast<std::uint32_t>(rate) * blockAlign);
  put16(out, blockAlign);
  put16(out, 16);
  out += "data";
  put32(out, static_cast<std::uint32_t>(dataBytes));
  for (std::size_t i = 0; i < frames; ++i) {
    for (const Samples* c : channels) {
      const double v = std::clamp(static_cast<double>((*c)[i]), -1.0, 1.0);
      put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767.0))));
    }
  }

  return riff::writeWhole(file, out);
}

}  // namespace kvz::soundgen
