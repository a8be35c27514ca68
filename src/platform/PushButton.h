#pragma once

#include <string>

#include "platform/RectControl.h"

namespace platform {

// A push button. MouseDown fires when the button goes down, before the button acts;
// Action fires on a completed click.
class PushButton : public RectControl {
 public:
  PushButton();

  const std::string& Caption() const;

  const PropertyTable& Properties() const override;
  void SetProperty(std::string_view name, const PropertyValue& value) override;

 protected:
  bool OffersEvent(std::string_view eventName, std::string_view signature) const override;

 private:
  std::string caption_;
};

}  // namespace platform
