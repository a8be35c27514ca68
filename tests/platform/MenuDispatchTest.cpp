#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "MenuTestSupport.h"
#include "platform/qt/RuntimeState.h"
#include "support/TraceRecorder.h"

namespace {

using menu_test::MakeWindow;
using velmora_test::ChooseByClick;
using velmora_test::FrameOf;
using velmora_test::MenuBarOf;
using velmora_test::ShowActive;
using velmora_test::TraceRecorder;

// ---- Preparation ----------------------------------------------------------------------

// Registrations and EnableMenuItems handlers as the system's windows use them.
struct Registrants : menu_test::Scene {
  Registrants() {
    app->AddMenuHandler("AppHandled", [] { return false; });
    app->AddMenuHandler("AppHandledWinDisables", [] { return false; });
    window->AddMenuHandler("WinHandled", [] { return false; });
    window->AddMenuHandler("WinHandledAppDisables", [] { return false; });
    app->onEnable = [this] {
      bar->Lookup("AppEnables")->Enable();
      bar->Lookup("WinHandledAppDisables")->SetEnabled(false);
    };
    window->onEnable = [this] {
      bar->Lookup("WinDisables")->SetEnabled(false);
      bar->Lookup("AppHandledWinDisables")->SetEnabled(false);
    };
  }
  // The runtime outlives the test: its shutdown must not call into the test's locals.
  ~Registrants() {
    app->onEnable = {};
    window->onEnable = {};
  }
};

struct StateCase {
  const char* name;
  bool enabled;
};
void PrintTo(const StateCase& c, std::ostream* os) { *os << c.name; }

// What an activation leaves: registration alone enables, AutoEnable decides the rest,
// the application is consulted before the window.
constexpr StateCase kStateCases[] = {
    {"WinHandled", true},
    {"AppHandled", true},
    {"Auto", true},
    {"Plain", false},
    {"WinDisables", false},
    {"AppEnables", true},
    {"AppHandledWinDisables", false},
    {"WinHandledAppDisables", true},
    {"FileQuit", true},
    {"Print", true},
    {"EditCut", false},
    {"EditClear", false},
    {"UntitledMenu1", false},
    {"AboutQEN", false},
    // Menus must stay openable: otherwise they could never be prepared at all.
    {"FileMenu", true},
    {"UntitledMenu0", true},
    {"TestMenu", true},
};

class MenuPreparation : public ::testing::TestWithParam<StateCase> {};

TEST_P(MenuPreparation, ActivationLeavesTheStateThatRegistrantsGive) {
  Registrants r;
  // A state left over from before must not survive the reset.
  for (const StateCase& c : kStateCases) r.bar->Lookup(c.name)->SetEnabled(!c.enabled);
  ShowActive(*r.window);
  const auto item = r.bar->Lookup(GetParam().name);
  EXPECT_EQ(item->Enabled(), GetParam().enabled);
  // The view shows the same state.
  QMenuBar* bar = MenuBarOf(*r.window);
  ASSERT_NE(bar, nullptr);
  int shown = 0;
  for (QAction* action : velmora_test::AllEntries(*bar))
    if (!action->isSeparator() && action->text() == QString::fromStdString(item->Text())) {
      EXPECT_EQ(action->isEnabled(), GetParam().enabled);
      ++shown;
    }
  if (!item->IsSeparator() && !item->Text().empty()) {
    EXPECT_EQ(shown, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Items, MenuPreparation, ::testing::ValuesIn(kStateCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MenuPreparationOrder, ResetFirstThenApplicationThenFrontmostWindow) {
  Registrants r;
  std::vector<std::string> order;
  std::optional<bool> winHandledDuringAppEvent;
  r.app->onEnable = [&] {
    order.push_back("app");
    winHandledDuringAppEvent = r.bar->Lookup("WinHandled")->Enabled();
  };
  r.window->onEnable = [&] { order.push_back("window"); };
  ShowActive(*r.window);
  ASSERT_GE(order.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(order.end() - 2, order.end()),
            (std::vector<std::string>{"app", "window"}));
  // The previous preparation had enabled it; the reset came before the application's turn.
  order.clear();
  platform::detail::PrepareMenus(r.window.get());
  EXPECT_EQ(order, (std::vector<std::string>{"app", "window"}));
  ASSERT_TRUE(winHandledDuringAppEvent.has_value());
  EXPECT_FALSE(*winHandledDuringAppEvent);
  EXPECT_TRUE(r.bar->Lookup("WinHandled")->Enabled());
}

TEST(MenuPreparationOrder, DeactivationPreparesForTheWindowNowInFront) {
  Registrants r;
  const auto other = MakeWindow("Other.Other");
  ShowActive(*r.window);
  EXPECT_TRUE(r.bar->Lookup("WinHandled")->Enabled());
  ShowActive(*other);
  // The other window registers nothing: the first window's registrations no longer count.
  EXPECT_FALSE(r.bar->Lookup("WinHandled")->Enabled());
  EXPECT_TRUE(r.bar->Lookup("AppHandled")->Enabled());
  EXPECT_TRUE(r.bar->Lookup("WinDisables")->Enabled());
  EXPECT_EQ(platform::detail::FrontmostWindow(), other.get());
}

TEST(MenuPreparationOrder, OpeningAMenuPreparesItFirst) {
  Registrants r;
  ShowActive(*r.window);
  EXPECT_FALSE(r.bar->Lookup("Plain")->Enabled());
  // Registered after the last preparation: only a new one can enable it.
  r.app->AddMenuHandler("Plain", [] { return false; });
  int preparations = 0;
  r.window->onEnable = [&preparations] { ++preparations; };
  QMenu* menu = velmora_test::OpenMenu(*MenuBarOf(*r.window), "Test");
  ASSERT_NE(menu, nullptr);
  EXPECT_GE(preparations, 1);
  EXPECT_TRUE(r.bar->Lookup("Plain")->Enabled());
  EXPECT_TRUE(velmora_test::EntryOf(*menu, "Plain")->isEnabled());
  menu->close();
}

// ---- Dispatch -------------------------------------------------------------------------

enum class Handler { None, ReturnsTrue, ReturnsFalse };

struct DispatchCase {
  const char* label;
  const char* item;
  Handler window;
  Handler app;
  int windowCalls;
  int appCalls;
  bool quits;
};
void PrintTo(const DispatchCase& c, std::ostream* os) { *os << c.label; }

constexpr DispatchCase kDispatchCases[] = {
    {"NobodyHandles", "Auto", Handler::None, Handler::None, 0, 0, false},
    {"WindowTrueStops", "Auto", Handler::ReturnsTrue, Handler::ReturnsFalse, 1, 0, false},
    {"WindowFalsePassesOn", "Auto", Handler::ReturnsFalse, Handler::ReturnsFalse, 1, 1, false},
    {"WindowMissingPassesOn", "Auto", Handler::None, Handler::ReturnsTrue, 0, 1, false},
    {"ApplicationMissing", "Auto", Handler::ReturnsFalse, Handler::None, 1, 0, false},
    {"QuitUnhandledQuits", "FileQuit", Handler::None, Handler::None, 0, 0, true},
    {"QuitAllFalseQuits", "FileQuit", Handler::ReturnsFalse, Handler::ReturnsFalse, 1, 1, true},
    {"QuitTakenByApplication", "FileQuit", Handler::None, Handler::ReturnsTrue, 0, 1, false},
    {"QuitTakenByWindow", "FileQuit", Handler::ReturnsTrue, Handler::None, 1, 0, false},
};

class MenuDispatch : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(MenuDispatch, ChosenItemGoesToWindowThenApplication) {
  const DispatchCase& c = GetParam();
  TraceRecorder trace;
  Registrants r;
  int windowCalls = 0;
  int appCalls = 0;
  if (c.window != Handler::None)
    r.window->AddMenuHandler(c.item, [&windowCalls, result = c.window == Handler::ReturnsTrue] {
      ++windowCalls;
      return result;
    });
  if (c.app != Handler::None)
    r.app->AddMenuHandler(c.item, [&appCalls, result = c.app == Handler::ReturnsTrue] {
      ++appCalls;
      return result;
    });
  ShowActive(*r.window);
  const auto item = r.bar->Lookup(c.item);
  const bool inFile = item->Parent()->Name() == "FileMenu";
  ChooseByClick(*MenuBarOf(*r.window), inFile ? "File" : "Test", QString::fromStdString(item->Text()));
  EXPECT_EQ(windowCalls, c.windowCalls);
  EXPECT_EQ(appCalls, c.appCalls);
  EXPECT_EQ(trace.Count("Quit 0") > 0, c.quits);
  EXPECT_EQ(r.window->IsOpen(), !c.quits);
}

INSTANTIATE_TEST_SUITE_P(Handlers, MenuDispatch, ::testing::ValuesIn(kDispatchCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(MenuDispatchTarget, EachWindowsBarReachesItsOwnWindow) {
  Registrants r;
  const auto other = MakeWindow("Other.Other");
  std::vector<std::string> calls;
  r.window->AddMenuHandler("Auto", [&calls] {
    calls.push_back("first");
    return true;
  });
  other->AddMenuHandler("Auto", [&calls] {
    calls.push_back("other");
    return true;
  });
  ShowActive(*r.window);
  ShowActive(*other);
  ChooseByClick(*MenuBarOf(*other), "Test", "Auto");
  ShowActive(*r.window);
  ChooseByClick(*MenuBarOf(*r.window), "Test", "Auto");
  EXPECT_EQ(calls, (std::vector<std::string>{"other", "first"}));
}

TEST(MenuDispatchTarget, DisabledItemIsNotDispatchedByClick) {
  Registrants r;
  int calls = 0;
  r.app->AddMenuHandler("AppHandledWinDisables", [&calls] { return ++calls > 0; });
  ShowActive(*r.window);
  ChooseByClick(*MenuBarOf(*r.window), "Test", "AppHandledWinDisables");
  EXPECT_EQ(calls, 0);
}

TEST(MenuDispatchTarget, HandlerExceptionStopsThereAndIsKeptForTheLoop) {
  Registrants r;
  int appCalls = 0;
  r.window->AddMenuHandler("Auto", []() -> bool { throw std::runtime_error("handler failed"); });
  r.app->AddMenuHandler("Auto", [&appCalls] { return ++appCalls > 0; });
  ShowActive(*r.window);
  ChooseByClick(*MenuBarOf(*r.window), "Test", "Auto");
  EXPECT_EQ(appCalls, 0);
  ASSERT_TRUE(platform::detail::State().escaped);
  EXPECT_THROW(std::rethrow_exception(std::exchange(platform::detail::State().escaped, nullptr)),
               std::runtime_error);
}

// ---- Shortcuts --------------------------------------------------------------------------

TEST(MenuShortcut, CtrlQQuitsTheRunningApplication) {
  TraceRecorder trace;
  Registrants r;
  ShowActive(*r.window);
  bool timedOut = false;
  QTimer::singleShot(0, [&r] { QTest::keyClick(FrameOf(*r.window), Qt::Key_Q, Qt::ControlModifier); });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [&timedOut] {
    timedOut = true;
    QCoreApplication::exit(2);
  });
  watchdog.start(5000);
  platform::RuntimeRun();
  EXPECT_FALSE(timedOut);
  EXPECT_GE(trace.Count("Quit 0"), 1);
  EXPECT_FALSE(r.window->IsOpen());
}

}  // namespace
