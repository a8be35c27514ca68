#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "infowindows/AboutWnd.h"
#include "platform/MenuItem.h"
#include "platform/NilObjectException.h"
#include "platform/Runtime.h"
#include "shell/HandleAboutMenu.h"
#include "shell/Menu.h"
#include "shell/Startup.h"
#include "support/AppStart.h"
#include "support/TraceRecorder.h"

namespace {

using velmora_test::TraceRecorder;

constexpr std::string_view kAboutItems[] = {"AboutQEN", "AboutMenuItem"};

TEST(HandleAboutMenu, HandlersCannotBeAddedBeforeTheApplicationIsRegistered) {
  TraceRecorder trace;
  EXPECT_THROW(velmora::ApplicationAddMenuHandlers(), platform::NilObjectException);
  EXPECT_TRUE(trace.Starting({"AddMenuHandler"}).empty());
}

TEST(HandleAboutMenu, RegistersItsTwoHandlersOnItselfInOrder) {
  velmora::NewAppInstance();
  TraceRecorder trace;
  velmora::ApplicationAddMenuHandlers();
  EXPECT_EQ(trace.Starting({"AddMenuHandler"}),
            (std::vector<std::string>{"AddMenuHandler Application AboutQEN",
                                      "AddMenuHandler Application AboutMenuItem"}));
  for (std::string_view name : kAboutItems) EXPECT_TRUE(velmora::App()->FindMenuHandler(name)) << name;
}

TEST(HandleAboutMenu, EitherAboutItemShowsTheOneAboutWindowAndAnswersFalse) {
  velmora_test::StartApplication();
  TraceRecorder trace;
  for (std::string_view name : kAboutItems) {
    const platform::MenuHandler* handler = velmora::App()->FindMenuHandler(name);
    ASSERT_TRUE(handler) << name;
    EXPECT_FALSE((*handler)()) << name;
    const auto about = platform::GetImplicitWindow(velmora::AboutWnd::kClassName);
    ASSERT_TRUE(about) << name;
    EXPECT_TRUE(about->Visible()) << name;
    // Chosen again while it is hidden: the same window comes back.
    about->Hide();
    EXPECT_FALSE((*handler)()) << name;
    EXPECT_TRUE(about->Visible()) << name;
    EXPECT_EQ(platform::GetImplicitWindow(velmora::AboutWnd::kClassName), about) << name;
  }
  EXPECT_EQ(trace.Count("Construct AboutWnd.AboutWnd"), 1);
}

TEST(HandleAboutMenu, PreparingTheMenusEnablesTheAboutItemsAndNothingElse) {
  velmora_test::StartApplication();
  const auto bar = velmora::Menu();
  std::vector<std::shared_ptr<platform::MenuItem>> items;
  for (std::int32_t m = 0; m < bar->Count(); ++m)
    for (std::int32_t i = 0; i < bar->Item(m)->Count(); ++i) items.push_back(bar->Item(m)->Item(i));
  for (const auto& item : items) item->SetEnabled(false);

  velmora::App()->EnableMenuItems(*bar);

  // AboutQEN by the handler, AboutMenuItem by its registration alone.
  for (const auto& item : items) {
    const bool about = item->Name() == "AboutQEN" || item->Name() == "AboutMenuItem";
    EXPECT_EQ(item->Enabled(), about) << item->Name();
  }
}

}  // namespace
