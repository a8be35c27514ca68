#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "calculator/ControlWnd.h"
#include "infowindows/AboutWnd.h"
#include "infowindows/DescriptionWnd.h"
#include "shell/HandleAboutMenu.h"
#include "shell/Menu.h"
#include "shell/Startup.h"
#include "support/AppStart.h"
#include "support/MenuClicks.h"
#include "support/Modal.h"
#include "support/TempHome.h"
#include "support/WindowAccess.h"

namespace {

using velmora_test::FrameOf;
using velmora_test::OpenEntry;

TEST(DescriptionMenus, ControlAndAboutEnabledWhileFrontmost) {
  velmora_test::StartApplication();
  const auto window = velmora::DescriptionWnd();
  velmora_test::ShowActive(*window);

  QMenu* menu = nullptr;
  const struct {
    std::string_view item;
    bool enabled;
  } expected[] = {
      {"ControlMenuItem", true},
      {"AboutMenuItem", true},
      {"AboutQEN", true},              // the application's
      {"DescriptionMenuItem", false},  // this window leaves it alone
  };
  for (const auto& e : expected) {
    QAction* entry = OpenEntry(*window, "Window", e.item, &menu);
    ASSERT_NE(entry, nullptr) << e.item;
    EXPECT_EQ(entry->isEnabled(), e.enabled) << e.item;
    EXPECT_EQ(velmora::Menu()->Lookup(e.item)->Enabled(), e.enabled) << e.item;
    menu->close();
  }
}

// Handlers registered here enable their items anyway; the window's own preparation must
// still enable the two Window items by itself, and touch nothing else.
TEST(DescriptionMenus, OwnPreparationEnablesExactlyControlAndAbout) {
  velmora_test::StartApplication();
  const auto window = velmora::DescriptionWnd();
  const auto bar = window->MenuBar();
  ASSERT_TRUE(bar);
  std::function<void(platform::MenuItem&)> disableAll = [&](platform::MenuItem& menu) {
    for (std::int32_t i = 0; i < menu.Count(); ++i) {
      menu.Item(i)->SetEnabled(false);
      disableAll(*menu.Item(i));
    }
  };
  disableAll(*bar);
  window->Event_EnableMenuItems();
  std::vector<std::string> enabled;
  std::function<void(const platform::MenuItem&)> collect = [&](const platform::MenuItem& menu) {
    for (std::int32_t i = 0; i < menu.Count(); ++i) {
      if (menu.Item(i)->Enabled()) enabled.push_back(menu.Item(i)->Name());
      collect(*menu.Item(i));
    }
  };
  collect(*bar);
  EXPECT_EQ(enabled, (std::vector<std::string>{"ControlMenuItem", "AboutMenuItem"}));
}

TEST(DescriptionMenus, ControlBringsUpTheCalculatorWhoseActivationHidesAbout) {
  velmora_test::StartApplication();
  const auto about = velmora::AboutWnd();
  ASSERT_TRUE(about->Visible());
  const auto window = velmora::DescriptionWnd();
  velmora_test::ShowActive(*window);
  ASSERT_TRUE(about->Visible());

  QMenu* menu = nullptr;
  QAction* control = OpenEntry(*window, "Window", "ControlMenuItem", &menu);
  ASSERT_NE(control, nullptr);
  velmora_test::ClickEntry(*menu, *control);

  const auto calculator = platform::GetImplicitWindow(velmora::ControlWnd::kClassName);
  ASSERT_TRUE(calculator);
  EXPECT_TRUE(QTest::qWaitForWindowActive(FrameOf(*calculator)));
  EXPECT_TRUE(velmora_test::WaitFor([&] { return !about->Visible(); })) << "the About window stayed up";
  EXPECT_TRUE(window->IsOpen());
  EXPECT_TRUE(window->Visible()) << "the Description window stays open behind";
}

class DescriptionAboutItemTest : public ::testing::TestWithParam<const char*> {};

TEST_P(DescriptionAboutItemTest, ShowsTheOneAboutWindow) {
  velmora_test::StartApplication();
  const auto about = velmora::AboutWnd();
  about->Hide();
  const auto window = velmora::DescriptionWnd();
  velmora_test::ShowActive(*window);

  QMenu* menu = nullptr;
  QAction* entry = OpenEntry(*window, "Window", GetParam(), &menu);
  ASSERT_NE(entry, nullptr);
  velmora_test::ClickEntry(*menu, *entry);
  EXPECT_TRUE(about->Visible());
  EXPECT_EQ(velmora::AboutWnd(), about);
}

INSTANTIATE_TEST_SUITE_P(DescriptionMenus, DescriptionAboutItemTest,
                         ::testing::Values("AboutMenuItem", "AboutQEN"));

// Only the Description window answers Print: chosen in front of the calculator, the
// command finds no handler and opens no dialog.
TEST(DescriptionMenus, PrintIsAnsweredOnlyHere) {
  velmora_test::TempHome home;
  velmora_test::AfterSplash();
  const auto window = velmora::DescriptionWnd();
  const auto calculator = velmora::ControlWnd();
  EXPECT_TRUE(window->FindMenuHandler("Print"));
  EXPECT_FALSE(calculator->FindMenuHandler("Print"));
  EXPECT_FALSE(velmora::App()->FindMenuHandler("Print"));

  velmora_test::ShowActive(*calculator);
  QMenu* file = nullptr;
  QAction* print = OpenEntry(*calculator, "File", "Print", &file);
  ASSERT_NE(print, nullptr);
  ASSERT_TRUE(print->isEnabled());

  // A dialog opened by the command would run its own loop inside the click.
  bool dialogOpened = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      dialogOpened = true;
      modal->close();
    }
  });
  poll.start();
  velmora_test::ClickEntry(*file, *print);
  poll.stop();
  EXPECT_FALSE(dialogOpened);
  EXPECT_TRUE(home.Empty());
}

}  // namespace
