#include "platform/RuntimeException.h"

namespace platform {

RuntimeException::RuntimeException(const std::string& message) : std::runtime_error(message) {}

const char* RuntimeException::ClassName() const noexcept { return "RuntimeException"; }

}  // namespace platform
