#pragma once

#include <memory>

#include "platform/RuntimeException.h"

namespace platform {

// Raised when code uses "nothing": an empty reference where an object was needed.
class NilObjectException : public RuntimeException {
 public:
  NilObjectException();
  const char* ClassName() const noexcept override;
};

[[noreturn]] void RaiseNilObjectException();

// The object behind a reference, or the nil-object exception when there is none.
template <class T>
T& NotNil(const std::shared_ptr<T>& object) {
  if (!object) RaiseNilObjectException();
  return *object;
}

}  // namespace platform
