#pragma once

// The audience graph of the game window, in twips: its panel, and the four bars standing on
// the panel's baseline. Plain constants without Qt: the layout places the panel and the bars
// by them, the poll sizes the bars, and the panel's drawing lines its scale up with the bars.
namespace kvz::lifelines {

inline constexpr int kGraphLeft = 2580, kGraphTop = 170, kGraphWidth = 2400, kGraphHeight = 3150;
// The bars stand on this baseline, 24 twips to a percentage point.
inline constexpr int kGraphBaseline = 2925;
inline constexpr int kTwipsPerPoint = 24;
// The bars A to D: their left edges and width, and their height until the first poll.
inline constexpr int kBarLefts[] = {2960, 3440, 3925, 4405};
inline constexpr int kBarWidth = 255;
inline constexpr int kBarStartHeight = 1245;

}  // namespace kvz::lifelines
