#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <memory>
#include <optional>
#include <string>
#include <typeinfo>
#include <vector>

#include "platform/Application.h"
#include "platform/DesignRecord.h"
#include "platform/MenuItem.h"
#include "platform/NilObjectException.h"
#include "platform/Runtime.h"
#include "shell/HandleAboutMenu.h"
#include "shell/Menu.h"
#include "shell/MenuBarWindow.h"
#include "shell/MenuItemAccessors.h"
#include "shell/Startup.h"
#include "support/MenuClicks.h"

namespace {

using platform::AppleMenuItem;
using platform::MenuItem;
using platform::NilObjectException;
using platform::QuitMenuItem;

enum class Kind { kItem, kQuit, kApple };

bool IsKind(const MenuItem& item, Kind kind) {
  switch (kind) {
    case Kind::kQuit:
      return dynamic_cast<const QuitMenuItem*>(&item) != nullptr;
    case Kind::kApple:
      return dynamic_cast<const AppleMenuItem*>(&item) != nullptr;
    case Kind::kItem:
      break;
  }
  return typeid(item) == typeid(MenuItem);
}

struct ItemRow {
  std::string_view name;
  Kind kind;
  std::string_view text;
  std::string_view shortcut;
  bool autoEnable;
};

struct MenuRow {
  ItemRow menu;
  std::vector<ItemRow> items;
};

// What a user finds in the bar, menu by menu, in order.
const MenuRow kBar[] = {
    {{"FileMenu", Kind::kItem, "File", "", false},
     {{"Print", Kind::kItem, "Print", "", true}, {"FileQuit", Kind::kQuit, "Quit", "Cmd+Q", true}}},
    {{"UntitledMenu0", Kind::kItem, "Edit", "", false},
     {{"EditUndo", Kind::kItem, "Undo", "Cmd+Z", false},
      {"UntitledMenu1", Kind::kItem, "-", "", false},
      {"EditCut", Kind::kItem, "Cut", "Cmd+X", false},
      {"EditCopy", Kind::kItem, "Copy", "Cmd+C", false},
      {"EditPaste", Kind::kItem, "Paste", "Cmd+V", false},
      {"EditClear", Kind::kItem, "", "", false}}},
    {{"WindowMenu", Kind::kItem, "Window", "", false},
     {{"ControlMenuItem", Kind::kItem, "Control", "", false},
      {"DescriptionMenuItem", Kind::kItem, "Description", "", false},
      {"AboutMenuItem", Kind::kItem, "About Velmora", "", false},
      {"AboutQEN", Kind::kApple, "About Velmora", "", false}}},
};

void ExpectRow(const MenuItem& item, const ItemRow& row) {
  EXPECT_EQ(item.Name(), row.name);
  EXPECT_TRUE(IsKind(item, row.kind)) << row.name;
  EXPECT_EQ(item.Text(), row.text) << row.name;
  EXPECT_EQ(item.KeyboardShortcut(), row.shortcut) << row.name;
  EXPECT_EQ(item.AutoEnable(), row.autoEnable) << row.name;
}

// An application that only notes which of its handlers a command reached.
class RecordingApplication : public platform::Application {
 public:
  std::vector<std::string> reached;

  void Handle(std::string_view name) {
    AddMenuHandler(name, [this, name = std::string(name)] {
      reached.push_back(name);
      return false;
    });
  }
};

// A document window that shows the shared menu bar, as the Description window does.
class MenuHost : public velmora::MenuBarWindow {
 public:
  static constexpr std::string_view kClassName = "ShellTest.MenuHost";
  MenuHost() : MenuBarWindow(std::string(kClassName)) {}
  void Layout() override {
    SetMenuBar(velmora::Menu());
    const platform::RecordEntry record[] = {
        {"Width", 200}, {"Height", 100}, {"Frame", 0}, {"MenuBarVisible", true}, {"Visible", true}};
    platform::SetProperties(*this, platform::WriteRecord(record));
  }
};

TEST(Menu, IsBuiltOnceAndSharedByEveryCaller) {
  EXPECT_FALSE(velmora::Menu::implicitInstance);
  const auto first = velmora::Menu();
  ASSERT_TRUE(first);
  EXPECT_EQ(velmora::Menu::implicitInstance, first);
  EXPECT_EQ(velmora::Menu(), first);
  EXPECT_EQ(velmora::Menu(), first);
  // Built once: still three menus, not six or nine.
  EXPECT_EQ(first->Count(), 3);
}

TEST(Menu, HoldsThreeMenusAndTwelveItemsAsTheUserSeesThem) {
  const auto bar = velmora::Menu();
  ASSERT_EQ(bar->Count(), static_cast<std::int32_t>(std::size(kBar)));
  int items = 0;
  for (std::int32_t m = 0; m < bar->Count(); ++m) {
    const auto menu = bar->Item(m);
    const MenuRow& expected = kBar[m];
    ExpectRow(*menu, expected.menu);
    ASSERT_EQ(menu->Count(), static_cast<std::int32_t>(expected.items.size())) << expected.menu.name;
    for (std::int32_t i = 0; i < menu->Count(); ++i) {
      ExpectRow(*menu->Item(i), expected.items[static_cast<std::size_t>(i)]);
      EXPECT_EQ(menu->Item(i)->Count(), 0) << "no item has items of its own";
      ++items;
    }
  }
  EXPECT_EQ(items, 12);
  // The separator line of the Edit menu is a separator, not a command.
  EXPECT_TRUE(bar->Lookup("UntitledMenu1")->IsSeparator());
}

TEST(Menu, BothAboutItemsShowTheSameTextButReachOnlyTheirOwnHandlers) {
  const auto application = std::make_shared<RecordingApplication>();
  application->SetMenuBar(velmora::Menu());
  application->Handle("AboutQEN");
  application->Handle("AboutMenuItem");
  platform::RuntimeRegisterAppObject(application);

  const auto window = platform::ImplicitInstance<MenuHost>();
  ASSERT_TRUE(window->Visible());
  QMenuBar* menuBar = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->isVisible() && (menuBar = top->findChild<QMenuBar*>())) break;
  ASSERT_TRUE(menuBar);

  QAction* windowEntry = velmora_test::TopEntry(*menuBar, "Window");
  ASSERT_TRUE(windowEntry && windowEntry->menu());
  const std::vector<QAction*> about = velmora_test::EntriesNamed(*windowEntry->menu(), "About Velmora");
  ASSERT_EQ(about.size(), 2u);

  // Chosen one after the other, in the order the menu shows them.
  about[0]->trigger();
  EXPECT_EQ(application->reached, (std::vector<std::string>{"AboutMenuItem"}));
  about[1]->trigger();
  EXPECT_EQ(application->reached, (std::vector<std::string>{"AboutMenuItem", "AboutQEN"}));
}

// ---- The sixteen accessors of a window that shows the bar ----------------------------

struct WindowAccessorRow {
  std::string_view name;
  std::shared_ptr<MenuItem> (*find)(const velmora::MenuBarWindow&);
  Kind kind;
};

const WindowAccessorRow kWindowAccessors[] = {
    {"WindowMenu", [](const velmora::MenuBarWindow& w) { return w.WindowMenu(); }, Kind::kItem},
    {"AboutQEN", [](const velmora::MenuBarWindow& w) { return std::shared_ptr<MenuItem>(w.AboutQEN()); },
     Kind::kApple},
    {"AboutMenuItem", [](const velmora::MenuBarWindow& w) { return w.AboutMenuItem(); }, Kind::kItem},
    {"DescriptionMenuItem", [](const velmora::MenuBarWindow& w) { return w.DescriptionMenuItem(); },
     Kind::kItem},
    {"ControlMenuItem", [](const velmora::MenuBarWindow& w) { return w.ControlMenuItem(); }, Kind::kItem},
    {"UntitledMenu0", [](const velmora::MenuBarWindow& w) { return w.UntitledMenu0(); }, Kind::kItem},
    {"EditClear", [](const velmora::MenuBarWindow& w) { return w.EditClear(); }, Kind::kItem},
    {"EditPaste", [](const velmora::MenuBarWindow& w) { return w.EditPaste(); }, Kind::kItem},
    {"EditCopy", [](const velmora::MenuBarWindow& w) { return w.EditCopy(); }, Kind::kItem},
    {"EditCut", [](const velmora::MenuBarWindow& w) { return w.EditCut(); }, Kind::kItem},
    {"UntitledMenu1", [](const velmora::MenuBarWindow& w) { return w.UntitledMenu1(); }, Kind::kItem},
    {"EditUndo", [](const velmora::MenuBarWindow& w) { return w.EditUndo(); }, Kind::kItem},
    {"FileMenu", [](const velmora::MenuBarWindow& w) { return w.FileMenu(); }, Kind::kItem},
    {"FileQuit", [](const velmora::MenuBarWindow& w) { return std::shared_ptr<MenuItem>(w.FileQuit()); },
     Kind::kQuit},
    {"Print", [](const velmora::MenuBarWindow& w) { return w.Print(); }, Kind::kItem},
};

TEST(MenuBarWindow, FindsEveryItemByNameInItsOwnBarAndNothingForUntitledMenu3) {
  // The window's bar is the one it was given, whatever the application's is.
  velmora::MenuBarWindow window("ShellTest.Window");
  window.SetMenuBar(velmora::Menu());
  for (const WindowAccessorRow& row : kWindowAccessors) {
    const auto item = row.find(window);
    ASSERT_TRUE(item) << row.name;
    EXPECT_EQ(item->Name(), row.name);
    EXPECT_TRUE(IsKind(*item, row.kind)) << row.name;
    EXPECT_EQ(item, velmora::Menu()->Lookup(row.name)) << row.name;
  }
  EXPECT_FALSE(window.UntitledMenu3());
}

TEST(MenuBarWindow, AccessorsRaiseWhenTheWindowHasNoMenuBar) {
  // The application has the bar; this window has none of its own.
  velmora::NewAppInstance();
  velmora::MenuBarWindow window("ShellTest.Window");
  for (const WindowAccessorRow& row : kWindowAccessors)
    EXPECT_THROW(row.find(window), NilObjectException) << row.name;
  EXPECT_THROW(window.UntitledMenu3(), NilObjectException);
}

// ---- The four accessors of the application's bar -------------------------------------

struct GlobalAccessorRow {
  std::string_view name;
  std::shared_ptr<MenuItem> (*find)();
  Kind kind;
};

const GlobalAccessorRow kGlobalAccessors[] = {
    {"AboutQEN", [] { return std::shared_ptr<MenuItem>(velmora::AboutQEN()); }, Kind::kApple},
    {"AboutMenuItem", velmora::AboutMenuItem, Kind::kItem},
    {"DescriptionMenuItem", velmora::DescriptionMenuItem, Kind::kItem},
    {"ControlMenuItem", velmora::ControlMenuItem, Kind::kItem},
};

TEST(MenuItemAccessors, RaiseWithoutAnApplicationOrWithoutItsMenuBar) {
  ASSERT_FALSE(velmora::App());
  for (const GlobalAccessorRow& row : kGlobalAccessors)
    EXPECT_THROW(row.find(), NilObjectException) << row.name << " without an application";

  platform::RuntimeRegisterAppObject(std::make_shared<velmora::HandleAboutMenu>());
  ASSERT_TRUE(velmora::App());
  for (const GlobalAccessorRow& row : kGlobalAccessors)
    EXPECT_THROW(row.find(), NilObjectException) << row.name << " without a menu bar";
}

TEST(MenuItemAccessors, FindTheirItemsInTheApplicationsBar) {
  velmora::NewAppInstance();
  for (const GlobalAccessorRow& row : kGlobalAccessors) {
    const auto item = row.find();
    ASSERT_TRUE(item) << row.name;
    EXPECT_EQ(item->Name(), row.name);
    EXPECT_TRUE(IsKind(*item, row.kind)) << row.name;
  }
}

TEST(MenuItemAccessors, GiveNothingForANameTheBarDoesNotHold) {
  velmora::NewAppInstance();
  // A bar that has the Window menu but none of its items.
  const auto bar = std::make_shared<platform::MenuBar>();
  const auto menu = std::make_shared<MenuItem>();
  menu->SetName("WindowMenu");
  bar->Append(menu);
  velmora::App()->SetMenuBar(bar);
  for (const GlobalAccessorRow& row : kGlobalAccessors) {
    std::shared_ptr<MenuItem> item;
    EXPECT_NO_THROW(item = row.find()) << row.name;
    EXPECT_FALSE(item) << row.name;
  }
}

}  // namespace
