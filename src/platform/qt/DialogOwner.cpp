#include "platform/qt/DialogOwner.h"

#include <QApplication>

#include "platform/Window.h"
#include "platform/qt/RuntimeState.h"
#include "platform/qt/WindowImpl.h"

namespace platform::detail {
namespace {

// A window never put on screen (the hidden start window) would make the dialog
// transient for nothing a user can see.
QWidget* OnScreen(QWidget* window) { return window && window->isVisible() ? window : nullptr; }

QWidget* ActiveOrLastActive() {
  if (QWidget* active = OnScreen(QApplication::activeWindow())) return active;
  const Window* last = FrontmostWindow();
  return last ? OnScreen(last->Impl().frame.data()) : nullptr;
}

}  // namespace

DialogOwner::DialogOwner(QWidget* preferred)
    : parent_(preferred ? preferred->window() : ActiveOrLastActive()), focus_(QApplication::focusWidget()) {}

DialogOwner::~DialogOwner() {
  if (!focus_ || !focus_->isVisible()) return;
  QWidget* window = focus_->window();
  // Back already: its own activation has placed the focus.
  if (window->isActiveWindow()) return;
  // Made the window's focus child first, so that the window's Activate event, which
  // comes with the activation, still has the last word.
  focus_->setFocus(Qt::OtherFocusReason);
  window->activateWindow();
}

}  // namespace platform::detail
