#include "platform/Delegate.h"

namespace platform::detail {

void CheckSignature(std::string_view given, std::string_view expected) {
  if (given != expected)
    throw RuntimeException("A handler with the signature \"" + std::string(expected) +
                           "\" cannot be made for \"" + std::string(given) + "\".");
}

}  // namespace platform::detail
