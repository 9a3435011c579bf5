#pragma once

// How long each step of a question's reveal, verdict and winnings lasts, in ms: the one home
// of these times for the game window's timers, the sound generator and the tests. Plain
// constants without Qt, so the build-time tools include them too.
namespace kvz::round {

// The reveal shows the question, then one answer a step; the right plate blinks a step.
inline constexpr int kRevealStepMs = 1000;
inline constexpr int kBlinkMs = 350;
// The right plate is green, orange, green: its last green comes two blink steps after the verdict.
inline constexpr int kBlinkToLastGreenMs = 2 * kBlinkMs;
// Right plate blinks, then the winnings come this long after its last green.
inline constexpr int kAfterRightMs = 1500;
// After a wrong answer, the winnings come this long after the verdict.
inline constexpr int kAfterWrongMs = 3000;
// How long the winnings plate stays: the game goes on, it ended, the fifth question was won.
inline constexpr int kWinningsGoOnMs = 2000;
inline constexpr int kWinningsEndMs = 3000;
inline constexpr int kWinningsTopMs = 9000;

// From a verdict's sound to the winnings plate, and to the end of that plate.
inline constexpr int kRightToWinningsMs = kBlinkToLastGreenMs + kAfterRightMs;
inline constexpr int kRightToNextQuestionMs = kRightToWinningsMs + kWinningsGoOnMs;
inline constexpr int kTopToMenuMs = kRightToWinningsMs + kWinningsTopMs;
inline constexpr int kWrongToMenuMs = kAfterWrongMs + kWinningsEndMs;

}  // namespace kvz::round
