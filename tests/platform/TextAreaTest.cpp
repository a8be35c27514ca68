#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "ControlHost.h"
#include "platform/RoundRectangle.h"
#include "platform/TextArea.h"
#include "platform/qt/TextAreaWidget.h"
#include "support/Modal.h"
#include "support/WindowAccess.h"

namespace {

using namespace control_test;
using namespace velmora_test;
using control_test::PrintTo;  // rows print by name
using platform::TextArea;
using platform::detail::TextAreaWidget;

// A text area on the host window, with its window and widget.
struct Field {
  std::shared_ptr<HostWnd> window;
  std::shared_ptr<TextArea> area;
  TextAreaWidget* widget = nullptr;
};

// A field like the calculator's (40 by 20, Courier 14) with the given changes.
Field OpenField(std::initializer_list<platform::RecordEntry> changes, bool bindKeyDown = false,
                int width = 40, int height = 20) {
  Field field;
  field.window = OpenHost([&](HostWnd& w) {
    w.Make<platform::RoundRectangle>("Panel", RoundRectangleRecord("Panel", 50, 86, 600, 52));
    // A field of the calculator's size sits in the panel as the calculator's do.
    const bool inPanel = width <= 100 && height <= 30;
    field.area =
        w.Make<TextArea>("Fld", With(With(TextAreaRecord("Fld", 151, inPanel ? 100 : 150, width, height),
                                          {{"InitialParent", inPanel ? "Panel"sv : ""sv}}),
                                     changes));
    if (bindKeyDown) w.Bind(*field.area, "KeyDown");
  });
  field.widget = WidgetOf<TextAreaWidget>(*field.area);
  field.area->SetFocus();
  return field;
}

void Paste(TextAreaWidget* widget, const QString& text) {
  QApplication::clipboard()->setText(text);
  QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
}

// ---- Record ----------------------------------------------------------------------------

TEST(TextAreaTest, RecordSetsPlaceFontColoursFrameAndToolTip) {
  const Field f = OpenField({{"HelpTag", "Height in feet of 4 to 6"sv},
                             {"TextColor", platform::Color(0x112233)},
                             {"BackColor", platform::Color(0xFFFFEE)},
                             {"LimitText", 1}});
  EXPECT_EQ(WindowRect(*f.window, *f.area), QRect(151, 100, 40, 20));
  EXPECT_EQ(f.widget->toolTip(), "Height in feet of 4 to 6");
  const QFontInfo info(f.widget->document()->defaultFont());
  EXPECT_EQ(info.family(), "Liberation Mono");
  EXPECT_EQ(info.pixelSize(), 14);
  EXPECT_EQ(f.widget->palette().color(QPalette::Active, QPalette::Text), QColor(0x11, 0x22, 0x33));
  EXPECT_EQ(f.widget->palette().color(QPalette::Active, QPalette::Base), QColor(0xFF, 0xFF, 0xEE));
  EXPECT_EQ(f.widget->frameWidth(), 1);
  EXPECT_EQ(f.widget->Limit(), 1);
  EXPECT_FALSE(f.widget->Multiline());
  EXPECT_TRUE(f.widget->Styled());
  EXPECT_TRUE(f.widget->tabChangesFocus());
  EXPECT_EQ(f.widget->lineWrapMode(), QTextEdit::NoWrap);
  EXPECT_EQ(f.widget->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

struct LineRow {
  const char* what;
  const char* font;
  int size;
  int height;
};

// A one-line field shows its whole line: no scrolling, the line inside the viewport.
const LineRow kLines[] = {
    {"calculator field", "Courier", 14, 20},
    {"tall field", "Courier", 14, 40},
    {"small font", "System", 10, 20},
};

class TextAreaLineTest : public ::testing::TestWithParam<LineRow> {};

TEST_P(TextAreaLineTest, SingleLineShowsItsTextWhole) {
  const LineRow& row = GetParam();
  const Field f = OpenField(
      {{"TextFont", std::string_view(row.font)}, {"TextSize", row.size}, {"Text", "188"sv}, {"Alignment", 2}},
      false, 40, row.height);
  QTest::qWait(0);
  const QRect viewport = f.widget->viewport()->geometry();
  const QRect cursor = f.widget->cursorRect();
  EXPECT_EQ(f.widget->verticalScrollBar()->maximum(), 0) << row.what;
  EXPECT_GE(cursor.top(), 0) << row.what;
  EXPECT_LE(cursor.bottom(), viewport.height() - 1) << row.what;
  // Centred vertically: the space above and below the line differs by at most a pixel.
  const int above = viewport.top() + cursor.top();
  const int below = f.widget->height() - (viewport.top() + cursor.bottom() + 1);
  EXPECT_LE(std::abs(above - below), 1) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Fields, TextAreaLineTest, ::testing::ValuesIn(kLines), RowName());

// ---- Text ------------------------------------------------------------------------------

struct TextRow {
  const char* what;
  bool multiline;
  const char* given;
  const char* expected;
};

const TextRow kTexts[] = {
    {"carriage returns", true, "a\rb\r\rc", "a\rb\r\rc"},
    {"line feeds become CR", true, "a\nb", "a\rb"},
    {"CRLF is one break", true, "a\r\nb", "a\rb"},
    {"one CR alone", true, "\r", "\r"},
    {"non-ASCII kept", true, "kg \xC3\xB7 m\xC2\xB2 \xE2\x89\xA5 30",
     "kg \xC3\xB7 m\xC2\xB2 \xE2\x89\xA5 30"},
    {"no-break space kept", true,
     "1\xC2\xA0"
     "2",
     "1\xC2\xA0"
     "2"},
    {"single line drops breaks", false, "1\r2\n3", "123"},
    {"empty", false, "", ""},
};

class TextAreaTextTest : public ::testing::TestWithParam<TextRow> {};

TEST_P(TextAreaTextTest, LinesAreSeparatedByOneCarriageReturn) {
  const TextRow& row = GetParam();
  const Field f = OpenField({{"Multiline", row.multiline}, {"LimitText", 2}}, false, 200, 60);
  f.area->SetText(row.given);  // the program's own text is not limited
  EXPECT_EQ(f.area->Text(), row.expected) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Texts, TextAreaTextTest, ::testing::ValuesIn(kTexts), RowName());

// ---- KeyDown ---------------------------------------------------------------------------

struct KeyRow {
  const char* what;
  char ascii;  // typed as this character when set (QTest then hands over its text)
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  std::string expected;
};

const KeyRow kKeys[] = {
    {"digit", 0, Qt::Key_7, Qt::NoModifier, "7"},
    {"letter", 0, Qt::Key_A, Qt::NoModifier, "a"},
    {"capital", 'A', Qt::Key_A, Qt::ShiftModifier, "A"},
    {"space", 0, Qt::Key_Space, Qt::NoModifier, " "},
    {"point", 0, Qt::Key_Period, Qt::NoModifier, "."},
    {"backspace", 0, Qt::Key_Backspace, Qt::NoModifier, "\x08"},
    {"tab", 0, Qt::Key_Tab, Qt::NoModifier, "\x09"},
    {"back tab", 0, Qt::Key_Backtab, Qt::ShiftModifier, "\x09"},
    {"return", 0, Qt::Key_Return, Qt::NoModifier, "\x0D"},
    {"enter", 0, Qt::Key_Enter, Qt::KeypadModifier, "\x03"},
    {"escape", 0, Qt::Key_Escape, Qt::NoModifier, "\x1B"},
    {"left", 0, Qt::Key_Left, Qt::NoModifier, "\x1C"},
    {"right", 0, Qt::Key_Right, Qt::NoModifier, "\x1D"},
    {"up", 0, Qt::Key_Up, Qt::NoModifier, "\x1E"},
    {"down", 0, Qt::Key_Down, Qt::NoModifier, "\x1F"},
    {"forward delete", 0, Qt::Key_Delete, Qt::NoModifier, "\x7F"},
    {"home", 0, Qt::Key_Home, Qt::NoModifier, "\x01"},
    {"end", 0, Qt::Key_End, Qt::NoModifier, "\x04"},
    {"page up", 0, Qt::Key_PageUp, Qt::NoModifier, "\x0B"},
    {"page down", 0, Qt::Key_PageDown, Qt::NoModifier, "\x0C"},
    {"ctrl+a", 0, Qt::Key_A, Qt::ControlModifier, "\x01"},
    {"ctrl+x", 0, Qt::Key_X, Qt::ControlModifier, "\x18"},
};

class TextAreaKeyTest : public ::testing::TestWithParam<KeyRow> {};

TEST_P(TextAreaKeyTest, KeyDownSeesTheKeyTextBeforeTheField) {
  const KeyRow& row = GetParam();
  const Field f = OpenField({{"Multiline", true}, {"Text", "xy"sv}}, true, 200, 60);
  std::string textWhenCalled;
  f.window->swallowKey = [&](const std::string&) {
    textWhenCalled = f.area->Text();
    return true;
  };
  if (row.ascii) {
    QTest::keyClick(f.widget, row.ascii, row.modifiers);
  } else {
    QTest::keyClick(f.widget, row.key, row.modifiers);
  }
  EXPECT_EQ(f.window->keys, std::vector<std::string>{row.expected}) << row.what;
  // Swallowed: the field never acted on it, and the focus stayed (Tab included).
  EXPECT_EQ(f.area->Text(), "xy") << row.what;
  EXPECT_EQ(textWhenCalled, "xy");
  EXPECT_TRUE(f.widget->hasFocus()) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Keys, TextAreaKeyTest, ::testing::ValuesIn(kKeys), RowName());

TEST(TextAreaTest, ModifierAloneReachesNoHandler) {
  const Field f = OpenField({}, true);
  for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta})
    QTest::keyClick(f.widget, key);
  EXPECT_TRUE(f.window->keys.empty());
}

TEST(TextAreaTest, KeyDownFalseLetsTheFieldTakeTheKey) {
  const Field f = OpenField({{"LimitText", 3}}, true);
  f.window->swallowKey = [](const std::string& key) { return !(key >= "0" && key <= "9"); };
  QTest::keyClicks(f.widget, "1a2.");
  EXPECT_EQ(f.window->keys, (std::vector<std::string>{"1", "a", "2", "."}));
  EXPECT_EQ(f.area->Text(), "12");
}

TEST(TextAreaTest, TabThatPassesMovesTheFocusOn) {
  std::shared_ptr<TextArea> first, second;
  const auto window = OpenHost([&](HostWnd& w) {
    first = w.Make<TextArea>("First", With(TextAreaRecord("First", 10, 10, 40, 20), {{"TabIndex", 0}}));
    second = w.Make<TextArea>("Second", With(TextAreaRecord("Second", 60, 10, 40, 20), {{"TabIndex", 1}}));
    w.Bind(*first, "KeyDown");
  });
  first->SetFocus();
  QTest::keyClick(first->Impl().widget, Qt::Key_Tab);
  EXPECT_EQ(window->keys, std::vector<std::string>{"\t"});
  EXPECT_TRUE(second->HasFocus());
  EXPECT_EQ(first->Text(), "");
}

TEST(TextAreaTest, MouseDownGetsControlCoordinates) {
  const Field f = OpenField({});
  f.window->Bind(*f.area, "MouseDown");
  f.window->swallowMouse = true;
  QTest::mouseClick(f.widget->viewport(), Qt::LeftButton, {}, QPoint(8, 6));
  const QPoint expected = f.widget->viewport()->mapTo(f.widget, QPoint(8, 6));
  EXPECT_EQ(f.window->log, std::vector<std::string>{"MouseDown " + std::to_string(expected.x()) + "," +
                                                    std::to_string(expected.y())});
}

// ---- LimitText -------------------------------------------------------------------------

struct LimitRow {
  const char* what;
  int limit;
  bool multiline;
  const char* before;  // the field's text, with the cursor at its end
  bool selectAll;
  const char* typed;   // typed key by key
  const char* pasted;  // then pasted with Ctrl+V
  const char* expected;
};

const LimitRow kLimits[] = {
    {"typing stops at 1", 1, false, "", false, "456", "", "4"},
    {"typing stops at 2", 2, true, "", false, "456", "", "45"},
    {"typing stops at 3", 3, false, "", false, "12345", "", "123"},
    {"full field takes nothing", 3, false, "123", false, "4", "", "123"},
    {"selection is replaced", 3, false, "123", true, "9", "", "9"},
    {"paste is cut to fit", 3, false, "", false, "", "98765", "987"},
    {"paste fills the rest", 3, false, "1", false, "", "2345", "123"},
    {"paste replaces a selection", 3, false, "12", true, "", "abcdef", "abc"},
    {"paste into a full field", 1, false, "5", false, "", "6", "5"},
    {"return counts as a character", 2, true, "1", false, "\r2", "", "1\r"},
    {"no limit", 0, false, "", false, "123456", "789", "123456789"},
    {"pair is one character", 2, false, "a", false, "", "\xF0\x9F\x98\x80z", "a\xF0\x9F\x98\x80"},
    {"pair never split", 2, false, "", false, "", "a\xF0\x9F\x98\x80", "a\xF0\x9F\x98\x80"},
    {"no room for a pair", 1, false, "a", false, "", "\xF0\x9F\x98\x80", "a"},
};

class TextAreaLimitTest : public ::testing::TestWithParam<LimitRow> {};

TEST_P(TextAreaLimitTest, FieldNeverHoldsMoreThanItsLimit) {
  const LimitRow& row = GetParam();
  const Field f = OpenField({{"LimitText", row.limit}, {"Multiline", row.multiline}}, true);
  f.area->SetText(row.before);
  if (row.selectAll) f.widget->selectAll();
  for (const char* c = row.typed; *c; ++c) {
    if (*c == '\r')
      QTest::keyClick(f.widget, Qt::Key_Return);
    else
      QTest::keyClick(f.widget, *c);
  }
  if (*row.pasted) Paste(f.widget, QString::fromUtf8(row.pasted));
  EXPECT_EQ(f.area->Text(), row.expected) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Paths, TextAreaLimitTest, ::testing::ValuesIn(kLimits), RowName());

TEST(TextAreaTest, LimitAndSingleLineHoldForTextThatBypassesTheKeyAndPastePaths) {
  const Field f = OpenField({{"LimitText", 3}});
  // Straight into the document, as a drop or an accessibility tool might.
  f.widget->textCursor().insertText(
      "1\n2\xE2\x80\xA9"
      "345");
  EXPECT_EQ(f.area->Text(), "123");
  f.widget->insertPlainText("9");
  EXPECT_EQ(f.area->Text(), "123");
}

TEST(TextAreaTest, UndoAfterACutPasteRestoresThePreviousText) {
  const Field f = OpenField({{"LimitText", 3}});
  QTest::keyClicks(f.widget, "12");
  Paste(f.widget, "3456");
  EXPECT_EQ(f.area->Text(), "123");
  QTest::keyClick(f.widget, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(f.area->Text(), "12");
  QTest::keyClick(f.widget, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(f.area->Text(), "123");
}

TEST(TextAreaTest, InputMethodCommitIsCutToTheLimit) {
  const Field f = OpenField({{"LimitText", 3}});
  QTest::keyClick(f.widget, '1');
  QInputMethodEvent commit;
  commit.setCommitString("4567");
  QApplication::sendEvent(f.widget, &commit);
  EXPECT_EQ(f.area->Text(), "145");
}

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
  const Field f = OpenField({{"LimitText", row.limit}, {"Multiline", row.multiline}});
  QTest::keyClicks(f.widget, row.typedFirst);
  QTest::sendKeyEvent(QTest::Click, f.widget, Qt::Key_unknown, QString::fromUtf8(row.tabText),
                      Qt::NoModifier);
  EXPECT_EQ(f.area->Text(), row.expected);
  QTest::keyClick(f.widget, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(f.area->Text(), row.afterUndo);
}

INSTANTIATE_TEST_SUITE_P(Keys, TextAreaTypedTabTest, ::testing::ValuesIn(kTabRows), RowName());

struct BreakRow {
  const char* what;
  bool multiline;
  const char* pasted;
  const char* expected;
};

const BreakRow kBreaks[] = {
    {"single line, LF", false, "12\n3", "123"},
    {"single line, CRLF", false, "1\r\n2", "12"},
    {"single line, CR", false, "1\r2", "12"},
    {"single line, only a break", false, "\n", ""},
    {"multi-line keeps the break", true, "12\n3", "12\r3"},
    {"multi-line CRLF is one break", true, "1\r\n2", "1\r2"},
};

class TextAreaBreakTest : public ::testing::TestWithParam<BreakRow> {};

TEST_P(TextAreaBreakTest, PasteBringsALineBreakOnlyIntoAMultiLineField) {
  const BreakRow& row = GetParam();
  const Field f = OpenField({{"Multiline", row.multiline}}, false, 200, 60);
  Paste(f.widget, QString::fromUtf8(row.pasted));
  EXPECT_EQ(f.area->Text(), row.expected) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Pastes, TextAreaBreakTest, ::testing::ValuesIn(kBreaks), RowName());

// ---- Edits that come without a key of their own ------------------------------------------

enum class Route {
  kCtrlV,
  kShiftInsert,
  kMenuPaste,
  kDrop,
  kInputMethod,
  kComposed,
  kComposedCancelled,
  kDeletion,  // an input method deleting the character before the caret, with no commit
};

struct RouteRow {
  const char* what;
  Route route;
  // What KeyDown is asked with (nothing: not asked) and what the field then holds, when the
  // edit goes in over the selection of the field's text.
  const char* asked = "345";
  const char* taken = "1345";
  const char* text = "12";
  const char* select = "Shift+Left";
  bool readOnly = false;
};

const RouteRow kRoutes[] = {
    {"ctrl+v", Route::kCtrlV},
    {"shift+insert", Route::kShiftInsert},
    {"context menu paste", Route::kMenuPaste},
    {"drop", Route::kDrop, "34", "1234"},  // beside the selection
    {"input method commit", Route::kInputMethod},
    {"input method composition", Route::kComposed},
    {"input method composition cancelled", Route::kComposedCancelled, nullptr, "12"},
    {"input method composition over the middle", Route::kComposed, "34", "1343", "123", "Left, Shift+Left"},
    {"input method deletion", Route::kDeletion, "\b", ""},  // the selection goes, then the "1"
    {.what = "read-only, input method commit",
     .route = Route::kInputMethod,
     .asked = nullptr,
     .taken = "12",
     .readOnly = true},
    {.what = "read-only, input method composition",
     .route = Route::kComposed,
     .asked = nullptr,
     .taken = "12",
     .readOnly = true},
};

// The field's context menu, opened as a right click opens it.
QMenu* OpenContextMenu(TextAreaWidget* widget) {
  QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(2, 2),
                         widget->viewport()->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(widget->viewport(), &open);
  return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// Clicks the menu's entry of that object name; false when there is none.
bool ChooseFromContextMenu(TextAreaWidget* widget, const char* action) {
  QMenu* menu = OpenContextMenu(widget);
  if (!menu) return false;
  for (QAction* entry : menu->actions()) {
    if (entry->objectName() != QLatin1String(action)) continue;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    return true;
  }
  menu->close();
  return false;
}

// Returns the composition the field showed on the way, if any.
QString InsertBy(Route route, TextAreaWidget* widget, const QString& text) {
  QString shown;
  QApplication::clipboard()->setText(text);
  switch (route) {
    case Route::kCtrlV:
      QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
      break;
    case Route::kShiftInsert:
      QTest::keyClick(widget, Qt::Key_Insert, Qt::ShiftModifier);
      break;
    case Route::kMenuPaste:
      EXPECT_TRUE(ChooseFromContextMenu(widget, "edit-paste"));
      break;
    case Route::kDrop: {
      QMimeData data;
      data.setText(text);
      const QPoint end(widget->viewport()->width() - 2, widget->viewport()->height() / 2);
      QDragEnterEvent enter(end, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(widget->viewport(), &enter);
      QDropEvent drop(end, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(widget->viewport(), &drop);
      break;
    }
    case Route::kInputMethod:
    case Route::kComposed:
    case Route::kComposedCancelled: {
      if (route != Route::kInputMethod) {
        QInputMethodEvent preedit(text, {});
        QApplication::sendEvent(widget, &preedit);
        shown = widget->textCursor().block().layout()->preeditAreaText();
      }
      QInputMethodEvent end;
      if (route != Route::kComposedCancelled) end.setCommitString(text);
      QApplication::sendEvent(widget, &end);
      break;
    }
    case Route::kDeletion: {
      QInputMethodEvent deletion;
      deletion.setCommitString({}, -1, 1);
      QApplication::sendEvent(widget, &deletion);
      break;
    }
  }
  return shown;
}

class TextAreaRouteTest : public ::testing::TestWithParam<RouteRow> {};

// One edit, one KeyDown with the text the field takes (cut to its limit, no line break
// in a single line); a swallowed one changes nothing, the selection included, and one
// that inserts nothing asks nothing.
TEST_P(TextAreaRouteTest, EveryInsertionAsksKeyDownOnceWithTheTextItInserts) {
  const RouteRow& row = GetParam();
  const Field f =
      OpenField({{"LimitText", 4}, {"Text", std::string_view(row.text)}, {"ReadOnly", row.readOnly}}, true);
  QTest::keySequence(f.widget, QKeySequence(QString::fromLatin1(row.select)));
  f.window->keys.clear();
  // A read-only field tells the input method that it takes no text.
  QInputMethodQueryEvent query(Qt::ImEnabled);
  QApplication::sendEvent(f.widget, &query);
  EXPECT_EQ(query.value(Qt::ImEnabled).toBool(), !row.readOnly) << row.what;
  std::vector<std::string> asked;
  if (row.asked) asked.push_back(row.asked);
  f.window->swallowKey = [](const std::string&) { return true; };
  const QString shown = InsertBy(row.route, f.widget, "3\n456");
  if (row.readOnly) {
    EXPECT_EQ(shown, QString()) << row.what;
  }
  EXPECT_EQ(f.window->keys, asked) << row.what;
  EXPECT_EQ(f.area->Text(), row.text) << row.what;
  EXPECT_EQ(f.widget->textCursor().selectedText().toStdString(), "2") << row.what;
  f.window->swallowKey = nullptr;
  InsertBy(row.route, f.widget, "3\n456");
  EXPECT_EQ(f.area->Text(), row.taken) << row.what;
  InsertBy(row.route, f.widget, "7");  // full: nothing to insert
  if (row.asked) asked.push_back(row.asked);
  EXPECT_EQ(f.window->keys, asked) << row.what;
  EXPECT_EQ(f.area->Text(), row.taken) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Routes, TextAreaRouteTest, ::testing::ValuesIn(kRoutes), RowName());

// ---- Drags ---------------------------------------------------------------------------

enum class DragEnd { kField, kOther };

// Where the left button goes down in the field.
enum class Press {
  kOnFirst,
  kLeftOfText,
  kRightOfText,
  kTripleClick,
  kFarFromDoubleClick,  // on the word a double click selected, farther than the drag distance
  kFourthClick,
  kShiftOnFirst,  // on the first character, with Shift held
};

struct DragRow {
  const char* what;
  const char* text = "150";  // in the field, which is multi-line and four lines high when it holds several
  DragEnd from = DragEnd::kField;
  const char* select = "Home, Shift+Right";  // keys the person selects with in the field first
  Press press = Press::kOnFirst;
  bool downwards = false;  // the pointer leaves the field downwards before it has gone the drag distance
  Qt::DropActions otherOffers = Qt::CopyAction | Qt::MoveAction;
  Qt::KeyboardModifiers held = {};  // at the drop
  DragEnd to = DragEnd::kField;
  int at = 3;  // in the field, the gap between characters where the pointer ends
  int limit = 5;
  bool swallow = false;  // KeyDown swallows what is dropped
  // What follows.
  bool drags = true;
  const char* field = "150";
  const char* selected = nullptr;  // in the field, where it matters
  const char* other = "42";
  std::vector<std::string> keys = {};
  // Between the field and the other program: what the other was offered by the field's
  // drag; what the field answered the other's drag with on its way, and what that came to.
  Qt::DropActions offered = {};
  Qt::DropAction answered = Qt::IgnoreAction;
  Qt::DropAction otherGot = Qt::IgnoreAction;
};

// The other end stands for another program: a text box that offers what it drags as a
// move and takes a drop as it is offered. A drop into the field is a copy, and one that
// KeyDown swallows or that finds no room changes neither end. A press drags only where a
// stock text field would; elsewhere it selects.
const DragRow kDrags[] = {
    {.what = "within the field", .field = "501", .keys = {"1"}},
    {.what = "within the field, swallowed", .swallow = true, .keys = {"1"}},
    {.what = "within the field, Ctrl held", .held = Qt::ControlModifier, .field = "1501", .keys = {"1"}},
    {.what = "out to another program", .to = DragEnd::kOther, .other = "421", .offered = Qt::CopyAction},
    {.what = "out to another program, leaving the field downwards",
     .downwards = true,
     .to = DragEnd::kOther,
     .other = "421",
     .offered = Qt::CopyAction},
    {.what = "in from another program",
     .from = DragEnd::kOther,
     .field = "1504",
     .keys = {"4"},
     .answered = Qt::CopyAction,
     .otherGot = Qt::CopyAction},
    {.what = "in from another program, swallowed",
     .from = DragEnd::kOther,
     .swallow = true,
     .keys = {"4"},
     .answered = Qt::CopyAction},
    {.what = "in from another program, no room", .from = DragEnd::kOther, .limit = 3},
    {.what = "in from another program, no room though all is selected",
     .from = DragEnd::kOther,
     .select = "Home, Shift+End",
     .limit = 3},
    {.what = "in from another program that offers only a move",
     .from = DragEnd::kOther,
     .otherOffers = Qt::MoveAction},
    {.what = "press left of the text after Shift+Home",
     .select = "End, Shift+Home",
     .press = Press::kLeftOfText,
     .at = 2,
     .drags = false,
     .selected = "15"},
    {.what = "press right of the text after selecting it",
     .select = "Home, Shift+End",
     .press = Press::kRightOfText,
     .at = 1,
     .drags = false,
     .selected = "50"},
    {.what = "triple click and move",
     .select = "",
     .press = Press::kTripleClick,
     .drags = false,
     .selected = "150"},
    {.what = "triple click and move down two lines",
     .text = "1\r2\r3\r4",
     .select = "",
     .press = Press::kTripleClick,
     .at = 4,
     .drags = false,
     .field = "1\r2\r3\r4",
     .selected = "1\u20292\u20293\u2029"},
    {.what = "Shift press on the selection's moving end, then moved",
     .select = "End, Shift+Home",
     .press = Press::kShiftOnFirst,
     .at = 1,
     .drags = false,
     .selected = "50"},
    {.what = "press far from a double click",
     .select = "",
     .press = Press::kFarFromDoubleClick,
     .to = DragEnd::kOther,
     .other = "42150",
     .offered = Qt::CopyAction},
    {.what = "fourth click",
     .select = "",
     .press = Press::kFourthClick,
     .to = DragEnd::kOther,
     .other = "42150",
     .offered = Qt::CopyAction},
};

// Another program's text box. It drags as most programs do, offering a move (and a copy,
// unless the row says otherwise) and removing what a drop takes as one, and keeps what it
// was offered and what its drag came to.
class OtherProgram : public QTextEdit {
 public:
  using QTextEdit::QTextEdit;

  Qt::DropActions offers = Qt::CopyAction | Qt::MoveAction;
  Qt::DropActions offered;
  Qt::DropAction answered = Qt::IgnoreAction;  // the last answer to its drag on the way
  Qt::DropAction dragEnded = Qt::IgnoreAction;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override {
    if (event->source() != viewport()) offered = event->possibleActions();
    QTextEdit::dragEnterEvent(event);
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!(event->buttons() & Qt::LeftButton) || !textCursor().hasSelection())
      return QTextEdit::mouseMoveEvent(event);
    auto* drag = new QDrag(viewport());
    drag->setMimeData(createMimeDataFromSelection());
    QObject::connect(drag, &QDrag::actionChanged, this, [this](Qt::DropAction action) { answered = action; });
    dragEnded = drag->exec(offers, Qt::MoveAction);
    if (dragEnded == Qt::MoveAction) textCursor().removeSelectedText();
  }
};

class TextAreaDragTest : public ::testing::TestWithParam<DragRow> {};

// A point of the widget in its window's coordinates.
QPoint InWindow(QWidget* widget, QPoint point) {
  return widget->window()->windowHandle()->mapFromGlobal(widget->mapToGlobal(point));
}

// The middle of the gap before the character at `position`.
QPoint GapAt(const QTextEdit& edit, int position) {
  QTextCursor gap = edit.textCursor();
  gap.setPosition(position);
  return edit.cursorRect(gap).center();
}

// A real press and move with the left button; a drag it starts is carried out by the
// platform and let go at the end.
TEST_P(TextAreaDragTest, OnlyCopiesLeaveOrEnterAFieldAndOnlyAPressOnTheSelectionDrags) {
  const DragRow& row = GetParam();
  // The build runs these on the minimal platform.
  if (QGuiApplication::platformName() == "offscreen") GTEST_SKIP() << "offscreen refuses every drag";
  // Centred, so that there is room to press on either side of the text.
  const bool lines = std::string_view(row.text).find('\r') != std::string_view::npos;
  const Field f = OpenField({{"Multiline", lines},
                             {"LimitText", row.limit},
                             {"Text", std::string_view(row.text)},
                             {"Alignment", 4}},
                            true, 100, lines ? 80 : 20);
  OtherProgram other(QStringLiteral("42"));
  other.offers = row.otherOffers;
  other.setGeometry(FrameOf(*f.window)->frameGeometry().right() + 40, 40, 100, 30);
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));

  QTextEdit* start = row.from == DragEnd::kField ? static_cast<QTextEdit*>(f.widget) : &other;
  QWidget* from = start->viewport();
  QWidget* to = row.to == DragEnd::kField ? f.widget->viewport() : other.viewport();
  QPoint press = GapAt(*start, 0) + QPoint(3, 0);  // on the first character
  QTest::keySequence(f.widget, QKeySequence(QString::fromLatin1(row.select)));
  if (row.from == DragEnd::kOther) {
    QTextCursor first = other.textCursor();
    first.setPosition(0);
    first.setPosition(1, QTextCursor::KeepAnchor);
    other.setTextCursor(first);
  } else {
    const int middle = from->height() / 2;
    if (row.press == Press::kLeftOfText) press = QPoint(2, middle);
    if (row.press == Press::kRightOfText) press = QPoint(from->width() - 2, middle);
  }
  f.window->keys.clear();
  if (row.swallow) f.window->swallowKey = [](const std::string&) { return true; };
  const QPoint end =
      row.to == DragEnd::kField ? GapAt(*f.widget, row.at) : QPoint(to->width() - 4, to->height() / 2);
  QWindow* fromWindow = from->window()->windowHandle();
  QWindow* toWindow = to->window()->windowHandle();
  // The platform runs a drag in a loop of its own: once one is under way, the pointer
  // moves on to the end and lets go there.
  int drops = 0;
  QPointer<QDrag> dragging;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QDrag* drag = from->findChild<QDrag*>();
    if (!drag || drag == dragging) return;
    dragging = drag;
    QTest::mouseMove(toWindow, InWindow(to, end));
    QTest::mouseRelease(toWindow, Qt::LeftButton, row.held, InWindow(to, end));
    ++drops;
  });
  poll.start(10);
  const int distance = QApplication::startDragDistance();
  if (row.press == Press::kTripleClick || row.press == Press::kFarFromDoubleClick ||
      row.press == Press::kFourthClick)
    QTest::mouseDClick(fromWindow, Qt::LeftButton, {}, InWindow(from, press));
  if (row.press == Press::kFourthClick)
    QTest::mouseClick(fromWindow, Qt::LeftButton, {}, InWindow(from, press));
  if (row.press == Press::kFarFromDoubleClick) press += QPoint(distance + 1, 0);
  const Qt::KeyboardModifiers pressHeld =
      row.press == Press::kShiftOnFirst ? Qt::ShiftModifier : Qt::NoModifier;
  QTest::mousePress(fromWindow, Qt::LeftButton, pressHeld, InWindow(from, press));
  for (int down = 3; row.downwards && down < distance + 3; down += 3)
    QTest::mouseMove(fromWindow, InWindow(from, press + QPoint(0, std::min(down, distance))));
  QTest::mouseMove(fromWindow, InWindow(from, press + QPoint(row.downwards ? 0 : distance + 4,
                                                             row.downwards ? distance + 4 : 0)));
  if (row.drags) {
    ASSERT_TRUE(velmora_test::WaitFor([&] { return drops > 0; })) << row.what;
  } else {
    QTest::mouseMove(toWindow, InWindow(to, end));
    QTest::mouseRelease(toWindow, Qt::LeftButton, {}, InWindow(to, end));
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(drops, row.drags ? 1 : 0) << row.what;
  // Nothing of the press lives on: no timer of the field's would scroll or drag.
  EXPECT_TRUE(QAbstractEventDispatcher::instance()->registeredTimers(f.widget).isEmpty()) << row.what;
  EXPECT_EQ(f.area->Text(), row.field) << row.what;
  if (row.selected) {
    EXPECT_EQ(f.widget->textCursor().selectedText().toStdString(), row.selected) << row.what;
  }
  EXPECT_EQ(other.toPlainText().toStdString(), row.other) << row.what;
  EXPECT_EQ(f.window->keys, row.keys) << row.what;
  EXPECT_EQ(other.offered, row.offered) << row.what;
  EXPECT_EQ(other.answered, row.answered) << row.what;
  EXPECT_EQ(other.dragEnded, row.otherGot) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Drags, TextAreaDragTest, ::testing::ValuesIn(kDrags), RowName());

// The drag's caret goes with a drop that inserts nothing, also where no caret blinks to
// paint over it: on screen, the field is as it was before the drag.
TEST(TextAreaTest, ADropThatInsertsNothingLeavesNoCaretOnScreen) {
  const Field f = OpenField({{"Text", "150"sv}}, true, 100, 20);
  f.widget->clearFocus();
  f.window->swallowKey = [](const std::string&) { return true; };
  QWidget* frame = FrameOf(*f.window);
  const auto onScreen = [frame] {
    QCoreApplication::processEvents();
    return frame->screen()->grabWindow(frame->winId()).toImage();
  };
  const QImage before = onScreen();
  QMimeData data;
  data.setText(QStringLiteral("4"));
  // Before the first character, away from the field's own caret at the end.
  QTextCursor first = f.widget->textCursor();
  first.setPosition(0);
  const QPoint at = f.widget->cursorRect(first).center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(f.widget->viewport(), &enter);
  QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(f.widget->viewport(), &move);
  ASSERT_TRUE(onScreen() != before) << "no caret showed where the text would go";
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(f.widget->viewport(), &drop);
  EXPECT_FALSE(drop.isAccepted());
  EXPECT_EQ(f.area->Text(), "150");
  EXPECT_TRUE(onScreen() == before) << "the drag's caret stayed on screen";
}

TEST(TextAreaTest, PastedLineBreakReachesKeyDownAsACarriageReturn) {
  const Field f = OpenField({{"Multiline", true}}, true, 200, 60);
  Paste(f.widget, "1\r\n2");
  EXPECT_EQ(f.window->keys, std::vector<std::string>{"1\r2"});
  EXPECT_EQ(f.area->Text(), "1\r2");
}

struct MenuEditRow {
  const char* what;
  const char* action;
  std::string key;       // the code of the edit's keyboard key
  bool undoFirst;        // the typed digit is undone before
  const char* expected;  // the text once the edit passes
};

const MenuEditRow kMenuEdits[] = {
    {"undo", "edit-undo", "\x1A", false, "12"},
    {"redo", "edit-redo", "\x1A", true, "123"},
    {"cut", "edit-cut", "\x18", false, ""},
    {"delete", "edit-delete", "\x7F", false, ""},
};

class TextAreaMenuEditTest : public ::testing::TestWithParam<MenuEditRow> {};

TEST_P(TextAreaMenuEditTest, ContextMenuEditAsksKeyDownWithItsKeysCode) {
  const MenuEditRow& row = GetParam();
  const Field f = OpenField({{"Text", "12"sv}}, true);
  QTest::keyClick(f.widget, '3');
  if (row.undoFirst) QTest::keyClick(f.widget, Qt::Key_Z, Qt::ControlModifier);
  f.widget->selectAll();
  const std::string before = f.area->Text();
  f.window->keys.clear();
  f.window->swallowKey = [](const std::string&) { return true; };
  ASSERT_TRUE(ChooseFromContextMenu(f.widget, row.action)) << row.what;
  EXPECT_EQ(f.window->keys, std::vector<std::string>{row.key}) << row.what;
  EXPECT_EQ(f.area->Text(), before) << row.what;
  f.window->swallowKey = nullptr;
  ASSERT_TRUE(ChooseFromContextMenu(f.widget, row.action)) << row.what;
  EXPECT_EQ(f.window->keys, (std::vector<std::string>{row.key, row.key})) << row.what;
  EXPECT_EQ(f.area->Text(), row.expected) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Actions, TextAreaMenuEditTest, ::testing::ValuesIn(kMenuEdits), RowName());

TEST(TextAreaTest, ReturnThatPassesKeyDownAddsNoLineToASingleLineField) {
  const Field f = OpenField({{"Text", "12"sv}}, true);
  QTest::keyClick(f.widget, Qt::Key_Return);
  QTest::keyClick(f.widget, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(f.window->keys, (std::vector<std::string>{"\r", "\x03"}));
  EXPECT_EQ(f.area->Text(), "12");
}

TEST(TextAreaTest, ReadOnlyFieldRefusesTypingAndPasteButKeyDownSeesTheKeys) {
  const Field f = OpenField({{"ReadOnly", true}, {"Text", "fixed"sv}}, true);
  QTest::keyClicks(f.widget, "ab");
  Paste(f.widget, "zz");
  EXPECT_EQ(f.area->Text(), "fixed");
  EXPECT_EQ(f.window->keys, (std::vector<std::string>{"a", "b", "\x16"}));
  EXPECT_TRUE(f.widget->isReadOnly());
}

// ---- Selection and bold runs ------------------------------------------------------------

TEST(TextAreaTest, SelectionCountsCharactersAndLineBreaksFromZero) {
  const Field f = OpenField({{"Multiline", true}}, false, 300, 100);
  f.area->SetText(
      "a\xC3\xB7\xF0\x9F\x98\x80"
      "b\rcd");  // a ÷ 😀 b CR c d
  f.area->SetSelStart(2);
  f.area->SetSelLength(3);
  EXPECT_EQ(f.area->SelStart(), 2);
  EXPECT_EQ(f.area->SelLength(), 3);
  EXPECT_EQ(f.widget->textCursor().selectedText(), QString::fromUtf8("\xF0\x9F\x98\x80"
                                                                     "b\xE2\x80\xA9"));
  f.area->SetSelStart(100);  // past the end: the end
  EXPECT_EQ(f.area->SelStart(), 7);
  EXPECT_EQ(f.area->SelLength(), 0);
}

struct BoldRow {
  const char* what;
  bool styled;
  int start, length;
  std::vector<bool> expected;  // per character of "ab\rcdef"
};

const BoldRow kBold[] = {
    {"styled run", true, 0, 4, {true, true, true, true, false, false, false}},
    {"styled middle", true, 4, 2, {false, false, false, false, true, true, false}},
    {"past the end is cut", true, 5, 10, {false, false, false, false, false, true, true}},
    {"longest length runs to the end", true, 5, INT32_MAX, {false, false, false, false, false, true, true}},
    {"plain field keeps no bold", false, 0, 4, {false, false, false, false, false, false, false}},
};

class TextAreaBoldTest : public ::testing::TestWithParam<BoldRow> {};

TEST_P(TextAreaBoldTest, SelBoldSetsTheSelectedCharactersBold) {
  const BoldRow& row = GetParam();
  const Field f =
      OpenField({{"Multiline", true}, {"Styled", row.styled}, {"Text", "ab\rcdef"sv}}, false, 300, 100);
  f.area->SetSelStart(row.start);
  f.area->SetSelLength(row.length);
  f.area->SetSelBold(true);
  std::vector<bool> bold;
  for (int i = 0; i < 7; ++i) bold.push_back(BoldAt(*f.area, i));
  EXPECT_EQ(bold, row.expected) << row.what;
  EXPECT_EQ(f.area->Text(), "ab\rcdef");
}

INSTANTIATE_TEST_SUITE_P(Runs, TextAreaBoldTest, ::testing::ValuesIn(kBold), RowName());

TEST(TextAreaTest, NewTextStartsWithoutTheOldBoldRun) {
  const Field f = OpenField({{"Multiline", true}, {"Text", "bold"sv}}, false, 300, 100);
  f.area->SetSelStart(0);
  f.area->SetSelLength(4);
  f.area->SetSelBold(true);
  f.area->SetSelStart(2);  // the cursor inside the run
  f.area->SetText("plain");
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(BoldAt(*f.area, i)) << i;
}

TEST(TextAreaTest, BoldRecordMakesEveryCharacterBold) {
  const Field f = OpenField({{"Bold", true}, {"Text", "12"sv}});
  EXPECT_TRUE(BoldAt(*f.area, 0));
  EXPECT_TRUE(BoldAt(*f.area, 1));
  EXPECT_FALSE(BoldAt(*f.area, 2));
}

// ---- Alignment -------------------------------------------------------------------------

struct AlignRow {
  const char* what;
  int code;
  Qt::Alignment expected;
};

// Qt's own alignment flags.
const AlignRow kAligns[] = {{"leading edge", 0, Qt::Alignment()},
                            {"left", 1, Qt::AlignLeft},
                            {"right", 2, Qt::AlignRight},
                            {"centre", 4, Qt::AlignHCenter}};

class TextAreaAlignTest : public ::testing::TestWithParam<AlignRow> {};

TEST_P(TextAreaAlignTest, AlignmentHoldsForEveryParagraphOldAndNew) {
  const AlignRow& row = GetParam();
  const Field f =
      OpenField({{"Multiline", true}, {"Text", "one\rtwo"sv}, {"Alignment", row.code}}, false, 200, 80);
  const auto check = [&](const char* when) {
    QTextDocument* document = f.widget->document();
    document->documentLayout()->documentSize();  // lays the text out
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
      const QTextLine line = block.layout()->lineAt(0);
      const qreal room = line.width() - line.naturalTextWidth();
      const qreal wanted = row.expected == Qt::AlignRight     ? room
                           : row.expected == Qt::AlignHCenter ? room / 2
                                                              : 0;
      EXPECT_GT(room, 10) << when;
      EXPECT_NEAR(line.naturalTextRect().left(), wanted, 1.0) << when << " " << block.text().toStdString();
    }
  };
  check("from the record");
  EXPECT_EQ(f.widget->document()->defaultTextOption().alignment(), row.expected);
  f.area->SetText("three\rfour\rfive");
  check("after new text");
  QTest::keyClick(f.widget, Qt::Key_Return);
  QTest::keyClicks(f.widget, "six");
  check("after typing a line");
}

INSTANTIATE_TEST_SUITE_P(Codes, TextAreaAlignTest, ::testing::ValuesIn(kAligns), RowName());

// ---- Multi-line kind -------------------------------------------------------------------

TEST(TextAreaTest, MultiLineFieldWrapsAndScrollsAsItsRecordSays) {
  const Field f = OpenField({{"Multiline", true},
                             {"ScrollbarVertical", true},
                             {"ReadOnly", true},
                             {"TextFont", "Times"sv},
                             {"TextSize", 12},
                             {"Alignment", 1}},
                            false, 429, 476);
  std::string text;
  for (int i = 0; i < 80; ++i) text += "A long line of the help text that has to wrap inside the field.\r";
  f.area->SetText(text);
  QTest::qWait(0);
  EXPECT_EQ(f.widget->lineWrapMode(), QTextEdit::WidgetWidth);
  EXPECT_EQ(f.widget->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_GT(f.widget->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(QFontInfo(f.widget->document()->defaultFont()).family(), "Liberation Serif");
}

}  // namespace

// ---- Selection ------------------------------------------------------------------------

class TextAreaSelectionTest : public ::testing::TestWithParam<bool> {};

// A selection the program makes (to set a bold run) is not the person's: a field that
// hides its selection shows it only once the person selects, and only while focused.
// Until then the person's keys and mouse act as though nothing were selected and the
// caret stood where it is drawn, at the selection's end.
TEST_P(TextAreaSelectionTest, AHiddenSelectionShowsOnlyThePersonsSelectionWhileFocused) {
  const bool hide = GetParam();
  // No ring: it is drawn in the selection's colour too.
  const Field f = OpenField(
      {{"Multiline", true}, {"Text", "Velmora heading"sv}, {"HideSelection", hide}, {"UseFocusRing", false}},
      false, 200, 60);
  ASSERT_TRUE(f.widget->hasFocus());
  const auto selectByProgram = [&f] {
    f.area->SetSelStart(0);
    f.area->SetSelLength(7);
  };
  const auto selected = [&f] { return f.widget->textCursor().selectedText().toStdString(); };
  selectByProgram();
  f.area->SetSelBold(true);
  EXPECT_EQ(HighlightPixels(*f.widget) > 0, !hide);

  QApplication::clipboard()->setText(QStringLiteral("kept"));
  QTest::keyClick(f.widget, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), hide ? "kept" : "Velmora");

  selectByProgram();
  QTest::keyClick(f.widget, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(selected(), hide ? " " : "Velmora ");
  EXPECT_GT(HighlightPixels(*f.widget), 0);
  f.widget->clearFocus();
  EXPECT_EQ(HighlightPixels(*f.widget) > 0, !hide);
  EXPECT_EQ(selected(), hide ? " " : "Velmora ");  // hidden, not lost

  // A press on the first word selects part of it; on a selection it can see, it drags
  // that (offscreen ends every drag at once).
  f.area->SetFocus();
  selectByProgram();
  QTextCursor gap = f.widget->textCursor();
  gap.setPosition(0);
  const QPoint press = f.widget->cursorRect(gap).center() + QPoint(2, 0);
  gap.setPosition(3);
  const QPoint to = f.widget->cursorRect(gap).center();
  QTest::mousePress(f.widget->viewport(), Qt::LeftButton, {}, press);
  QTest::mouseMove(f.widget->viewport(), to);
  EXPECT_EQ(selected(), hide ? "Vel" : "Velmora");
  QTest::mouseRelease(f.widget->viewport(), Qt::LeftButton, {}, to);

  selectByProgram();
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("X"));
  QApplication::sendEvent(f.widget, &commit);
  EXPECT_EQ(f.area->Text(), hide ? "VelmoraX heading" : "X heading");
}

INSTANTIATE_TEST_SUITE_P(HideSelection, TextAreaSelectionTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("Hidden") : std::string("Shown");
                         });

// ---- Focus ------------------------------------------------------------------------------

struct FocusRow {
  const char* what;
  bool focusRing;
  int alignment;
};

const FocusRow kFocusRows[] = {
    {"calculator field", true, 2},
    {"left aligned", true, 1},
    {"without a ring", false, 2},
};

class TextAreaFocusTest : public ::testing::TestWithParam<FocusRow> {};

// A focused empty field shows its caret clear of the border, and its ring when its
// record asks for one; once the focus leaves, it looks as it did before it came.
TEST_P(TextAreaFocusTest, FocusShowsTheCaretAndRingAndMovesNoText) {
  const FocusRow& row = GetParam();
  QStyleHints* hints = QGuiApplication::styleHints();
  const int flashTime = hints->cursorFlashTime();
  hints->setCursorFlashTime(0);  // a caret that does not blink
  const Field f = OpenField({{"UseFocusRing", row.focusRing}, {"Alignment", row.alignment}});
  f.widget->clearFocus();
  const QImage unfocused = f.widget->grab().toImage();
  f.area->SetFocus();
  ASSERT_TRUE(f.widget->hasFocus());
  const QImage focused = f.widget->grab().toImage();
  f.widget->clearFocus();
  EXPECT_EQ(f.widget->grab().toImage(), unfocused) << row.what;
  hints->setCursorFlashTime(flashTime);

  EXPECT_NE(focused, unfocused) << row.what;
  const QColor highlight = QApplication::palette(f.widget).color(QPalette::Active, QPalette::Highlight);
  const int middle = focused.height() / 2;
  for (const int x : {0, 1, focused.width() - 2, focused.width() - 1})
    EXPECT_EQ(focused.pixelColor(x, middle) == highlight, row.focusRing) << row.what << ", column " << x;
  // The caret: one column of the text's colour inside the ring, most of a line tall.
  int caretColumns = 0;
  for (int x = 2; x < focused.width() - 2; ++x) {
    int dark = 0;
    for (int y = 2; y < focused.height() - 2; ++y) dark += focused.pixelColor(x, y) == QColor(Qt::black);
    if (dark >= 10) ++caretColumns;
  }
  EXPECT_EQ(caretColumns, 1) << row.what;

  // With text, the focus moves none of it, and a click just inside the border reaches it.
  f.area->SetText("15");
  QTest::keyClick(f.widget, Qt::Key_Home);
  const QImage before = f.widget->grab().toImage();
  f.area->SetFocus();
  const QImage after = f.widget->grab().toImage();
  const int caret = f.widget->viewport()->x() + f.widget->cursorRect().right();
  for (int x = caret + 2; x < after.width() - 2; ++x)
    for (int y = 2; y < after.height() - 2; ++y)
      ASSERT_EQ(after.pixel(x, y), before.pixel(x, y))
          << row.what << ": the text moved; pixel " << x << ", " << y;
  QWidget* window = f.widget->window();
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                    f.widget->mapTo(window, QPoint(f.widget->width() - 2, middle)));
  EXPECT_EQ(f.area->SelStart(), 2) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Fields, TextAreaFocusTest, ::testing::ValuesIn(kFocusRows), RowName());
