#pragma once

#include "platform/qt/RectControlImpl.h"

namespace platform::detail {

// The Qt side of a control whose widget calls back into the control. The widget is
// deleted later than the control (deleteLater), so the control's end detaches it
// first: no event that arrives in between can reach a control that is gone.
template <class W>
struct ControlWidgetImpl : RectControlImpl {
  explicit ControlWidgetImpl(W* widget) : RectControlImpl(widget) {}
  ~ControlWidgetImpl() override {
    if (W* w = Widget()) w->Detach();
  }

  // The control's widget, or nothing once Qt has deleted it with its window.
  W* Widget() const { return static_cast<W*>(widget.data()); }
};

}  // namespace platform::detail
