#pragma once

#include <memory>

#include "platform/Picture.h"

namespace velmora {

// The bundle's pictures: read from the Resources folder on the first call that finds
// them and kept; nothing while they cannot be read, and the next call tries again.
std::shared_ptr<platform::Picture> RBhzSm();
std::shared_ptr<platform::Picture> BMImedium();
std::shared_ptr<platform::Picture> BMIsmall();

}  // namespace velmora
