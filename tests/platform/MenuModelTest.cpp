#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuTestSupport.h"
#include "platform/NilObjectException.h"
#include "platform/RuntimeException.h"

namespace {

using menu_test::kBar;
using menu_test::MakeBar;

// ---- Child and Lookup ---------------------------------------------------------------

struct FindCase {
  const char* label;
  const char* name;
  bool directChild;  // of the bar
  bool anywhere;
};
void PrintTo(const FindCase& c, std::ostream* os) { *os << c.label; }

constexpr FindCase kFindCases[] = {
    {"Menu", "FileMenu", true, true},
    {"ItemBelowMenu", "FileQuit", false, true},
    {"LastItemOfLastMenu", "WinHandledAppDisables", false, true},
    {"Separator", "UntitledMenu1", false, true},
    {"NeverCreated", "UntitledMenu3", false, false},
    {"EmptyName", "", false, false},
    {"CaseMatters", "filemenu", false, false},
};

class MenuFind : public ::testing::TestWithParam<FindCase> {};

TEST_P(MenuFind, ChildSeesOnlyDirectChildrenLookupSeesEveryDepth) {
  const FindCase& c = GetParam();
  const auto bar = MakeBar(kBar);
  const auto child = bar->Child(c.name);
  const auto found = bar->Lookup(c.name);
  EXPECT_EQ(child != nullptr, c.directChild);
  EXPECT_EQ(found != nullptr, c.anywhere);
  if (found) {
    EXPECT_EQ(found->Name(), c.name);
  }
  if (child) {
    EXPECT_EQ(child, found);
  }
}

INSTANTIATE_TEST_SUITE_P(Names, MenuFind, ::testing::ValuesIn(kFindCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(MenuModel, LookupBelowAMenuDoesNotReachItsSiblings) {
  const auto bar = MakeBar(kBar);
  const auto edit = bar->Child("UntitledMenu0");
  ASSERT_NE(edit, nullptr);
  EXPECT_NE(edit->Lookup("EditCut"), nullptr);
  EXPECT_EQ(edit->Lookup("FileQuit"), nullptr);
  EXPECT_EQ(edit->Child("EditCut"), edit->Lookup("EditCut"));
}

TEST(MenuModel, TreeKeepsOrderParentsAndClasses) {
  const auto bar = MakeBar(kBar);
  ASSERT_EQ(bar->Count(), 4);
  const std::vector<std::string> menus = {bar->Item(0)->Text(), bar->Item(1)->Text(), bar->Item(2)->Text()};
  EXPECT_EQ(menus, (std::vector<std::string>{"File", "Edit", "Window"}));
  const auto edit = bar->Item(1);
  ASSERT_EQ(edit->Count(), 6);
  for (std::int32_t i = 0; i < edit->Count(); ++i) EXPECT_EQ(edit->Item(i)->Parent(), edit);
  EXPECT_EQ(edit->Parent(), bar);
  EXPECT_EQ(bar->Parent(), nullptr);
  EXPECT_TRUE(edit->Item(1)->IsSeparator());
  EXPECT_FALSE(edit->Item(5)->IsSeparator());  // the empty text is a command, not a line
  EXPECT_NE(std::dynamic_pointer_cast<platform::QuitMenuItem>(bar->Lookup("FileQuit")), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<platform::AppleMenuItem>(bar->Lookup("AboutQEN")), nullptr);
  // Out of range gives nothing, at both ends.
  EXPECT_EQ(edit->Item(-1), nullptr);
  EXPECT_EQ(edit->Item(6), nullptr);
}

TEST(MenuModel, AppendRefusesNothing) {
  const auto bar = MakeBar(kBar);
  const auto file = bar->Child("FileMenu");
  EXPECT_THROW(file->Append(nullptr), platform::NilObjectException);
  EXPECT_EQ(file->Count(), 2);
}

// ---- The application object ---------------------------------------------------------

TEST(ApplicationMenus, LaterRegistrationReplacesAndAbsentGivesNothing) {
  platform::Application app;
  int first = 0;
  int second = 0;
  app.AddMenuHandler("AboutQEN", [&first] {
    ++first;
    return false;
  });
  app.AddMenuHandler("AboutQEN", [&second] {
    ++second;
    return true;
  });
  const platform::MenuHandler* handler = app.FindMenuHandler("AboutQEN");
  ASSERT_NE(handler, nullptr);
  EXPECT_TRUE((*handler)());
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
  EXPECT_EQ(app.FindMenuHandler("AboutMenuItem"), nullptr);
  EXPECT_THROW(app.AddMenuHandler("Empty", platform::MenuHandler{}), platform::NilObjectException);
  EXPECT_EQ(app.FindMenuHandler("Empty"), nullptr);
}

TEST(ApplicationMenus, EnableMenuItemsRunsTheEventThenEnablesRegisteredItemsAtAnyDepth) {
  const auto bar = MakeBar(kBar);
  menu_test::TestApp app;
  app.SetMenuBar(bar);
  for (const char* name : {"AppHandled", "FileQuit", "AboutQEN"}) bar->Lookup(name)->SetEnabled(false);
  app.AddMenuHandler("AppHandled", [] { return false; });
  app.AddMenuHandler("WindowMenu", [] { return false; });
  std::vector<std::string> seen;
  // The event turns the registered item off; the registration wins because it comes after.
  app.onEnable = [&] {
    seen.push_back("event");
    bar->Lookup("AppHandled")->SetEnabled(false);
    bar->Lookup("WindowMenu")->SetEnabled(false);
  };
  app.EnableMenuItems(*bar);
  EXPECT_EQ(seen, std::vector<std::string>{"event"});
  EXPECT_TRUE(bar->Lookup("AppHandled")->Enabled());
  EXPECT_TRUE(bar->Lookup("WindowMenu")->Enabled());
  // Items without a registration are left as they were.
  EXPECT_FALSE(bar->Lookup("FileQuit")->Enabled());
  EXPECT_FALSE(bar->Lookup("AboutQEN")->Enabled());
}

}  // namespace
