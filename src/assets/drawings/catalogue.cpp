// Which drawing makes which named picture.
#include <QRegularExpression>
#include <functional>

#include "assets/drawings/drawing.h"
#include "assets/drawings/style.h"
#include "assets/picture_texts.h"

namespace kvz::drawings {
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

// How to paint the picture of that name, or nullopt when the name is not one we draw.
std::optional<std::function<void(QPainter&, QSize)>> painterFor(const QString& name) {
  using std::placeholders::_1;
  using std::placeholders::_2;
  static const QRegularExpression answer(QStringLiteral("^([A-D])-([MOZ])$"));
  static const QRegularExpression winnings(QStringLiteral("^C0([0-5])$"));
  static const QRegularExpression ladderRow(QStringLiteral("^S0([1-5])$"));
  static const QRegularExpression icon(QStringLiteral("^N-(5050|DIV|TEL)(X?)$"));
  static const QRegularExpression key(QStringLiteral("^KEY-(A|B|C|D|F5|F6|F7|F10|ESC)$"));

  if (const auto m = answer.match(name); m.hasMatch())
    return std::bind(answerPlate, _1, _2, m.captured(1).front(), plateState(m.captured(2).front()));
  if (name == QLatin1String("ZADANI")) return questionPlate;
  if (const auto m = winnings.match(name); m.hasMatch()) return std::bind(winningsPlate, _1, _2, m.captured(1).toInt());
  if (const auto m = ladderRow.match(name); m.hasMatch()) return std::bind(ladder, _1, _2, m.captured(1).toInt());
  if (const auto m = icon.match(name); m.hasMatch())
    return std::bind(lifelineIcon, _1, _2, lifeline(m.captured(1)), !m.captured(2).isEmpty());
  if (const auto m = key.match(name); m.hasMatch())
    return std::bind(keyCap, _1, _2, m.captured(1) == QLatin1String("ESC") ? QStringLiteral("Esc") : m.captured(1));
  for (const picture_texts::Words& w : picture_texts::kMenuButtons)
    if (name == QLatin1String(w.picture)) return std::bind(menuButton, _1, _2, QString::fromUtf8(w.text));
  if (name == QLatin1String("LOGO")) return logo;
  if (name == QLatin1String("NDIVGRAF")) return audienceGraphPanel;
  if (name == QLatin1String("PRUH")) return verticalStrip;
  if (name == QLatin1String("DEKOR-RULES")) return std::bind(decoration, _1, _2, QLatin1Char('?'));
  if (name == QLatin1String("DEKOR-ABOUT")) return std::bind(decoration, _1, _2, QLatin1Char('i'));
  if (name == QLatin1String("HAND")) return handPointer;
  return std::nullopt;
}

}  // namespace

std::optional<QImage> drawPicture(const QString& name, QSize size, int scale) {
  const auto paint = painterFor(name);
  if (!paint || scale < 1 || scale > kMaxScale || size.isEmpty()) return std::nullopt;
  // The image carries the scale while it is painted, so the painter draws every shape and
  // letter at it; afterwards it is a plain image of the scaled size.
  QImage image = canvas(size * scale, name == QLatin1String("HAND"));
  image.setDevicePixelRatio(scale);
  {
    QPainter p(&image);
    prepare(p);
    (*paint)(p, size);
  }
  image.setDevicePixelRatio(1);
  return image;
}

}  // namespace kvz::drawings
