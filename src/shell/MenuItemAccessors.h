#pragma once

#include <memory>

#include "platform/MenuItem.h"

namespace velmora {

// Items of the application's menu bar by name: nothing when the name is not there;
// the nil-object exception when there is no application or it has no menu bar.
std::shared_ptr<platform::AppleMenuItem> AboutQEN();
std::shared_ptr<platform::MenuItem> AboutMenuItem();
std::shared_ptr<platform::MenuItem> DescriptionMenuItem();
std::shared_ptr<platform::MenuItem> ControlMenuItem();

}  // namespace velmora
