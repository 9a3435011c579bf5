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

TEST(Seed, AWholeDecimalNumberFixesTheGameSoThatItReplays) {
  for (const char* value : {"0", "42", "007", "18446744073709551615"}) {
    auto [first, err] = fromSeedVariable(value);
    auto second = fromSeedVariable(value).first;
    EXPECT_TRUE(first->fixed()) << value;
    EXPECT_EQ(err, "") << value;
    first->seedFromClock();  // the game's reseeds must not break the replay
    for (int i = 0; i < 5; ++i) EXPECT_EQ(first->draw(1000), second->draw(1000)) << value;
  }
}

TEST(Seed, AnythingElseIsRefusedPlainlyAndTheClockSeedsTheGame) {
  for (const char* value : {"", "12abc", "-1", "+5", " 7", "7 ", "0x10", "1.5", "18446744073709551616", "sedm"}) {
    auto [random, err] = fromSeedVariable(value);
    EXPECT_FALSE(random->fixed()) << '"' << value << '"';
    EXPECT_NE(err.find("KVIZARION_SEED"), std::string::npos) << '"' << value << "\" refused without a word";
  }
  auto [unset, err] = fromSeedVariable(nullptr);
  EXPECT_FALSE(unset->fixed());
  EXPECT_EQ(err, "") << "no variable, nothing to say";
}

}  // namespace
}  // namespace kvz
