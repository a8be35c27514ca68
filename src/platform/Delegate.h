#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/NilObjectException.h"
#include "platform/RuntimeException.h"

namespace platform {

class Window;

// Signature texts of the events a handler can be bound to.
inline constexpr std::string_view kKeyDownSignature = "( String ) as Boolean";
inline constexpr std::string_view kActionSignature = "(  )";
inline constexpr std::string_view kMouseDownSignature = "( Int32, Int32 ) as Boolean";
inline constexpr std::string_view kMenuHandlerSignature = "(  ) as Boolean";

// A window class's handler method, unbound: only the method travels to a control's
// event. When the event fires, the handler runs on the control's window.
class Delegate {
 public:
  using KeyDown = std::function<bool(Window&, const std::string&)>;
  using Action = std::function<void(Window&)>;
  using MouseDown = std::function<bool(Window&, std::int32_t, std::int32_t)>;
  using Method = std::variant<KeyDown, Action, MouseDown>;

  Delegate(std::string_view signature, Method method) : signature_(signature), method_(std::move(method)) {}

  std::string_view Signature() const { return signature_; }
  const Method& Call() const { return method_; }

 private:
  std::string_view signature_;
  Method method_;
};

// A registered menu handler: an operation of its registrant, bound to it.
using MenuHandler = std::function<bool()>;

namespace detail {
void CheckSignature(std::string_view given, std::string_view expected);

template <class W>
W& WindowAs(Window& window) {
  W* typed = dynamic_cast<W*>(&window);
  if (!typed) RaiseNilObjectException();
  return *typed;
}
}  // namespace detail

template <class W>
Delegate RuntimeCreateDelegate(bool (W::*method)(const std::string&), std::string_view signature) {
  detail::CheckSignature(signature, kKeyDownSignature);
  return Delegate(kKeyDownSignature, Delegate::KeyDown([method](Window& w, const std::string& key) {
                    return (detail::WindowAs<W>(w).*method)(key);
                  }));
}

template <class W>
Delegate RuntimeCreateDelegate(void (W::*method)(), std::string_view signature) {
  detail::CheckSignature(signature, kActionSignature);
  return Delegate(kActionSignature,
                  Delegate::Action([method](Window& w) { (detail::WindowAs<W>(w).*method)(); }));
}

template <class W>
Delegate RuntimeCreateDelegate(bool (W::*method)(std::int32_t, std::int32_t), std::string_view signature) {
  detail::CheckSignature(signature, kMouseDownSignature);
  return Delegate(kMouseDownSignature,
                  Delegate::MouseDown([method](Window& w, std::int32_t x, std::int32_t y) {
                    return (detail::WindowAs<W>(w).*method)(x, y);
                  }));
}

// Binds a method to the object that registers it. The registrant keeps its handlers
// and they end with it, so the object outlives every call.
template <class T>
MenuHandler RuntimeCreateMenuHandler(T& object, bool (T::*method)(), std::string_view signature) {
  detail::CheckSignature(signature, kMenuHandlerSignature);
  return [target = &object, method] { return (target->*method)(); };
}

}  // namespace platform
