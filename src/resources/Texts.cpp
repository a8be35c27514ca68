#include "resources/Texts.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace velmora {
namespace {

constexpr std::string_view kNoticeLine = "(c) 2026 The Velmora authors. All rights reserved";

// Lines are separated by a single carriage return, with none after the last; the rule
// of asterisks runs straight into the first notice paragraph.
constexpr std::string_view kHelpLines =
    "Velmora\r"
    "\r"
    "The body mass index (BMI) is a simple measure of body fat for adults, worked out from "
    "height and weight alone. Velmora computes it as weight in pounds ÷ (height in inches "
    "squared), multiplied by 703. By definition, it is weight in kilograms ÷ (height in metres "
    "squared).\r"
    "\r"
    "Since the index rests on height and weight alone, it ignores how muscle and bone mass are "
    "distributed in the body. So it can mislead for athletes and for the elderly, in whom that "
    "distribution is often unusual: heavy muscles, or muscle and bone lost with age. Read it "
    "alongside other variables such as waist size, with caution, and only after consulting a "
    "physician. \r"
    "\r"
    "The World Health Organization sorts the index into four bands: underweight below 18.50, "
    "normal from 18.50 to 24.99, overweight from 25.00 to 29.99 and obese ≥ 30.00.\r"
    "\r"
    "*******************************************************************\r"
    "Velmora is copyright (c) 2026 The Velmora authors. All rights reserved. The program is "
    "provided \"as is\", without warranty of any kind, express or implied, including the "
    "warranties of merchantability and of fitness for a particular purpose. \r"
    "\r"
    "Velmora gives no medical advice. Its result is no diagnosis and no substitute for a "
    "physician's or dietitian's judgment.\r"
    "\r"
    "The index it shows is a rough screening figure for adults only, computed from the three "
    "values typed into the calculator window and rounded to one decimal place. It is not meant "
    "for children, teenagers or pregnant women, for whom other charts and measures apply, and it "
    "cannot tell fat from muscle, water or bone. The bands above are those of the World Health "
    "Organization; the words on the calculator's result line and the limits used elsewhere may "
    "differ, and a reading close to a limit says little on its own. Velmora stores nothing and "
    "sends nothing: the values stay in its window until you clear them or quit. In no event "
    "shall the authors be liable for any claim, damages or other liability, whether in contract, "
    "tort or otherwise, arising from or in connection with the program or its use. If you are "
    "worried about your weight, see a physician.";

// Characters, not bytes: a UTF-8 continuation byte adds none.
constexpr std::size_t Characters(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

constexpr std::size_t Occurrences(std::string_view text, std::string_view what) {
  std::size_t count = 0;
  for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + what.size()))
    ++count;
  return count;
}

constexpr std::string_view Line(std::string_view text, std::size_t number) {
  for (; number > 0; --number) text.remove_prefix(text.find('\r') + 1);
  return text.substr(0, text.find('\r'));
}

// The help text's shape, checked where a wording change would break it.
constexpr std::array<std::size_t, 14> kLineLengths = {7, 0, 270, 0, 367, 0, 165, 0, 67, 240, 0, 120, 0, 851};

constexpr bool LinesHaveTheirLengths() {
  for (std::size_t i = 0; i < kLineLengths.size(); ++i)
    if (Characters(Line(kHelpLines, i)) != kLineLengths[i]) return false;
  return true;
}

static_assert(Characters(kNoticeLine) == 49);
static_assert(Characters(kNoticeLine) == kNoticeLine.size(), "the notice is plain ASCII");
static_assert(std::count(kHelpLines.begin(), kHelpLines.end(), '\r') == 13);
static_assert(kHelpLines.find('\n') == std::string_view::npos);
static_assert(kHelpLines.back() != '\r');
static_assert(Line(kHelpLines, 0) == "Velmora");
static_assert(LinesHaveTheirLengths());
static_assert(Line(kHelpLines, 8).find_first_not_of('*') == std::string_view::npos);
static_assert(Line(kHelpLines, 4).back() == ' ' && Line(kHelpLines, 9).back() == ' ');
// Only the division sign, twice, and the greater-than-or-equal sign, once, lie outside ASCII.
static_assert(Occurrences(kHelpLines, "\u00f7") == 2 && Occurrences(kHelpLines, "\u2265") == 1);
static_assert(kHelpLines.size() - Characters(kHelpLines) == 2 * 1 + 2);

}  // namespace

const std::string_view kNotice = kNoticeLine;
const std::string_view kHelpText = kHelpLines;

}  // namespace velmora
