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

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyFilter,
    ::testing::Values(KeyCase{"Zero", "0", true}, KeyCase{"Nine", "9", true},
                      KeyCase{"SlashJustBelowZero", "/", false}, KeyCase{"ColonJustAboveNine", ":", false},
                      KeyCase{"Letter", "a", false}, KeyCase{"Space", " ", false},
                      KeyCase{"EmptyCountsAsCodeZero", "", true}, KeyCase{"Backspace", "\b", true},
                      KeyCase{"UnitSeparator", "\x1f", true}, KeyCase{"Delete", "\x7f", true},
                      KeyCase{"Tilde", "~", false}, KeyCase{"NonAscii", "\xc3\xa9", false},
                      KeyCase{"FullwidthDigit", "\xef\xbc\x95", false},
                      KeyCase{"OverlongNulIsNoControlCharacter", "\xc0\x80", false},
                      KeyCase{"InvalidLeadByte", "\xff", false},
                      // Several characters at once, as an input method hands them over.
                      KeyCase{"DigitsSortBetween", "42", true}, KeyCase{"DigitThenLetter", "5x", true},
                      KeyCase{"NineThenMoreSortsPastNine", "90", false},
                      KeyCase{"ControlThenLetters", "\x01xyz", true},
                      KeyCase{"LetterThenDigit", "x5", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
