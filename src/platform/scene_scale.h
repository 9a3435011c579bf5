#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <algorithm>
#include <cmath>

namespace kvz {

// The scene's size in pixels: every window of the game is drawn at 640 x 480.
inline constexpr int kSceneWidth = 640;
inline constexpr int kSceneHeight = 480;

// The factor a full-screen window of this many device pixels draws the scene at: the largest
// whole number that fits both ways, at least 1. Whole numbers keep every element edge, every
// line of the pictures (drawn again at the factor) and every letter on whole pixels, so
// nothing blurs; a screen between two factors shows a black border instead.
inline int sceneScaleFor(int width, int height) {
  return std::max(1, std::min(width / kSceneWidth, height / kSceneHeight));
}

// Where a window shows the scene and how large. A high-density desktop gives a window more
// device pixels (the screen's own) than logical ones (the window's sizes): `ratio` of them
// to a logical pixel, 2 at 200 %, 1.5 at 150 %. The scene is placed in device pixels, so it
// fills a switched 640 x 480 screen at any ratio; the window's elements take logical sizes.
struct SceneFit {
  double density = 0;  // device pixels to a scene pixel; 0 until the window has a size
  double ratio = 1;    // device pixels to a logical pixel
  QPoint origin;       // the scene's top-left corner in the window, in device pixels

  bool operator==(const SceneFit&) const = default;
  // A rectangle of the scene (its pixels) in the window's logical pixels, its edges on
  // device pixels.
  QRectF logical(const QRect& scene) const {
    return {(origin.x() + scene.x() * density) / ratio, (origin.y() + scene.y() * density) / ratio,
            scene.width() * density / ratio, scene.height() * density / ratio};
  }
  double logicalPerScenePixel() const { return density / ratio; }
  // The whole-number scale the pictures are drawn at: the density, rounded up where it is
  // not whole (a desktop at 125 % or 150 %), the drawing then shrunk to it.
  int pictureScale() const { return static_cast<int>(std::ceil(density - 1e-6)); }
};

// A full-screen window of that logical size: the scene at the largest whole density that
// fits its device pixels, centred.
inline SceneFit fullScreenFit(QSize logicalSize, double ratio) {
  const int width = static_cast<int>(std::lround(logicalSize.width() * ratio));
  const int height = static_cast<int>(std::lround(logicalSize.height() * ratio));
  const int density = sceneScaleFor(width, height);
  return {double(density), ratio, {(width - kSceneWidth * density) / 2, (height - kSceneHeight * density) / 2}};
}

// A window of the scene's size: the desktop's own factor, one logical pixel to a scene pixel.
inline SceneFit windowFit(double ratio) { return {ratio, ratio, {}}; }

}  // namespace kvz
