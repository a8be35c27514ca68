#include "platform/RectControl.h"

#include "platform/RuntimeException.h"
#include "platform/Window.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/RectControlImpl.h"
#include "platform/qt/WindowImpl.h"

namespace platform {

namespace detail {

RectControlImpl::RectControlImpl(QWidget* widget) : widget(widget) {}

RectControlImpl::~RectControlImpl() {
  if (widget) {
    widget->hide();
    widget->deleteLater();
  }
}

QPoint RectControlImpl::ParentOrigin() const {
  if (initialParent.empty()) return {};
  const auto owningWindow = window.lock();
  if (!owningWindow) return {};
  const auto parent = std::dynamic_pointer_cast<RectControl>(owningWindow->ControlByName(initialParent));
  if (!parent) return {};
  return {parent->Left(), parent->Top()};
}

void RectControlImpl::ApplyGeometry() {
  if (!widget) return;
  const QPoint origin = ParentOrigin();
  widget->setGeometry(left - origin.x(), top - origin.y(), std::max(width, 0), std::max(height, 0));
}

}  // namespace detail

RectControl::RectControl(std::unique_ptr<detail::RectControlImpl> impl) : impl_(std::move(impl)) {
  impl_->owner = this;
}

RectControl::~RectControl() = default;

void RectControl::Constructor() {
  const auto owningWindow = impl_->window.lock();
  if (!owningWindow || !impl_->widget) return;
  detail::WindowWidget* frame = owningWindow->Impl().frame;
  if (!frame) return;
  impl_->widget->setParent(frame->Content());
  impl_->widget->raise();
  impl_->ApplyGeometry();
  impl_->widget->setVisible(impl_->visible);
}

std::shared_ptr<Window> RectControl::Window() const { return impl_->window.lock(); }

std::shared_ptr<Window> RectControl::HandlerWindow() const { return Window(); }

bool RectControl::Visible() const { return impl_->visible; }

void RectControl::SetVisible(bool visible) {
  impl_->visible = visible;
  if (impl_->widget) impl_->widget->setVisible(visible);
}

bool RectControl::Enabled() const { return impl_->enabled; }

void RectControl::SetEnabled(bool enabled) {
  impl_->enabled = enabled;
  if (impl_->widget) impl_->widget->setEnabled(enabled);
}

void RectControl::SetFocus() {
  if (impl_->widget) impl_->widget->setFocus(Qt::OtherFocusReason);
}

bool RectControl::HasFocus() const { return impl_->widget && impl_->widget->hasFocus(); }

std::int32_t RectControl::Left() const { return impl_->left; }
std::int32_t RectControl::Top() const { return impl_->top; }
std::int32_t RectControl::Width() const { return impl_->width; }
std::int32_t RectControl::Height() const { return impl_->height; }

void RectControl::Close() {
  impl_->window.reset();
  if (impl_->widget) impl_->widget->hide();
}

bool RectControl::OffersEvent(std::string_view eventName, std::string_view signature) const {
  return eventName == "MouseDown" && signature == kMouseDownSignature;
}

bool RectControl::SetCommonProperty(std::string_view name, const PropertyValue& value) {
  detail::RectControlImpl& c = *impl_;
  const auto integer = [&value] { return std::get<std::int32_t>(value); };
  const auto boolean = [&value] { return std::get<bool>(value); };
  if (name == "Name") {
    // The registration named the control already; the record repeats it.
  } else if (name == "Left") {
    c.left = integer();
    c.ApplyGeometry();
  } else if (name == "Top") {
    c.top = integer();
    c.ApplyGeometry();
  } else if (name == "Width") {
    c.width = integer();
    c.ApplyGeometry();
  } else if (name == "Height") {
    c.height = integer();
    c.ApplyGeometry();
  } else if (name == "TabIndex") {
    c.tabIndex = integer();
  } else if (name == "Visible") {
    SetVisible(boolean());
  } else if (name == "Enabled") {
    SetEnabled(boolean());
  } else if (name == "HelpTag") {
    if (c.widget) c.widget->setToolTip(detail::ToQString(std::get<std::string>(value)));
  } else if (name == "InitialParent") {
    SetInitialParent(std::get<std::string>(value));
  } else {
    return false;
  }
  return true;
}

void RectControl::SetInitialParent(const std::string& parentName) {
  // A control without a parent stays where its constructor put it: in the window's content.
  if (parentName.empty()) return;
  detail::RectControlImpl& c = *impl_;
  const auto owningWindow = c.window.lock();
  // A parent is made before the controls inside it, so it is always found.
  const auto parent = owningWindow
                          ? std::dynamic_pointer_cast<RectControl>(owningWindow->ControlByName(parentName))
                          : nullptr;
  if (!parent || parent.get() == this)
    throw RuntimeException("The control \"" + Name() + "\" names \"" + parentName +
                           "\" as its parent, which its window does not hold.");
  c.initialParent = parentName;
  if (c.widget && parent->impl_->widget) {
    c.widget->setParent(parent->impl_->widget);
    c.widget->raise();
    c.widget->setVisible(c.visible);
  }
  c.ApplyGeometry();
}

}  // namespace platform
