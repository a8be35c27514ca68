#pragma once

#include <QPainter>
#include <QPrinter>
#include <memory>

namespace platform::detail {

// The Qt side of a printer surface: the printer chosen in the print dialog and a painter
// on it, scaled so that one unit is one point, its origin at the printable area's top-left.
struct GraphicsImpl {
  explicit GraphicsImpl(std::unique_ptr<QPrinter> chosen);
  ~GraphicsImpl();
  GraphicsImpl(const GraphicsImpl&) = delete;
  GraphicsImpl& operator=(const GraphicsImpl&) = delete;

  // Begins the painter on the printer; false when the printer cannot be opened
  // (the output file cannot be written, the printer is gone).
  bool Begin();
  // Ends the job: the printer gets the pages drawn so far.
  void End();

  std::unique_ptr<QPrinter> printer;
  QPainter painter;
};

}  // namespace platform::detail
