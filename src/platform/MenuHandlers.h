#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/Delegate.h"

namespace platform {

class MenuItem;

// A registrant's menu handlers, at most one per menu-item name. The application and
// every window keep one; a window's ends with it.
class MenuHandlers {
 public:
  // Registers the handler under the name; a later one replaces it. Raises the nil-object
  // exception for an empty handler.
  void Add(std::string_view itemName, MenuHandler handler);
  const MenuHandler* Find(std::string_view itemName) const;
  // Enables every item below the menu whose name has a handler here.
  void EnableHandledItems(MenuItem& menu) const;

 private:
  std::map<std::string, MenuHandler, std::less<>> handlers_;
};

}  // namespace platform
