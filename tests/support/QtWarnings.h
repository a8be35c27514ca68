#pragma once

#include <QtGlobal>
#include <string>
#include <vector>

namespace velmora_test {

// Collects what Qt warns about while it lives, except the offscreen platform's notices
// of what it cannot do (raise a window, grab the keyboard), which say nothing about the
// program. A warning is a fault: Qt was asked something it cannot do.
class QtWarnings {
 public:
  QtWarnings();
  ~QtWarnings();
  QtWarnings(const QtWarnings&) = delete;
  QtWarnings& operator=(const QtWarnings&) = delete;

  std::vector<std::string> Take();

 private:
  static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message);

  static inline QtWarnings* current_ = nullptr;
  QtMessageHandler previous_ = nullptr;
  std::vector<std::string> warnings_;
};

}  // namespace velmora_test
