#include "support/QtWarnings.h"

#include <QString>
#include <utility>

namespace velmora_test {

QtWarnings::QtWarnings() {
  current_ = this;
  previous_ = qInstallMessageHandler(&QtWarnings::Handle);
}

QtWarnings::~QtWarnings() {
  qInstallMessageHandler(previous_);
  current_ = nullptr;
}

std::vector<std::string> QtWarnings::Take() { return std::exchange(warnings_, {}); }

void QtWarnings::Handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (!current_) return;
  if (type != QtDebugMsg && type != QtInfoMsg &&
      !message.startsWith(QStringLiteral("This plugin does not support")))
    current_->warnings_.push_back(message.toStdString());
  if (current_->previous_) current_->previous_(type, context, message);
}

}  // namespace velmora_test
