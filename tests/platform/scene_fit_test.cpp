#include <gtest/gtest.h>

#include "platform/scene_scale.h"

namespace kvz {
namespace {

// Whatever the desktop's factor, the full-screen scene is placed by the screen's device
// pixels: a switched 640 x 480 screen at 200 % (320 x 240 logical pixels) shows the whole
// scene, not its upper-left quarter; every edge of the scene lies on a device pixel.
TEST(SceneFit, AFullScreenPlacesTheSceneByTheDevicePixelsAtAnyDesktopFactor) {
  struct Case { QSize logical; double ratio; int density; QPoint origin; };
  for (const Case& c : {Case{{640, 480}, 1, 1, {0, 0}},
                        Case{{320, 240}, 2, 1, {0, 0}},      // 640 x 480 switched, 200 %
                        Case{{427, 320}, 1.5, 1, {0, 0}},    // 640.5 device pixels across
                        Case{{512, 384}, 1.25, 1, {0, 0}},
                        Case{{214, 160}, 3, 1, {1, 0}},      // 642 x 480
                        Case{{1920, 1080}, 1, 2, {320, 60}},
                        Case{{960, 540}, 2, 2, {320, 60}},
                        Case{{1280, 720}, 1.5, 2, {320, 60}},
                        Case{{640, 360}, 3, 2, {320, 60}},
                        Case{{1280, 960}, 3, 6, {0, 0}},
                        Case{{600, 400}, 1, 1, {-20, -40}},  // smaller than the scene: its centre shows
                        Case{{0, 0}, 2, 1, {-320, -240}}}) {
    SCOPED_TRACE(testing::Message() << c.logical.width() << "x" << c.logical.height() << " at " << c.ratio);
    const SceneFit fit = fullScreenFit(c.logical, c.ratio);
    EXPECT_EQ(fit.density, c.density);
    EXPECT_EQ(fit.pictureScale(), c.density);
    EXPECT_EQ(fit.origin, c.origin);
    // The notice strip of the menu (78, 432, 485 x 16) at its device pixels.
    const QRectF strip = fit.logical({78, 432, 485, 16});
    EXPECT_DOUBLE_EQ(strip.left() * c.ratio, c.origin.x() + 78.0 * c.density);
    EXPECT_DOUBLE_EQ(strip.bottom() * c.ratio, c.origin.y() + 448.0 * c.density);
  }
}

}  // namespace
}  // namespace kvz
