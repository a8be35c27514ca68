#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Delegate.h"
#include "platform/DesignRecord.h"

namespace platform {

class Window;

// Anything a window makes and registers under a name: the visible controls and timers.
// The window holds its controls; code reaches one by looking its name up on the window.
class Control : public PropertyTarget, public std::enable_shared_from_this<Control> {
 public:
  ~Control() override;

  // The runtime's constructor operation, run right after the control is made.
  virtual void Constructor();

  // The name the window registered the control under.
  const std::string& Name() const { return name_; }

  // The window a bound handler runs on (the control's own window), or nothing.
  virtual std::shared_ptr<platform::Window> HandlerWindow() const = 0;

  // Binds a handler to one of this control's events by event name. Raises when the
  // control has no such event or the handler's signature is not the event's.
  void InstallEventHandler(std::string_view eventName, const Delegate& handler);
  bool HasEventHandler(std::string_view eventName) const;

  // Part of the window's close path: the control lets go of its window and its widget.
  virtual void Close();

 protected:
  Control() = default;

  // The events this control offers, with their signatures.
  virtual bool OffersEvent(std::string_view eventName, std::string_view signature) const = 0;

  // Runs the bound handler, if any. Exceptions are the caller's to guard.
  bool FireKeyDown(const std::string& key);
  void FireAction();
  bool FireMouseDown(std::int32_t x, std::int32_t y);

 private:
  friend class Window;
  // Runs the handler bound to the event with the control's window, if any.
  template <class Method, class... Args>
  auto Fire(std::string_view eventName, Args... args);
  void SetRegisteredName(std::string_view name) { name_ = name; }

  std::string name_;
  std::map<std::string, Delegate, std::less<>> handlers_;
};

// Installs a window's handler on a control's event (the window's control creation uses it).
void InstallInstanceEventHandler(Control& control, std::string_view eventName, const Delegate& handler);

}  // namespace platform
