// Writes the game's sound files into the folder given as the only argument.

#include <cstdio>
#include <filesystem>
#include <functional>

#include "soundgen/sounds.h"
#include "soundgen/wav_writer.h"

namespace {

using namespace kvz::soundgen;

bool writeStereo(const std::filesystem::path& file, const Stereo& s) {
  return writeWav(file, {&s.left, &s.right}, kEffectRate);
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
  };
  const Effect effects[] = {{"r.wav", rightAnswer},     {"w.wav", wrongAnswer},   {"pt.wav", finalWin},
                            {"tel.wav", phoneRing},     {"tel-end.wav", phoneHangUp}, {"div.wav", audiencePoll},
                            {"50-50.wav", fiftyFifty}, {"lights.wav", studioLights}};
  bool ok = true;
  for (const Effect& e : effects) {
    if (!writeStereo(dir / e.name, e.make())) {
      std::fprintf(stderr, "cannot write %s\n", (dir / e.name).c_str());
      ok = false;
    }
  }
  const Samples music = backgroundLoop();
  if (!writeWav(dir / "bgm.wav", {&music}, kMusicRate)) {
    std::fprintf(stderr, "cannot write %s\n", (dir / "bgm.wav").c_str());
    ok = false;
  }
  return ok ? 0 : 1;
}
