#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <string>
#include <vector>

#include "MenuTestSupport.h"
#include "platform/qt/MenuView.h"
#include "platform/qt/RuntimeState.h"

namespace {

using menu_test::kBar;
using menu_test::MakeBar;
using menu_test::MakeWindow;
using menu_test::RegisterApp;
using velmora_test::EntryOf;
using velmora_test::MenuBarOf;
using velmora_test::ShowActive;
using velmora_test::TopEntry;

// The view shows the model entry for entry: same order, texts, separators, states.
void ExpectShows(const QWidget& container, const platform::MenuItem& model) {
  const QList<QAction*> actions = container.actions();
  ASSERT_EQ(actions.size(), model.Count());
  for (std::int32_t i = 0; i < model.Count(); ++i) {
    const auto item = model.Item(i);
    QAction* action = actions[i];
    SCOPED_TRACE(item->Name());
    EXPECT_EQ(action->isSeparator(), item->IsSeparator());
    if (!item->IsSeparator()) {
      EXPECT_EQ(action->text().toStdString(), item->Text());
    }
    EXPECT_EQ(action->isEnabled(), item->Enabled());
    EXPECT_EQ(action->menuRole(), QAction::NoRole);
    if (item->Count() > 0) {
      ASSERT_NE(action->menu(), nullptr);
      ExpectShows(*action->menu(), *item);
    }
  }
}

TEST(MenuView, ShowsTheModelAndFollowsItLive) {
  const menu_test::Scene s;
  ShowActive(*s.window);
  QMenuBar* view = MenuBarOf(*s.window);
  ASSERT_NE(view, nullptr);
  ExpectShows(*view, *s.bar);

  // Texts, states and shortcuts change on screen as the model changes.
  s.bar->Lookup("EditCut")->SetEnabled(true);
  s.bar->Lookup("Plain")->SetText("Renamed");
  s.bar->Lookup("Print")->SetKeyboardShortcut("Cmd+P");
  s.bar->Lookup("FileMenu")->SetEnabled(false);
  ExpectShows(*view, *s.bar);
  EXPECT_EQ(EntryOf(*TopEntry(*view, "File")->menu(), "Print")->shortcut(), QKeySequence("Ctrl+P"));
}

TEST(MenuView, SpecialEntriesLookAsTheyShould) {
  const menu_test::Scene s;
  ShowActive(*s.window);
  QMenu* edit = velmora_test::OpenMenu(*MenuBarOf(*s.window), "Edit");
  ASSERT_NE(edit, nullptr);
  const QList<QAction*> entries = edit->actions();
  ASSERT_EQ(entries.size(), 6);
  EXPECT_TRUE(entries[1]->isSeparator());
  // The item with the empty text is a row of its own, not a line and not collapsed.
  EXPECT_FALSE(entries[5]->isSeparator());
  EXPECT_TRUE(entries[5]->text().isEmpty());
  EXPECT_FALSE(entries[5]->isEnabled());
  EXPECT_GT(edit->actionGeometry(entries[5]).height(), edit->actionGeometry(entries[1]).height());
  EXPECT_EQ(entries[2]->shortcut(), QKeySequence("Ctrl+X"));
  EXPECT_EQ(entries[2]->shortcutContext(), Qt::WindowShortcut);
  edit->close();
}

TEST(MenuView, AmpersandIsShownAsItIs) {
  const auto bar = MakeBar(kBar);
  const auto app = RegisterApp(bar);
  bar->Lookup("Auto")->SetText("R&D");
  const auto window = MakeWindow("Doc.Doc");
  ShowActive(*window);
  QAction* entry = EntryOf(*TopEntry(*MenuBarOf(*window), "Test")->menu(), "R&&D");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->iconText(), "R&D");
}

TEST(MenuView, OneModelInTwoWindowsIsOneSetOfStates) {
  const auto bar = MakeBar(kBar);
  const auto app = RegisterApp(bar);
  const auto served = MakeWindow("Served.Served");  // shows the application's bar
  const auto own = MakeWindow("Own.Own", 0, bar);   // installs the same model itself
  ShowActive(*served);
  ShowActive(*own);
  own->AddMenuHandler("Plain", [] { return false; });
  platform::detail::PrepareMenus(own.get());
  for (const auto* window : {served.get(), own.get()}) {
    SCOPED_TRACE(window->ClassName());
    ASSERT_NE(MenuBarOf(*window), nullptr);
    ExpectShows(*MenuBarOf(*window), *bar);
  }
  EXPECT_TRUE(EntryOf(*TopEntry(*MenuBarOf(*served), "Test")->menu(), "Plain")->isEnabled());
}

struct BarCase {
  const char* label;
  std::int32_t frame;
  bool show;
  bool ownBar;
  bool appBar;
  bool expectBar;
};

void PrintTo(const BarCase& c, std::ostream* os) { *os << c.label; }

constexpr BarCase kBarCases[] = {
    {"DocumentWithApplicationBar", 0, true, false, true, true},
    {"DocumentWithOwnBar", 0, true, true, false, true},
    {"DocumentWithoutAnyBar", 0, true, false, false, false},
    {"HiddenDocument", 0, false, true, true, false},
    {"PlainBox", 2, true, true, true, false},
};

class MenuBarPresence : public ::testing::TestWithParam<BarCase> {};

TEST_P(MenuBarPresence, OnlyShownDocumentWindowsShowABar) {
  const BarCase& c = GetParam();
  const auto bar = MakeBar(kBar);
  const auto app = RegisterApp(c.appBar ? bar : nullptr);
  const auto window = MakeWindow("Win.Win", c.frame, c.ownBar ? bar : nullptr);
  if (c.show) window->Show();
  QTest::qWait(0);
  EXPECT_EQ(MenuBarOf(*window) != nullptr, c.expectBar);
  if (c.expectBar) {
    // The bar sits above the content: the content keeps the record's size.
    const auto* content = velmora_test::ContentOf(*window);
    EXPECT_EQ(content->size(), QSize(240, 120));
    EXPECT_GE(content->geometry().top(), MenuBarOf(*window)->geometry().bottom());
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, MenuBarPresence, ::testing::ValuesIn(kBarCases),
                         [](const auto& info) { return std::string(info.param.label); });

struct ShortcutCase {
  const char* text;
  const char* expected;  // portable text
};

constexpr ShortcutCase kShortcutCases[] = {
    {"Cmd+Q", "Ctrl+Q"},
    {"cmd+x", "Ctrl+X"},
    {"", ""},
};

TEST(MenuShortcutText, CommandKeyBecomesControl) {
  for (const ShortcutCase& c : kShortcutCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(platform::detail::ToKeySequence(c.text), QKeySequence::fromString(c.expected));
  }
}

}  // namespace
