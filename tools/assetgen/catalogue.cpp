// Which drawing makes which named picture.
#include <QRegularExpression>

#include "drawing.h"

namespace kvz::assetgen {
namespace {

PlateState plateState(QChar code) {
  if (code == QLatin1Char('O')) return PlateState::Chosen;
  if (code == QLatin1Char('Z')) return PlateState::Right;
  return PlateState::Normal;
}

Lifeline lifeline(const QString& code) {
  if (code == QLatin1String("DIV")) return Lifeline::Audience;
  if (code == QLatin1String("TEL")) return Lifeline::Phone;
  return Lifeline::FiftyFifty;
}

}  // namespace

std::optional<QImage> drawPicture(const QString& name, QSize size) {
  static const QRegularExpression answer(QStringLiteral("^([A-D])-([MOZ])$"));
  static const QRegularExpression winnings(QStringLiteral("^C0([0-5])$"));
  static const QRegularExpression ladderRow(QStringLiteral("^S0([1-5])$"));
  static const QRegularExpression icon(QStringLiteral("^N-(5050|DIV|TEL)(X?)$"));
  static const QRegularExpression key(QStringLiteral("^KEY-(A|B|C|D|F5|F6|F7|F10|ESC)$"));

  if (const auto m = answer.match(name); m.hasMatch())
    return answerPlate(size, m.captured(1).front(), plateState(m.captured(2).front()));
  if (name == QLatin1String("ZADANI")) return questionPlate(size);
  if (const auto m = winnings.match(name); m.hasMatch()) return winningsPlate(size, m.captured(1).toInt());
  if (const auto m = ladderRow.match(name); m.hasMatch()) return ladder(size, m.captured(1).toInt());
  if (const auto m = icon.match(name); m.hasMatch())
    return lifelineIcon(size, lifeline(m.captured(1)), !m.captured(2).isEmpty());
  if (const auto m = key.match(name); m.hasMatch())
    return keyCap(size, m.captured(1) == QLatin1String("ESC") ? QStringLiteral("Esc") : m.captured(1));
  if (name == QLatin1String("NOVA")) return menuButton(size, QStringLiteral("nová hra"));
  if (name == QLatin1String("PRAV")) return menuButton(size, QStringLiteral("pravidla"));
  if (name == QLatin1String("ABOUT")) return menuButton(size, QStringLiteral("about"));
  if (name == QLatin1String("KONEC")) return menuButton(size, QStringLiteral("ukončit"));
  if (name == QLatin1String("LOGO")) return logo(size);
  if (name == QLatin1String("NDIVGRAF")) return audienceGraphPanel(size);
  if (name == QLatin1String("PRUH")) return verticalStrip(size);
  if (name == QLatin1String("DEKOR-RULES")) return decoration(size, QLatin1Char('?'));
  if (name == QLatin1String("DEKOR-ABOUT")) return decoration(size, QLatin1Char('i'));
  if (name == QLatin1String("HAND")) return handPointer(size);
  return std::nullopt;
}

}  // namespace kvz::assetgen
