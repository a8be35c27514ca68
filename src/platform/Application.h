#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/Delegate.h"
#include "platform/MenuHandlers.h"

namespace platform {

class MenuBar;
class MenuItem;

// The application object: the menu bar that serves windows without one of their own,
// and the menu handlers that last for the run. A system class derives from it and
// overrides the events it handles.
class Application {
 public:
  virtual ~Application();

  std::shared_ptr<platform::MenuBar> MenuBar() const;
  void SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar);

  void AddMenuHandler(std::string_view itemName, MenuHandler handler);
  const MenuHandler* FindMenuHandler(std::string_view itemName) const;

  // Menu preparation for this registrant: its EnableMenuItems event, then every item
  // below the bar that has a handler registered here is enabled.
  void EnableMenuItems(MenuItem& bar);

  virtual void Event_EnableMenuItems() {}

 private:
  std::shared_ptr<platform::MenuBar> menuBar_;
  MenuHandlers mMenuHandlers;
};

}  // namespace platform
