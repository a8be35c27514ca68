#include "platform/Application.h"

#include "platform/Diagnostics.h"
#include "platform/MenuItem.h"
#include "platform/Runtime.h"
#include "platform/Window.h"
#include "platform/qt/RuntimeState.h"

namespace platform {
Application::~Application() = default;

std::shared_ptr<MenuBar> Application::MenuBar() const { return menuBar_; }

void Application::SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar) {
  RuntimeTrace("SetMenuBar Application");
  menuBar_ = std::move(menuBar);
  if (getAppObject().get() != this) return;
  // The windows on screen without a bar of their own show this one.
  for (const auto& window : OpenWindows())
    if (!window->MenuBar() && window->Visible()) detail::RefreshMenuBarView(*window);
}

void Application::AddMenuHandler(std::string_view itemName, MenuHandler handler) {
  RuntimeTrace("AddMenuHandler Application " + std::string(itemName));
  mMenuHandlers.Add(itemName, std::move(handler));
}

const MenuHandler* Application::FindMenuHandler(std::string_view itemName) const {
  return mMenuHandlers.Find(itemName);
}

void Application::EnableMenuItems(MenuItem& bar) {
  Event_EnableMenuItems();
  mMenuHandlers.EnableHandledItems(bar);
}

}  // namespace platform
