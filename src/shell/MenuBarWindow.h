#pragma once

#include <memory>
#include <string>

#include "platform/MenuItem.h"
#include "platform/Window.h"

namespace velmora {

// A window that takes the shared menu bar as its own and finds its items by name in it.
// Each accessor gives the item or nothing; a window without a menu bar raises the
// nil-object exception.
class MenuBarWindow : public platform::Window {
 public:
  using platform::Window::Window;

  std::shared_ptr<platform::MenuItem> WindowMenu() const;
  std::shared_ptr<platform::AppleMenuItem> AboutQEN() const;
  std::shared_ptr<platform::MenuItem> AboutMenuItem() const;
  std::shared_ptr<platform::MenuItem> DescriptionMenuItem() const;
  std::shared_ptr<platform::MenuItem> ControlMenuItem() const;
  std::shared_ptr<platform::MenuItem> UntitledMenu0() const;
  std::shared_ptr<platform::MenuItem> EditClear() const;
  std::shared_ptr<platform::MenuItem> EditPaste() const;
  std::shared_ptr<platform::MenuItem> EditCopy() const;
  std::shared_ptr<platform::MenuItem> EditCut() const;
  std::shared_ptr<platform::MenuItem> UntitledMenu1() const;
  std::shared_ptr<platform::MenuItem> EditUndo() const;
  std::shared_ptr<platform::MenuItem> FileMenu() const;
  std::shared_ptr<platform::QuitMenuItem> FileQuit() const;
  std::shared_ptr<platform::MenuItem> Print() const;
  // Names an item that is never created: always nothing.
  std::shared_ptr<platform::MenuItem> UntitledMenu3() const;
};

}  // namespace velmora
