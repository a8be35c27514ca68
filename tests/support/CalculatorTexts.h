#pragma once

// The messages the calculator refuses a calculation with, in the order it checks the fields.
namespace velmora_test {

inline constexpr char kWeightMessage[] = "Weight must range from 100 to 300 pounds";
inline constexpr char kFeetMessage[] = "Feet must range from 4 to 6";
inline constexpr char kInchesMessage[] = "Inches must range from 0 to 11";

}  // namespace velmora_test
