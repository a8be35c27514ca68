#include "shell/Startup.h"

#include <exception>
#include <iterator>
#include <string_view>

#include "calculator/ControlWnd.h"
#include "infowindows/AboutWnd.h"
#include "infowindows/DescriptionWnd.h"
#include "platform/Application.h"
#include "platform/NilObjectException.h"
#include "platform/Runtime.h"
#include "shell/FileTypes.h"
#include "shell/HandleAboutMenu.h"
#include "shell/InvisibleWnd.h"
#include "shell/Menu.h"

namespace velmora {
namespace {

struct ClassRow {
  std::string_view name;
  std::string_view base;
};

// The system's classes, in the order the runtime learns them.
constexpr ClassRow kClasses[] = {
    {ControlWnd::kClassName, "Window"},
    {"Menu.Menu", "MenuBar"},
    {AboutWnd::kClassName, "Window"},
    {"HandleAboutMenu.HandleAboutMenu", "Application"},
    {DescriptionWnd::kClassName, "Window"},
    {InvisibleWnd::kClassName, "Window"},
    {InvisibleWnd::Timer1::kClassName, "Timer"},
};
static_assert(std::size(kClasses) == 7);

// The system has no plug-ins; the empty table is held for the whole run all the same.
std::shared_ptr<platform::PluginEntrypointsTable> pluginEntrypoints;

}  // namespace

void initialize() {
  for (const ClassRow& row : kClasses) platform::RuntimeRegisterClass(row.name, row.base);
}

void Main() {
  // The only catch of the system. A report that raises in turn is not caught again.
  try {
    platform::RunFrameworkInitialization(Startup);
    platform::RuntimeRun();
  } catch (...) {
    platform::RuntimeUnhandledException(std::current_exception());
  }
}

// The order matters: the application is registered before App reaches it, and its menu
// bar is set before any window exists.
void Startup() {
  platform::RuntimeInitExternalClasses();
  InitPluginEntrypoints();
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
  MakeDefaultView();
}

void InitPluginEntrypoints() { pluginEntrypoints = platform::RuntimeAllocatePluginEntrypointsTable(0); }

void InitFileTypes() { FileTypes::Initialize(); }

void NewAppInstance() {
  const auto application = platform::RuntimeNewObject<HandleAboutMenu>();
  platform::NotNil(application).SetMenuBar(Menu());
  platform::RuntimeRegisterAppObject(application);
}

// The start window keeps itself open; nothing here needs to hold it.
void MakeDefaultView() { InvisibleWnd(); }

void finalize() {
  platform::RuntimeReleaseImplicitWindowList();
  platform::RuntimeReleaseWindowLists();
  platform::RuntimeReleaseIntrospectionMaps();
  FileTypes::pText.reset();
  FileTypes::pUntitledType.reset();
  Menu::implicitInstance.reset();
}

std::shared_ptr<HandleAboutMenu> App() {
  return std::dynamic_pointer_cast<HandleAboutMenu>(platform::getAppObject());
}

}  // namespace velmora
