#pragma once

#include "platform/RectControl.h"

namespace platform {

// A filled rectangle with rounded corners and a border; other controls may lie inside it.
class RoundRectangle : public RectControl {
 public:
  RoundRectangle();

  const PropertyTable& Properties() const override;
  void SetProperty(std::string_view name, const PropertyValue& value) override;
};

}  // namespace platform
