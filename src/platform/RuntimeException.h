#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// The root of the framework's exceptions. ClassName() is what an unhandled-exception
// report names, so every subclass overrides it.
class RuntimeException : public std::runtime_error {
 public:
  explicit RuntimeException(const std::string& message);
  virtual const char* ClassName() const noexcept;
};

}  // namespace platform
