#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QWindow>
#include <ostream>
#include <string>
#include <vector>

#include "calculator/ControlWnd.h"
#include "infowindows/DescriptionWnd.h"
#include "platform/TextArea.h"
#include "resources/Texts.h"
#include "shell/Menu.h"
#include "support/AppStart.h"
#include "support/MenuClicks.h"
#include "support/Modal.h"
#include "support/TraceRecorder.h"
#include "support/WindowAccess.h"

namespace {

using velmora_test::BoldAt;
using velmora_test::ContentOf;
using velmora_test::FieldWidget;
using velmora_test::FrameOf;
using velmora_test::WidgetOf;

constexpr std::int32_t kBoldRun = 29;
constexpr char kConstruct[] = "Construct DescriptionWnd.DescriptionWnd";

std::shared_ptr<platform::TextArea> HelpField(const platform::Window& window) {
  return window.ControlAs<platform::TextArea>("DescribeFld2");
}

QTextEdit* HelpEdit(const platform::Window& window) {
  return qobject_cast<QTextEdit*>(WidgetOf(window, "DescribeFld2"));
}

// Exactly the first 29 characters are bold, nothing after them.
void ExpectBoldRunOnly(const platform::TextArea& field) {
  const auto length = static_cast<std::int32_t>(QString::fromStdString(field.Text()).size());
  for (std::int32_t i = 0; i < length; ++i) {
    if (BoldAt(field, i) != (i < kBoldRun)) {
      ADD_FAILURE() << "character " << i << (i < kBoldRun ? " is not bold" : " is bold");
      return;
    }
  }
}

// Whether the Description window's text had its bold run each time the window was shown.
class ShowWatcher : public QObject {
 public:
  ShowWatcher() { qApp->installEventFilter(this); }
  ~ShowWatcher() override { qApp->removeEventFilter(this); }

  int shows = 0;
  int showsWithoutBoldRun = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show) return false;
    auto* frame = dynamic_cast<platform::detail::WindowWidget*>(watched);
    if (!frame || !frame->Owner() || frame->Owner()->ClassName() != velmora::DescriptionWnd::kClassName)
      return false;
    ++shows;
    const auto field = HelpField(*frame->Owner());
    bool bold = field != nullptr;
    for (std::int32_t i = 0; bold && i < kBoldRun; ++i) bold = BoldAt(*field, i);
    if (!bold || BoldAt(*field, kBoldRun)) ++showsWithoutBoldRun;
    return false;
  }
};

TEST(DescriptionWindow, AccessorBuildsItHiddenWithItsBoldRun) {
  velmora_test::StartApplication();
  ShowWatcher watcher;
  const auto window = velmora::DescriptionWnd();
  ASSERT_TRUE(window);
  EXPECT_FALSE(window->Visible());
  EXPECT_EQ(watcher.shows, 0);

  const auto field = HelpField(*window);
  ASSERT_TRUE(field);
  EXPECT_EQ(field->Text(), velmora::kHelpText);
  EXPECT_EQ(field->SelStart(), 0);
  EXPECT_EQ(field->SelLength(), kBoldRun);
  ExpectBoldRunOnly(*field);
  EXPECT_TRUE(FieldWidget(*field).isReadOnly());
  EXPECT_EQ(QFontInfo(HelpEdit(*window)->font()).family(), QStringLiteral("Liberation Serif"));

  // The field beneath holds one line break in a monospace face, and nothing shows of it.
  const auto under = window->ControlAs<platform::TextArea>("DescribeFld");
  ASSERT_TRUE(under);
  EXPECT_EQ(under->Text(), "\r");
  EXPECT_FALSE(FieldWidget(*under).Styled());
  EXPECT_EQ(QFontInfo(WidgetOf(*window, "DescribeFld")->font()).family(), QStringLiteral("Liberation Mono"));
  QWidget* atCentre = ContentOf(*window)->childAt(QPoint(213, 240));
  EXPECT_TRUE(atCentre && (atCentre == HelpEdit(*window) || HelpEdit(*window)->isAncestorOf(atCentre)))
      << "the help text must lie above the other field";

  // Its menu bar is the shared one, and it shows once the window is on screen.
  EXPECT_EQ(window->MenuBar(), velmora::Menu());
  velmora_test::ShowActive(*window);
  EXPECT_EQ(watcher.showsWithoutBoldRun, 0);
  QMenuBar* bar = velmora_test::MenuBarOf(*window);
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(velmora_test::TopEntry(*bar, "Window"));
  EXPECT_EQ(ContentOf(*window)->size(), QSize(427, 491));
  EXPECT_EQ(FrameOf(*window)->windowTitle(), QStringLiteral("Description"));
  EXPECT_TRUE(FrameOf(*window)->windowFlags() & Qt::WindowCloseButtonHint);
}

// The calculator's Information button: the window is built hidden, then shown, and is
// never on screen without its bold run.
TEST(DescriptionWindow, InformationButtonShowsItWithItsBoldRun) {
  velmora_test::AfterSplash();
  ShowWatcher watcher;
  const auto calculator = velmora::ControlWnd();
  velmora_test::ShowActive(*calculator);
  QWidget* button = WidgetOf(*calculator, "InfoBtn");
  ASSERT_NE(button, nullptr);
  velmora_test::ClickContentAt(*calculator, button->mapTo(ContentOf(*calculator), button->rect().center()));

  const auto window = platform::GetImplicitWindow(velmora::DescriptionWnd::kClassName);
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->Visible());
  EXPECT_GE(watcher.shows, 1);
  EXPECT_EQ(watcher.showsWithoutBoldRun, 0);
}

TEST(DescriptionWindow, SecondRequestBringsUpTheSameWindowAsTheUserLeftIt) {
  velmora_test::StartApplication();
  velmora_test::TraceRecorder trace;
  const auto window = velmora::DescriptionWnd();
  velmora_test::ShowActive(*window);
  QTextEdit* edit = HelpEdit(*window);
  ASSERT_NE(edit, nullptr);

  // The user selects part of a line and scrolls to the end.
  QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, QPoint(60, 40));
  QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
  const auto field = HelpField(*window);
  const std::int32_t start = field->SelStart();
  const std::int32_t length = field->SelLength();
  ASSERT_GT(length, 0) << "the user's selection did not take";
  ASSERT_NE(start, 0);
  QScrollBar* scroll = edit->verticalScrollBar();
  ASSERT_GT(scroll->maximum(), 0) << "the help text should need scrolling";
  scroll->setValue(scroll->maximum());

  window->Hide();
  const auto again = velmora::DescriptionWnd();
  EXPECT_EQ(again, window);
  EXPECT_FALSE(again->Visible()) << "the accessor itself shows nothing";
  velmora_test::ShowActive(*again);
  EXPECT_EQ(field->SelStart(), start);
  EXPECT_EQ(field->SelLength(), length);
  EXPECT_EQ(scroll->value(), scroll->maximum());
  ExpectBoldRunOnly(*field);
  EXPECT_EQ(trace.Count(kConstruct), 1);
}

// The field beneath the help text shows nothing: the window opens with the focus on the
// help text, nothing of it highlighted, so Page Down scrolls it at once, and neither Tab
// nor a click on the strip of the other field that peeks out below ever puts the focus
// there. The bold run's selection, never shown, is not the person's to copy, extend or
// drag: their keys and mouse start from the caret after it.
TEST(DescriptionWindow, OpensWithTheFocusOnTheHelpTextAndNeverOnTheFieldBeneath) {
  velmora_test::StartApplication();
  const auto window = velmora::DescriptionWnd();
  velmora_test::ShowActive(*window);
  QTextEdit* edit = HelpEdit(*window);
  QWidget* beneath = WidgetOf(*window, "DescribeFld");
  ASSERT_TRUE(edit && beneath);
  EXPECT_EQ(QApplication::focusWidget(), edit);
  const auto field = HelpField(*window);
  EXPECT_EQ(field->SelStart(), 0);
  EXPECT_EQ(field->SelLength(), kBoldRun);
  ExpectBoldRunOnly(*field);
  EXPECT_EQ(velmora_test::HighlightPixels(*edit), 0) << "the bold run shows as selected";

  QWindow* keys = FrameOf(*window)->windowHandle();
  const auto selected = [edit] { return edit->textCursor().selectedText().toStdString(); };
  const auto selectBoldRun = [&field] {
    field->SetSelStart(0);
    field->SetSelLength(kBoldRun);
  };
  QApplication::clipboard()->setText(QStringLiteral("kept"));
  QTest::keyClick(keys, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "kept") << "Ctrl+C copied the hidden selection";

  selectBoldRun();
  QTest::keyClick(keys, Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(keys, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(selected(), "(B");
  EXPECT_GT(velmora_test::HighlightPixels(*edit), 0) << "a selection made with Shift+Right does not show";

  selectBoldRun();
  QTextCursor gap = edit->textCursor();
  gap.setPosition(0);
  const QPoint press = edit->cursorRect(gap).center() + QPoint(2, 0);
  gap.setPosition(4);
  const QPoint to = edit->cursorRect(gap).center();
  QTest::mousePress(edit->viewport(), Qt::LeftButton, {}, press);
  QTest::mouseMove(edit->viewport(), to);
  EXPECT_EQ(selected(), "Velm") << "a press and drag on the heading did not select part of it";
  QTest::mouseRelease(edit->viewport(), Qt::LeftButton, {}, to);
  QScrollBar* scroll = edit->verticalScrollBar();
  ASSERT_EQ(scroll->value(), 0);
  QTest::keyClick(FrameOf(*window)->windowHandle(), Qt::Key_PageDown);
  EXPECT_GT(scroll->value(), 0) << "Page Down did not reach the help text";

  for (int i = 0; i < 4; ++i) {
    QTest::keyClick(FrameOf(*window)->windowHandle(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), beneath) << "Tab " << i + 1;
  }
  const QPoint strip(213, 476);
  ASSERT_EQ(ContentOf(*window)->childAt(strip), beneath) << "the strip below the help text moved";
  velmora_test::ClickContentAt(*window, strip);
  EXPECT_NE(QApplication::focusWidget(), beneath);
}

TEST(DescriptionWindow, AfterItsCloseBoxANewWindowWithTheBoldRunAgain) {
  velmora_test::StartApplication();
  velmora_test::TraceRecorder trace;
  const auto first = velmora::DescriptionWnd();
  velmora_test::ShowActive(*first);
  HelpField(*first)->SetSelStart(300);
  HelpField(*first)->SetSelLength(4);

  FrameOf(*first)->windowHandle()->close();  // the close box
  EXPECT_FALSE(first->IsOpen());
  EXPECT_FALSE(platform::GetImplicitWindow(velmora::DescriptionWnd::kClassName));
  // Closing it affects nothing else: no quit, no other window.
  EXPECT_TRUE(trace.Starting({"Quit"}).empty());
  EXPECT_FALSE(platform::GetImplicitWindow(velmora::ControlWnd::kClassName));

  const auto second = velmora::DescriptionWnd();
  ASSERT_TRUE(second);
  EXPECT_NE(second, first);
  EXPECT_FALSE(second->Visible());
  const auto field = HelpField(*second);
  EXPECT_EQ(field->SelStart(), 0);
  EXPECT_EQ(field->SelLength(), kBoldRun);
  ExpectBoldRunOnly(*field);
  EXPECT_EQ(second->MenuBar(), velmora::Menu());
  for (std::string_view item : {"ControlMenuItem", "AboutMenuItem", "Print"})
    EXPECT_TRUE(second->FindMenuHandler(item)) << item;
  EXPECT_EQ(trace.Count(kConstruct), 2);
}

// The bar is in place before the record; the three handlers go in, in their order.
TEST(DescriptionWindow, ConstructionSetsItsMenuBarAndThreeHandlersInOrder) {
  velmora_test::StartApplication();
  std::string titleWhenBarSet = "(not set)";
  velmora_test::TraceRecorder trace([&](std::string_view line) {
    if (line != "SetMenuBar DescriptionWnd.DescriptionWnd") return;
    if (const auto window = platform::GetImplicitWindow(velmora::DescriptionWnd::kClassName))
      titleWhenBarSet = window->Impl().title;
  });
  velmora::DescriptionWnd();
  EXPECT_EQ(titleWhenBarSet, "") << "the record was applied before the menu bar was set";
  const std::vector<std::string> expected = {
      kConstruct,
      "SetMenuBar DescriptionWnd.DescriptionWnd",
      "AddMenuHandler DescriptionWnd.DescriptionWnd ControlMenuItem",
      "AddMenuHandler DescriptionWnd.DescriptionWnd AboutMenuItem",
      "AddMenuHandler DescriptionWnd.DescriptionWnd Print",
  };
  std::vector<std::string> seen;
  for (const auto& line : trace.Lines())
    if (line.starts_with("Construct") || line.starts_with("SetMenuBar") || line.starts_with("AddMenuHandler"))
      seen.push_back(line);
  EXPECT_EQ(seen, expected);
}

struct EditCase {
  const char* name;
  std::function<void(QTextEdit&)> attempt;
};

// Names the case in test listings.
void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

const EditCase kEditCases[] = {
    {"Typing", [](QTextEdit& edit) { QTest::keyClicks(&edit, "typed over"); }},
    {"Return", [](QTextEdit& edit) { QTest::keyClick(&edit, Qt::Key_Return); }},
    {"Backspace", [](QTextEdit& edit) { QTest::keyClick(&edit, Qt::Key_Backspace); }},
    {"Delete", [](QTextEdit& edit) { QTest::keyClick(&edit, Qt::Key_Delete); }},
    {"Cut", [](QTextEdit& edit) { QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier); }},
    {"Paste",
     [](QTextEdit& edit) {
       QApplication::clipboard()->setText(QStringLiteral("pasted"));
       QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
     }},
};

class DescriptionReadOnlyTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(DescriptionReadOnlyTest, KeysChangeNothing) {
  velmora_test::StartApplication();
  const auto window = velmora::DescriptionWnd();
  velmora_test::ShowActive(*window);
  QTextEdit* edit = HelpEdit(*window);
  ASSERT_NE(edit, nullptr);
  QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, QPoint(40, 30));
  ASSERT_TRUE(velmora_test::WaitFor([edit] { return edit->hasFocus(); }));
  // Everything selected: an edit that took would replace or remove the whole text.
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  ASSERT_GT(HelpField(*window)->SelLength(), kBoldRun);

  GetParam().attempt(*edit);
  EXPECT_EQ(HelpField(*window)->Text(), velmora::kHelpText);
  ExpectBoldRunOnly(*HelpField(*window));
}

INSTANTIATE_TEST_SUITE_P(DescriptionWindow, DescriptionReadOnlyTest, ::testing::ValuesIn(kEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
