#include "support/Modal.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace velmora_test {

struct ModalAnswerer::State {
  explicit State(int timeoutMs) : deadline(timeoutMs) {}
  QTimer timer;
  QDeadlineTimer deadline;
};

ModalAnswerer::ModalAnswerer(std::function<void(QWidget*)> answer, int timeoutMs)
    : state_(new State(timeoutMs)) {
  state_->timer.setInterval(10);
  QObject::connect(&state_->timer, &QTimer::timeout, [this, answer] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      state_->timer.stop();
      answered_ = true;
      answer(modal);
    } else if (state_->deadline.hasExpired()) {
      state_->timer.stop();
      ADD_FAILURE() << "no modal dialog appeared";
    }
  });
  state_->timer.start();
}

ModalAnswerer::~ModalAnswerer() {
  // A dialog left open would hang the test: close whatever is still modal.
  while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  delete state_;
}

std::function<void(QWidget*)> ReadMessageBox(std::function<void(QMessageBox&)> read) {
  return [read = std::move(read)](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) {
      ADD_FAILURE() << "the modal dialog is not a message box";
      modal->close();
      return;
    }
    read(*box);
    box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->accept();
  };
}

QString TakeMessageBox(const std::function<void()>& action, int timeoutMs) {
  QString text;
  ModalAnswerer answerer(ReadMessageBox([&text](QMessageBox& box) { text = box.text(); }), timeoutMs);
  action();
  if (!answerer.Answered()) WaitFor([&answerer] { return answerer.Answered(); }, timeoutMs);
  return text;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QTest::qWait(1);
  }
  return true;
}

}  // namespace velmora_test
