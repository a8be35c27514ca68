#pragma once

#include <cstdint>
#include <memory>

#include "platform/Control.h"

namespace platform {

namespace detail {
struct TimerImpl;
}

// Fires its Action from the event loop: Mode 0 off, 1 once, 2 repeatedly, Period
// milliseconds after its record (or Mode, or Period) was set. It never fires before
// the event loop runs; a period that ends earlier fires as soon as the loop starts.
// A timer class derives from PaneChild to say which window its handlers run on.
class Timer : public Control {
 public:
  Timer();
  ~Timer() override;

  std::int32_t Mode() const;
  void SetMode(std::int32_t mode);
  std::int32_t Period() const;
  void SetPeriod(std::int32_t milliseconds);
  // Restarts the period.
  void Reset();

  std::shared_ptr<platform::Window> HandlerWindow() const override;
  void Close() override;

  const PropertyTable& Properties() const override;
  void SetProperty(std::string_view name, const PropertyValue& value) override;

 protected:
  bool OffersEvent(std::string_view eventName, std::string_view signature) const override;

 private:
  friend struct detail::TimerImpl;
  void Arm();
  void Fire();

  std::int32_t mode_ = 2;
  std::int32_t period_ = 1000;
  std::unique_ptr<detail::TimerImpl> impl_;
};

}  // namespace platform
