#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <string>

#include "ControlHost.h"
#include "platform/TextArea.h"
#include "platform/qt/TextAreaWidget.h"

namespace {

using namespace control_test;
using control_test::PrintTo;  // rows print by name
using platform::TextArea;
using platform::detail::TextAreaWidget;

struct TabRow {
  const char* what;
  int limit;
  bool multiline;
  const char* typedFirst;  // digits typed key by key before
  const char* tabText;     // then one key that types this text, not the Tab key
  const char* expected;
  const char* afterUndo;  // one Ctrl+Z later
};

const TabRow kTabRows[] = {
    {"full field takes nothing and undo takes the digit back", 1, false, "5", "\t9", "5", ""},
    {"cut to the room left", 1, false, "", "\t9", "\t", ""},
    {"cut in a multi-line field", 2, true, "", "\t9x", "\t9", ""},
    {"cut after a digit", 3, false, "1", "\t23", "1\t2", "1"},
};

class TextAreaTypedTabTest : public ::testing::TestWithParam<TabRow> {};

// A key whose text starts with a tab (an input method, a keyboard that types a tab on
// another key) is typed like any text: cut to the limit, and one undo takes it back.
// Left to the field's last guard, the cut insertion could never be undone.
TEST_P(TextAreaTypedTabTest, TextStartingWithATabIsCutToTheLimitAndUndoneInOneStep) {
  const TabRow& row = GetParam();
  std::shared_ptr<TextArea> area;
  const auto window = OpenHost([&](HostWnd& w) {
    area = w.Make<TextArea>("Fld", With(TextAreaRecord("Fld", 151, 100, 40, 20),
                                        {{"LimitText", row.limit}, {"Multiline", row.multiline}}));
  });
  auto* widget = WidgetOf<TextAreaWidget>(*area);
  area->SetFocus();
  QTest::keyClicks(widget, row.typedFirst);
  QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUtf8(row.tabText), Qt::NoModifier);
  EXPECT_EQ(area->Text(), row.expected);
  QTest::keyClick(widget, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(area->Text(), row.afterUndo);
}

INSTANTIATE_TEST_SUITE_P(Keys, TextAreaTypedTabTest, ::testing::ValuesIn(kTabRows), RowName());

}  // namespace
