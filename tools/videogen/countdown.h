#pragma once

#include <QImage>

namespace kvz::videogen {

constexpr int kCountdownSeconds = 30;
constexpr int kFramesPerSecond = 15;
constexpr int kFrameCount = kCountdownSeconds * kFramesPerSecond;
// The video is shown at its own size in the game's 120 x 120 player: a frame of that size
// stays sharp where a larger one would be scaled down and blurred.
constexpr int kFrameSize = 120;

// The number on screen at a frame: 30 at the start, 0 through the last second. The 31
// numbers share the 30 seconds evenly, so each stays a little under a second.
int countdownNumber(int frame);

// One frame of the countdown: the number, a ring that empties clockwise over the thirty
// seconds, and a hand sweeping with the ring's end.
QImage countdownFrame(int frame);

}  // namespace kvz::videogen
