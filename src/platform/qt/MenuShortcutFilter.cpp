#include "platform/qt/MenuShortcutFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPointer>

#include "platform/qt/MenuView.h"

namespace platform::detail {

bool MenuShortcutFilter::eventFilter(QObject* watched, QEvent* event) {
  // The override query reaches the focus widget before Qt looks for a shortcut.
  if (event->type() == QEvent::ShortcutOverride) {
    if (const auto* widget = qobject_cast<QWidget*>(watched))
      if (const auto* window = qobject_cast<QMainWindow*>(widget->window()))
        if (auto* view = dynamic_cast<MenuView*>(window->menuWidget()))
          view->PrepareForShortcut(*static_cast<QKeyEvent*>(event));
  }
  return QObject::eventFilter(watched, event);
}

void InstallMenuShortcutFilter() {
  static QPointer<MenuShortcutFilter> filter;
  if (filter || !QCoreApplication::instance()) return;
  filter = new MenuShortcutFilter(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(filter);
}

}  // namespace platform::detail
