#include "videogen/avi_writer.h"

#include <algorithm>

#include "soundgen/riff_io.h"

namespace kvz::videogen {

namespace {

constexpr std::uint32_t kHasIndex = 0x10;
constexpr std::uint32_t kKeyFrame = 0x10;
constexpr std::uint64_t kRiffLimit = 0xFFFFFF00ULL;

using riff::put16;
using riff::put32;

// A chunk or list whose size is written when it is closed.
class Chunk {
public:
  Chunk(std::string& out, const char* id, const char* listType = nullptr) : out_(out) {
    out_ += id;
    sizeAt_ = out_.size();
    put32(out_, 0);
    if (listType) out_ += listType;
  }
  ~Chunk() {
    const auto size = static_cast<std::uint32_t>(out_.size() - sizeAt_ - 4);
    for (int i = 0; i < 4; ++i) out_[sizeAt_ + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    if (size % 2) out_.push_back('\0');  // chunks start on even offsets
  }
  Chunk(const Chunk&) = delete;
  Chunk& operator=(const Chunk&) = delete;

private:
  std::string& out_;
  std::size_t sizeAt_ = 0;
};

void mainHeader(std::string& out, const VideoFormat& f, std::uint32_t frames, std::uint32_t largest) {
  Chunk avih(out, "avih");
  put32(out, 1000000 / f.fps);   // microseconds per frame
  put32(out, largest * f.fps);   // max bytes per second
  put32(out, 0);                 // padding granularity
  put32(out, kHasIndex);
  put32(out, frames);
  put32(out, 0);                 // initial frames
  put32(out, 1);                 // streams
  put32(out, largest);           // suggested buffer size
  put32(out, f.width);
  put32(out, f.height);
  for (int i = 0; i < 4; ++i) put32(out, 0);
}

void streamHeaders(std::string& out, const VideoFormat& f, std::uint32_t frames, std::uint32_t largest) {
  Chunk strl(out, "LIST", "strl");
  {
    Chunk strh(out, "strh");
    out += "vidsMJPG";
    put32(out, 0);  // flags
    put16(out, 0);  // priority
    put16(out, 0);  // language
    put32(out, 0);  // initial frames
    put32(out, 1);  // scale
    put32(out, f.fps);
    put32(out, 0);  // start
    put32(out, frames);
    put32(out, largest);
    put32(out, 0xFFFFFFFF);  // quality: default
    put32(out, 0);           // sample size: varies
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint16_t>(f.width));
    put16(out, static_cast<std::uint16_t>(f.height));
  }
  Chunk strf(out, "strf");  // BITMAPINFOHEADER
  put32(out, 40);
  put32(out, f.width);
  put32(out, f.height);
  put16(out, 1);   // planes
  put16(out, 24);  // bits per pixel once decoded
  out += "MJPG";
  put32(out, f.width * f.height * 3);
  for (int i = 0; i < 4; ++i) put32(out, 0);
}

}  // namespace

std::string buildMjpegAvi(const VideoFormat& format, const std::vector<std::string>& jpegFrames) {
  if (jpegFrames.empty() || format.width == 0 || format.height == 0 || format.fps == 0 ||
      format.width > 0xFFFF || format.height > 0xFFFF) {
    return {};
  }
  std::uint64_t total = 4096;
  std::size_t largest = 0;
  for (const std::string& f : jpegFrames) {
    total += f.size() + 8 + 1 + 16;
    largest = std::max(largest, f.size());
  }
  if (total > kRiffLimit) return {};
  const auto frames = static_cast<std::uint32_t>(jpegFrames.size());
  const auto largest32 = static_cast<std::uint32_t>(largest);

  std::string out;
  out.reserve(total);
  struct IndexEntry {
    std::uint32_t offset, size;
  };
  std::vector<IndexEntry> index;
  {
    Chunk riff(out, "RIFF", "AVI ");
    {
      Chunk hdrl(out, "LIST", "hdrl");
      mainHeader(out, format, frames, largest32);
      streamHeaders(out, format, frames, largest32);
    }
    {
      Chunk movi(out, "LIST", "movi");
      const std::size_t moviType = out.size() - 4;  // index offsets count from the 'movi' tag
      for (const std::string& frame : jpegFrames) {
        index.push_back({static_cast<std::uint32_t>(out.size() - moviType), static_cast<std::uint32_t>(frame.size())});
        Chunk dc(out, "00dc");
        out += frame;
      }
    }
    Chunk idx1(out, "idx1");
    for (const IndexEntry& e : index) {
      out += "00dc";
      put32(out, kKeyFrame);
      put32(out, e.offset);
      put32(out, e.size);
    }
  }
  return out;
}

}  // namespace kvz::videogen
