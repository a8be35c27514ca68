#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A menu, a menu item or a menu bar: a named node of the menu tree. One tree can serve
// the application and several windows at once; every view of it follows its texts and
// enabled states as they change.
class MenuItem : public std::enable_shared_from_this<MenuItem> {
 public:
  MenuItem() = default;
  virtual ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  // The runtime's argument-less constructor operation; an item starts empty.
  virtual void Constructor();

  const std::string& Name() const { return name_; }
  void SetName(std::string_view name);
  const std::string& Text() const { return text_; }
  void SetText(std::string_view text);
  // "Cmd+Q" and the like: the platform's command key with a key.
  const std::string& KeyboardShortcut() const { return shortcut_; }
  void SetKeyboardShortcut(std::string_view shortcut);
  bool AutoEnable() const { return autoEnable_; }
  void SetAutoEnable(bool autoEnable);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  void Enable() { SetEnabled(true); }

  // Appends an item that is in no menu yet, before any window shows the tree.
  void Append(std::shared_ptr<MenuItem> item);
  std::int32_t Count() const;
  // The item at the index, or nothing.
  std::shared_ptr<MenuItem> Item(std::int32_t index) const;
  // The direct child of that name, or nothing.
  std::shared_ptr<MenuItem> Child(std::string_view name) const;
  // The item of that name at any depth below this one, or nothing.
  std::shared_ptr<MenuItem> Lookup(std::string_view name) const;
  // The menu that holds this item, or nothing.
  std::shared_ptr<MenuItem> Parent() const { return parent_.lock(); }

  // A separator line rather than a command.
  bool IsSeparator() const { return text_ == "-"; }

 private:
  void Changed();

  std::string name_;
  std::string text_;
  std::string shortcut_;
  bool autoEnable_ = false;
  bool enabled_ = true;
  std::weak_ptr<MenuItem> parent_;
  std::vector<std::shared_ptr<MenuItem>> items_;
};

// The root of a menu tree: its children are the menus.
class MenuBar : public MenuItem {};

// The item that names the application ("About ..."); shown where the tree puts it.
class AppleMenuItem : public MenuItem {};

// The item that quits the application by itself when chosen.
class QuitMenuItem : public MenuItem {};

}  // namespace platform
