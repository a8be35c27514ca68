#include "platform/Window.h"

#include <QApplication>
#include <QScreen>
#include <algorithm>

#include "platform/Control.h"
#include "platform/Diagnostics.h"
#include "platform/MenuItem.h"
#include "platform/PaneChild.h"
#include "platform/RectControl.h"
#include "platform/RuntimeException.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/RectControlImpl.h"
#include "platform/qt/RuntimeState.h"
#include "platform/qt/WindowImpl.h"

namespace platform {
namespace {

using detail::State;

std::int32_t AsInt(const PropertyValue& value) { return std::get<std::int32_t>(value); }
bool AsBool(const PropertyValue& value) { return std::get<bool>(value); }

}  // namespace

Window::Window(std::string className)
    : className_(std::move(className)), impl_(std::make_unique<detail::WindowImpl>(*this)) {}

Window::~Window() = default;

void Window::Constructor() {
  const auto self = shared_from_this();
  RuntimeTrace("Construct " + className_);
  detail::RuntimeState& state = State();
  state.windows.push_back(self);
  state.implicitWindows.insert_or_assign(className_, self);
  impl_->open = true;
  try {
    Layout();
    CreateControls();
    AddMenuHandlers(self);
    impl_->UpdateTabOrder();
    Event_Open();
  } catch (...) {
    // A half-built window is no window: it must not be found again by its accessor.
    Discard();
    throw;
  }
  impl_->constructed = true;
  if (impl_->visibleFromRecord && impl_->open) impl_->ShowNow();
}

void Window::Show() {
  if (!impl_->open) return;
  impl_->ShowNow();
}

void Window::Hide() {
  if (impl_->frame) impl_->frame->hide();
}

bool Window::Visible() const { return impl_->frame && impl_->frame->isVisible(); }

bool Window::IsOpen() const { return impl_->open; }

bool Window::IsActive() const { return impl_->frame && impl_->frame->isActiveWindow(); }

bool Window::Close() {
  if (!impl_->open) return false;
  const auto self = shared_from_this();  // the registry may hold the last reference
  if (Event_CancelClose()) return false;
  TearDown();
  RuntimeTrace("Closed " + className_);
  Event_Close();
  return true;
}

void Window::Discard() {
  const auto self = weak_from_this().lock();
  // No events during the tear-down: nothing of the system runs after the loop.
  if (impl_->frame) impl_->frame->Detach();
  TearDown();
}

void Window::TearDown() {
  auto controls = std::exchange(controls_, {});
  for (auto& [name, control] : controls) control->Close();
  impl_->open = false;
  detail::RuntimeState& state = State();
  std::erase_if(state.windows, [this](const auto& window) { return window.get() == this; });
  const auto entry = state.implicitWindows.find(className_);
  if (entry != state.implicitWindows.end() && entry->second.get() == this) state.implicitWindows.erase(entry);
  if (impl_->frame) {
    impl_->frame->hide();
    impl_->frame->deleteLater();
  }
}

std::shared_ptr<MenuBar> Window::MenuBar() const { return menuBar_; }

void Window::SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar) {
  RuntimeTrace("SetMenuBar " + className_);
  // Set in Layout, before the window is ever shown: it takes its bar when it appears.
  menuBar_ = std::move(menuBar);
}

void Window::AddMenuHandler(std::string_view itemName, MenuHandler handler) {
  RuntimeTrace("AddMenuHandler " + className_ + " " + std::string(itemName));
  mMenuHandlers.Add(itemName, std::move(handler));
}

const MenuHandler* Window::FindMenuHandler(std::string_view itemName) const {
  return mMenuHandlers.Find(itemName);
}

void Window::EnableMenuItems(MenuItem& bar) {
  Event_EnableMenuItems();
  mMenuHandlers.EnableHandledItems(bar);
}

void Window::Adopt(Control& control) {
  if (auto* rect = dynamic_cast<RectControl*>(&control)) rect->Impl().window = weak_from_this();
}

void Window::AddControl(std::string_view name, std::shared_ptr<Control> control) {
  if (!control) RaiseNilObjectException();
  if (ControlByName(name))
    throw RuntimeException("A control named \"" + std::string(name) + "\" is already registered with " +
                           className_ + ".");
  control->SetRegisteredName(name);
  if (auto* rect = dynamic_cast<RectControl*>(control.get())) rect->Impl().window = weak_from_this();
  if (auto* child = dynamic_cast<PaneChild*>(control.get())) child->SetWindow(shared_from_this());
  controls_.emplace_back(std::string(name), std::move(control));
}

std::shared_ptr<Control> Window::ControlByName(std::string_view name) const {
  for (const auto& [registered, control] : controls_)
    if (registered == name) return control;
  return nullptr;
}

std::vector<std::shared_ptr<Control>> Window::Controls() const {
  std::vector<std::shared_ptr<Control>> controls;
  for (const auto& entry : controls_) controls.push_back(entry.second);
  return controls;
}

const PropertyTable& Window::Properties() const { return WindowProperties(); }

void Window::SetProperty(std::string_view name, const PropertyValue& value) {
  detail::WindowImpl& w = *impl_;
  if (name == "Width") {
    w.width = std::max(AsInt(value), 0);
    w.UpdateSize();
  } else if (name == "Height") {
    w.height = std::max(AsInt(value), 0);
    w.UpdateSize();
  } else if (name == "Frame") {
    w.frameKind = AsInt(value);
    w.UpdateFlags();
  } else if (name == "HasBackColor") {
    w.hasBackColor = AsBool(value);
    w.UpdateBackground();
  } else if (name == "BackColor") {
    w.backColor = std::get<Color>(value).Rgb();
    w.UpdateBackground();
  } else if (name == "Title") {
    w.title = std::get<std::string>(value);
    if (w.frame) w.frame->setWindowTitle(detail::ToQString(w.title));
  } else if (name == "Visible") {
    w.visibleFromRecord = AsBool(value);
    // During construction the window appears once it is built; afterwards at once.
    if (w.constructed) w.visibleFromRecord ? Show() : Hide();
  } else if (name == "CloseButton") {
    w.closeButton = AsBool(value);
    w.UpdateFlags();
  }
}

std::shared_ptr<Window> GetImplicitWindow(std::string_view className) {
  const auto& windows = State().implicitWindows;
  const auto found = windows.find(className);
  return found == windows.end() ? nullptr : found->second;
}

std::vector<std::shared_ptr<Window>> OpenWindows() { return State().windows; }

std::shared_ptr<Control> RuntimeWindowControlByName(const Window& window, std::string_view name) {
  return window.ControlByName(name);
}

}  // namespace platform
