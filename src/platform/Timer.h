#pragma once

#include <cstdint>
#include <memory>

#include "platform/Control.h"

namespace platform {

namespace detail {
struct TimerImpl;
}

// Fires its Action once from the event loop, Period milliseconds after its record (or
// Period) was set; the only mode here is 1, "once". It never fires before the event loop
// runs: a period that ends earlier fires as soon as the loop starts. A timer class derives
// from PaneChild to say which window its handlers run on.
class Timer : public Control {
 public:
  Timer();
  ~Timer() override;

  std::int32_t Mode() const { return 1; }
  std::int32_t Period() const;
  void SetPeriod(std::int32_t milliseconds);
  // Starts the period again.
  void Reset();

  std::shared_ptr<platform::Window> HandlerWindow() const override;
  void Close() override;

  const PropertyTable& Properties() const override;
  void SetProperty(std::string_view name, const PropertyValue& value) override;

 protected:
  bool OffersEvent(std::string_view eventName, std::string_view signature) const override;

 private:
  friend struct detail::TimerImpl;
  void Fire();

  std::int32_t period_ = 1000;
  std::unique_ptr<detail::TimerImpl> impl_;
};

}  // namespace platform
