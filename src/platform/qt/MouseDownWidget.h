#pragma once

#include <QMouseEvent>
#include <QPointer>
#include <cstdint>
#include <functional>

#include "platform/qt/Dispatch.h"

namespace platform::detail {

// A widget that offers a press to its control's MouseDown handler (control
// coordinates) and otherwise takes none: a press that the handler does not swallow
// goes on to the control's container and so to the window.
template <class Base>
class MouseDownWidget : public Base {
 public:
  using Base::Base;

  // Answers whether the press was swallowed; empty once the control is gone.
  std::function<bool(std::int32_t, std::int32_t)> onMouseDown;

  void Detach() { onMouseDown = nullptr; }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (onMouseDown) {
      const QPoint at = event->position().toPoint();
      const QPointer<QWidget> self(this);
      // A copy: the handler may end the control, which detaches this widget.
      const auto handler = onMouseDown;
      const bool swallowed = Guarded([&] { return handler(at.x(), at.y()); }, true);
      if (swallowed || !self) {
        event->accept();
        return;
      }
    }
    Base::mousePressEvent(event);
  }
};

}  // namespace platform::detail
