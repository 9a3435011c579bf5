#include <gtest/gtest.h>

#include "shell/display_guard.h"

namespace kvz {
namespace {

const GuardOrders kOrders{":7", {1024, 768}, 75, {640, 480}};

std::optional<GuardOrders> parse(std::vector<std::string_view> arguments) { return parseGuardOrders(arguments); }

// The guard process itself (outliving the game, restoring through RandR) is checked only on a
// real X server, by check_display_guard.py.
TEST(DisplayGuard, RestoresOnlyWhenTheGameHasNotAndTheScreenStillShowsTheGamesSize) {
  struct Case { const char* what; GuardOrders orders; ScreenSize now; bool gameRestored; bool expected; } cases[] = {
      {"the game died at 640x480", kOrders, {640, 480}, false, true},
      {"the game said it restored", kOrders, {640, 480}, true, false},
      {"the player chose 800x600 meanwhile", kOrders, {800, 600}, false, false},
      {"the screen cannot be read", kOrders, {}, false, false},
      {"started at the game's size", {":7", {640, 480}, 60, {640, 480}}, {640, 480}, false, false},
  };
  for (const Case& c : cases) EXPECT_EQ(guardRestores(c.orders, c.now, c.gameRestored), c.expected) << c.what;
}

TEST(DisplayGuard, ReadsBackTheOrdersTheGameWrites) {
  for (const GuardOrders& orders : {kOrders, GuardOrders{"localhost:10.0", {1920, 1080}, 0, {640, 480}}}) {
    const std::vector<std::string> written = guardArguments(orders);
    EXPECT_EQ(parse({written.begin(), written.end()}), orders) << orders.display;
  }
}

// A guard started with anything else must touch no display.
TEST(DisplayGuard, RefusesMalformedOrders) {
  const std::vector<std::vector<std::string_view>> cases = {
      {}, {":7", "1024x768@75"}, {":7", "1024x768@75", "640x480", "extra"}, {"", "1024x768@75", "640x480"},
      {":7", "1024x768", "640x480"}, {":7", "1024x768@", "640x480"}, {":7", "1024x768@-1", "640x480"},
      {":7", "1024x768@75Hz", "640x480"}, {":7", "1024@75", "640x480"}, {":7", "x768@75", "640x480"},
      {":7", "0x768@75", "640x480"}, {":7", "1024x768@75", "640x0"}, {":7", "1024x768@75", "640x480x3"},
      {":7", "1024x768@75", "-640x480"}, {":7", "1024x768@75", " 640x480"}, {":7", "99999x768@75", "640x480"},
      {":7", "1024x768@75", "640x99999999999999999999"},
  };
  for (const auto& arguments : cases) EXPECT_EQ(parse(arguments), std::nullopt) << ::testing::PrintToString(arguments);
}

}  // namespace
}  // namespace kvz
