#include "platform/MenuItem.h"

#include <algorithm>

#include "platform/NilObjectException.h"
#include "platform/qt/MenuView.h"

namespace platform {

MenuItem::~MenuItem() { detail::MenuItemGone(this); }

void MenuItem::Constructor() {}

void MenuItem::SetName(std::string_view name) {
  if (name_ == name) return;
  name_ = name;
  Changed();
}

void MenuItem::SetText(std::string_view text) {
  if (text_ == text) return;
  text_ = text;
  Changed();
}

void MenuItem::SetKeyboardShortcut(std::string_view shortcut) {
  if (shortcut_ == shortcut) return;
  shortcut_ = shortcut;
  Changed();
}

void MenuItem::SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }

void MenuItem::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed();
}

void MenuItem::Append(std::shared_ptr<MenuItem> item) {
  if (!item) RaiseNilObjectException();
  item->parent_ = weak_from_this();
  items_.push_back(std::move(item));
}

std::int32_t MenuItem::Count() const { return static_cast<std::int32_t>(items_.size()); }

std::shared_ptr<MenuItem> MenuItem::Item(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)];
}

std::shared_ptr<MenuItem> MenuItem::Child(std::string_view name) const {
  const auto found =
      std::find_if(items_.begin(), items_.end(), [name](const auto& item) { return item->Name() == name; });
  return found == items_.end() ? nullptr : *found;
}

std::shared_ptr<MenuItem> MenuItem::Lookup(std::string_view name) const {
  for (const auto& item : items_) {
    if (item->Name() == name) return item;
    if (auto below = item->Lookup(name)) return below;
  }
  return nullptr;
}

void MenuItem::Changed() { detail::MenuItemChanged(*this); }

}  // namespace platform
