#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QApplication;

namespace platform {
class Application;
class Window;
}  // namespace platform

namespace platform::detail {

// The runtime's process-wide state, on the GUI thread only.
struct RuntimeState {
  std::unique_ptr<QApplication> application;
  bool running = false;        // inside RuntimeRun's event loop
  bool quitting = false;       // a quit was asked for and is under way
  bool quitBeforeRun = false;  // asked for before the loop started: the loop returns at once
  bool reported = false;       // an unhandled exception was reported
  bool exited = false;
  std::int32_t quitCode = 0;
  std::int32_t exitStatus = 0;
  std::exception_ptr escaped;
  std::shared_ptr<Application> appObject;

  // Open windows in the order they were made, and the open instance per class name.
  std::vector<std::shared_ptr<Window>> windows;
  std::map<std::string, std::shared_ptr<Window>, std::less<>> implicitWindows;
  // Work that must wait until the event loop runs (timers that came due during start-up).
  std::vector<std::function<void()>> whenRunning;
};

RuntimeState& State();

// Runs the work now if the event loop runs, otherwise as soon as it starts.
void WhenRunning(std::function<void()> work);

// The executable file a test harness asked RuntimeExecutableFile to answer, if any.
std::optional<std::filesystem::path> ExecutableFileOverride();

// Menu preparation and the menu bar views (implemented with the menus).
void PrepareMenus(Window* frontmost);
void RefreshMenuBarView(Window& window);
// The window that menu commands go to now, or nothing.
Window* FrontmostWindow();

}  // namespace platform::detail
