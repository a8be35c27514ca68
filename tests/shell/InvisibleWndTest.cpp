#include <gtest/gtest.h>

#include <string>

#include "calculator/ControlWnd.h"
#include "infowindows/AboutWnd.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "platform/qt/WindowImpl.h"
#include "shell/InvisibleWnd.h"
#include "shell/Menu.h"
#include "support/TraceRecorder.h"

namespace {

using velmora_test::TraceRecorder;
using Timer1 = velmora::InvisibleWnd::Timer1;

std::shared_ptr<platform::Window> Open(std::string_view className) {
  return platform::GetImplicitWindow(className);
}

TEST(InvisibleWnd, IsBuiltHiddenWithTheSharedMenuBarAndShowsTheSplash) {
  std::string titleWhenBarWasSet = "(not set)";
  TraceRecorder trace([&titleWhenBarWasSet](std::string_view line) {
    if (line == "SetMenuBar InvisibleWnd.InvisibleWnd")
      titleWhenBarWasSet = Open(velmora::InvisibleWnd::kClassName)->Impl().title;
  });
  const auto window = velmora::InvisibleWnd();

  ASSERT_TRUE(window);
  EXPECT_FALSE(window->Visible());
  EXPECT_EQ(window->MenuBar(), velmora::Menu());
  EXPECT_EQ(titleWhenBarWasSet, "") << "the menu bar comes before the record";
  EXPECT_EQ(window->Impl().width, 64);
  EXPECT_EQ(window->Impl().height, 64);
  EXPECT_EQ(window->Impl().frameKind, 1);
  EXPECT_EQ(window->Impl().title, "Untitled");
  EXPECT_FALSE(window->Impl().closeButton);

  // Its Open handler put the About window on screen as the splash.
  const auto about = Open(velmora::AboutWnd::kClassName);
  ASSERT_TRUE(about);
  EXPECT_TRUE(about->Visible());

  EXPECT_EQ(velmora::InvisibleWnd(), window);
  EXPECT_EQ(trace.Starting({"Construct"}),
            (std::vector<std::string>{"Construct InvisibleWnd.InvisibleWnd", "Construct AboutWnd.AboutWnd"}));
}

TEST(InvisibleWnd, Timer1IsSetToFireOnceAfter1500MsOnTheStartWindow) {
  const auto window = velmora::InvisibleWnd();
  ASSERT_EQ(window->Controls().size(), 1u);
  const auto timer = window->ControlAs<Timer1>("Timer1");
  ASSERT_TRUE(timer);
  EXPECT_EQ(timer->Name(), "Timer1");
  EXPECT_EQ(timer->Mode(), 1);
  EXPECT_EQ(timer->Period(), 1500);
  EXPECT_TRUE(timer->HasEventHandler("Action"));
  // The timer knows its window, so its Action runs there.
  EXPECT_EQ(timer->Window(), window);
  EXPECT_EQ(timer->HandlerWindow(), window);
}

TEST(InvisibleWnd, Timer1ActionEndsTheSplashWhateverStateTheWindowsAreIn) {
  TraceRecorder trace;
  const auto window = velmora::InvisibleWnd();
  window->Timer1_Action();

  const auto about = Open(velmora::AboutWnd::kClassName);
  const auto control = Open(velmora::ControlWnd::kClassName);
  ASSERT_TRUE(about);
  ASSERT_TRUE(control);
  EXPECT_FALSE(about->Visible());
  EXPECT_FALSE(window->Visible());
  EXPECT_TRUE(control->Visible());

  // The About window reopened, the calculator hidden: the same calls again set it right,
  // with the windows that are open.
  about->Show();
  control->Hide();
  window->Timer1_Action();
  EXPECT_FALSE(about->Visible());
  EXPECT_FALSE(window->Visible());
  EXPECT_TRUE(control->Visible());
  EXPECT_EQ(Open(velmora::ControlWnd::kClassName), control);
  EXPECT_EQ(trace.Count("Construct ControlWnd.ControlWnd"), 1);
  EXPECT_EQ(trace.Count("Construct InvisibleWnd.InvisibleWnd"), 1);
}

}  // namespace
