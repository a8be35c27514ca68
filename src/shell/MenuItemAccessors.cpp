#include "shell/MenuItemAccessors.h"

#include <string_view>

#include "platform/NilObjectException.h"
#include "shell/HandleAboutMenu.h"
#include "shell/Startup.h"

namespace velmora {
namespace {

// The item of that name in the application's menu bar, as an Item; nothing stays nothing.
template <class Item>
std::shared_ptr<Item> ApplicationItem(std::string_view name) {
  const auto application = App();
  const auto bar = platform::NotNil(application).MenuBar();
  return std::dynamic_pointer_cast<Item>(platform::NotNil(bar).Lookup(name));
}

}  // namespace

std::shared_ptr<platform::AppleMenuItem> AboutQEN() {
  return ApplicationItem<platform::AppleMenuItem>("AboutQEN");
}

std::shared_ptr<platform::MenuItem> AboutMenuItem() {
  return ApplicationItem<platform::MenuItem>("AboutMenuItem");
}

std::shared_ptr<platform::MenuItem> DescriptionMenuItem() {
  return ApplicationItem<platform::MenuItem>("DescriptionMenuItem");
}

std::shared_ptr<platform::MenuItem> ControlMenuItem() {
  return ApplicationItem<platform::MenuItem>("ControlMenuItem");
}

}  // namespace velmora
