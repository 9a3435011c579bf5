// Writes the game's sound files into the folder given as the only argument, each levelled
// by its loudness, and prints the table of what it wrote.

#include <cstdio>
#include <filesystem>
#include <functional>

#include "soundgen/master.h"
#include "soundgen/sounds.h"
#include "soundgen/wav_writer.h"

namespace {

using namespace kvz::soundgen;

bool write(const std::filesystem::path& file, const Stereo& s, int rate, const Loudness& measured) {
  std::printf("  %-12s %7.2f s %7.1f LUFS %6.1f dBTP\n", file.filename().c_str(),
              static_cast<double>(s.size()) / rate, measured.integratedLufs, measured.truePeakDb);
  return writeWav(file, {&s.left, &s.right}, rate);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code error;
  std::filesystem::create_directories(dir, error);

  struct Effect {
    const char* name;
    std::function<Stereo()> make;
    double fadeOut;  // seconds
  };
  const Effect effects[] = {{"r.wav", rightAnswer, 0.25},     {"w.wav", wrongAnswer, 0.6},
                            {"pt.wav", finalWin, 0.8},        {"tel.wav", phoneRing, 0.3},
                            {"tel-end.wav", phoneHangUp, 0.02}, {"div.wav", audiencePoll, 0.4},
                            {"50-50.wav", fiftyFifty, 0.1},   {"lights.wav", studioLights, 0.5}};
  std::printf("  %-12s %9s %12s %11s\n", "file", "length", "loudness", "true peak");
  bool ok = true;
  const auto fail = [&](const std::filesystem::path& file, const char* why) {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), why);
    ok = false;
  };
  for (const Effect& e : effects) {
    Stereo s = e.make();
    const std::optional<Loudness> level = masterEffect(s, kEffectRate, kEffectLufs, e.fadeOut, kEffectPadSeconds);
    if (!level) fail(dir / e.name, "cannot be brought to its loudness");
    else if (!write(dir / e.name, s, kEffectRate, *level)) fail(dir / e.name, "cannot be written");
  }
  Stereo music = backgroundLoop();
  const std::optional<Loudness> level = masterLoop(music, kMusicRate, kMusicLufs);
  if (!level) fail(dir / "bgm.wav", "cannot be brought to its loudness under the peak ceiling");
  else if (!write(dir / "bgm.wav", music, kMusicRate, *level)) fail(dir / "bgm.wav", "cannot be written");
  return ok ? 0 : 1;
}
