#pragma once

#include <cstdint>

namespace platform {

// A colour as the design records store it: one byte each of red, green and blue.
struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  constexpr Color() = default;
  constexpr Color(std::uint8_t r, std::uint8_t g, std::uint8_t b) : red(r), green(g), blue(b) {}
  // From the &hRRGGBB notation.
  constexpr explicit Color(std::uint32_t rgb)
      : red(static_cast<std::uint8_t>(rgb >> 16)),
        green(static_cast<std::uint8_t>(rgb >> 8)),
        blue(static_cast<std::uint8_t>(rgb)) {}

  constexpr std::uint32_t Rgb() const {
    return (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
  }
  friend constexpr bool operator==(const Color&, const Color&) = default;
};

}  // namespace platform
