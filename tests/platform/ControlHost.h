#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Control.h"
#include "platform/DesignRecord.h"
#include "platform/PaneChild.h"
#include "platform/RectControl.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "platform/qt/RectControlImpl.h"
#include "platform/qt/WindowImpl.h"
#include "support/Records.h"

// A window that the control tests fill with controls of their choosing, made the way
// the system makes its windows: records applied through the framework, handlers bound
// by event name, and every event the window sees written to a log.
namespace control_test {

using namespace std::string_view_literals;

// A parameterised test's name, made from its row's `what`.
struct RowName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    std::string name;
    for (const char c : std::string_view(info.param.what))
      name += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? c : '_';
    return name + "_" + std::to_string(info.index);
  }
};

// Rows print as their description in test listings.
template <class Row>
requires requires(const Row& row) { std::string_view(row.what); }
void PrintTo(const Row& row, std::ostream* out) { *out << row.what; }

// A timer of a window class: PaneChild says which window its handlers run on.
class HostTimer : public platform::Timer, public platform::PaneChild {
 public:
  void SetWindow(std::shared_ptr<platform::Window> window) override { ownerWindow_ = std::move(window); }
  std::shared_ptr<platform::Window> Window() const override { return ownerWindow_; }
  std::int32_t Index() const override { return index_; }
  void SetIndex(std::int32_t index) override { index_ = index; }

 private:
  std::shared_ptr<platform::Window> ownerWindow_;
  std::int32_t index_ = platform::kNoControlIndex;
};

class HostWnd : public platform::Window {
 public:
  static constexpr std::string_view kClassName = "HostWnd.HostWnd";
  HostWnd() : Window(std::string(kClassName)) {}

  // What CreateControls makes; set before the window is built.
  static inline std::function<void(HostWnd&)> createControls;

  void Layout() override {
    platform::SetProperties(*this, platform::WriteRecord(velmora_test::WindowRecord()));
  }
  void CreateControls() override {
    if (createControls) createControls(*this);
  }

  // Makes, registers and sets up one control as the system's control creation does.
  template <class C>
  std::shared_ptr<C> Make(std::string_view name, const velmora_test::Entries& record) {
    auto control = New<C>();
    control->Constructor();
    AddControl(name, control);
    platform::SetProperties(*ControlAs<C>(name), platform::WriteRecord(record));
    return control;
  }

  // Handlers bound to control events; each writes what it saw to the log.
  bool Control_KeyDown(const std::string& key) {
    keys.push_back(key);
    log.push_back("KeyDown");
    return swallowKey && swallowKey(key);
  }
  void Control_Action() {
    log.push_back("Action");
    if (onAction) onAction();
  }
  bool Control_MouseDown(std::int32_t x, std::int32_t y) {
    log.push_back("MouseDown " + std::to_string(x) + "," + std::to_string(y));
    return swallowMouse;
  }
  bool Event_MouseDown(std::int32_t x, std::int32_t y) override {
    log.push_back("Window MouseDown " + std::to_string(x) + "," + std::to_string(y));
    return false;
  }

  void Bind(platform::Control& control, std::string_view event) {
    if (event == "KeyDown") {
      platform::InstallInstanceEventHandler(
          control, event,
          platform::RuntimeCreateDelegate(&HostWnd::Control_KeyDown, platform::kKeyDownSignature));
    } else if (event == "Action") {
      platform::InstallInstanceEventHandler(
          control, event,
          platform::RuntimeCreateDelegate(&HostWnd::Control_Action, platform::kActionSignature));
    } else {
      platform::InstallInstanceEventHandler(
          control, event,
          platform::RuntimeCreateDelegate(&HostWnd::Control_MouseDown, platform::kMouseDownSignature));
    }
  }

  QWidget* Content() const { return Impl().frame->Content(); }

  std::vector<std::string> log;
  std::vector<std::string> keys;
  std::function<bool(const std::string&)> swallowKey;
  std::function<void()> onAction;
  bool swallowMouse = false;
};

// Builds the host window with the controls the function makes, shown and active.
inline std::shared_ptr<HostWnd> OpenHost(std::function<void(HostWnd&)> createControls) {
  HostWnd::createControls = std::move(createControls);
  auto window = platform::ImplicitInstance<HostWnd>();
  window->Show();
  QWidget* frame = window->Impl().frame;
  frame->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(frame));
  return window;
}

template <class W>
W* WidgetOf(const platform::RectControl& control) {
  return dynamic_cast<W*>(control.Impl().widget.data());
}

// The control's place in window coordinates, whatever its Qt parent.
inline QRect WindowRect(const HostWnd& window, const platform::RectControl& control) {
  QWidget* widget = control.Impl().widget;
  return QRect(widget->mapTo(window.Content(), QPoint(0, 0)), widget->size());
}

}  // namespace control_test
