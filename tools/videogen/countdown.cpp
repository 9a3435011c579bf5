#include "videogen/countdown.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace kvz::videogen {

namespace {

// Drawn on a 240-unit square scaled to the frame, with strokes thick enough to stay clear
// at half that size.
constexpr double kDesignSize = 240;
constexpr double kRingRadius = 98;
constexpr double kRingWidth = 14;
constexpr int kWarningFrom = 5;  // the last numbers turn the ring red
const QColor kGold(255, 186, 40);
const QColor kAmber(255, 120, 20);
const QColor kWarning(235, 40, 40);
const QColor kNavy(8, 14, 48);
const QColor kBlue(30, 60, 150);

double secondsAt(int frame) { return static_cast<double>(frame) / kFramesPerSecond; }

// Seconds since the number on screen last changed.
double sinceChange(int frame) {
  const double perNumber = static_cast<double>(kCountdownSeconds) / (kCountdownSeconds + 1);
  return std::fmod(secondsAt(frame), perNumber);
}

void drawBackground(QPainter& p) {
  QRadialGradient glow(QPointF(kDesignSize / 2, kDesignSize / 2), kDesignSize * 0.7);
  glow.setColorAt(0.0, kBlue);
  glow.setColorAt(1.0, kNavy);
  p.fillRect(QRectF(0, 0, kDesignSize, kDesignSize), glow);
}

// The ring and the ticks still to go run clockwise from the hand back round to twelve.
void drawTicks(QPainter& p, double remaining) {
  constexpr int kTicks = 60;
  for (int i = 0; i < kTicks; ++i) {
    const double share = static_cast<double>(i) / kTicks;
    const double angle = share * 2.0 * M_PI;
    const bool lit = share >= 1.0 - remaining;
    const double inner = i % 5 == 0 ? 104 : 108;
    const QPointF dir(std::sin(angle), -std::cos(angle));
    p.setPen(QPen(lit ? QColor(255, 230, 160) : QColor(60, 80, 140), i % 5 == 0 ? 5.0 : 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(120, 120) + dir * inner, QPointF(120, 120) + dir * 115.0);
  }
}

void drawRing(QPainter& p, double remaining, const QColor& colour) {
  const QRectF box(120 - kRingRadius, 120 - kRingRadius, 2 * kRingRadius, 2 * kRingRadius);
  p.setPen(QPen(QColor(20, 30, 80), kRingWidth, Qt::SolidLine, Qt::FlatCap));
  p.drawEllipse(box);
  // Qt counts arcs in sixteenths of a degree, anticlockwise from three o'clock.
  p.setPen(QPen(colour, kRingWidth, Qt::SolidLine, Qt::FlatCap));
  const double elapsed = 1.0 - remaining;
  p.drawArc(box, static_cast<int>(std::lround((90 - elapsed * 360) * 16)),
            -static_cast<int>(std::lround(remaining * 360 * 16)));
  // The hand sweeps clockwise like a clock's, leaving the emptied ring behind it.
  const double angle = elapsed * 2.0 * M_PI;
  const QPointF tip(120 + kRingRadius * std::sin(angle), 120 - kRingRadius * std::cos(angle));
  p.setPen(QPen(QColor(255, 255, 255, 110), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(120, 120), tip);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(tip, 6, 6);
}

void drawNumber(QPainter& p, int number, double since, const QColor& glow) {
  QFont font("DejaVu Sans");
  font.setBold(true);
  font.setPixelSize(86);
  QPainterPath path;
  path.addText(0, 0, font, QString::number(number));
  const QRectF bounds = path.boundingRect();
  // Each new number lands slightly larger and settles.
  const double scale = 1.0 + 0.12 * std::exp(-since / 0.12);
  p.save();
  p.translate(120, 120);
  p.scale(scale, scale);
  p.translate(-bounds.center());
  p.setPen(QPen(QColor(glow.red(), glow.green(), glow.blue(), 110), 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(QPen(QColor(40, 20, 0), 3));
  p.setBrush(Qt::white);
  p.drawPath(path);
  p.restore();
}

}  // namespace

int countdownNumber(int frame) {
  frame = std::clamp(frame, 0, kFrameCount - 1);
  const int elapsed = frame * (kCountdownSeconds + 1) / kFrameCount;
  return kCountdownSeconds - elapsed;
}

QImage countdownFrame(int frame) {
  QImage image(kFrameSize, kFrameSize, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(kFrameSize / kDesignSize, kFrameSize / kDesignSize);
  const double remaining = 1.0 - secondsAt(frame) / kCountdownSeconds;
  const int number = countdownNumber(frame);
  const QColor ring = number <= kWarningFrom ? kWarning : (remaining > 0.5 ? kGold : kAmber);
  drawBackground(p);
  drawTicks(p, remaining);
  p.setPen(QPen(kGold, 3));
  p.setBrush(QColor(10, 18, 60));
  p.drawEllipse(QPointF(120, 120), 84, 84);
  drawRing(p, remaining, ring);
  drawNumber(p, number, sinceChange(frame), ring);
  return image;
}

}  // namespace kvz::videogen
