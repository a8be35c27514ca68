#pragma once

#include <cstdint>
#include <memory>

namespace platform {

namespace detail {
struct StyledTextPrinterImpl;
}

// Draws a styled text on a surface block by block: each block holds the next whole
// lines that fit its height; a single line taller than a block is still drawn, so the
// text always comes to an end. No line is drawn twice or lost at a block boundary. The
// text is laid out no wider than the surface's printable area.
class StyledTextPrinter {
 public:
  explicit StyledTextPrinter(std::unique_ptr<detail::StyledTextPrinterImpl> impl);
  ~StyledTextPrinter();

  // True once the whole text has been drawn. (EOF is a macro in C++.)
  bool Eof() const;
  // Draws the next block at (x, y), at most `height` points tall and never past the foot
  // of the surface's printable area.
  void DrawBlock(std::int32_t x, std::int32_t y, std::int32_t height);

 private:
  std::unique_ptr<detail::StyledTextPrinterImpl> impl_;
};

}  // namespace platform
