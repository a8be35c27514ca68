#include "calculator/KeyFilter.h"

#include <cstdint>

#include "platform/Builtins.h"

namespace velmora {
namespace {

// Key codes that pass besides the digits.
constexpr std::int32_t kFirstPrintableCode = 32;
constexpr std::int32_t kDeleteCode = 127;

}  // namespace

bool KeyFilterAccepts(const std::string& key) {
  const bool digit =
      platform::RuntimeStringCompare(key, "0") >= 0 && platform::RuntimeStringCompare(key, "9") <= 0;
  if (digit) return true;
  const std::int32_t code = platform::Asc(key);
  return code < kFirstPrintableCode || code == kDeleteCode;
}

}  // namespace velmora
