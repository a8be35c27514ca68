#pragma once

#include <string_view>

namespace velmora {

// The one-line notice of the calculator and About windows: 49 characters.
extern const std::string_view kNotice;

// The Description window's help text: lines separated by one carriage return.
extern const std::string_view kHelpText;

// The bundle's picture files, in its Resources folder.
inline constexpr std::string_view kBMImediumFile = "BMImedium.png";
inline constexpr std::string_view kBMIsmallFile = "BMIsmall.png";
inline constexpr std::string_view kRBhzSmFile = "RBhzSm";

}  // namespace velmora
