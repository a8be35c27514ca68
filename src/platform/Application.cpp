#include "platform/Application.h"

#include "platform/Diagnostics.h"
#include "platform/MenuItem.h"

namespace platform {
Application::~Application() = default;

std::shared_ptr<MenuBar> Application::MenuBar() const { return menuBar_; }

void Application::SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar) {
  RuntimeTrace("SetMenuBar Application");
  // Set before any window shows it: a window takes the bar that serves it when it appears.
  menuBar_ = std::move(menuBar);
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
