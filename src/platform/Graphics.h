#pragma once

#include <cstdint>
#include <memory>

namespace platform {

class PrinterSetup;
class Window;

namespace detail {
struct GraphicsImpl;
}

// A printer's drawing surface, in points from the printable area's top-left corner.
// The job goes to the printer when the surface ends.
class Graphics {
 public:
  explicit Graphics(std::unique_ptr<detail::GraphicsImpl> impl);
  ~Graphics();
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  // Ends the current page and starts the next.
  void NextPage();
  std::int32_t Width() const;
  std::int32_t Height() const;

  detail::GraphicsImpl& Impl() const { return *impl_; }

 private:
  std::unique_ptr<detail::GraphicsImpl> impl_;
};

// Page set-up settings; the system keeps none.
class PrinterSetup {};

// The system's print dialog: a surface when the user accepts, nothing when cancelled.
std::shared_ptr<Graphics> OpenPrinterDialog(const std::shared_ptr<PrinterSetup>& setup,
                                            const std::shared_ptr<Window>& owner);

}  // namespace platform
