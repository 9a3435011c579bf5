// Writes the phone call's countdown video (MJPEG in AVI) to the path given as the argument.

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <filesystem>

#include "soundgen/riff_io.h"
#include "videogen/avi_writer.h"
#include "videogen/countdown.h"

namespace {

// Small frames: a high quality keeps the digits' edges clean for a few kilobytes more.
constexpr int kJpegQuality = 92;

bool encodeJpeg(const QImage& image, std::string& out) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(kJpegQuality);
  if (!writer.write(image)) return false;
  out.assign(buffer.data().constData(), static_cast<std::size_t>(buffer.data().size()));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // A build step: never needs a screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output.avi>\n", argv[0]);
    return 2;
  }
  using namespace kvz::videogen;
  std::vector<std::string> frames(kFrameCount);
  for (int i = 0; i < kFrameCount; ++i) {
    if (!encodeJpeg(countdownFrame(i), frames[static_cast<std::size_t>(i)])) {
      std::fprintf(stderr, "cannot encode frame %d as JPEG\n", i);
      return 1;
    }
  }
  const std::string avi = buildMjpegAvi({kFrameSize, kFrameSize, kFramesPerSecond}, frames);
  const std::filesystem::path out = argv[1];
  std::error_code error;
  std::filesystem::create_directories(out.parent_path(), error);
  if (avi.empty() || !kvz::riff::writeWhole(out, avi)) {
    std::fprintf(stderr, "cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}
