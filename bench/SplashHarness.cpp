// The real start-up, as the program's main runs it, ended right after the splash (the About
// window) is first painted. Exits 3 if the splash was never painted. With --trace it prints,
// on standard error, when each step of the start-up came, in milliseconds from main's start,
// and on standard output whether the print system had been loaded by the splash.
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "FirstPaint.h"
#include "infowindows/AboutWnd.h"
#include "platform/Builtins.h"
#include "platform/Diagnostics.h"
#include "platform/Runtime.h"
#include "platform/qt/WindowImpl.h"
#include "shell/Startup.h"

namespace {

bool IsSplash(const QWidget* window) {
  const auto* frame = dynamic_cast<const platform::detail::WindowWidget*>(window);
  return frame && frame->Owner() && frame->Owner()->ClassName() == velmora::AboutWnd::kClassName;
}

// Whether the print system's plug-in is in the process: it should load only once printing
// is chosen.
bool PrintPluginLoaded() {
  std::ifstream maps("/proc/self/maps");
  for (std::string line; std::getline(maps, line);)
    if (line.find("printsupport") != std::string::npos &&
        line.find("libQt6PrintSupport") == std::string::npos)
      return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  const bool trace = argc > 1 && std::strcmp(argv[1], "--trace") == 0;
  const auto note = [&](std::string_view step) {
    if (!trace) return;
    const std::chrono::duration<double, std::milli> at = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, "%8.2f ms  %.*s\n", at.count(), static_cast<int>(step.size()), step.data());
  };
  if (trace) platform::RuntimeSetTraceListener(note);
  platform::RuntimeInit();
  platform::RuntimeSetExecutableFileOverride(std::filesystem::path(VELMORA_BUNDLE_EXECUTABLE));
  bool painted = false;
  bool printPlugin = false;
  {
    bench::FirstPaint splash(IsSplash, [&] {
      note("splash painted");
      printPlugin = trace && PrintPluginLoaded();
      platform::Quit(0);
    });
    velmora::initialize();
    velmora::Main();
    painted = splash.Seen();
  }
  velmora::finalize();
  const int status = platform::RuntimeExit();
  note("exit");
  if (trace) std::printf("print_plugin_at_splash=%d\n", printPlugin ? 1 : 0);
  return painted ? status : 3;
}
