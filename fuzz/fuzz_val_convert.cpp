// Val on arbitrary text, then the conversion to a 32-bit integer: never NaN, never
// undefined behaviour, and the integer always the truncated or saturated number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "platform/Builtins.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = platform::Val(text);
  if (std::isnan(value)) std::abort();

  const std::int32_t converted = platform::RuntimeCvtReal64ToSInt32(value);
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  if (value >= 2147483648.0) {
    if (converted != kMax) std::abort();
  } else if (value <= -2147483649.0) {
    if (converted != kMin) std::abort();
  } else if (static_cast<double>(converted) != std::trunc(value)) {
    std::abort();
  }

  // Plain digits read exactly as the C library's correctly rounded conversion does.
  if (!text.empty() && text.size() < 400 && text.find_first_not_of("0123456789") == std::string_view::npos) {
    const std::string digits(text);
    if (value != std::strtod(digits.c_str(), nullptr)) std::abort();
  }
  return 0;
}
