#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Control.h"

namespace platform {

namespace detail {
struct RectControlImpl;
}

// A control with a place in its window: it has a rectangle, a widget and the
// properties every visible control shares (position, locks, visibility, help tag,
// enabled state, focus order, parent). Positions are window coordinates, also for a
// control inside another control; a control made later lies above those made before.
class RectControl : public Control {
 public:
  ~RectControl() override;

  // Puts the control into its window's content, above the controls made before it.
  void Constructor() override;

  // The window the control belongs to (set by the window when it registers it).
  std::shared_ptr<platform::Window> Window() const;
  std::shared_ptr<platform::Window> HandlerWindow() const override;

  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  void SetFocus();
  bool HasFocus() const;

  std::int32_t Left() const;
  std::int32_t Top() const;
  std::int32_t Width() const;
  std::int32_t Height() const;

  void Close() override;

  // The framework's own side; opaque outside the platform.
  detail::RectControlImpl& Impl() const { return *impl_; }

 protected:
  explicit RectControl(std::unique_ptr<detail::RectControlImpl> impl);

  bool OffersEvent(std::string_view eventName, std::string_view signature) const override;

  // Sets a property every visible control shares; false when the name is not one of them.
  bool SetCommonProperty(std::string_view name, const PropertyValue& value);

 private:
  friend class platform::Window;
  void SetInitialParent(const std::string& parentName);

  std::unique_ptr<detail::RectControlImpl> impl_;
};

}  // namespace platform
