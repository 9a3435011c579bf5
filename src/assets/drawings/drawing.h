#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <optional>

#include "assets/drawings/style.h"

namespace kvz::drawings {

// Each picture of the game, painted at the size it is shown at, in that size's pixels; the
// painter may be scaled, so every shape and letter is drawn, never enlarged, at any scale.

enum class PlateState { Normal, Chosen, Right };
// The fill of an answer plate in each state; the message boxes' buttons wear it too.
Fill answerFill(PlateState state);
void answerPlate(QPainter& p, QSize size, QChar letter, PlateState state);
void questionPlate(QPainter& p, QSize size);
void winningsPlate(QPainter& p, QSize size, int level);
void menuButton(QPainter& p, QSize size, const QString& words);

void ladder(QPainter& p, QSize size, int currentRow);

enum class Lifeline { FiftyFifty, Audience, Phone };
void lifelineIcon(QPainter& p, QSize size, Lifeline kind, bool used);
void keyCap(QPainter& p, QSize size, const QString& label);
void handPointer(QPainter& p, QSize size);

void logo(QPainter& p, QSize size);
void audienceGraphPanel(QPainter& p, QSize size);
void verticalStrip(QPainter& p, QSize size);
void decoration(QPainter& p, QSize size, QChar emblem);

// The picture of that (upper-case) name drawn at `size` times `scale`: an image of that many
// pixels, every shape and letter drawn at the scale. Black where nothing is drawn; the hand
// pointer alone is transparent there. nullopt when the name is not one we draw or the scale
// is not a positive whole number of at most kMaxScale.
inline constexpr int kMaxScale = 16;
std::optional<QImage> drawPicture(const QString& name, QSize size, int scale = 1);

}  // namespace kvz::drawings
