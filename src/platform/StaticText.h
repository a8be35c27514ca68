#pragma once

#include <string>

#include "platform/RectControl.h"

namespace platform {

// A label: one line of text in a font, colour and alignment (0 left, 1 centred, 2 right).
class StaticText : public RectControl {
 public:
  StaticText();

  const std::string& Text() const;
  void SetText(std::string_view text);

  const PropertyTable& Properties() const override;
  void SetProperty(std::string_view name, const PropertyValue& value) override;

 private:
  std::string text_;
};

}  // namespace platform
