#pragma once

class QWidget;

namespace kvz {

// A player that shows a picture: the window puts it into the view of its media element.
// The surface may go away with its window; the player must then stop showing into it.
class VideoSurfaceUser {
public:
  virtual ~VideoSurfaceUser() = default;
  virtual void attachSurface(QWidget* surface) = 0;
};

}  // namespace kvz
