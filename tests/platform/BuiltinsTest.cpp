#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "platform/Builtins.h"
#include "platform/Diagnostics.h"
#include "platform/RuntimeException.h"
#include "support/Modal.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// The index exactly as the calculator computes it: weight / inches^2, then times 703.
double Index(int pounds, int inches) {
  const double square = platform::RuntimePow(platform::RuntimeCvtSInt32ToReal64(inches), 2.0);
  return platform::RuntimeCvtSInt32ToReal64(pounds) / square * 703.0;
}

// ---- Val ----------------------------------------------------------------------------

struct ValRow {
  const char* name;
  std::string_view text;
  double expected;
};

constexpr ValRow kValRows[] = {
    {"empty", "", 0},
    {"letters", "abc", 0},
    {"sign alone", "-", 0},
    {"point alone", ".", 0},
    {"sign and point", "-.", 0},
    {"exponent alone", "e5", 0},
    {"digits then letters", "12abc", 12},
    {"leading blank", " 7", 7},
    {"leading tab and blanks", " \t 7", 7},
    {"leading zeros", "007", 7},
    {"leading zeros typed as weight", "099", 99},
    {"plus sign", "+5", 5},
    {"minus sign", "-5", -5},
    {"blank between sign and digits", "- 5", 0},
    {"two signs", "+-5", 0},
    {"fraction", "1.5", 1.5},
    {"no integer digits", ".5", 0.5},
    {"trailing point", "5.", 5},
    {"second point ends the number", "1.2.3", 1.2},
    {"exponent", "1e3", 1000},
    {"capital exponent", "2E2", 200},
    {"negative exponent", "25e-2", 0.25},
    {"signed exponent", "3e+2", 300},
    {"exponent without digits", "12e", 12},
    {"exponent sign without digits", "12e-", 12},
    {"exponent then letters", "12e3x", 12000},
    {"point then exponent", "5.e1", 50},
    {"overflow", "1e400", kInf},
    {"negative overflow", "-1e400", -kInf},
    {"underflow", "1e-400", 0},
    {"smallest subnormal", "5e-324", 5e-324},
    {"hexadecimal is not read", "0x10", 0},
    {"infinity is not a word Val reads", "inf", 0},
    {"nan is not a word Val reads", "nan", 0},
    {"comma ends the number", "1,000", 1},
    {"line break first", "\r7", 7},
    {"line feed first", "\n5", 5},
    {"line breaks and blanks first", "\r \r\t5", 5},
    {"line break between sign and digits", "-\r5", 0},
    {"line break after", "7\r", 7},
    {"digits past double precision", "12345678901234567890", 12345678901234567890.0},
};

TEST(BuiltinsVal, ReadsTheLeadingNumberOrZero) {
  for (const ValRow& row : kValRows) {
    SCOPED_TRACE(row.name);
    const double value = platform::Val(row.text);
    EXPECT_EQ(value, row.expected);
    EXPECT_EQ(std::signbit(value), std::signbit(row.expected));
  }
}

TEST(BuiltinsVal, HugeInputsFinishAndSaturate) {
  const std::string nines(1'000'000, '9');
  EXPECT_EQ(platform::Val(nines), kInf);
  EXPECT_EQ(platform::Val("-" + nines), -kInf);
  EXPECT_EQ(platform::Val(std::string(1'000'000, '0') + "7"), 7);
  EXPECT_EQ(platform::Val("0." + std::string(1'000'000, '0') + "1"), 0);
  EXPECT_EQ(platform::Val("1e" + nines), kInf);
  EXPECT_EQ(platform::Val("1e-" + nines), 0);
  // A huge exponent cancelled by a long run of fraction zeros is still read exactly.
  EXPECT_EQ(platform::Val("0." + std::string(999, '0') + "15e1000"), 1.5);
}

// ---- Format -------------------------------------------------------------------------

struct FormatRow {
  const char* name;
  double number;
  std::string_view pattern;
  std::string_view expected;
};

const FormatRow kFormatRows[] = {
    {"typical index", 21.5204, "##.0", "21.5"},
    {"exact tie rounds away from zero", 14.25, "##.0", "14.3"},
    {"tie at a half unit", 0.5, "#", "1"},
    {"ties are not to even", 2.5, "#", "3"},
    {"negative tie rounds away from zero", -2.5, "#", "-3"},
    {"negative fraction tie", -1.25, "#.0", "-1.3"},
    {"just below a tie stays down", 2.675, "#.00", "2.67"},
    {"just above a tie goes up", 0.05, "#.0", ".1"},
    {"below the tie when printed short", 0.15, "#.0", ".1"},
    {"carry into a new digit", 99.96, "##.0", "100.0"},
    {"carry through the point", 9.96, "#.0", "10.0"},
    {"carry on integers", 999.5, "#", "1000"},
    {"hash integer part shows no zero", 0.04, "##.0", ".0"},
    {"more digits than the pattern", 123456.0, "#.0", "123456.0"},
    {"zero places keep trailing zeros", 1.5, "#.00", "1.50"},
    {"point without places rounds to integer", 1.5, "#.", "2"},
    {"no point in the pattern rounds to integer", 21.5204, "##", "22"},
    {"zero with hash pattern shows nothing", 0.0, "#", ""},
    {"empty pattern is an integer", 5.6, "", "6"},
    {"negative zero shows no sign", -0.0, "##.0", ".0"},
    {"small negative rounding to zero shows no sign", -0.04, "##.0", ".0"},
    {"negative value", -21.5204, "##.0", "-21.5"},
    {"smallest subnormal", 5e-324, "#.0", ".0"},
    {"two to the sixty-four", 18446744073709551616.0, "#", "18446744073709551616"},
};

TEST(BuiltinsFormat, LaysOutByPattern) {
  for (const FormatRow& row : kFormatRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(platform::Format(row.number, row.pattern), row.expected);
  }
}

TEST(BuiltinsFormat, ExactTiesFromTheCalculatorRoundAwayFromZero) {
  struct Tie {
    int pounds;
    int inches;
    double exact;
    std::string_view expected;
  };
  constexpr Tie kTies[] = {
      {111, 74, 14.25, "14.3"},
      {185, 74, 23.75, "23.8"},
      {228, 76, 27.75, "27.8"},
      {259, 74, 33.25, "33.3"},
  };
  for (const Tie& tie : kTies) {
    SCOPED_TRACE(tie.pounds);
    ASSERT_EQ(Index(tie.pounds, tie.inches), tie.exact);
    EXPECT_EQ(platform::Format(Index(tie.pounds, tie.inches), "##.0"), tie.expected);
  }
}

TEST(BuiltinsFormat, ValuesJustBelowAHalfRoundDown) {
  struct Input {
    int pounds;
    int inches;
  };
  constexpr Input kNear3515[] = {{125, 50}, {180, 60}, {245, 70}};
  for (const Input& input : kNear3515) {
    SCOPED_TRACE(input.pounds);
    const double index = Index(input.pounds, input.inches);
    ASSERT_EQ(index, 35.15);  // the double nearest 35.15, which lies below it
    ASSERT_LT(index, 35.15L);
    EXPECT_EQ(platform::Format(index, "##.0"), "35.1");
  }
}

// Over every valid input, Format agrees with the C library's exact rounding except on
// exact ties (a quarter or three quarters), where it rounds up instead of to even.
TEST(BuiltinsFormat, EveryValidIndexMatchesExactRounding) {
  int ties = 0;
  for (int pounds = 100; pounds <= 300; ++pounds) {
    for (int inches = 48; inches <= 83; ++inches) {
      const double index = Index(pounds, inches);
      const std::string text = platform::Format(index, "##.0");
      const double quarters = index * 4;  // exact: a power of two
      const bool tie = quarters == std::floor(quarters) && std::fmod(quarters, 2.0) == 1.0;
      char expected[32];
      std::snprintf(expected, sizeof expected, "%.1f", tie ? index + 0.05 : index);
      ties += tie;
      ASSERT_EQ(text, expected) << pounds << " lb at " << inches << " in";
      ASSERT_EQ(text.size(), 4u) << text;
      ASSERT_EQ(text[2], '.') << text;
    }
  }
  EXPECT_GE(ties, 4);
}

TEST(BuiltinsFormat, ExpandsTheExactBinaryValue) {
  const std::string big = platform::Format(1e308, "#");
  EXPECT_EQ(big.size(), 309u);
  EXPECT_EQ(big.substr(0, 20), "10000000000000000109");
  const std::string tiny = platform::Format(5e-324, "#." + std::string(1074, '0'));
  EXPECT_EQ(tiny.size(), 1075u);
  EXPECT_EQ(tiny.substr(0, 1 + 323 + 5), "." + std::string(323, '0') + "49406");
  EXPECT_EQ(tiny.back(), '5');
  // Places beyond the exact expansion are zeros.
  EXPECT_EQ(platform::Format(0.5, "#.0000000000"), ".5000000000");
}

TEST(BuiltinsFormat, ValuesWithoutDigits) {
  EXPECT_EQ(platform::Format(kNaN, "##.0"), "NaN");
  EXPECT_EQ(platform::Format(kInf, "##.0"), "INF");
  EXPECT_EQ(platform::Format(-kInf, "##.0"), "-INF");
}

TEST(BuiltinsFormat, RejectsOtherPatterns) {
  for (std::string_view pattern : {"##,0", "#.#.#", "$#.00", "0.0%", "abc", "## .0", "0.0", "#.##", "#0"}) {
    SCOPED_TRACE(pattern);
    EXPECT_THROW(platform::Format(1.0, pattern), platform::RuntimeException);
    EXPECT_THROW(platform::Format(kNaN, pattern), platform::RuntimeException);
  }
}

// ---- Asc, comparison, concatenation -------------------------------------------------

TEST(BuiltinsAsc, CodePointOfTheFirstCharacter) {
  struct Row {
    const char* name;
    std::string_view text;
    std::int32_t expected;
  };
  const Row kRows[] = {
      {"empty", "", 0},
      {"NUL", std::string_view("\0x", 2), 0},
      {"ASCII", "Ab", 65},
      {"control code", "\x08", 8},
      {"two bytes", "\xC3\xA9t\xC3\xA9", 0xE9},
      {"three bytes", "\xE2\x82\xAC", 0x20AC},
      {"four bytes", "\xF0\x9F\x98\x80", 0x1F600},
      {"largest code point", "\xF4\x8F\xBF\xBF", 0x10FFFF},
      {"zero-width no-break space, not skipped as a byte-order mark", "\xEF\xBB\xBF\x35", 0xFEFF},
      {"stray continuation byte", "\x80", 0xFFFD},
      {"invalid lead byte", "\xFF", 0xFFFD},
      {"cut short", "\xE2\x82", 0xFFFD},
      {"cut short inside a longer text", std::string_view("\xE2\x82\xAC", 2), 0xFFFD},
      {"continuation missing", "\xC3x", 0xFFFD},
      {"overlong form", "\xC0\x80", 0xFFFD},
      {"overlong three-byte form", "\xE0\x9F\xBF", 0xFFFD},
      {"overlong four-byte form", "\xF0\x8F\xBF\xBF", 0xFFFD},
      {"surrogate", "\xED\xA0\x80", 0xFFFD},
      {"beyond Unicode", "\xF4\x90\x80\x80", 0xFFFD},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(platform::Asc(row.text), row.expected);
  }
}

TEST(BuiltinsCompare, ByCharacterCode) {
  struct Row {
    std::string_view a;
    std::string_view b;
    int sign;
  };
  const Row kRows[] = {
      {"", "", 0},          {"a", "a", 0},         {"a", "b", -1},
      {"", "a", -1},        {"ab", "abc", -1},     {"A", "a", -1},
      {"10", "9", -1},      {"9", ":", -1},        {"/", "0", -1},
      {"\x7F", "\x80", -1}, {"z", "\xC3\xA9", -1}, {"\xE2\x82\xAC", "\xF0\x9F\x98\x80", -1},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(std::string(row.a) + " vs " + std::string(row.b));
    const std::int32_t forward = platform::RuntimeStringCompare(row.a, row.b);
    const std::int32_t backward = platform::RuntimeStringCompare(row.b, row.a);
    EXPECT_EQ((forward > 0) - (forward < 0), row.sign);
    EXPECT_EQ((backward > 0) - (backward < 0), -row.sign);
  }
}

TEST(BuiltinsAddString, JoinsLeftToRight) {
  EXPECT_EQ(platform::RuntimeAddString("21.5", ".  WHO/CDC category: "), "21.5.  WHO/CDC category: ");
  EXPECT_EQ(platform::RuntimeAddString("", ""), "");
  EXPECT_EQ(platform::RuntimeAddString("\xC3", "\xA9"), "\xC3\xA9");
  EXPECT_EQ(platform::RuntimeAddString(std::string_view("a\0", 2), "b"), std::string("a\0b", 3));
}

// ---- Conversions --------------------------------------------------------------------

TEST(BuiltinsConvert, Real64ToSInt32TruncatesAndSaturates) {
  struct Row {
    const char* name;
    double value;
    std::int32_t expected;
  };
  const Row kRows[] = {
      {"NaN", kNaN, 0},
      {"negative NaN", -kNaN, 0},
      {"infinity", kInf, kMax},
      {"negative infinity", -kInf, kMin},
      {"two to the 31", 2147483648.0, kMax},
      {"largest", 2147483647.0, kMax},
      {"just below two to the 31", 2147483647.75, kMax},
      {"smallest", -2147483648.0, kMin},
      {"fraction below the smallest", -2147483648.75, kMin},
      {"one below the smallest", -2147483649.0, kMin},
      {"far beyond", 1e300, kMax},
      {"far below", -1e300, kMin},
      {"positive fraction", 1.9, 1},
      {"negative fraction", -1.9, -1},
      {"half", 0.5, 0},
      {"negative half", -0.5, 0},
      {"subnormal", 5e-324, 0},
      {"three digits", 999.0, 999},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(platform::RuntimeCvtReal64ToSInt32(row.value), row.expected);
  }
}

TEST(BuiltinsConvert, SInt32ToReal64IsExact) {
  for (std::int32_t value : {kMin, -1, 0, 1, 83, kMax}) {
    EXPECT_EQ(platform::RuntimeCvtReal64ToSInt32(platform::RuntimeCvtSInt32ToReal64(value)), value);
  }
  EXPECT_EQ(platform::RuntimeCvtSInt32ToReal64(kMax), 2147483647.0);
}

TEST(BuiltinsConvert, ValThenConvertReadsTypedFields) {
  struct Row {
    std::string_view text;
    std::int32_t expected;
  };
  const Row kRows[] = {{"099", 99}, {"07", 7}, {"", 0}, {"300", 300}, {"1e10", kMax}, {"-1e10", kMin}};
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(platform::RuntimeCvtReal64ToSInt32(platform::Val(row.text)), row.expected);
  }
}

TEST(BuiltinsPow, RaisesTheBaseToTheExponent) {
  EXPECT_EQ(platform::RuntimePow(70.0, 2.0), 4900.0);
  EXPECT_EQ(platform::RuntimePow(83.0, 2.0), 6889.0);
  EXPECT_EQ(platform::RuntimePow(2.0, -1.0), 0.5);
  EXPECT_EQ(platform::RuntimePow(0.0, 0.0), 1.0);
}

// ---- Message box, alert, background work --------------------------------------------

TEST(BuiltinsMsgBox, BlocksUntilDismissed) {
  bool returned = false;
  bool openBeforeReturn = false;
  QString text;
  QString title;
  Qt::TextFormat format = Qt::AutoText;
  QMessageBox::StandardButtons buttons;
  velmora_test::ModalAnswerer answerer(velmora_test::ReadMessageBox([&](QMessageBox& box) {
    openBeforeReturn = !returned;
    text = box.text();
    title = box.windowTitle();
    format = box.textFormat();
    buttons = box.standardButtons();
  }));
  platform::MsgBox("Weight must range from 100 to 300 pounds");
  returned = true;
  EXPECT_TRUE(answerer.Answered());
  EXPECT_TRUE(openBeforeReturn);
  EXPECT_EQ(text.toStdString(), "Weight must range from 100 to 300 pounds");
  EXPECT_EQ(title.toStdString(), "Velmora");
  EXPECT_EQ(format, Qt::PlainText);
  EXPECT_TRUE(buttons == QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST(BuiltinsMsgBox, ShowsMarkupAndNonAsciiAsWritten) {
  const QString text = velmora_test::TakeMessageBox([] { platform::MsgBox("<b>5 \xE2\x80\x99 & 2\"</b>"); });
  EXPECT_EQ(text.toStdString(), "<b>5 \xE2\x80\x99 & 2\"</b>");
}

TEST(BuiltinsBeep, EachBeepIsCounted) {
  const std::int64_t before = platform::RuntimeBeepCount();
  platform::Beep();
  platform::Beep();
  EXPECT_EQ(platform::RuntimeBeepCount(), before + 2);
}

TEST(BuiltinsBackgroundTask, RunsPendingEvents) {
  bool ran = false;
  QTimer::singleShot(0, [&ran] { ran = true; });
  // A zero-time timer is due at once; a few passes cover a busy event queue.
  for (int pass = 0; pass < 100 && !ran; ++pass) platform::RuntimeBackgroundTask();
  EXPECT_TRUE(ran);
}

}  // namespace
