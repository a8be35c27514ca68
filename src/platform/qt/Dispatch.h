#pragma once

#include <exception>
#include <type_traits>
#include <utility>

namespace platform::detail {

// Keeps an exception that escaped system code called from Qt and asks the event loop
// to end; RuntimeRun rethrows it. Only the first is kept.
void KeepEscapedException(std::exception_ptr exception);

// Runs system code from a Qt event. Exceptions never cross Qt's event loop: one that
// escapes is kept for RuntimeRun, and the fallback is returned instead.
template <class F, class R = std::invoke_result_t<F>>
R Guarded(F&& call, R fallback = R{}) {
  try {
    return std::forward<F>(call)();
  } catch (...) {
    KeepEscapedException(std::current_exception());
    return fallback;
  }
}

template <class F>
requires std::is_void_v<std::invoke_result_t<F>>
void Guarded(F&& call) {
  try {
    std::forward<F>(call)();
  } catch (...) {
    KeepEscapedException(std::current_exception());
  }
}

}  // namespace platform::detail
