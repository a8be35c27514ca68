// Format with a number and a pattern taken from the bytes: the first eight bytes are
// the double, the rest the pattern. A valid pattern never raises, the text holds only
// what a number's text can, and it lies within half a unit of the last place shown.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "platform/Builtins.h"
#include "platform/RuntimeException.h"

namespace {

// '#' places, then optionally a point and '0' places.
bool ValidPattern(std::string_view pattern) {
  const std::size_t point = pattern.find('.');
  const std::string_view integer = pattern.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? "" : pattern.substr(point + 1);
  return integer.find_first_not_of('#') == std::string_view::npos &&
         fraction.find_first_not_of('0') == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  double number = 0;
  if (size < sizeof number) return 0;
  std::memcpy(&number, data, sizeof number);
  const std::string_view pattern(reinterpret_cast<const char*>(data) + sizeof number, size - sizeof number);

  std::string text;
  try {
    text = platform::Format(number, pattern);
  } catch (const platform::RuntimeException&) {
    if (ValidPattern(pattern)) std::abort();
    return 0;
  }
  if (!ValidPattern(pattern)) std::abort();

  if (std::isnan(number) || std::isinf(number)) {
    const char* expected = std::isnan(number) ? "NaN" : number > 0 ? "INF" : "-INF";
    if (text != expected) std::abort();
    return 0;
  }
  if (text.find_first_not_of("-.0123456789") != std::string::npos) std::abort();
  if (text.find('-', 1) != std::string::npos) std::abort();

  const std::size_t point = pattern.find('.');
  const std::size_t places = point == std::string_view::npos ? 0 : pattern.size() - point - 1;
  const std::size_t shownPoint = text.find('.');
  const std::size_t shownPlaces = shownPoint == std::string::npos ? 0 : text.size() - shownPoint - 1;
  if (shownPlaces > places) std::abort();

  // Within half a unit of the last place, give or take the reading back of the text.
  const double unit = std::pow(10.0, -static_cast<double>(places));
  const double shown = text.empty() || text == "-" ? 0.0 : std::strtod(text.c_str(), nullptr);
  const double slack = 4 * std::numeric_limits<double>::epsilon() * std::fabs(number) +
                       std::numeric_limits<double>::denorm_min();
  if (std::fabs(shown - number) > unit / 2 + slack) std::abort();
  return 0;
}
