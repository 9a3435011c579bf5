#pragma once

// Timer intervals that carry the phases of the poll and of the call, in ms: the one home of
// these times for the game window's layout, the lifelines, the sound generator and the
// tests. Plain constants without Qt, so the build-time tools include them too.
namespace kvz::lifelines {

inline constexpr int kPollEmptyGraphMs = 8250;  // the layout's interval: click to empty graph
inline constexpr int kPollResultMs = 15800;     // empty graph to the result
inline constexpr int kPollReturnMs = 1220;      // result to the return to play
inline constexpr int kCallPickUpMs = 3700;      // the layout's interval: ringing
inline constexpr int kCallLongestMs = 30000;    // the call screen at most
inline constexpr int kCallReturnMs = 1250;      // call screen gone to the return to play
inline constexpr int kTypingMs = 100;           // one character of the transcript

// The poll's moments counted from the click: the bars drawn, the music back.
inline constexpr int kPollBarsAtMs = kPollEmptyGraphMs + kPollResultMs;
inline constexpr int kPollMusicAtMs = kPollBarsAtMs + kPollReturnMs;
// The call cut off at its longest, counted from the click.
inline constexpr int kCallCutAtMs = kCallPickUpMs + kCallLongestMs;

}  // namespace kvz::lifelines
