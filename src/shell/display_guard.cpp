#include "shell/display_guard.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace kvz {
namespace {

// A whole number, 0 or more, that fills the text; sizes are kept as 16-bit numbers.
std::optional<int> positive(std::string_view text) {
  constexpr int kLargest = std::numeric_limits<std::int16_t>::max();
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > kLargest) return {};
  return value;
}

std::optional<ScreenSize> size(std::string_view text) {
  const std::size_t x = text.find('x');
  if (x == std::string_view::npos) return {};
  const auto width = positive(text.substr(0, x));
  const auto height = positive(text.substr(x + 1));
  if (!width || !height || *width == 0 || *height == 0) return {};
  return ScreenSize{*width, *height};
}

std::string sizeText(ScreenSize s) { return std::to_string(s.width) + "x" + std::to_string(s.height); }

}  // namespace

std::vector<std::string> guardArguments(const GuardOrders& orders) {
  return {orders.display, sizeText(orders.start) + "@" + std::to_string(orders.startRate), sizeText(orders.game)};
}

std::optional<GuardOrders> parseGuardOrders(std::span<const std::string_view> arguments) {
  if (arguments.size() != 3 || arguments[0].empty()) return {};
  const std::string_view startMode = arguments[1];
  const std::size_t at = startMode.find('@');
  if (at == std::string_view::npos) return {};
  const auto start = size(startMode.substr(0, at));
  const auto rate = positive(startMode.substr(at + 1));
  const auto game = size(arguments[2]);
  if (!start || !rate || !game) return {};
  return GuardOrders{std::string(arguments[0]), *start, *rate, *game};
}

bool guardRestores(const GuardOrders& orders, ScreenSize now, bool gameRestored) {
  return !gameRestored && now == orders.game && now != orders.start;
}

}  // namespace kvz
