#pragma once

#include <QFont>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/DesignRecord.h"

namespace platform::detail {

// The font entries a control's record carries (TextFont, TextSize, Bold; no record sets
// Italic or Underline), kept together so the font is resolved once all are known.
struct RecordFont {
  std::string family = "System";
  std::int32_t size = 0;
  bool bold = false;

  // Takes one of the font entries; false for any other property.
  bool Set(std::string_view name, const PropertyValue& value);
  QFont Resolve() const;
};

}  // namespace platform::detail
