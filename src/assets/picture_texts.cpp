#include "assets/picture_texts.h"

#include <QRegularExpression>

#include "platform/element.h"

namespace kvz {

namespace {

QString amount(const char* digits) {
  return QString::fromUtf8(digits) + QLatin1Char(' ') + QString::fromUtf8(picture_texts::kCurrency);
}

}  // namespace

QString pictureText(const QString& pictureName) {
  using namespace picture_texts;
  const QString name = pictureName.toUpper();
  static const QRegularExpression level(QStringLiteral("^([CS])(\\d\\d)$"));
  if (const auto m = level.match(name); m.hasMatch()) {
    const int n = m.captured(2).toInt();
    if (m.captured(1) == QLatin1String("C"))
      return n < static_cast<int>(std::size(kWinnings)) ? amount(kWinnings[n]) : QString();
    // The ladder is read by its current row: the question's number and what it is worth.
    return n >= 1 && n <= kLadderRows ? QStringLiteral("%1: %2").arg(n).arg(amount(kLadder[n - 1])) : QString();
  }
  for (const Words& w : kMenuButtons)
    if (name == QLatin1String(w.picture)) return QString::fromUtf8(w.text);
  for (const Words& w : kLifelines) {
    const QString icon = QLatin1String(w.picture);
    if (name == icon) return QString::fromUtf8(w.text) + QStringLiteral(", k dispozici");
    if (name == icon + QLatin1Char('X')) return QString::fromUtf8(w.text) + QStringLiteral(", použito");
  }
  return {};
}

QString spokenName(const Element& element) {
  switch (element.kind()) {
    case ElementKind::Picture: return pictureText(element.picture());
    case ElementKind::Text:
    case ElementKind::TextPanel:
    case ElementKind::Button:
      return element.caption().isEmpty() ? QString() : element.spokenPrefix() + element.caption();
    case ElementKind::Box:
    case ElementKind::Media: break;
  }
  return {};
}

}  // namespace kvz
