#pragma once

#include <QString>
#include <functional>

class QMessageBox;
class QWidget;

namespace velmora_test {

// Answers the next modal dialog from inside its own event loop: arms a polling timer
// before the action that opens the dialog; when a modal widget appears, `answer` reads
// and dismisses it. If none appears within the timeout, the test fails.
class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::function<void(QWidget*)> answer, int timeoutMs = 5000);
  ~ModalAnswerer();
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  bool Answered() const { return answered_; }

 private:
  struct State;
  State* state_;
  bool answered_ = false;
};

// An answer for ModalAnswerer: the modal dialog must be a message box; `read` looks at it,
// then its OK button dismisses it.
std::function<void(QWidget*)> ReadMessageBox(std::function<void(QMessageBox&)> read);

// The text of a message box, read and dismissed with its OK button.
QString TakeMessageBox(const std::function<void()>& action, int timeoutMs = 5000);

// Runs the event loop until the condition holds or the timeout passes.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000);

}  // namespace velmora_test
