#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/random.h"

namespace kvz {
namespace {

// The random source the program makes from KVIZARION_SEED, and what it wrote on stderr.
std::pair<std::unique_ptr<MtRandom>, std::string> fromSeedVariable(const char* value) {
  if (value)
    setenv("KVIZARION_SEED", value, 1);
  else
    unsetenv("KVIZARION_SEED");
  ::testing::internal::CaptureStderr();
  auto random = MtRandom::fromEnvironment();
  const std::string err = ::testing::internal::GetCapturedStderr();
  unsetenv("KVIZARION_SEED");
  return {std::move(random), err};
}

// A whole decimal number fixes the game so that it replays, even across the game's reseeds;
// anything else is refused plainly and the clock seeds the game; no variable, nothing said.
TEST(Seed, OnlyAWholeDecimalNumberFixesTheGameAndAnythingElseIsRefusedPlainly) {
  const std::pair<const char*, bool> cases[] = {
      {"0", true},     {"42", true},    {"007", true},  {"18446744073709551615", true}, {"", false},
      {"12abc", false}, {"-1", false},  {"+5", false},  {" 7", false},  {"7 ", false},  {"0x10", false},
      {"1.5", false},  {"18446744073709551616", false}, {"sedm", false}, {nullptr, false}};
  for (const auto& [value, fixed] : cases) {
    const std::string shown = value ? '"' + std::string(value) + '"' : "unset";
    auto [first, err] = fromSeedVariable(value);
    EXPECT_EQ(first->fixed(), fixed) << shown;
    if (value && !fixed)
      EXPECT_NE(err.find("KVIZARION_SEED"), std::string::npos) << shown << " refused without a word";
    else
      EXPECT_EQ(err, "") << shown;
    if (!fixed) continue;
    auto second = fromSeedVariable(value).first;
    first->seedFromClock();  // the game's reseeds must not break the replay
    for (int i = 0; i < 5; ++i) EXPECT_EQ(first->draw(1000), second->draw(1000)) << shown;
  }
}

}  // namespace
}  // namespace kvz
