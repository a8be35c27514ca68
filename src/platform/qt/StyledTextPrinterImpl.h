#pragma once

#include <QTextBlock>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {
class Graphics;
}

namespace platform::detail {

// The Qt side of a styled-text printer: its own copy of the text, laid out once at the
// print width, and the text's lines in order with their place in that layout.
struct StyledTextPrinterImpl {
  StyledTextPrinterImpl(const QTextDocument& source, std::shared_ptr<Graphics> surface, std::int32_t width);

  // One laid-out line: its block, its number within the block, and its vertical extent.
  struct Line {
    QTextBlock block;
    int number;
    qreal top;
    qreal bottom;
  };

  std::unique_ptr<QTextDocument> document;
  std::shared_ptr<Graphics> graphics;
  std::vector<Line> lines;  // trailing blank lines left out: they would only make a blank page
  std::size_t next = 0;     // the first line not yet drawn
};

}  // namespace platform::detail
