// Feeds arbitrary bytes to the design record reader of every kind. The reader either
// raises RuntimeException or decodes entries that encode back to exactly the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/DesignRecord.h"
#include "platform/RuntimeException.h"

namespace {

using platform::PropertyTable;

const PropertyTable* const kTables[] = {
    &platform::WindowProperties(),   &platform::RoundRectangleProperties(), &platform::StaticTextProperties(),
    &platform::TextAreaProperties(), &platform::PushButtonProperties(),     &platform::CanvasProperties(),
    &platform::TimerProperties(),
};

void CheckRoundTrip(std::string_view record, const PropertyTable& table) {
  std::vector<std::pair<std::string, platform::PropertyValue>> decoded;
  try {
    decoded = platform::ReadRecord(record, table);
  } catch (const platform::RuntimeException&) {
    return;
  }
  std::vector<platform::RecordEntry> entries;
  for (const auto& [name, value] : decoded) {
    if (!table.Find(name)) std::abort();
    const platform::RecordValue asWritten = std::visit(
        [](const auto& v) -> platform::RecordValue {
          if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>) {
            return std::string_view(v);
          } else {
            return v;
          }
        },
        value);
    entries.push_back({name, asWritten});
  }
  if (platform::WriteRecord(entries) != record) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view record(reinterpret_cast<const char*>(data), size);
  for (const PropertyTable* table : kTables) CheckRoundTrip(record, *table);
  return 0;
}
