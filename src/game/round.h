#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "assets/media_files.h"
#include "game/durations.h"
#include "questions/steps.h"

// Fixed values of one game round: timings, end markers, files and the names that bind an
// answer letter to its elements and bitmaps.
namespace kvz::round {

// Delay before a game that cannot go on returns to the menu: just past the running handler.
inline constexpr int kReturnMs = 1;

// The suspense before the verdict grows with the level.
int suspenseMs(int level);

// Why the game ends after the current question (empty: it goes on).
inline const QString kKonecSpatna = QStringLiteral("SpatnaOdp");
inline const QString kKonecEsc = QStringLiteral("Esc");
inline const QString kKonec5Ot = QStringLiteral("5Ot");

// Question plate geometry, in twips.
inline constexpr int kZadaniWidth = 7800;
inline constexpr int kOneLineTop = 4920, kOneLineHeight = 480;
inline constexpr int kTwoLinesTop = 4800, kTwoLinesHeight = 840;

// One answer: its letter, plate, text, and the plate bitmaps normal, picked and right.
struct Answer {
  const char* letter;
  const char* plate;
  const char* text;
  const char* normal;
  const char* picked;
  const char* right;
};
inline constexpr std::array<Answer, 4> kAnswers{{
    {"A", "imgA", "lblA", "A-M", "A-O", "A-Z"},
    {"B", "imgB", "lblB", "B-M", "B-O", "B-Z"},
    {"C", "imgC", "lblC", "C-M", "C-O", "C-Z"},
    {"D", "imgD", "lblD", "D-M", "D-O", "D-Z"},
}};
// The answer of a letter compared exactly ("a" is none); null when there is none.
const Answer* answerOf(const QString& letter);

// The question and its four answers, in the order they are revealed.
inline constexpr std::array<const char*, 5> kTexts = {"lblZadani", "lblA", "lblB", "lblC", "lblD"};
// The lifeline icons, in the order fifty-fifty, audience, phone.
inline constexpr std::array<const char*, 3> kLifelineIcons = {"imgN5050", "imgNDiv", "imgNTel"};
// The audience graph: percentages, bars, then its panel.
inline constexpr std::array<const char*, 9> kPollElements = {
    "lblNDivA", "lblNDivB", "lblNDivC", "lblNDivD", "colNDivA", "colNDivB", "colNDivC", "colNDivD", "imgNDivGraf"};

// "S01".."S05" and "C00".."C05": a letter and the level with two digits.
QString levelBitmap(char prefix, int level);
// A number written with at least two digits; a minus sign stands before them.
QString twoDigits(int value);

// Sounds and the video: their one home is assets/media_files.h.
using media::kMusic;
using media::kVideo;
using media::kSoundRight;
using media::kSoundWrong;
using media::kSoundTop;

}  // namespace kvz::round
