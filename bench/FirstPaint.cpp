#include "FirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace bench {

FirstPaint::FirstPaint(std::function<bool(const QWidget*)> matches, std::function<void()> then)
    : matches_(std::move(matches)), then_(std::move(then)) {
  QCoreApplication::instance()->installEventFilter(this);
}

FirstPaint::~FirstPaint() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

bool FirstPaint::eventFilter(QObject* watched, QEvent* event) {
  if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
    const auto* widget = static_cast<const QWidget*>(watched);
    if (matches_(widget->window())) {
      seen_ = true;
      QMetaObject::invokeMethod(QCoreApplication::instance(), then_, Qt::QueuedConnection);
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace bench
