#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace velmora_test {

// Collects the framework's trace lines while it lives.
class TraceRecorder {
 public:
  // `onLine` sees each line as it comes, so a test can look at the system at that very moment.
  explicit TraceRecorder(std::function<void(std::string_view)> onLine = {});
  ~TraceRecorder();
  TraceRecorder(const TraceRecorder&) = delete;
  TraceRecorder& operator=(const TraceRecorder&) = delete;

  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }
  long Count(std::string_view line) const;

  // The lines that begin with one of the prefixes, in order.
  std::vector<std::string> Starting(std::initializer_list<std::string_view> prefixes) const;
  // The same, and forgets every line seen so far.
  std::vector<std::string> Take(std::initializer_list<std::string_view> prefixes);

 private:
  std::function<void(std::string_view)> onLine_;
  std::vector<std::string> lines_;
};

}  // namespace velmora_test
