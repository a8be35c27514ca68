// Menu preparation and command dispatch: which registrants are consulted, in which
// order, and where a chosen item goes.

#include <QApplication>

#include "platform/Application.h"
#include "platform/Builtins.h"
#include "platform/MenuItem.h"
#include "platform/Runtime.h"
#include "platform/Window.h"
#include "platform/qt/MenuView.h"
#include "platform/qt/RuntimeState.h"
#include "platform/qt/WindowImpl.h"

namespace platform::detail {
namespace {

// The window that was active last: it stays frontmost while a dialog or another
// application has the focus.
std::weak_ptr<Window>& LastActive() {
  static std::weak_ptr<Window> window;
  return window;
}

// Items start each preparation from what the framework decides alone: a menu can be
// opened (otherwise it could never be prepared), a command is enabled only with
// AutoEnable.
void ResetItems(MenuItem& menu, bool isBar) {
  for (std::int32_t i = 0; i < menu.Count(); ++i) {
    const auto item = menu.Item(i);
    item->SetEnabled(isBar || item->Count() > 0 || item->AutoEnable());
    ResetItems(*item, false);
  }
}

// Runs the handler registered under the name, kept alive by its own copy: a handler
// may end the registrant that holds it.
bool RunHandler(const MenuHandler* registered) {
  if (!registered || !*registered) return false;
  const MenuHandler handler = *registered;
  return handler();
}

}  // namespace

Window* FrontmostWindow() {
  if (const QWidget* active = QApplication::activeWindow())
    for (const auto& window : State().windows)
      if (window->Impl().frame == active) {
        LastActive() = window;
        return window.get();
      }
  const auto last = LastActive().lock();
  return last && last->IsOpen() && last->Visible() ? last.get() : nullptr;
}

void PrepareMenus(Window* frontmost) {
  const std::shared_ptr<Window> window =
      frontmost && frontmost->IsOpen() ? frontmost->weak_from_this().lock() : nullptr;
  if (window && window->IsActive()) LastActive() = window;
  const auto application = getAppObject();
  const std::shared_ptr<MenuBar> appBar = application ? application->MenuBar() : nullptr;
  // The items offered are those of the bar that serves the frontmost window.
  std::shared_ptr<MenuBar> offered = window ? window->MenuBar() : nullptr;
  if (!offered) offered = appBar;
  if (!offered) return;

  ResetItems(*offered, true);
  if (appBar && appBar != offered) ResetItems(*appBar, true);
  if (application) application->EnableMenuItems(*offered);
  if (window) window->EnableMenuItems(*offered);
}

void ChooseMenuItem(MenuItem& item, Window* window) {
  if (!item.Enabled()) return;
  const auto keepItem = item.weak_from_this().lock();
  const std::shared_ptr<Window> target =
      window && window->IsOpen() ? window->weak_from_this().lock() : nullptr;
  const std::string name = item.Name();
  bool handled = target && RunHandler(target->FindMenuHandler(name));
  if (!handled)
    if (const auto application = getAppObject()) handled = RunHandler(application->FindMenuHandler(name));
  if (!handled && dynamic_cast<const QuitMenuItem*>(&item)) Quit(0);
}

}  // namespace platform::detail
