#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {
class RectControl;
class Window;
}  // namespace platform

namespace platform::detail {

// The Qt side of a visible control: its widget, and the shared properties kept in
// window coordinates so the widget can be placed in whichever parent it gets.
struct RectControlImpl {
  explicit RectControlImpl(QWidget* widget);
  virtual ~RectControlImpl();

  // Places the widget at the stored window coordinates inside its current parent.
  void ApplyGeometry();
  // The window coordinates of the top-left of this control's Qt parent.
  QPoint ParentOrigin() const;

  QPointer<QWidget> widget;
  std::weak_ptr<Window> window;
  RectControl* owner = nullptr;

  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t tabIndex = -1;  // none: the rounded rectangle's record has no TabIndex
  bool visible = true;
  bool enabled = true;
  std::string initialParent;
};

}  // namespace platform::detail
