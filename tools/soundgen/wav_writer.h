#pragma once

#include <filesystem>
#include <vector>

#include "soundgen/dsp.h"

namespace kvz::soundgen {

// Writes 16-bit PCM: one channel per buffer (all the same length), samples clipped to
// [-1, 1]. The file appears whole or not at all. Returns false when it cannot be written.
bool writeWav(const std::filesystem::path& file, const std::vector<const Samples*>& channels, int rate);

}  // namespace kvz::soundgen
