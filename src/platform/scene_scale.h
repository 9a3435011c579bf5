#pragma once

#include <algorithm>

namespace kvz {

// The scene's size in pixels: every window of the game is drawn at 640 x 480.
inline constexpr int kSceneWidth = 640;
inline constexpr int kSceneHeight = 480;

// The factor a full-screen window of this size draws the scene at: the largest whole number
// that fits both ways, at least 1. Whole numbers keep every element edge, every line of the
// pictures (drawn again at the factor) and every letter on whole pixels, so nothing blurs;
// a screen between two factors shows a black border instead.
inline int sceneScaleFor(int width, int height) {
  return std::max(1, std::min(width / kSceneWidth, height / kSceneHeight));
}

}  // namespace kvz
