#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "calculator/KeyFilter.h"

namespace {

struct KeyCase {
  const char* name;
  std::string key;
  bool accepted;
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }

class KeyFilter : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyFilter, PassesDigitsControlCharactersAndDeleteOnly) {
  EXPECT_EQ(velmora::KeyFilterAccepts(GetParam().key), GetParam().accepted);
}

const KeyCase kKeys[] = {
    {"Zero", "0", true},
    {"Nine", "9", true},
    {"SlashJustBelowZero", "/", false},
    {"ColonJustAboveNine", ":", false},
    {"Letter", "a", false},
    {"Space", " ", false},
    {"EmptyCountsAsCodeZero", "", true},
    {"Backspace", "\b", true},
    {"UnitSeparator", "\x1f", true},
    {"Delete", "\x7f", true},
    {"Tilde", "~", false},
    {"NonAscii", "\xc3\xa9", false},
    {"FullwidthDigit", "\xef\xbc\x95", false},
    {"OverlongNulIsNoControlCharacter", "\xc0\x80", false},
    {"InvalidLeadByte", "\xff", false},
    {"ZeroWidthNoBreakSpace", "\xef\xbb\xbf", false},
    {"ZeroWidthNoBreakSpaceThenControl", "\xef\xbb\xbf\x01", false},
    // Several characters at once, as an input method hands them over.
    {"DigitsSortBetween", "42", true},
    {"DigitThenLetter", "5x", true},
    {"NineThenMoreSortsPastNine", "90", false},
    {"ControlThenLetters", "\x01xyz", true},
    {"LetterThenDigit", "x5", false},
};

INSTANTIATE_TEST_SUITE_P(Keys, KeyFilter, ::testing::ValuesIn(kKeys),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
