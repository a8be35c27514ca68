#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "calculator/BodyMassIndex.h"
#include "platform/Builtins.h"

namespace {

using velmora::BodyMassCategory;
using velmora::ComputeBodyMassIndex;

constexpr std::string_view kUnderweight = "Underweight.";
constexpr std::string_view kHealthy = "Healthy weight.";
constexpr std::string_view kOverweight = "Overweight.";
constexpr std::string_view kObesity = "Obesity.";

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// Every valid input: 100 to 300 lb, 4 to 6 ft, 0 to 11 in.
template <class Check>
int ForEveryValidInput(Check check) {
  int cases = 0;
  for (std::int32_t weight = 100; weight <= 300; ++weight)
    for (std::int32_t feet = 4; feet <= 6; ++feet)
      for (std::int32_t inches = 0; inches <= 11; ++inches, ++cases) check(weight, feet * 12 + inches);
  return cases;
}

TEST(BodyMassIndex, EveryValidInputDividesBeforeMultiplyingBitForBit) {
  int orderMatters = 0;
  const int cases = ForEveryValidInput([&](std::int32_t weight, std::int32_t total) {
    const double w = weight;
    const double t = total;
    const double expected = (w / (t * t)) * 703.0;
    const double index = ComputeBodyMassIndex(weight, total).index;
    ASSERT_EQ(Bits(index), Bits(expected)) << weight << " lb at " << total << " in";
    if (Bits((w * 703.0) / (t * t)) != Bits(expected)) ++orderMatters;
  });
  EXPECT_EQ(cases, 7236);
  // The other order of operations differs often enough that the check above would see it.
  EXPECT_GT(orderMatters, cases / 10);
}

TEST(BodyMassIndex, EveryValidInputFallsInTheBandOfItsUnroundedIndexAndShowsTwoDigits) {
  ForEveryValidInput([](std::int32_t weight, std::int32_t total) {
    const auto result = ComputeBodyMassIndex(weight, total);
    const std::string_view band = result.index < 18.5   ? kUnderweight
                                  : result.index < 25.0 ? kHealthy
                                  : result.index < 30.0 ? kOverweight
                                                        : kObesity;
    ASSERT_EQ(result.category, band) << weight << " lb at " << total << " in";
    const std::string text = platform::Format(result.index, "##.0");
    ASSERT_EQ(text.size(), 4u) << text;
    ASSERT_EQ(text[2], '.') << text;
  });
}

struct CutCase {
  const char* name;
  double index;
  std::string_view category;
};

void PrintTo(const CutCase& c, std::ostream* out) { *out << c.name; }

class CutValues : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutValues, BelongToTheUpperBand) {
  EXPECT_EQ(BodyMassCategory(GetParam().index), GetParam().category);
}

INSTANTIATE_TEST_SUITE_P(
    BodyMassIndex, CutValues,
    ::testing::Values(CutCase{"JustBelowHealthy", std::nextafter(18.5, 0.0), kUnderweight},
                      CutCase{"Healthy", 18.5, kHealthy},
                      CutCase{"JustBelowOverweight", std::nextafter(25.0, 0.0), kHealthy},
                      CutCase{"Overweight", 25.0, kOverweight},
                      CutCase{"JustBelowObesity", std::nextafter(30.0, 0.0), kOverweight},
                      CutCase{"Obesity", 30.0, kObesity}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BodyMassIndex, OnlyInputOnACutValueIsHealthy) {
  int onCut = 0;
  ForEveryValidInput([&](std::int32_t weight, std::int32_t total) {
    const double index = ComputeBodyMassIndex(weight, total).index;
    if (index == 18.5 || index == 25.0 || index == 30.0) ++onCut;
  });
  EXPECT_EQ(onCut, 1);
  const auto result = ComputeBodyMassIndex(152, 76);
  EXPECT_EQ(result.index, 18.5);
  EXPECT_EQ(result.category, kHealthy);
}

// What the result line shows: the index text and the category of the unrounded index.
struct ShownCase {
  const char* name;
  std::int32_t weight;
  std::int32_t totalInches;
  const char* indexText;
  std::string_view category;
};

void PrintTo(const ShownCase& c, std::ostream* out) { *out << c.name; }

class Shown : public ::testing::TestWithParam<ShownCase> {};

TEST_P(Shown, IndexTextAndCategory) {
  const auto result = ComputeBodyMassIndex(GetParam().weight, GetParam().totalInches);
  EXPECT_EQ(platform::Format(result.index, "##.0"), GetParam().indexText);
  EXPECT_EQ(result.category, GetParam().category);
}

INSTANTIATE_TEST_SUITE_P(BodyMassIndex, Shown,
                         ::testing::Values(ShownCase{"Typical", 150, 70, "21.5", kHealthy},
                                           ShownCase{"Lowest", 100, 83, "10.2", kUnderweight},
                                           ShownCase{"Highest", 300, 48, "91.5", kObesity},
                                           ShownCase{"FiveFeetEven", 150, 60, "29.3", kOverweight},
                                           // The display rounds up to a cut value; the category does not.
                                           ShownCase{"RoundsUpTo18_5", 148, 75, "18.5", kUnderweight},
                                           ShownCase{"RoundsUpTo25", 128, 60, "25.0", kHealthy},
                                           ShownCase{"RoundsUpTo30", 164, 62, "30.0", kOverweight}),
                         [](const auto& info) { return std::string(info.param.name); });

// Exact ties at the second decimal round away from zero; the values next to 35.15 lie
// just below it and round down.
struct TieCase {
  const char* name;
  std::int32_t weight;
  std::int32_t totalInches;
  double exactIndex;
  const char* indexText;
};

void PrintTo(const TieCase& c, std::ostream* out) { *out << c.name; }

class Ties : public ::testing::TestWithParam<TieCase> {};

TEST_P(Ties, RoundFromTheExactBinaryValue) {
  const double index = ComputeBodyMassIndex(GetParam().weight, GetParam().totalInches).index;
  EXPECT_EQ(index, GetParam().exactIndex);
  EXPECT_EQ(platform::Format(index, "##.0"), GetParam().indexText);
}

INSTANTIATE_TEST_SUITE_P(BodyMassIndex, Ties,
                         ::testing::Values(TieCase{"Exactly14_25", 111, 74, 14.25, "14.3"},
                                           TieCase{"Exactly23_75", 185, 74, 23.75, "23.8"},
                                           TieCase{"Exactly27_75", 228, 76, 27.75, "27.8"},
                                           TieCase{"Exactly33_25", 259, 74, 33.25, "33.3"},
                                           TieCase{"Near35_15At4Ft2", 125, 50, 35.15, "35.1"},
                                           TieCase{"Near35_15At5Ft0", 180, 60, 35.15, "35.1"},
                                           TieCase{"Near35_15At5Ft10", 245, 70, 35.15, "35.1"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
