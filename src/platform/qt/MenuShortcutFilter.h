#pragma once

#include <QObject>

namespace platform::detail {

// Watches the whole application for key presses about to be matched against
// shortcuts: when one belongs to a window's menu bar, that bar is prepared first, so a
// shortcut fires exactly when its item is enabled at that moment.
class MenuShortcutFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs the one filter on the running application; later calls do nothing.
void InstallMenuShortcutFilter();

}  // namespace platform::detail
