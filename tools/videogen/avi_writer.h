#pragma once

// A minimal RIFF AVI writer for one MJPEG video stream: the header list (avih, strl with
// strh and strf), the frames in the movi list, and the idx1 index that players seek with.

#include <cstdint>
#include <string>
#include <vector>

namespace kvz::videogen {

struct VideoFormat {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t fps = 0;
};

// Builds the whole file in memory from JPEG-encoded frames. Empty when the format is
// unusable (no frames, zero size or rate) or the result would not fit a RIFF file.
std::string buildMjpegAvi(const VideoFormat& format, const std::vector<std::string>& jpegFrames);

}  // namespace kvz::videogen
