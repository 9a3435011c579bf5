#include "game/spoken.h"

namespace kvz::spoken {

namespace {
// The transcript's lines: the question, the answers, ten blanks, the reply.
constexpr qsizetype kReplyLine = 3;
}  // namespace

QString pick(const QString& answerName) { return QStringLiteral("Volíte ") + answerName; }

QString verdict(bool right, const QString& rightAnswerName) {
  if (right) return QStringLiteral("Správně!");
  if (rightAnswerName.isEmpty()) return QStringLiteral("Špatně.");
  return QStringLiteral("Špatně. Správná odpověď je ") + rightAnswerName;
}

QString winnings(const QString& amount, bool gameOver) {
  return QStringLiteral("Výhra ") + amount + (gameOver ? QStringLiteral(". Konec hry.") : QString());
}

QString poll(const QStringList& percentNames) {
  return QStringLiteral("Hlasování diváků: ") + percentNames.join(QStringLiteral(", "));
}

QString fiftyFifty(const QStringList& answerNames) {
  return QStringLiteral("50:50, zbývá ") + answerNames.join(QStringLiteral(" a "));
}

QString friendsReply(const QString& typed) {
  const QStringList lines = typed.split(QStringLiteral("\r\n"));
  if (lines.size() <= kReplyLine) return {};
  const QString reply = lines.mid(kReplyLine).join(QLatin1Char(' ')).trimmed();
  return reply.isEmpty() ? QString() : QStringLiteral("Přítel: ") + reply;
}

}  // namespace kvz::spoken
