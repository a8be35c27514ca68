#pragma once

#include <memory>

#include "platform/FileType.h"

// The system's two file types, registered at start-up; nothing else reads them.
namespace velmora::FileTypes {

extern std::shared_ptr<platform::FileType> pText;
extern std::shared_ptr<platform::FileType> pUntitledType;

void Initialize();

}  // namespace velmora::FileTypes
