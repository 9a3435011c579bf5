#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/element.h"
#include "platform/scene_scale.h"

namespace kvz {

// Virtual-key codes of the keys the game reads (the codes of keys, not of characters).
namespace vk {
inline constexpr int Escape = 27;
inline constexpr int A = 65, B = 66, C = 67, D = 68;  // the letters run on to Z = 90
inline constexpr int F1 = 112, F5 = F1 + 4, F6 = F1 + 5, F7 = F1 + 6, F10 = F1 + 9;  // and on to F24
}  // namespace vk

// The elements and timers of one loaded window, made afresh at every load from the
// window's layout and discarded when it is unloaded. Elements are kept in drawing order:
// the first added lies on top.
class Form {
public:
  Form(QString name, QString caption);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const QString& name() const { return name_; }
  const QString& caption() const { return caption_; }
  // Every window of the game is the scene's size.
  static constexpr int widthTwips() { return kSceneWidth * kTwipsPerPixel; }
  static constexpr int heightTwips() { return kSceneHeight * kTwipsPerPixel; }

  Element& add(ElementKind kind, const QString& name, Rect geometry);
  // The named element; a name that is not in the layout is a programming error (throws).
  Element& operator[](const QString& name) const;
  Element* find(const QString& name) const;
  const std::vector<std::unique_ptr<Element>>& elements() const { return elements_; }

  Timer& addTimer(Clock& clock, const QString& name, int intervalMs, bool enabled);
  Timer& timer(const QString& name) const;
  const std::vector<std::pair<QString, std::unique_ptr<Timer>>>& timers() const { return timers_; }

  // Key releases of the whole window, with the virtual-key code and the shift state.
  std::function<void(int key, int shift)> onKeyUp;
  void keyUp(int key, int shift = 0) { if (onKeyUp) onKeyUp(key, shift); }

  // The window system closes the window (its close button, Alt+F4).
  std::function<void()> onCloseRequest;

  // Tells assistive technology what has just changed on the window (the question shown, the
  // verdict). It adds no wait: the view passes it on only while a screen reader listens.
  std::function<void(const QString& text)> onAnnounce;
  void announce(const QString& text);
  // The last announcement made while nobody listened (the first question is shown before its
  // window is); taking it clears it.
  QString takeUnheard() { return std::exchange(unheard_, {}); }

private:
  QString name_;
  QString caption_;
  std::vector<std::unique_ptr<Element>> elements_;
  std::vector<std::pair<QString, std::unique_ptr<Timer>>> timers_;
  QString unheard_;
};

}  // namespace kvz
