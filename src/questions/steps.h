#pragma once

// The ladder's steps and the question files of each: plain constants without Qt, read by
// the bank, its checks and sources, the game and the fuzz targets.
namespace kvz {

// The ladder has 15 steps; a question source may name any of them.
inline constexpr int kLadderSteps = 15;
// The steps the game plays: questions 1 to 5. Answering the last right ends the game.
inline constexpr int kPlayedSteps = 5;
// File numbers 1 to 25 are drawn for each step; any others are never read.
inline constexpr int kFilesPerStep = 25;

}  // namespace kvz
