#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "ControlHost.h"
#include "platform/Builtins.h"
#include "platform/NilObjectException.h"
#include "platform/Runtime.h"
#include "platform/RuntimeException.h"
#include "platform/Timer.h"
#include "support/Modal.h"

namespace {

using namespace control_test;
using namespace velmora_test;
using control_test::PrintTo;  // rows print by name

// A window with one timer, made as the start window makes its Timer1: the record
// (Mode, then Period) and then the Action binding.
template <class T = HostTimer>
std::shared_ptr<T> MakeTimer(HostWnd& window, std::int32_t mode, std::int32_t period,
                             std::string_view name = "Timer1") {
  auto timer = window.New<T>();
  timer->Constructor();
  window.AddControl(name, timer);
  const platform::RecordEntry record[] = {{"Mode", mode}, {"Period", period}};
  platform::SetProperties(*window.ControlAs<platform::Timer>(name), platform::WriteRecord(record));
  window.Bind(*window.ControlAs<platform::Timer>(name), "Action");
  return timer;
}

std::shared_ptr<HostWnd> OpenHidden(std::function<void(HostWnd&)> createControls) {
  HostWnd::createControls = std::move(createControls);
  return platform::ImplicitInstance<HostWnd>();
}

TEST(TimerTest, RecordSetsModeAndPeriod) {
  std::shared_ptr<HostTimer> timer;
  OpenHidden([&](HostWnd& w) { timer = MakeTimer(w, 1, 1500); });
  EXPECT_EQ(timer->Mode(), 1);
  EXPECT_EQ(timer->Period(), 1500);
  EXPECT_EQ(timer->HandlerWindow(), platform::GetImplicitWindow(HostWnd::kClassName));
}

TEST(TimerTest, SingleShotFiresOnceAndOnlyOnceTheLoopRuns) {
  std::shared_ptr<HostTimer> timer;
  const auto window = OpenHidden([&](HostWnd& w) { timer = MakeTimer(w, 1, 20); });
  int fired = 0;
  window->onAction = [&] {
    ++fired;
    EXPECT_TRUE(platform::RuntimeIsRunning());
  };
  // A nested loop before RuntimeRun (as a modal box at start-up would run) lets the
  // period end, but the Action waits for the loop.
  bool periodOver = false;
  QTimer::singleShot(80, [&] { periodOver = true; });
  ASSERT_TRUE(velmora_test::WaitFor([&] { return periodOver; }));
  EXPECT_EQ(fired, 0);
  // A second, later timer ends the loop; by then the first must have fired once.
  MakeTimer<HostTimer>(*window, 1, 150, "Stop");
  window->onAction = [&, calls = 0]() mutable {
    if (++calls == 1) {
      ++fired;
    } else {
      platform::Quit(0);
    }
  };
  platform::RuntimeRun();
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(window->log, (std::vector<std::string>{"Action", "Action"}));
}

TEST(TimerTest, AClosedTimerDoesNotFire) {
  std::shared_ptr<HostTimer> timer;
  const auto window = OpenHidden([&](HostWnd& w) {
    timer = MakeTimer(w, 1, 10);
    MakeTimer(w, 1, 120, "Stop");
  });
  window->onAction = [] { platform::Quit(0); };
  timer->Close();
  platform::RuntimeRun();
  // Only the sentinel fired, and it ended the loop.
  EXPECT_EQ(window->log, std::vector<std::string>{"Action"});
}

TEST(TimerTest, SettingThePeriodStartsTheCountAgain) {
  std::shared_ptr<HostTimer> timer;
  const auto window = OpenHidden([&](HostWnd& w) { timer = MakeTimer(w, 1, 600000); });
  window->onAction = [] { platform::Quit(0); };
  timer->SetPeriod(20);  // without the re-arming the loop would wait ten minutes
  platform::RuntimeRun();
  EXPECT_EQ(window->log, std::vector<std::string>{"Action"});
}

TEST(TimerTest, ExceptionInTheActionSurfacesFromRuntimeRun) {
  const auto window = OpenHidden([&](HostWnd& w) { MakeTimer(w, 1, 10); });
  window->onAction = [] { throw platform::RuntimeException("from the timer"); };
  try {
    platform::RuntimeRun();
    FAIL() << "RuntimeRun returned normally";
  } catch (const platform::RuntimeException& e) {
    EXPECT_STREQ(e.what(), "from the timer");
  }
  EXPECT_EQ(window->log, std::vector<std::string>{"Action"});
}

TEST(TimerTest, TimerWithoutAnOwnerWindowRaisesNilObject) {
  // A plain Timer says nothing through PaneChild: its bound handler has no window.
  const auto window = OpenHidden([&](HostWnd& w) { MakeTimer<platform::Timer>(w, 1, 10); });
  EXPECT_EQ(window->ControlByName("Timer1")->HandlerWindow(), nullptr);
  EXPECT_THROW(platform::RuntimeRun(), platform::NilObjectException);
  EXPECT_TRUE(window->log.empty());
}

TEST(TimerTest, ClosingTheWindowReleasesItsTimer) {
  std::weak_ptr<HostTimer> weakTimer;
  std::weak_ptr<HostWnd> weakWindow;
  {
    const auto window = OpenHidden([&](HostWnd& w) { weakTimer = MakeTimer(w, 1, 10); });
    weakWindow = window;
    ASSERT_TRUE(window->Close());
  }
  // The timer's owner reference did not keep the closed window alive, nor it the timer.
  EXPECT_TRUE(weakWindow.expired());
  EXPECT_TRUE(weakTimer.expired());
}

}  // namespace
