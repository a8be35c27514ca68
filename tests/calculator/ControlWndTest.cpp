#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calculator/ControlWnd.h"
#include "infowindows/AboutWnd.h"
#include "infowindows/DescriptionWnd.h"
#include "platform/Canvas.h"
#include "platform/Diagnostics.h"
#include "platform/NilObjectException.h"
#include "platform/PushButton.h"
#include "platform/Runtime.h"
#include "platform/StaticText.h"
#include "platform/TextArea.h"
#include "platform/qt/RectControlImpl.h"
#include "platform/qt/WindowImpl.h"
#include "resources/Texts.h"
#include "shell/HandleAboutMenu.h"
#include "shell/MenuItemAccessors.h"
#include "shell/Startup.h"
#include "support/AppStart.h"
#include "support/CalculatorTexts.h"
#include "support/MenuClicks.h"
#include "support/Modal.h"
#include "support/TraceRecorder.h"
#include "support/WindowAccess.h"

namespace {

using velmora_test::EntriesNamed;
using velmora_test::FieldWidget;
using velmora_test::kFeetMessage;
using velmora_test::kInchesMessage;
using velmora_test::kWeightMessage;

// Answers every message box that appears while the action runs and returns their texts.
std::vector<QString> MessagesDuring(const std::function<void()>& action) {
  std::vector<QString> texts;
  QTimer timer;
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&texts] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      texts.push_back(box->text());
      box->button(QMessageBox::Ok)->click();
    }
  });
  timer.start();
  action();
  return texts;
}

// The calculator as the start-up leaves it: the application object with its menu bar
// and handlers, the About window made by the splash, and the calculator shown and active.
class CalculatorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    velmora_test::StartApplication();
    ASSERT_TRUE(velmora::AboutWnd());
    window_ = velmora::ControlWnd();
    ASSERT_TRUE(window_);
    velmora_test::ShowActive(*window_);
  }

  QWidget* Frame() const { return velmora_test::FrameOf(*window_); }

  template <class C>
  C& Control(std::string_view name) const {
    const auto control = window_->ControlAs<C>(name);
    if (!control) throw std::runtime_error("no control " + std::string(name));
    return *control;
  }
  platform::TextArea& Field(std::string_view name) const { return Control<platform::TextArea>(name); }
  platform::StaticText& Label(std::string_view name) const { return Control<platform::StaticText>(name); }
  QWidget* Widget(std::string_view name) const { return Control<platform::RectControl>(name).Impl().widget; }

  void Type(std::string_view field, const QString& keys) const { QTest::keyClicks(Widget(field), keys); }
  // A key with the text it types, as the desktop delivers it.
  void Press(std::string_view field, const QString& text, Qt::Key key = Qt::Key_unknown) const {
    QTest::sendKeyEvent(QTest::Click, Widget(field), key, text, Qt::NoModifier);
  }
  void Enter(const QString& weight, const QString& feet, const QString& inches) const {
    Type("WeightFld", weight);
    Type("FeetFld", feet);
    Type("InchFld", inches);
  }
  void Click(std::string_view button) const { QTest::mouseClick(Widget(button), Qt::LeftButton); }
  void ClickClear() const { Click("ClearBtn"); }
  std::vector<QString> Calculate() const {
    return MessagesDuring([this] { Click("CalculateBtn"); });
  }

  bool ResultShown() const {
    const bool text = Label("BMIText").Visible() && Widget("BMIText")->isVisible();
    const bool result = Label("BMIFld").Visible() && Widget("BMIFld")->isVisible();
    EXPECT_EQ(text, result) << "the result line shows only in part";
    return text && result;
  }
  std::string Result() const { return Label("BMIFld").Text(); }
  // The name of the control that has the keyboard focus; empty when none has it.
  std::string FocusedControl() const {
    for (const auto& control : window_->Controls()) {
      const auto* rect = dynamic_cast<const platform::RectControl*>(control.get());
      if (rect && rect->Impl().widget && rect->Impl().widget == QApplication::focusWidget())
        return control->Name();
    }
    return {};
  }

  // After a calculation: the result line, or the one message of the first failing check
  // and no result line.
  void ExpectOutcome(const std::vector<QString>& messages, const char* outcome) const {
    if (std::string_view(outcome).find("WHO/CDC") != std::string_view::npos) {
      EXPECT_TRUE(messages.empty());
      EXPECT_TRUE(ResultShown());
      EXPECT_EQ(Result(), outcome);
    } else {
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0], QString::fromUtf8(outcome));
      EXPECT_FALSE(ResultShown());
      EXPECT_EQ(Result(), "");
    }
  }

  std::shared_ptr<class velmora::ControlWnd> window_;
};

TEST_F(CalculatorWindow, OpensWithEmptyFieldsNoResultLineAndTheNoticeGreyedOut) {
  for (const char* field : {"FeetFld", "InchFld", "WeightFld"}) EXPECT_EQ(Field(field).Text(), "") << field;
  EXPECT_FALSE(ResultShown());
  EXPECT_EQ(Result(), "");
  EXPECT_EQ(Label("StaticText8").Text(), std::string(velmora::kNotice));
  EXPECT_FALSE(Widget("StaticText8")->isEnabled());
  EXPECT_TRUE(Field("FeetFld").HasFocus());
  EXPECT_EQ(window_->Impl().title, "Velmora");
  EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("Velmora"));
  EXPECT_TRUE(Control<platform::Canvas>("Canvas3").Backdrop()) << "BMIsmall from the bundle";
}

// Where each control sits in the window's content, in window coordinates, also for the
// panel's children, and what the user can do with it.
TEST_F(CalculatorWindow, ControlsSitWhereTheLayoutPutsThem) {
  struct Placed {
    const char* name;
    int left, top, width, height;
    bool visible, enabled;
  };
  const Placed expected[] = {
      {"RoundRectangle1", 50, 86, 600, 52, true, true}, {"StaticText5", 249, 100, 47, 20, true, true},
      {"StaticText6", 197, 100, 54, 20, true, true},    {"FeetFld", 151, 100, 40, 20, true, true},
      {"StaticText4", 112, 100, 35, 20, true, true},    {"StaticText2", 61, 100, 54, 20, true, true},
      {"InchFld", 301, 101, 40, 20, true, true},        {"WeightFld", 590, 101, 40, 20, true, true},
      {"StaticText1", 458, 100, 130, 20, true, true},   {"ClearBtn", 310, 250, 80, 30, true, true},
      {"CalculateBtn", 50, 250, 80, 30, true, true},    {"StaticText7", 127, 0, 533, 48, true, true},
      {"Canvas3", 20, 5, 106, 45, true, true},          {"StaticText8", 50, 138, 600, 16, true, false},
      {"InfoBtn", 570, 250, 80, 30, true, true},        {"BMIText", 61, 178, 140, 20, false, true},
      {"BMIFld", 204, 179, 446, 20, false, true},
  };
  const auto* main = qobject_cast<QMainWindow*>(Frame());
  ASSERT_TRUE(main);
  QWidget* content = main->centralWidget();
  ASSERT_TRUE(content);
  EXPECT_EQ(content->size(), QSize(680, 300));
  ASSERT_EQ(window_->Controls().size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const Placed& c = expected[i];
    EXPECT_EQ(window_->Controls()[i]->Name(), c.name) << "creation order";
    QWidget* widget = Widget(c.name);
    EXPECT_EQ(QRect(widget->mapTo(content, QPoint(0, 0)), widget->size()),
              QRect(c.left, c.top, c.width, c.height))
        << c.name;
    EXPECT_EQ(widget->isVisible(), c.visible) << c.name;
    EXPECT_EQ(widget->isEnabled(), c.enabled) << c.name;
  }
  EXPECT_EQ(Widget("FeetFld")->toolTip(), QStringLiteral("Height in feet of 4 to 6"));
  EXPECT_EQ(Widget("InchFld")->toolTip(), QStringLiteral("Height in inches of 0-11"));
  EXPECT_EQ(Widget("WeightFld")->toolTip(), QString());
  EXPECT_FALSE(FieldWidget(Field("FeetFld")).Multiline());
  EXPECT_TRUE(FieldWidget(Field("InchFld")).Multiline());
  EXPECT_FALSE(FieldWidget(Field("WeightFld")).Multiline());
  EXPECT_TRUE(FieldWidget(Field("FeetFld")).Styled());
  EXPECT_FALSE(FieldWidget(Field("InchFld")).Styled());
  EXPECT_TRUE(FieldWidget(Field("WeightFld")).Styled());
}

TEST_F(CalculatorWindow, TypedHeightAndWeightShowTheIndexAndCategory) {
  Enter("150", "5", "10");
  EXPECT_TRUE(Calculate().empty());
  ASSERT_TRUE(ResultShown());
  EXPECT_EQ(Label("BMIText").Text(), "Body Mass Index = ");
  EXPECT_EQ(Result(), "21.5.  WHO/CDC category: Healthy weight.");
  // Pressing again with unchanged fields shows the same line.
  EXPECT_TRUE(Calculate().empty());
  EXPECT_EQ(Result(), "21.5.  WHO/CDC category: Healthy weight.");
}

struct InputCase {
  const char* name;
  const char* weight;
  const char* feet;
  const char* inches;
  const char* outcome;  // the result line, or the one message
};

void PrintTo(const InputCase& c, std::ostream* out) { *out << c.name; }

class Inputs : public CalculatorWindow, public ::testing::WithParamInterface<InputCase> {};

TEST_P(Inputs, GiveTheResultOrOnlyTheFirstFailingMessage) {
  const InputCase& c = GetParam();
  Enter(c.weight, c.feet, c.inches);
  ExpectOutcome(Calculate(), c.outcome);
}

INSTANTIATE_TEST_SUITE_P(
    CalculatorWindow, Inputs,
    ::testing::Values(
        InputCase{"LowestBoundsPass", "100", "4", "0", "30.5.  WHO/CDC category: Obesity."},
        InputCase{"HighestBoundsPass", "300", "6", "11", "30.6.  WHO/CDC category: Obesity."},
        InputCase{"LowestIndex", "100", "6", "11", "10.2.  WHO/CDC category: Underweight."},
        InputCase{"HighestIndex", "300", "4", "0", "91.5.  WHO/CDC category: Obesity."},
        InputCase{"RoundsUpButStaysUnderweight", "148", "6", "3", "18.5.  WHO/CDC category: Underweight."},
        InputCase{"WeightBelow", "99", "5", "10", kWeightMessage},
        InputCase{"WeightAbove", "301", "5", "10", kWeightMessage},
        InputCase{"FeetBelow", "150", "3", "10", kFeetMessage},
        InputCase{"FeetAbove", "150", "7", "10", kFeetMessage},
        InputCase{"InchesAbove", "150", "5", "12", kInchesMessage},
        InputCase{"WeightAndFeetWrongShowsWeightOnly", "50", "9", "10", kWeightMessage},
        InputCase{"FeetAndInchesWrongShowsFeetOnly", "150", "9", "12", kFeetMessage},
        InputCase{"AllEmptyShowsWeightOnly", "", "", "", kWeightMessage},
        InputCase{"EmptyFeet", "150", "", "5", kFeetMessage},
        InputCase{"EmptyInchesCountAsZero", "150", "5", "", "29.3.  WHO/CDC category: Overweight."},
        InputCase{"LeadingZeroWeightReadsAs99", "099", "5", "10", kWeightMessage},
        InputCase{"LeadingZeroInchesReadAs7", "150", "5", "07", "23.5.  WHO/CDC category: Healthy weight."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculatorWindow, FailedCheckLeavesTheEarlierResultAndTheHiddenLine) {
  Enter("150", "5", "10");
  Calculate();
  ASSERT_TRUE(ResultShown());
  QTest::keyClick(Widget("WeightFld"), Qt::Key_Backspace);
  QTest::keyClick(Widget("WeightFld"), Qt::Key_Backspace);  // "1"
  EXPECT_FALSE(ResultShown());
  // The box belongs to the calculator: a window manager keeps it over the window and
  // minimises it with it; once dismissed, the window and its field have the focus again.
  QString message;
  QWidget* parent = nullptr;
  QWindow* transientParent = nullptr;
  velmora_test::ModalAnswerer answerer(velmora_test::ReadMessageBox([&](QMessageBox& box) {
    message = box.text();
    parent = box.parentWidget();
    transientParent = box.windowHandle() ? box.windowHandle()->transientParent() : nullptr;
  }));
  Click("CalculateBtn");
  ASSERT_TRUE(answerer.Answered());
  EXPECT_EQ(message, kWeightMessage);
  EXPECT_EQ(parent, Frame());
  EXPECT_EQ(transientParent, Frame()->windowHandle());
  EXPECT_TRUE(
      velmora_test::WaitFor([this] { return Frame()->isActiveWindow() && Field("FeetFld").HasFocus(); }));
  EXPECT_FALSE(ResultShown());
  EXPECT_EQ(Result(), "21.5.  WHO/CDC category: Healthy weight.");
  EXPECT_EQ(Field("WeightFld").Text(), "1");
}

// Keys that produce no digit: each beeps once and leaves every field as it was.
TEST_F(CalculatorWindow, RefusedKeysBeepAndChangeNothing) {
  Enter("15", "5", "1");
  for (const char* field : {"FeetFld", "InchFld", "WeightFld"}) {
    for (const QString& key :
         {QStringLiteral("a"), QStringLiteral("Z"), QStringLiteral("."), QStringLiteral("-"),
          QStringLiteral(" "), QStringLiteral("/"), QStringLiteral(":"), QStringLiteral("é")}) {
      const std::int64_t beeps = platform::RuntimeBeepCount();
      Press(field, key);
      EXPECT_EQ(platform::RuntimeBeepCount(), beeps + 1) << field << " " << key.toStdString();
    }
  }
  EXPECT_EQ(Field("WeightFld").Text(), "15");
  EXPECT_EQ(Field("FeetFld").Text(), "5");
  EXPECT_EQ(Field("InchFld").Text(), "1");
}

TEST_F(CalculatorWindow, DigitsControlCharactersAndDeletePassSilently) {
  const std::int64_t beeps = platform::RuntimeBeepCount();
  Press("WeightFld", QString(), Qt::Key_Left);  // a key that types nothing
  Type("WeightFld", "0123456789");
  for (char16_t code : {u'\x01', u'\x1b', u'\x1f'}) Press("WeightFld", QString(QChar(code)));
  Press("WeightFld", QString(QChar(127)), Qt::Key_Delete);
  QTest::keyClick(Widget("WeightFld"), Qt::Key_Backspace);
  QTest::keyClick(Widget("WeightFld"), Qt::Key_Return);
  EXPECT_EQ(platform::RuntimeBeepCount(), beeps);
  EXPECT_EQ(Field("WeightFld").Text(), "01") << "the limit kept 3 digits, Backspace took one";
}

// A Return that passes the filter becomes a line break only in the multi-line field;
// the number before it is still read.
TEST_F(CalculatorWindow, ReturnInTheInchesFieldIsReadPastAndPressesNoButton) {
  Enter("150", "5", "1");
  QTest::keyClick(Widget("InchFld"), Qt::Key_Return);
  QTest::keyClick(Widget("FeetFld"), Qt::Key_Return);
  QTest::keyClick(Widget("FeetFld"), Qt::Key_Escape);
  EXPECT_FALSE(ResultShown()) << "Return or Escape pressed a button";
  EXPECT_EQ(Field("FeetFld").Text(), "5");
  EXPECT_TRUE(Calculate().empty());
  EXPECT_EQ(Result(), "28.3.  WHO/CDC category: Overweight.");
}

// How an edit reaches a field: a key, a paste over the field's text, or the context
// menu's Delete of it.
enum class Edit { kKey, kPaste, kMenuDelete };

struct HidingEdit {
  const char* name;
  const char* field;
  char16_t text;  // typed or pasted
  int beeps;
  Edit edit = Edit::kKey;
};

void PrintTo(const HidingEdit& c, std::ostream* out) { *out << c.name; }

class EveryEdit : public CalculatorWindow, public ::testing::WithParamInterface<HidingEdit> {};

TEST_P(EveryEdit, HidesTheResultLine) {
  const HidingEdit& c = GetParam();
  Enter("150", "5", "10");  // every field full: a typed digit changes nothing
  Calculate();
  ASSERT_TRUE(ResultShown());
  auto* field = qobject_cast<QTextEdit*>(Widget(c.field));
  const std::int64_t beeps = platform::RuntimeBeepCount();
  if (c.edit == Edit::kKey) {
    Press(c.field, QString(QChar(c.text)));
  } else if (c.edit == Edit::kPaste) {
    field->selectAll();
    QApplication::clipboard()->setText(QString(QChar(c.text)));
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  } else {
    field->selectAll();
    QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(2, 2),
                           field->viewport()->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(field->viewport(), &open);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(menu);
    const QList<QAction*> entries = menu->actions();
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [](QAction* a) { return a->objectName() == "edit-delete"; });
    ASSERT_NE(entry, entries.end());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(*entry).center());
  }
  EXPECT_FALSE(ResultShown());
  EXPECT_EQ(platform::RuntimeBeepCount(), beeps + c.beeps);
  EXPECT_EQ(Result(), "21.5.  WHO/CDC category: Healthy weight.") << "an edit only hides the line";
}

INSTANTIATE_TEST_SUITE_P(
    CalculatorWindow, EveryEdit,
    ::testing::Values(
        HidingEdit{"DigitInFeet", "FeetFld", u'7', 0}, HidingEdit{"LetterInFeet", "FeetFld", u'x', 1},
        HidingEdit{"DigitInInches", "InchFld", u'3', 0}, HidingEdit{"ControlInInches", "InchFld", u'\x01', 0},
        HidingEdit{"DigitInWeight", "WeightFld", u'9', 0}, HidingEdit{"SpaceInWeight", "WeightFld", u' ', 1},
        HidingEdit{"PastedDigitInWeight", "WeightFld", u'7', 0, Edit::kPaste},
        HidingEdit{"PastedLetterInInches", "InchFld", u'x', 1, Edit::kPaste},
        HidingEdit{"MenuDeleteInFeet", "FeetFld", 0, 0, Edit::kMenuDelete}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculatorWindow, FieldLimitsHoldForTypingAndPasting) {
  Enter("98765", "98765", "98765");
  EXPECT_EQ(Field("WeightFld").Text(), "987");
  EXPECT_EQ(Field("FeetFld").Text(), "9");
  EXPECT_EQ(Field("InchFld").Text(), "98");

  ClickClear();
  QApplication::clipboard()->setText(QStringLiteral("12\n345"));
  for (const char* field : {"FeetFld", "InchFld", "WeightFld"})
    qobject_cast<QTextEdit*>(Widget(field))->paste();
  EXPECT_EQ(Field("FeetFld").Text(), "1");
  EXPECT_EQ(Field("WeightFld").Text().find('\r'), std::string::npos)
      << "a single-line field took a line break";
  EXPECT_LE(Field("WeightFld").Text().size(), 3u);
  EXPECT_LE(Field("InchFld").Text().size(), 2u);

  // The paste shortcut passes the key filter with the text it inserts.
  ClickClear();
  QApplication::clipboard()->setText(QStringLiteral("4567"));
  const std::int64_t beeps = platform::RuntimeBeepCount();
  QTest::sendKeyEvent(QTest::Click, Widget("WeightFld"), Qt::Key_V, QString(QChar(0x16)),
                      Qt::ControlModifier);
  EXPECT_EQ(Field("WeightFld").Text(), "456");
  EXPECT_EQ(platform::RuntimeBeepCount(), beeps);
}

// Text that arrives other than by typed digits passes the key filter as one key text: a
// paste that does not begin with a digit is refused, and what passes is read as it is.
class PastedText : public CalculatorWindow, public ::testing::WithParamInterface<InputCase> {};

TEST_P(PastedText, GivesAResultOrAMessage) {
  const InputCase& c = GetParam();
  const std::pair<const char*, const char*> pastes[] = {
      {"WeightFld", c.weight}, {"FeetFld", c.feet}, {"InchFld", c.inches}};
  for (const auto& [field, text] : pastes) {
    QApplication::clipboard()->setText(QString::fromUtf8(text));
    qobject_cast<QTextEdit*>(Widget(field))->paste();
  }
  ExpectOutcome(Calculate(), c.outcome);
}

INSTANTIATE_TEST_SUITE_P(
    CalculatorWindow, PastedText,
    ::testing::Values(InputCase{"ExponentInRange", "1e2", "5", "10", "14.3.  WHO/CDC category: Underweight."},
                      InputCase{"ExponentBeyondRange", "9e9", "5", "10", kWeightMessage},
                      InputCase{"Letters", "abc", "5", "10", kWeightMessage},
                      InputCase{"DecimalPoint", "15.", "5", "10", kWeightMessage},
                      InputCase{"FractionCutToFieldLimit", "150", "4.9", "10",
                                "31.3.  WHO/CDC category: Obesity."},
                      InputCase{"MinusSignRefused", "150", "5", "-1", "29.3.  WHO/CDC category: Overweight."},
                      InputCase{"PlusSignRefused", "150", "5", "+9", "29.3.  WHO/CDC category: Overweight."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculatorWindow, ClearEmptiesHidesAndFocusesFeet) {
  Enter("150", "5", "10");
  Calculate();
  ASSERT_TRUE(ResultShown());
  QTest::mouseClick(Widget("WeightFld"), Qt::LeftButton);
  ASSERT_TRUE(Field("WeightFld").HasFocus());
  const std::int64_t beeps = platform::RuntimeBeepCount();
  ClickClear();
  for (const char* field : {"FeetFld", "InchFld", "WeightFld"}) EXPECT_EQ(Field(field).Text(), "") << field;
  EXPECT_EQ(Result(), "");
  EXPECT_FALSE(ResultShown());
  EXPECT_TRUE(Field("FeetFld").HasFocus());
  // Again with nothing to clear: still no beep, and "Calculate" then reads empty fields.
  ClickClear();
  EXPECT_EQ(platform::RuntimeBeepCount(), beeps);
  EXPECT_EQ(Calculate(), std::vector<QString>{kWeightMessage});
}

TEST_F(CalculatorWindow, EveryActivationHidesAboutAndFocusesFeet) {
  QTest::mouseClick(Widget("WeightFld"), Qt::LeftButton);
  ASSERT_TRUE(Field("WeightFld").HasFocus());
  const auto about = velmora::AboutWnd();
  about->Show();
  ASSERT_TRUE(velmora_test::WaitFor([&] { return about->IsActive(); }));
  window_->Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
  EXPECT_FALSE(about->Visible());
  EXPECT_TRUE(Field("FeetFld").HasFocus());

  // With the About window already hidden, activation only moves the focus.
  QTest::mouseClick(Widget("InchFld"), Qt::LeftButton);
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  window_->Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
  EXPECT_FALSE(about->Visible());
  EXPECT_TRUE(Field("FeetFld").HasFocus());
}

// Tab goes round the controls in their order and stops nowhere else, where keys would go
// unseen; it types nothing.
TEST_F(CalculatorWindow, TabGoesRoundTheControlsInOrder) {
  ASSERT_TRUE(Field("FeetFld").HasFocus());
  std::vector<std::string> stops;
  while (stops.size() < 10 && (stops.empty() || stops.back() != "FeetFld")) {
    QTest::keyClick(Frame()->windowHandle(), Qt::Key_Tab);
    stops.push_back(FocusedControl());
  }
  EXPECT_EQ(stops, (std::vector<std::string>{"InchFld", "WeightFld", "ClearBtn", "CalculateBtn", "InfoBtn",
                                             "FeetFld"}));
  EXPECT_EQ(Field("FeetFld").Text() + Field("InchFld").Text(), "") << "Tab went into a field";
}

// A menu opened and closed, or a click on the window's background, leaves the window's
// focus in the field. (Offscreen a menu keeps the activation it took; the end-to-end run
// types after a menu on a desktop.)
TEST_F(CalculatorWindow, MenusAndClicksOnTheBackgroundLeaveTheFocusInItsField) {
  QMenuBar* bar = velmora_test::MenuBarOf(*window_);
  ASSERT_TRUE(bar);
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"click on the background", [&] { velmora_test::ClickContentAt(*window_, QPoint(660, 220)); }},
      {"menu opened and closed by its title",
       [&] {
         QMenu* menu = velmora_test::OpenMenu(*bar, "Edit");
         ASSERT_TRUE(menu);
         QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
         ASSERT_TRUE(velmora_test::WaitFor([menu] { return !menu->isVisible(); }));
       }},
  };
  for (const auto& [what, way] : ways) {
    QTest::mouseClick(Widget("InchFld"), Qt::LeftButton);
    ASSERT_EQ(FocusedControl(), "InchFld");
    way();
    EXPECT_EQ(Frame()->focusWidget(), Widget("InchFld")) << what;
  }
}

TEST_F(CalculatorWindow, AccessorReturnsTheOpenWindowWithItsContents) {
  Type("WeightFld", "150");
  EXPECT_EQ(velmora::ControlWnd(), window_);
  EXPECT_EQ(Field("WeightFld").Text(), "150");
  EXPECT_EQ(window_->Controls().size(), 17u);
}

TEST_F(CalculatorWindow, ClosingTheWindowQuitsWithStatusZero) {
  velmora_test::TraceRecorder trace;
  Enter("150", "5", "10");
  QTimer::singleShot(0, Frame(), [this] { Frame()->windowHandle()->close(); });
  platform::RuntimeRun();  // returns once the close has quit
  EXPECT_GE(trace.Count("Quit 0"), 1);
  EXPECT_FALSE(window_->IsOpen());
  EXPECT_EQ(platform::RuntimeExit(), 0);
}

// The Window menu as the user opens it while the calculator is in front.
QMenu* WindowMenuOf(const platform::Window& window) {
  QMenuBar* bar = velmora_test::MenuBarOf(window);
  QAction* entry = bar ? velmora_test::TopEntry(*bar, QStringLiteral("Window")) : nullptr;
  return entry ? entry->menu() : nullptr;
}

TEST_F(CalculatorWindow, WindowMenuEnablesDescriptionAndAboutButNotControl) {
  // Start from the opposite states, so only the preparation can set them right.
  platform::NotNil(velmora::ControlMenuItem()).SetEnabled(true);
  platform::NotNil(velmora::DescriptionMenuItem()).SetEnabled(false);
  platform::NotNil(velmora::AboutMenuItem()).SetEnabled(false);
  platform::NotNil(velmora::AboutQEN()).SetEnabled(false);
  QMenu* menu = WindowMenuOf(*window_);
  ASSERT_TRUE(menu);
  menu->popup(Frame()->mapToGlobal(QPoint(0, 0)));
  ASSERT_TRUE(velmora_test::WaitFor([menu] { return menu->isVisible(); }));
  const auto control = EntriesNamed(*menu, "Control");
  const auto description = EntriesNamed(*menu, "Description");
  const auto about = EntriesNamed(*menu, "About Velmora");
  ASSERT_EQ(control.size(), 1u);
  ASSERT_EQ(description.size(), 1u);
  ASSERT_EQ(about.size(), 2u);
  EXPECT_FALSE(control[0]->isEnabled());
  EXPECT_TRUE(description[0]->isEnabled());
  EXPECT_TRUE(about[0]->isEnabled());
  EXPECT_TRUE(about[1]->isEnabled());
  menu->hide();
}

TEST_F(CalculatorWindow, DescriptionItemAndInformationPressShowTheDescription) {
  QMenu* menu = WindowMenuOf(*window_);
  ASSERT_TRUE(menu);
  EntriesNamed(*menu, "Description").at(0)->trigger();
  const auto description = velmora::DescriptionWnd();
  EXPECT_TRUE(description->Visible());
  description->Close();
  ASSERT_FALSE(description->IsOpen());

  window_->Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
  // The press alone shows it, before any release.
  QTest::mousePress(Widget("InfoBtn"), Qt::LeftButton);
  const auto again = velmora::DescriptionWnd();
  EXPECT_NE(again, description) << "a closed window is made anew";
  EXPECT_TRUE(again->Visible());
  QTest::mouseRelease(Widget("InfoBtn"), Qt::LeftButton);
}

TEST_F(CalculatorWindow, AboutItemShowsTheAboutWindowAndActivationHidesIt) {
  QMenu* menu = WindowMenuOf(*window_);
  ASSERT_TRUE(menu);
  const auto about = EntriesNamed(*menu, "About Velmora");
  ASSERT_EQ(about.size(), 2u);
  for (QAction* item : about) {
    item->trigger();
    const auto shown = velmora::AboutWnd();
    EXPECT_TRUE(shown->Visible());
    ASSERT_TRUE(velmora_test::WaitFor([&] { return shown->IsActive(); }));
    window_->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    EXPECT_FALSE(shown->Visible());
  }
}

// Every label and caption fits its box in the font the platform resolved for it.
TEST_F(CalculatorWindow, EveryTextFitsItsBox) {
  struct Box {
    const char* name;
    std::string text;
  };
  const std::vector<Box> boxes = {
      {"StaticText5", Label("StaticText5").Text()},
      {"StaticText6", Label("StaticText6").Text()},
      {"StaticText4", Label("StaticText4").Text()},
      {"StaticText2", Label("StaticText2").Text()},
      {"StaticText1", Label("StaticText1").Text()},
      {"StaticText7", Label("StaticText7").Text()},
      {"StaticText8", Label("StaticText8").Text()},
      {"BMIText", Label("BMIText").Text()},
      // The widest result lines that valid input can give.
      {"BMIFld", "24.9.  WHO/CDC category: Healthy weight."},
      {"BMIFld", "18.4.  WHO/CDC category: Underweight."},
      {"ClearBtn", Control<platform::PushButton>("ClearBtn").Caption()},
      {"CalculateBtn", Control<platform::PushButton>("CalculateBtn").Caption()},
      {"InfoBtn", Control<platform::PushButton>("InfoBtn").Caption()},
  };
  for (const Box& box : boxes) {
    QWidget* widget = Widget(box.name);
    const QFontMetrics metrics(widget->font());
    EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(box.text)), widget->width())
        << box.name << " \"" << box.text << "\" in " << QFontInfo(widget->font()).family().toStdString();
    EXPECT_LE(metrics.height(), widget->height()) << box.name;
  }
  EXPECT_EQ(QString::fromUtf8(velmora::kNotice.data(), velmora::kNotice.size()).size(), 49);
  for (const char* field : {"FeetFld", "InchFld", "WeightFld"}) {
    const QFont font = Widget(field)->font();
    EXPECT_TRUE(QFontInfo(font).fixedPitch()) << field << " is not in a Courier face";
    const QString fullField(FieldWidget(Field(field)).Limit(), QLatin1Char('8'));
    EXPECT_LT(QFontMetrics(font).horizontalAdvance(fullField), Widget(field)->width()) << field;
  }
}

}  // namespace
