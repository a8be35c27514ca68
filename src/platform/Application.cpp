#include "platform/Application.h"

#include "platform/Diagnostics.h"
#include "platform/MenuItem.h"
#include "platform/NilObjectException.h"
#include "platform/Runtime.h"
#include "platform/Window.h"
#include "platform/qt/RuntimeState.h"

namespace platform {
namespace {

void EnableHandledItems(MenuItem& menu, const Application& application) {
  for (std::int32_t i = 0; i < menu.Count(); ++i) {
    const auto item = menu.Item(i);
    if (application.FindMenuHandler(item->Name())) item->Enable();
    EnableHandledItems(*item, application);
  }
}

}  // namespace

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
  if (!handler) RaiseNilObjectException();
  RuntimeTrace("AddMenuHandler Application " + std::string(itemName));
  mMenuHandlers.insert_or_assign(std::string(itemName), std::move(handler));
}

const MenuHandler* Application::FindMenuHandler(std::string_view itemName) const {
  const auto found = mMenuHandlers.find(itemName);
  return found == mMenuHandlers.end() ? nullptr : &found->second;
}

void Application::EnableMenuItems(MenuItem& bar) {
  Event_EnableMenuItems();
  EnableHandledItems(bar, *this);
}

}  // namespace platform
