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

template <class Method, class... Args>
auto Control::Fire(std::string_view eventName, Args... args) {
  using Result = decltype(std::declval<Method>()(std::declval<Window&>(), args...));
  const auto found = handlers_.find(eventName);
  if (found == handlers_.end()) return Result();
  const auto method = std::get<Method>(found->second.Call());
  const auto keep = shared_from_this();
  const auto window = HandlerWindow();  // found from the control at each event
  return method(NotNil(window), args...);
}

bool Control::FireKeyDown(const std::string& key) { return Fire<Delegate::KeyDown>("KeyDown", key); }

void Control::FireAction() { Fire<Delegate::Action>("Action"); }

bool Control::FireMouseDown(std::int32_t x, std::int32_t y) {
  return Fire<Delegate::MouseDown>("MouseDown", x, y);
}

void InstallInstanceEventHandler(Control& control, std::string_view eventName, const Delegate& handler) {
  control.InstallEventHandler(eventName, handler);
}

}  // namespace platform
