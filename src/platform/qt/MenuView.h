#pragma once

#include <QKeySequence>
#include <QMenuBar>
#include <memory>
#include <string_view>

namespace platform {
class MenuBar;
class MenuItem;
class Window;
}  // namespace platform

namespace platform::detail {

// The menu bar a document window shows: a Qt view of one menu model. Every view of a
// model follows its texts and enabled states; menus are prepared before they open and
// commands go to the window that shows the bar.
class MenuView : public QMenuBar {
 public:
  MenuView(Window& owner, std::shared_ptr<MenuBar> model);
  ~MenuView() override;

  const std::shared_ptr<MenuBar>& Model() const { return model_; }

 private:
  void AddEntry(QWidget* container, const std::shared_ptr<MenuItem>& item, bool isMenu);
  void Prepare();
  void Choose(const std::weak_ptr<MenuItem>& item);

  std::weak_ptr<Window> owner_;
  std::shared_ptr<MenuBar> model_;  // a view keeps what it shows alive
};

// "Cmd+Q" and the like as the platform's key sequence (the command key is Ctrl here);
// empty for the empty text.
QKeySequence ToKeySequence(std::string_view shortcut);

// Hooks of the menu model: a text, shortcut or enabled state changed; an item ended.
// A tree is complete before any window shows it, so its shape never changes under a view.
void MenuItemChanged(const MenuItem& item);
void MenuItemGone(const MenuItem* item);

// Sends a chosen item to its handlers: the window's, then the application's when the
// window has none or its handler returns false. A quit item nobody handled quits.
void ChooseMenuItem(MenuItem& item, Window* window);

}  // namespace platform::detail
