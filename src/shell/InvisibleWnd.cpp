#include "shell/InvisibleWnd.h"

#include <iterator>

#include "calculator/ControlWnd.h"
#include "infowindows/AboutWnd.h"
#include "platform/Color.h"
#include "platform/Delegate.h"
#include "platform/DesignRecord.h"
#include "platform/NilObjectException.h"
#include "shell/Menu.h"

namespace velmora {
namespace {

using platform::Color;
using platform::RecordEntry;

constexpr RecordEntry kWindowRecord[] = {
    {"Placement", 0},
    {"Width", 64},
    {"Height", 64},
    {"MinWidth", 64},
    {"MinHeight", 64},
    {"MaxWidth", 32000},
    {"MaxHeight", 32000},
    {"Frame", 1},
    {"Composite", false},
    {"HasBackColor", false},
    {"BackColor", Color(0xFFFFFF)},
    {"Title", std::string_view("Untitled")},
    {"Visible", false},
    {"FullScreen", false},
    {"MenuBarVisible", true},
    {"CloseButton", false},
    {"Resizeable", false},
    {"LiveResize", false},
    {"MaximizeButton", false},
    {"MinimizeButton", true},
    {"MacProcID", 0},
    {"_mInitialControlsCreated", 0},
    {"Top", 0},
    {"Left", 0},
};
static_assert(std::size(kWindowRecord) == 24);

constexpr std::string_view kTimer1 = "Timer1";

// Fires once, 1,500 ms after the record is applied: the length of the splash.
constexpr RecordEntry kTimer1Record[] = {
    {"Mode", 1},
    {"Period", 1500},
};
static_assert(std::size(kTimer1Record) == 2);

}  // namespace

InvisibleWnd::InvisibleWnd() : MenuBarWindow(std::string(kClassName)) {}

void InvisibleWnd::Layout() {
  SetMenuBar(Menu());
  platform::SetProperties(*this, platform::WriteRecord(kWindowRecord));
}

void InvisibleWnd::CreateControls() { CreateControls0(); }

void InvisibleWnd::CreateControls0() {
  {
    const auto timer = New<Timer1>();
    timer->Constructor();
    AddControl(kTimer1, timer);
  }
  platform::SetProperties(platform::NotNil(ControlAs<platform::Timer>(kTimer1)),
                          platform::WriteRecord(kTimer1Record));
  platform::InstallInstanceEventHandler(
      platform::NotNil(ControlAs<platform::Timer>(kTimer1)), "Action",
      platform::RuntimeCreateDelegate(&InvisibleWnd::Timer1_Action, platform::kActionSignature));
}

// Ends the splash whatever the user did meanwhile: the calls are harmless when repeated.
void InvisibleWnd::Timer1_Action() {
  platform::NotNil(AboutWnd()).Hide();
  platform::NotNil(velmora::InvisibleWnd()).Hide();
  platform::NotNil(ControlWnd()).Show();
}

void InvisibleWnd::Event_Open() { platform::NotNil(AboutWnd()).Show(); }

void InvisibleWnd::Timer1::SetWindow(std::shared_ptr<platform::Window> window) {
  ownerWindow = std::move(window);
}

std::shared_ptr<platform::Window> InvisibleWnd::Timer1::Window() const { return ownerWindow; }

std::int32_t InvisibleWnd::Timer1::Index() const { return index_; }

void InvisibleWnd::Timer1::SetIndex(std::int32_t index) { index_ = index; }

void InvisibleWnd::Timer1::Constructor() {}

std::shared_ptr<class InvisibleWnd> InvisibleWnd() {
  return platform::ImplicitInstance<class InvisibleWnd>();
}

}  // namespace velmora
