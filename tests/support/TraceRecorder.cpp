#include "support/TraceRecorder.h"

#include <algorithm>
#include <utility>

#include "platform/Diagnostics.h"

namespace velmora_test {

TraceRecorder::TraceRecorder(std::function<void(std::string_view)> onLine) : onLine_(std::move(onLine)) {
  platform::RuntimeSetTraceListener([this](std::string_view line) {
    lines_.emplace_back(line);
    if (onLine_) onLine_(line);
  });
}

TraceRecorder::~TraceRecorder() { platform::RuntimeSetTraceListener(nullptr); }

long TraceRecorder::Count(std::string_view line) const {
  return std::count(lines_.begin(), lines_.end(), line);
}

std::vector<std::string> TraceRecorder::Starting(std::initializer_list<std::string_view> prefixes) const {
  std::vector<std::string> found;
  for (const std::string& line : lines_)
    if (std::any_of(prefixes.begin(), prefixes.end(),
                    [&line](std::string_view prefix) { return line.starts_with(prefix); }))
      found.push_back(line);
  return found;
}

std::vector<std::string> TraceRecorder::Take(std::initializer_list<std::string_view> prefixes) {
  std::vector<std::string> found = Starting(prefixes);
  lines_.clear();
  return found;
}

}  // namespace velmora_test
