#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Color.h"
#include "platform/Delegate.h"
#include "platform/DesignRecord.h"
#include "platform/MenuHandlers.h"
#include "platform/NilObjectException.h"

namespace platform {

class Control;
class MenuBar;
class MenuItem;

namespace detail {
struct WindowImpl;
}

// A window of the system. A class derives from Window, names itself with its class
// name ("AboutWnd.AboutWnd"), and overrides the hooks and events it handles; the
// others do nothing. Construction (Constructor) runs Layout, CreateControls,
// AddMenuHandlers and then the Open event, all within the call.
class Window : public PropertyTarget, public std::enable_shared_from_this<Window> {
 public:
  explicit Window(std::string className);
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Builds the window and makes it the open instance of its class. When a hook
  // raises, the half-built window is discarded and the exception passes on.
  void Constructor();

  const std::string& ClassName() const { return className_; }

  // Shows, raises and activates the window.
  void Show();
  // Takes it off the screen; the window stays open.
  void Hide();
  bool Visible() const;
  // The close path, as the close box takes it: CancelClose may keep the window;
  // otherwise its controls close, it leaves the open-instance registry and Close fires.
  // Returns whether the window closed.
  bool Close();
  bool IsOpen() const;
  bool IsActive() const;

  // The window's own menu bar, or nothing (the application's then serves it).
  std::shared_ptr<platform::MenuBar> MenuBar() const;
  void SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar);

  // Registers a menu handler under an item name; one per name, ending with the window.
  void AddMenuHandler(std::string_view itemName, MenuHandler handler);
  const MenuHandler* FindMenuHandler(std::string_view itemName) const;

  // Control creation: a new control of the class, made for this window.
  template <class C>
  std::shared_ptr<C> New() {
    auto control = std::make_shared<C>();
    Adopt(*control);
    return control;
  }
  // Registers a control under its name; the control learns its window.
  void AddControl(std::string_view name, std::shared_ptr<Control> control);
  // The control registered under the name, or nothing.
  std::shared_ptr<Control> ControlByName(std::string_view name) const;
  // The control of that name converted to C: nothing when absent or of another class.
  template <class C>
  std::shared_ptr<C> ControlAs(std::string_view name) const {
    return std::dynamic_pointer_cast<C>(ControlByName(name));
  }
  std::vector<std::shared_ptr<Control>> Controls() const;

  const PropertyTable& Properties() const override;
  void SetProperty(std::string_view name, const PropertyValue& value) override;

  // Menu preparation for this registrant: its EnableMenuItems event, then every item
  // below the bar that has a handler registered here is enabled.
  void EnableMenuItems(MenuItem& bar);

  // Tears the window down without raising events (finalisation): its controls let go
  // of it and it leaves the registry.
  void Discard();

  // The framework's own side; opaque outside the platform.
  detail::WindowImpl& Impl() const { return *impl_; }

  // Events, called by the framework (public so that the platform can raise them).
  virtual void Layout() {}
  virtual void CreateControls() {}
  virtual void AddMenuHandlers(const std::shared_ptr<Window>& window) { (void)window; }
  virtual void Event_Open() {}
  virtual bool Event_CancelClose() { return false; }
  virtual void Event_Close() {}
  virtual void Event_Activate() {}
  virtual void Event_Deactivate() {}
  virtual bool Event_KeyDown(const std::string& key) {
    (void)key;
    return false;
  }
  virtual bool Event_MouseDown(std::int32_t x, std::int32_t y) {
    (void)x;
    (void)y;
    return false;
  }
  virtual void Event_EnableMenuItems() {}

 private:
  void Adopt(Control& control);
  // Closes the controls, leaves the registry and takes the frame off the screen.
  void TearDown();

  std::string className_;
  std::unique_ptr<detail::WindowImpl> impl_;
  std::shared_ptr<platform::MenuBar> menuBar_;
  std::vector<std::pair<std::string, std::shared_ptr<Control>>> controls_;
  MenuHandlers mMenuHandlers;
};

// The open instance registered under a class name, or nothing.
std::shared_ptr<Window> GetImplicitWindow(std::string_view className);

// Every window still open, in the order they were made.
std::vector<std::shared_ptr<Window>> OpenWindows();

// The single-instance accessor: the open window of class W, or a new one, built
// within the call. W names itself with W::kClassName.
template <class W>
std::shared_ptr<W> ImplicitInstance() {
  if (auto open = GetImplicitWindow(W::kClassName)) return std::dynamic_pointer_cast<W>(open);
  auto window = std::make_shared<W>();
  window->Constructor();
  return window;
}

// The control registered under a name on a window (RuntimeWindowControlByName).
std::shared_ptr<Control> RuntimeWindowControlByName(const Window& window, std::string_view name);

}  // namespace platform
