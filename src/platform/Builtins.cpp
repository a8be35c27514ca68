#include "platform/Builtins.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <system_error>

#include "platform/RuntimeException.h"

namespace platform {
namespace {

// What Asc answers for bytes that do not start a well-formed UTF-8 character.
constexpr std::int32_t kReplacementCharacter = 0xFFFD;

// The lead byte of each multi-byte UTF-8 form, its length and the smallest code point
// it may carry (anything smaller is an overlong form).
struct Utf8Form {
  unsigned char leadMask;
  unsigned char leadBits;
  std::size_t length;
  std::int32_t smallest;
};
constexpr Utf8Form kUtf8Forms[] = {
    {0xE0, 0xC0, 2, 0x80},
    {0xF0, 0xE0, 3, 0x800},
    {0xF8, 0xF0, 4, 0x10000},
};

// Format's texts for the values that have no digits.
constexpr char kNotANumberText[] = "NaN";
constexpr char kInfinityText[] = "INF";
constexpr char kNegativeInfinityText[] = "-INF";

// A double's exact decimal expansion never needs more than 1074 places after the point
// nor more than 309 before it.
constexpr int kMaxExactPlaces = 1074;
constexpr std::size_t kExactDigitsBuffer = 1500;

// Saturates a parsed exponent well beyond anything a double can reach, so that adding
// it to a digit count can never overflow.
constexpr std::int64_t kExponentCap = 1'000'000'000;

// Blanks and line breaks before the number: a field shows "\r5" as 5, on its second line.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The exact decimal value of a finite, non-negative double: integer digits (at least one)
// and fraction digits reaching at least to the last non-zero one.
void ExactDigits(double magnitude, std::string& integerDigits, std::string& fractionDigits) {
  int exponent = 0;
  std::frexp(magnitude, &exponent);
  const int places = std::clamp(std::numeric_limits<double>::digits - exponent, 0, kMaxExactPlaces);
  std::array<char, kExactDigitsBuffer> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                          std::chars_format::fixed, places);
  const std::string_view digits(buffer.data(), error == std::errc() ? end - buffer.data() : 0);
  const std::size_t point = std::min(digits.find('.'), digits.size());
  integerDigits = std::string(digits.substr(0, point));
  fractionDigits = point < digits.size() ? std::string(digits.substr(point + 1)) : std::string();
  if (integerDigits.empty()) integerDigits.assign(1, '0');
}

// Adds one unit in the last place of a string of decimal digits.
void IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// The decimal exponent of the first significant digit of digits[.digits]e<exponent>;
// digits that are all zero count as a small number.
std::int64_t LeadingMagnitude(std::string_view integer, std::string_view fraction, std::int64_t exponent) {
  const std::size_t firstInteger = integer.find_first_not_of('0');
  if (firstInteger != std::string_view::npos) {
    return static_cast<std::int64_t>(integer.size() - firstInteger) - 1 + exponent;
  }
  const std::size_t firstFraction = std::min(fraction.find_first_not_of('0'), fraction.size());
  return -static_cast<std::int64_t>(firstFraction) - 1 + exponent;
}

}  // namespace

// Decoded here rather than by Qt, which skips a leading U+FEFF as a byte-order mark: the
// first character is whatever it is.
std::int32_t Asc(std::string_view text) {
  if (text.empty()) return 0;
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return lead;
  const auto form = std::find_if(std::begin(kUtf8Forms), std::end(kUtf8Forms),
                                 [lead](const Utf8Form& f) { return (lead & f.leadMask) == f.leadBits; });
  if (form == std::end(kUtf8Forms) || text.size() < form->length) return kReplacementCharacter;
  std::int32_t code = lead & ~form->leadMask & 0xFF;
  for (std::size_t i = 1; i < form->length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return kReplacementCharacter;
    code = (code << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and values past Unicode's range are not characters.
  if (code < form->smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return kReplacementCharacter;
  return code;
}

double Val(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  // Matched by hand, so that the parser below sees only this shape and nothing that
  // the C library would also take (hexadecimal, "inf", "nan", a locale's separator).
  const std::size_t start = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::string_view integer = text.substr(start, i - start);
  std::string_view fraction;
  if (i < text.size() && text[i] == '.') {
    std::size_t j = i + 1;
    while (j < text.size() && IsDigit(text[j])) ++j;
    fraction = text.substr(i + 1, j - i - 1);
    if (!integer.empty() || !fraction.empty()) i = j;
  }
  if (integer.empty() && fraction.empty()) return 0.0;

  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
    if (j < text.size() && IsDigit(text[j])) {
      for (; j < text.size() && IsDigit(text[j]); ++j) {
        exponent = std::min(exponent * 10 + (text[j] - '0'), kExponentCap);
      }
      if (negativeExponent) exponent = -exponent;
      i = j;
    }
  }

  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data() + start, text.data() + i, value);
  if (error == std::errc::result_out_of_range) {
    // Too large gives an infinity, too small gives zero.
    const bool large = LeadingMagnitude(integer, fraction, exponent) > 0;
    value = large ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (error != std::errc() || end != text.data() + i) {
    value = 0.0;
  }
  return negative ? -value : value;
}

std::string Format(double number, std::string_view pattern) {
  const std::size_t point = std::min(pattern.find('.'), pattern.size());
  const std::string_view fractionPattern = pattern.substr(std::min(point + 1, pattern.size()));
  if (pattern.substr(0, point).find_first_not_of('#') != std::string_view::npos ||
      fractionPattern.find_first_not_of('0') != std::string_view::npos) {
    throw RuntimeException("Format pattern \"" + std::string(pattern) +
                           "\" may hold only '#' places, then a '.' and '0' places");
  }
  if (std::isnan(number)) return kNotANumberText;
  if (std::isinf(number)) return number > 0 ? kInfinityText : kNegativeInfinityText;

  std::string integer;
  std::string fraction;
  ExactDigits(std::fabs(number), integer, fraction);
  const std::size_t places = fractionPattern.size();
  if (fraction.size() < places + 1) fraction.resize(places + 1, '0');

  // The first dropped digit alone decides: 5 or more is a tie or beyond, both away from zero.
  std::string kept = integer + fraction.substr(0, places);
  if (fraction[places] >= '5') IncrementDigits(kept);
  const bool allZero = kept.find_first_not_of('0') == std::string::npos;
  std::string integerPart = kept.substr(0, kept.size() - places);
  integerPart.erase(0, std::min(integerPart.find_first_not_of('0'), integerPart.size()));

  // A value that shows as zero shows no sign, so -0.04 and 0.04 read alike.
  std::string result = std::signbit(number) && !allZero ? "-" : "";
  result += integerPart;
  if (places > 0) result.append(1, '.').append(kept, kept.size() - places, places);
  return result;
}

std::int32_t RuntimeStringCompare(std::string_view a, std::string_view b) {
  // Bytes compare unsigned: for UTF-8 that is the order of the code points.
  const int order = a.compare(b);
  return (order > 0) - (order < 0);
}

std::string RuntimeAddString(std::string_view a, std::string_view b) { return std::string(a).append(b); }

std::int32_t RuntimeCvtReal64ToSInt32(double value) {
  constexpr double kBelowMin = -2147483649.0;  // every value above it truncates into range
  constexpr double kAboveMax = 2147483648.0;
  if (std::isnan(value)) return 0;
  if (value <= kBelowMin) return std::numeric_limits<std::int32_t>::min();
  if (value >= kAboveMax) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

double RuntimeCvtSInt32ToReal64(std::int32_t value) { return static_cast<double>(value); }

double RuntimePow(double base, double exponent) { return std::pow(base, exponent); }

}  // namespace platform
