#pragma once

class QWidget;

namespace kvz {

// A player that shows a picture: a window puts it into the view of its media element, and
// takes it back before that view goes, so the picture never outlives its place.
class VideoSurfaceUser {
public:
  virtual ~VideoSurfaceUser() = default;
  virtual void attachSurface(QWidget* surface) = 0;
  // Lets go of the surface if it is the one in use.
  virtual void detachSurface(QWidget* surface) = 0;
};

}  // namespace kvz
