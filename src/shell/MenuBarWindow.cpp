#include "shell/MenuBarWindow.h"

#include <string_view>

#include "platform/NilObjectException.h"

namespace velmora {
namespace {

// The item of that name in the window's own menu bar, as an Item; nothing stays nothing.
template <class Item>
std::shared_ptr<Item> WindowItem(const platform::Window& window, std::string_view name) {
  const auto bar = window.MenuBar();
  return std::dynamic_pointer_cast<Item>(platform::NotNil(bar).Lookup(name));
}

using platform::AppleMenuItem;
using platform::MenuItem;
using platform::QuitMenuItem;

}  // namespace

std::shared_ptr<MenuItem> MenuBarWindow::WindowMenu() const {
  return WindowItem<MenuItem>(*this, "WindowMenu");
}
std::shared_ptr<AppleMenuItem> MenuBarWindow::AboutQEN() const {
  return WindowItem<AppleMenuItem>(*this, "AboutQEN");
}
std::shared_ptr<MenuItem> MenuBarWindow::AboutMenuItem() const {
  return WindowItem<MenuItem>(*this, "AboutMenuItem");
}
std::shared_ptr<MenuItem> MenuBarWindow::DescriptionMenuItem() const {
  return WindowItem<MenuItem>(*this, "DescriptionMenuItem");
}
std::shared_ptr<MenuItem> MenuBarWindow::ControlMenuItem() const {
  return WindowItem<MenuItem>(*this, "ControlMenuItem");
}
std::shared_ptr<MenuItem> MenuBarWindow::UntitledMenu0() const {
  return WindowItem<MenuItem>(*this, "UntitledMenu0");
}
std::shared_ptr<MenuItem> MenuBarWindow::EditClear() const {
  return WindowItem<MenuItem>(*this, "EditClear");
}
std::shared_ptr<MenuItem> MenuBarWindow::EditPaste() const {
  return WindowItem<MenuItem>(*this, "EditPaste");
}
std::shared_ptr<MenuItem> MenuBarWindow::EditCopy() const { return WindowItem<MenuItem>(*this, "EditCopy"); }
std::shared_ptr<MenuItem> MenuBarWindow::EditCut() const { return WindowItem<MenuItem>(*this, "EditCut"); }
std::shared_ptr<MenuItem> MenuBarWindow::UntitledMenu1() const {
  return WindowItem<MenuItem>(*this, "UntitledMenu1");
}
std::shared_ptr<MenuItem> MenuBarWindow::EditUndo() const { return WindowItem<MenuItem>(*this, "EditUndo"); }
std::shared_ptr<MenuItem> MenuBarWindow::FileMenu() const { return WindowItem<MenuItem>(*this, "FileMenu"); }
std::shared_ptr<QuitMenuItem> MenuBarWindow::FileQuit() const {
  return WindowItem<QuitMenuItem>(*this, "FileQuit");
}
std::shared_ptr<MenuItem> MenuBarWindow::Print() const { return WindowItem<MenuItem>(*this, "Print"); }
// No item of the bar carries this name.
std::shared_ptr<MenuItem> MenuBarWindow::UntitledMenu3() const {
  return WindowItem<MenuItem>(*this, "UntitledMenu3");
}

}  // namespace velmora
