#include "platform/Control.h"

#include "platform/RuntimeException.h"
#include "platform/Window.h"

namespace platform {

Control::~Control() = default;

void Control::Constructor() {}

void Control::Close() {}

void Control::InstallEventHandler(std::string_view eventName, const Delegate& handler) {
  if (!OffersEvent(eventName, handler.Signature()))
    throw RuntimeException("The control \"" + name_ + "\" has no event \"" + std::string(eventName) +
                           "\" with the signature \"" + std::string(handler.Signature()) + "\".");
  handlers_.insert_or_assign(std::string(eventName), handler);
}

bool Control::HasEventHandler(std::string_view eventName) const { return handlers_.contains(eventName); }

bool Control::FireKeyDown(const std::string& key) {
  const auto found = handlers_.find("KeyDown");
  if (found == handlers_.end()) return false;
  const auto method = std::get<Delegate::KeyDown>(found->second.Call());
  const auto keep = shared_from_this();
  const auto window = HandlerWindow();  // found from the control at each event
  return method(NotNil(window), key);
}

void Control::FireAction() {
  const auto found = handlers_.find("Action");
  if (found == handlers_.end()) return;
  const auto method = std::get<Delegate::Action>(found->second.Call());
  const auto keep = shared_from_this();
  const auto window = HandlerWindow();
  method(NotNil(window));
}

bool Control::FireMouseDown(std::int32_t x, std::int32_t y) {
  const auto found = handlers_.find("MouseDown");
  if (found == handlers_.end()) return false;
  const auto method = std::get<Delegate::MouseDown>(found->second.Call());
  const auto keep = shared_from_this();
  const auto window = HandlerWindow();
  return method(NotNil(window), x, y);
}

void InstallInstanceEventHandler(Control& control, std::string_view eventName, const Delegate& handler) {
  control.InstallEventHandler(eventName, handler);
}

}  // namespace platform
