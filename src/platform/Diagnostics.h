#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace platform {

// What the framework lets a test harness observe and arrange. Nothing here changes
// what the system does.

// Receives one line per framework call whose order matters (registrations, the menu
// bar, the application object, menu handlers, window construction, releases). Off
// unless a listener is set.
void RuntimeSetTraceListener(std::function<void(std::string_view)> listener);
void RuntimeTrace(std::string_view event);

// How often Beep sounded in this process.
std::int64_t RuntimeBeepCount();

// Makes RuntimeExecutableFile answer this path instead of the running executable's.
void RuntimeSetExecutableFileOverride(std::optional<std::filesystem::path> path);

}  // namespace platform
