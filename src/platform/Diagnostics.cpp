#include "platform/Diagnostics.h"

#include <string>

#include "platform/qt/RuntimeState.h"

namespace platform {
namespace {

std::function<void(std::string_view)>& TraceListener() {
  static std::function<void(std::string_view)> listener;
  return listener;
}

std::optional<std::filesystem::path>& ExecutableOverride() {
  static std::optional<std::filesystem::path> path;
  return path;
}

}  // namespace

void RuntimeSetTraceListener(std::function<void(std::string_view)> listener) {
  TraceListener() = std::move(listener);
}

void RuntimeTrace(std::string_view event) {
  if (TraceListener()) TraceListener()(event);
}

void RuntimeSetExecutableFileOverride(std::optional<std::filesystem::path> path) {
  ExecutableOverride() = std::move(path);
}

namespace detail {
std::optional<std::filesystem::path> ExecutableFileOverride() { return ExecutableOverride(); }
}  // namespace detail

}  // namespace platform
