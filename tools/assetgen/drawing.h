#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace kvz::assetgen {

// Each picture of the game, drawn at the size it is shown at.

enum class PlateState { Normal, Chosen, Right };
QImage answerPlate(QSize size, QChar letter, PlateState state);
QImage questionPlate(QSize size);
QImage winningsPlate(QSize size, int level);
QImage menuButton(QSize size, const QString& words);

QImage ladder(QSize size, int currentRow);

enum class Lifeline { FiftyFifty, Audience, Phone };
QImage lifelineIcon(QSize size, Lifeline kind, bool used);
QImage keyCap(QSize size, const QString& label);
QImage handPointer(QSize size);

QImage logo(QSize size);
QImage audienceGraphPanel(QSize size);
QImage verticalStrip(QSize size);
QImage decoration(QSize size, QChar emblem);

// The picture of that (upper-case) name, or nullopt when the name is not one we draw.
std::optional<QImage> drawPicture(const QString& name, QSize size);

}  // namespace kvz::assetgen
