#pragma once

#include <QString>
#include <QStringList>

// What the game window tells a screen reader at its moments, in the player's language. The
// names of answers, amounts and percentages come from the elements (spokenName).
namespace kvz::spoken {

// The pick: "Volíte B: Dva".
QString pick(const QString& answerName);
// The verdict; a wrong one names the right answer when there is one.
QString verdict(bool right, const QString& rightAnswerName);
// The amount of the winnings plate, and whether the game ends with it.
QString winnings(const QString& amount, bool gameOver);
// The poll's four percentages, "A: 5%" to "D: 5%".
QString poll(const QStringList& percentNames);
// The answers left after fifty-fifty.
QString fiftyFifty(const QStringList& answerNames);
// The friend's reply: the line of the transcript after the blank one, as far as it was
// typed; empty while the typing had not reached it.
QString friendsReply(const QString& typed);

}  // namespace kvz::spoken
