#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QRect>
#include <QScreen>
#include <algorithm>
#include <cstddef>
#include <functional>
#include <vector>

#include "platform/RectControl.h"
#include "platform/Window.h"
#include "platform/qt/Dispatch.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/RectControlImpl.h"
#include "platform/qt/RuntimeState.h"
#include "platform/qt/WindowImpl.h"

namespace platform::detail {
namespace {

// Keeps the window alive while one of its events runs: a handler may close it.
std::shared_ptr<Window> Keep(Window* window) { return window ? window->weak_from_this().lock() : nullptr; }

// How much of a control may show from under a later one while it still counts as hidden:
// a strip this thin shows nothing of it and takes no aimed click.
constexpr int kSliver = 3;

QRect AreaOf(const RectControlImpl& c) {
  return {c.left, c.top, std::max(c.width, 0), std::max(c.height, 0)};
}

// Whether the control at `at` lies wholly under a visible control of the same parent made
// after it, and so above it.
bool Buried(std::size_t at, const std::vector<RectControlImpl*>& all) {
  const RectControlImpl& below = *all[at];
  for (std::size_t later = at + 1; later < all.size(); ++later) {
    const RectControlImpl& above = *all[later];
    if (above.visible && above.initialParent == below.initialParent &&
        AreaOf(above).adjusted(-kSliver, -kSliver, kSliver, kSliver).contains(AreaOf(below)))
      return true;
  }
  return false;
}

}  // namespace

ContentWidget::ContentWidget(Window& owner, QWidget* parent) : QWidget(parent), owner_(&owner) {}

void ContentWidget::mousePressEvent(QMouseEvent* event) {
  const auto window = Keep(owner_);
  if (!window) return;
  const QPoint at = event->position().toPoint();
  Guarded([&] { return window->Event_MouseDown(at.x(), at.y()); }, false);
  event->accept();
}

WindowWidget::WindowWidget(Window& owner) : owner_(&owner), content_(new ContentWidget(owner, this)) {
  setCentralWidget(content_);
  setAttribute(Qt::WA_DeleteOnClose, false);
  // The window itself takes no focus, as no Qt window does: a click on its background or
  // its menu bar leaves the focus where it was, and Tab stops only at controls. With no
  // control focused, its keys still come here.
}

void WindowWidget::Detach() {
  owner_ = nullptr;
  content_->Detach();
}

bool WindowWidget::event(QEvent* event) {
  const bool activate = event->type() == QEvent::WindowActivate;
  if (activate || event->type() == QEvent::WindowDeactivate) {
    const bool handled = QMainWindow::event(event);
    if (const auto window = Keep(owner_)) {
      const bool ok = Guarded(
          [&] {
            activate ? window->Event_Activate() : window->Event_Deactivate();
            return true;
          },
          false);
      // After every Activate and Deactivate the menus are brought up to date, unless
      // the handler raised.
      if (ok) Guarded([&] { PrepareMenus(activate ? window.get() : FrontmostWindow()); });
    }
    return handled;
  }
  return QMainWindow::event(event);
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
  const auto window = Keep(owner_);
  const std::string key = KeyText(*event);
  if (!window || key.empty()) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  const bool swallowed = Guarded([&] { return window->Event_KeyDown(key); }, true);
  if (!swallowed) QMainWindow::keyPressEvent(event);
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  // The window's own close path decides; Qt only hides or deletes what it says.
  event->ignore();
  const auto window = Keep(owner_);
  // A close request comes from outside: the system's own closing (Quit) calls Close
  // directly. So a window without a close box cannot be closed by the window manager.
  if (!window || !window->Impl().closeButton) return;
  Guarded([&] { return window->Close(); }, false);
}

WindowImpl::WindowImpl(Window& owner) : owner(owner), frame(new WindowWidget(owner)) {
  frame->layout()->setSizeConstraint(QLayout::SetFixedSize);
  UpdateFlags();
  UpdateSize();
}

WindowImpl::~WindowImpl() {
  if (!frame) return;
  frame->Detach();
  if (QCoreApplication::instance()) {
    frame->hide();
    frame->deleteLater();
  }
}

void WindowImpl::UpdateFlags() {
  if (!frame) return;
  Qt::WindowFlags flags = Qt::Window;
  if (frameKind == 2) {
    flags |= Qt::FramelessWindowHint;  // a plain box: no title bar, no buttons
  } else {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint;
    if (closeButton) flags |= Qt::WindowCloseButtonHint;
  }
  if (frame->windowFlags() == flags) return;
  const bool wasVisible = frame->isVisible();
  frame->setWindowFlags(flags);
  if (wasVisible) frame->show();
}

void WindowImpl::UpdateSize() {
  if (frame) frame->Content()->setFixedSize(width, height);
}

void WindowImpl::UpdateBackground() {
  if (!frame) return;
  ContentWidget* content = frame->Content();
  QPalette palette = QApplication::palette(content);
  if (hasBackColor) palette.setColor(QPalette::Window, QColor::fromRgb(backColor));
  content->setPalette(palette);
  content->setAutoFillBackground(hasBackColor);
}

void WindowImpl::ShowNow() {
  // A window of kind 1 exists for its timer and menu bar alone and is never on screen.
  if (!frame || frameKind == 1) return;
  RefreshMenuBarView(owner);
  if (!shownOnce) {
    shownOnce = true;
    frame->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      frame->move(area.center() - QPoint(frame->width() / 2, frame->height() / 2));
    }
  }
  // Shown from the task bar too: a window minimised, or hidden while minimised, comes back.
  frame->setWindowState(frame->windowState() & ~Qt::WindowMinimized);
  frame->show();
  frame->raise();
  frame->activateWindow();
}

void WindowImpl::UpdateTabOrder() {
  if (!frame) return;
  // Focus order: the window's controls by TabIndex, each container followed by its own.
  std::vector<RectControlImpl*> all;
  for (const auto& control : owner.Controls())
    if (auto* rect = dynamic_cast<RectControl*>(control.get())) all.push_back(&rect->Impl());
  // A control nobody can see takes no focus, by Tab or by click: keys would go where
  // nothing shows.
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i]->widget && Buried(i, all)) all[i]->widget->setFocusPolicy(Qt::NoFocus);
  std::vector<QWidget*> chain;
  std::function<void(const std::string&)> visit = [&](const std::string& parent) {
    std::vector<RectControlImpl*> children;
    for (RectControlImpl* c : all)
      if (c->initialParent == parent && c->owner && c->owner->Name() != parent) children.push_back(c);
    std::stable_sort(
        children.begin(), children.end(),
        [](const RectControlImpl* a, const RectControlImpl* b) { return a->tabIndex < b->tabIndex; });
    for (RectControlImpl* c : children) {
      if (c->widget && (c->widget->focusPolicy() & Qt::TabFocus)) chain.push_back(c->widget);
      visit(c->owner->Name());
    }
  };
  visit("");
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace platform::detail
