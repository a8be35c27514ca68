#pragma once

#include <cstdint>
#include <memory>

namespace platform {

class Window;

// What a window child that is not a visible control offers the framework: its owner
// window and its control-array index. The framework sets them; handlers bound to the
// child run on Window().
class PaneChild {
 public:
  virtual ~PaneChild() = default;
  virtual void SetWindow(std::shared_ptr<platform::Window> window) = 0;
  virtual std::shared_ptr<platform::Window> Window() const = 0;
  virtual std::int32_t Index() const = 0;
  virtual void SetIndex(std::int32_t index) = 0;
};

}  // namespace platform
