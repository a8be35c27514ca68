#include "platform/NilObjectException.h"

namespace platform {

NilObjectException::NilObjectException() : RuntimeException("An object was used where there was none.") {}

const char* NilObjectException::ClassName() const noexcept { return "NilObjectException"; }

void RaiseNilObjectException() { throw NilObjectException(); }

}  // namespace platform
