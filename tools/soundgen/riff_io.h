#pragma once

// Bytes of RIFF files (WAV and AVI alike): little-endian numbers, and writing a finished
// file so that it appears whole or not at all. Shared by the sound and video generators.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace kvz::riff {

inline void put16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

inline void put32(std::string& out, std::uint32_t v) {
  put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  put16(out, static_cast<std::uint16_t>(v >> 16));
}

// Writes beside the target and renames, so a failed build never leaves half a file that
// a later build would take as done.
inline bool writeWhole(const std::filesystem::path& file, const std::string& bytes) {
  std::filesystem::path partial = file;
  partial += ".part";
  {
    std::ofstream stream(partial, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!stream.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(partial, file, error);
  return !error;
}

}  // namespace kvz::riff
