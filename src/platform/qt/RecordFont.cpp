#include "platform/qt/RecordFont.h"

#include "platform/qt/QtConvert.h"

namespace platform::detail {

bool RecordFont::Set(std::string_view name, const PropertyValue& value) {
  if (name == "TextFont") {
    family = std::get<std::string>(value);
  } else if (name == "TextSize") {
    size = std::get<std::int32_t>(value);
  } else if (name == "Bold") {
    bold = std::get<bool>(value);
  } else {
    return false;
  }
  return true;
}

QFont RecordFont::Resolve() const { return ResolveFont(family, size, bold); }

}  // namespace platform::detail
