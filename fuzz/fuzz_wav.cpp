// The WAV header reader on any bytes: the start menu waits as long as it says the sound lasts,
// so whatever a file claims, the result must stay within the bytes really there.
#include <cstdlib>

#include "assets/wav_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto info = kvz::readWavInfo(std::span<const std::byte>(reinterpret_cast<const std::byte*>(data), size));
  if (info) {
    if (info->dataOffset > size || info->dataBytes > size - info->dataOffset) std::abort();
    if (info->durationMs() < 0 || info->sampleRate == 0 || info->blockAlign == 0) std::abort();
  }
  return 0;
}
