#pragma once

#include <functional>
#include <span>
#include <string_view>

#include "platform/Control.h"
#include "platform/Delegate.h"
#include "platform/DesignRecord.h"
#include "platform/NilObjectException.h"
#include "platform/Window.h"

namespace velmora {

// A window's control creation, one control at a time: make a control of class C for the
// window, run its constructor, register it under its name, let `beforeRecord` set what
// must precede the record (a canvas's backdrop), then find it again by name and apply
// its design record.
template <class C>
void CreateControl(platform::Window& window, std::string_view name,
                   std::span<const platform::RecordEntry> record,
                   const std::function<void(C&)>& beforeRecord = {}) {
  {
    const auto control = window.New<C>();
    control->Constructor();
    window.AddControl(name, control);
  }
  if (beforeRecord) beforeRecord(platform::NotNil(window.ControlAs<C>(name)));
  platform::SetProperties(platform::NotNil(window.ControlAs<C>(name)), platform::WriteRecord(record));
}

// Binds a handler method of the window's class to an event of the control registered
// under the name; the handler runs on the control's window when the event fires.
template <class Method>
void BindEvent(platform::Window& window, std::string_view controlName, std::string_view eventName,
               Method method, std::string_view signature) {
  platform::InstallInstanceEventHandler(platform::NotNil(window.ControlByName(controlName)), eventName,
                                        platform::RuntimeCreateDelegate(method, signature));
}

}  // namespace velmora
