#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

// The index and its WHO/CDC category for a weight in pounds and a height in whole
// inches. Pure arithmetic: it reads no field and checks no range, so its callers
// must pass a height above zero.
struct BodyMassIndex {
  double index = 0.0;         // unrounded
  std::string_view category;  // "Underweight." to "Obesity."
};

// (weight / height^2) * 703, in that order of operations.
BodyMassIndex ComputeBodyMassIndex(std::int32_t weightPounds, std::int32_t totalInches);

// The category band that holds the unrounded index; each cut value opens the band
// above it.
std::string_view BodyMassCategory(double index);

}  // namespace velmora
