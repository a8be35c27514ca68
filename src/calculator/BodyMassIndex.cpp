#include "calculator/BodyMassIndex.h"

#include <array>

#include "platform/Builtins.h"

namespace velmora {
namespace {

// The factor of the index for pounds and inches.
constexpr double kExponent = 2.0;
constexpr double kFactor = 703.0;

// WHO/CDC bands, lowest first: an index belongs to the last band whose lower bound it
// reaches.
struct CategoryBand {
  double lowerBound;
  std::string_view text;
};
constexpr std::array<CategoryBand, 3> kUpperBands = {{
    {18.5, "Healthy weight."},
    {25.0, "Overweight."},
    {30.0, "Obesity."},
}};
constexpr std::string_view kLowestCategory = "Underweight.";

}  // namespace

std::string_view BodyMassCategory(double index) {
  std::string_view category = kLowestCategory;
  for (const CategoryBand& band : kUpperBands)
    if (index >= band.lowerBound) category = band.text;
  return category;
}

BodyMassIndex ComputeBodyMassIndex(std::int32_t weightPounds, std::int32_t totalInches) {
  const double weight = platform::RuntimeCvtSInt32ToReal64(weightPounds);
  const double height = platform::RuntimeCvtSInt32ToReal64(totalInches);
  const double square = platform::RuntimePow(height, kExponent);
  const double quotient = weight / square;
  const double index = quotient * kFactor;
  return {index, BodyMassCategory(index)};
}

}  // namespace velmora
