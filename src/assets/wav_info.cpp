#include "assets/wav_info.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>

namespace kvz {

namespace {

constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kRiffHeader = 12;
constexpr std::size_t kFmtMinimum = 16;
constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;

// Reads up to n bytes at an offset; returns how many it could.
using ReadAt = std::function<std::size_t(std::uint64_t offset, std::byte* to, std::size_t n)>;

std::uint16_t le16(const std::byte* p) {
  return static_cast<std::uint16_t>(std::to_integer<unsigned>(p[0]) | std::to_integer<unsigned>(p[1]) << 8);
}

std::uint32_t le32(const std::byte* p) {
  return static_cast<std::uint32_t>(le16(p)) | static_cast<std::uint32_t>(le16(p + 2)) << 16;
}

bool tagIs(const std::byte* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

std::optional<WavInfo> parse(std::uint64_t fileSize, const ReadAt& read) {
  std::byte head[kRiffHeader];
  if (read(0, head, kRiffHeader) != kRiffHeader || !tagIs(head, "RIFF") || !tagIs(head + 8, "WAVE")) {
    return std::nullopt;
  }
  // The RIFF size bounds the chunks, unless it claims more than the file holds.
  const std::uint64_t end = std::min<std::uint64_t>(fileSize, std::uint64_t{le32(head + 4)} + kChunkHeader);
  WavInfo info;
  bool haveFormat = false;
  std::uint64_t offset = kRiffHeader;
  // Each pass moves at least one chunk header forward, so the walk always ends.
  while (offset + kChunkHeader <= end) {
    std::byte chunk[kChunkHeader];
    if (read(offset, chunk, kChunkHeader) != kChunkHeader) return std::nullopt;
    const std::uint64_t size = le32(chunk + 4);
    const std::uint64_t body = offset + kChunkHeader;
    if (tagIs(chunk, "fmt ")) {
      std::byte fmt[kFmtMinimum];
      if (size < kFmtMinimum || read(body, fmt, kFmtMinimum) != kFmtMinimum) return std::nullopt;
      info.formatTag = le16(fmt);
      info.channels = le16(fmt + 2);
      info.sampleRate = le32(fmt + 4);
      info.bytesPerSecond = le32(fmt + 8);
      info.blockAlign = le16(fmt + 12);
      info.bitsPerSample = le16(fmt + 14);
      haveFormat = true;
    } else if (tagIs(chunk, "data")) {
      if (!haveFormat || info.sampleRate == 0 || info.blockAlign == 0 || info.channels == 0) return std::nullopt;
      info.dataOffset = body;
      // Writers that stream may leave the size unset (0 or all ones): the file decides.
      const std::uint64_t available = fileSize > body ? fileSize - body : 0;
      info.dataBytes = (size == 0 || size == 0xFFFFFFFFULL) ? available : std::min(size, available);
      return info;
    }
    offset = body + size + (size & 1);
  }
  return std::nullopt;
}

}  // namespace

std::int64_t WavInfo::durationMs() const {
  const bool frameBased = formatTag == kPcm || formatTag == kFloat || formatTag == kExtensible;
  if (frameBased && blockAlign && sampleRate) {
    return static_cast<std::int64_t>(frames() * 1000 / sampleRate);
  }
  // Compressed formats: the header's average byte rate is the best estimate there is.
  return bytesPerSecond ? static_cast<std::int64_t>(dataBytes * 1000 / bytesPerSecond) : 0;
}

std::optional<WavInfo> readWavInfo(std::span<const std::byte> file) {
  return parse(file.size(), [file](std::uint64_t offset, std::byte* to, std::size_t n) -> std::size_t {
    if (offset >= file.size()) return 0;
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(n, file.size() - offset));
    std::memcpy(to, file.data() + offset, count);
    return count;
  });
}

std::optional<WavInfo> readWavInfo(const std::filesystem::path& file) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error) return std::nullopt;
  std::ifstream stream(file, std::ios::binary);
  if (!stream) return std::nullopt;
  return parse(size, [&stream, size](std::uint64_t offset, std::byte* to, std::size_t n) -> std::size_t {
    if (offset >= size) return 0;
    stream.clear();
    stream.seekg(static_cast<std::streamoff>(offset));
    stream.read(reinterpret_cast<char*>(to), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(std::max<std::streamsize>(0, stream.gcount()));
  });
}

std::optional<int> wavDurationMs(const std::filesystem::path& file) {
  const std::optional<WavInfo> info = readWavInfo(file);
  if (!info) return std::nullopt;
  const std::int64_t ms = info->durationMs();
  return static_cast<int>(std::min<std::int64_t>(ms, std::numeric_limits<int>::max()));
}

}  // namespace kvz
