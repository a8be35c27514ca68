#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "ControlHost.h"
#include "platform/Canvas.h"
#include "platform/NilObjectException.h"
#include "platform/Picture.h"
#include "platform/PushButton.h"
#include "platform/RoundRectangle.h"
#include "platform/Runtime.h"
#include "platform/StaticText.h"
#include "platform/qt/PictureImpl.h"
#include "platform/qt/QtConvert.h"

namespace {

using namespace control_test;
using namespace velmora_test;
using control_test::PrintTo;  // rows print by name
using platform::Color;

// ---- Fonts ---------------------------------------------------------------------------

struct FontRow {
  const char* what;
  const char* family;
  int size;
  bool bold;
  const char* resolvedFamily;
};

// The records' family names resolve to the metric twins of the faces they were laid out with.
const FontRow kFonts[] = {
    {"System 14 bold", "System", 14, true, "Liberation Sans"},
    {"System 9", "System", 9, false, "Liberation Sans"},
    {"Times 22 bold", "Times", 22, true, "Liberation Serif"},
    {"Times 12", "Times", 12, false, "Liberation Serif"},
    {"Courier 14", "Courier", 14, false, "Liberation Mono"},
    {"Courier 10", "Courier", 10, false, "Liberation Mono"},
};

class ResolveFontTest : public ::testing::TestWithParam<FontRow> {};

TEST_P(ResolveFontTest, NamesTheMetricTwinAtThePixelSize) {
  const FontRow& row = GetParam();
  const QFont font = platform::detail::ResolveFont(row.family, row.size, row.bold);
  const QFontInfo info(font);
  EXPECT_EQ(info.family(), QString::fromLatin1(row.resolvedFamily));
  EXPECT_EQ(info.pixelSize(), row.size);
  EXPECT_EQ(info.bold(), row.bold);
}

INSTANTIATE_TEST_SUITE_P(Families, ResolveFontTest, ::testing::ValuesIn(kFonts), RowName());

// ---- Labels --------------------------------------------------------------------------

struct LabelRow {
  const char* what;
  const char* text;
  int left, top, width, height;
  const char* font;
  int size;
  bool bold;
  std::uint32_t color;
  int align;
  Qt::Alignment expectedAlign;
};

// The calculator and About labels: each must fit its box in its resolved font.
const LabelRow kLabels[] = {
    {"Inches right", "Inches", 249, 100, 47, 20, "System", 14, true, 0x800000, 2, Qt::AlignRight},
    {"and centred", "and", 197, 100, 54, 20, "System", 14, false, 0x800000, 1, Qt::AlignHCenter},
    {"Feet right", "Feet", 112, 100, 35, 20, "System", 14, true, 0x800000, 2, Qt::AlignRight},
    {"Height left", "Height:", 61, 100, 54, 20, "System", 14, true, 0x800000, 0, Qt::AlignLeft},
    {"Weight left", "Weight in Pounds", 458, 100, 130, 20, "System", 14, true, 0x800000, 0, Qt::AlignLeft},
    {"calculator title", "Velmora", 127, 0, 533, 48, "System", 37, true, 0x800000, 1, Qt::AlignHCenter},
    {"result label", "Body Mass Index = ", 61, 178, 140, 20, "System", 14, true, 0x000000, 0, Qt::AlignLeft},
    {"About title", "Velmora", 1, 6, 298, 36, "Times", 22, true, 0x000000, 1, Qt::AlignHCenter},
};

class LabelTest : public ::testing::TestWithParam<LabelRow> {};

TEST_P(LabelTest, RecordSetsPlaceTextFontColourAndAlignment) {
  const LabelRow& row = GetParam();
  std::shared_ptr<platform::StaticText> label;
  const auto window = OpenHost([&](HostWnd& w) {
    label = w.Make<platform::StaticText>(
        "Label", With(StaticTextRecord("Label", row.left, row.top, row.width, row.height),
                      {{"Text", std::string_view(row.text)},
                       {"TextAlign", row.align},
                       {"TextColor", Color(row.color)},
                       {"TextFont", std::string_view(row.font)},
                       {"TextSize", row.size},
                       {"Bold", row.bold}}));
  });
  auto* widget = WidgetOf<QLabel>(*label);
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(WindowRect(*window, *label), QRect(row.left, row.top, row.width, row.height));
  EXPECT_EQ(widget->text(), QString::fromUtf8(row.text));
  EXPECT_EQ(label->Text(), row.text);
  EXPECT_EQ(widget->alignment(), row.expectedAlign | Qt::AlignTop);
  for (const std::int32_t code : {-1, 3}) label->SetProperty("TextAlign", code);
  EXPECT_EQ(widget->alignment(), row.expectedAlign | Qt::AlignTop) << "after codes outside the table";
  EXPECT_EQ(widget->palette().color(QPalette::Active, QPalette::WindowText), QColor::fromRgb(row.color));
  const QFontInfo info(widget->font());
  EXPECT_EQ(info.pixelSize(), row.size);
  EXPECT_EQ(info.bold(), row.bold);
  EXPECT_LE(QFontMetrics(widget->font()).horizontalAdvance(widget->text()), row.width)
      << row.text << " overflows its box in " << info.family().toStdString();
  EXPECT_TRUE(widget->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Records, LabelTest, ::testing::ValuesIn(kLabels), RowName());

TEST(StaticTextTest, DisabledLabelGreysHiddenLabelIsOffScreenAndHelpTagIsTheToolTip) {
  std::shared_ptr<platform::StaticText> notice, hidden;
  const auto window = OpenHost([&](HostWnd& w) {
    notice = w.Make<platform::StaticText>(
        "Notice", With(StaticTextRecord("Notice", 50, 138, 600, 16), {{"Text", "(c) notice"sv},
                                                                      {"TextAlign", 1},
                                                                      {"Enabled", false},
                                                                      {"TextSize", 9},
                                                                      {"HelpTag", "tip"sv}}));
    hidden =
        w.Make<platform::StaticText>("Hidden", With(StaticTextRecord("Hidden", 204, 179, 446, 20),
                                                    {{"Visible", false}, {"TextColor", Color(0x800000)}}));
  });
  auto* noticeWidget = WidgetOf<QLabel>(*notice);
  EXPECT_FALSE(noticeWidget->isEnabled());
  EXPECT_EQ(noticeWidget->toolTip(), "tip");
  auto* hiddenWidget = WidgetOf<QLabel>(*hidden);
  EXPECT_FALSE(hiddenWidget->isVisible());
  // The record's colour is for an enabled label; a disabled one shows the greyed text.
  EXPECT_NE(hiddenWidget->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(0x80, 0, 0));
  hidden->SetText("22.9 (Normal)");
  hidden->SetVisible(true);
  EXPECT_TRUE(hiddenWidget->isVisible());
  EXPECT_EQ(hiddenWidget->text(), "22.9 (Normal)");
}

// ---- Geometry inside a panel ------------------------------------------------------------

TEST(RoundRectangleTest, ChildrenKeepWindowCoordinatesInsideThePanel) {
  std::shared_ptr<platform::RoundRectangle> panel;
  std::shared_ptr<platform::StaticText> label;
  const auto window = OpenHost([&](HostWnd& w) {
    panel = w.Make<platform::RoundRectangle>("Panel", RoundRectangleRecord("Panel", 50, 86, 600, 52));
    label = w.Make<platform::StaticText>(
        "Feet", With(StaticTextRecord("Feet", 112, 100, 35, 20), {{"InitialParent", "Panel"sv}}));
  });
  EXPECT_EQ(WindowRect(*window, *panel), QRect(50, 86, 600, 52));
  EXPECT_EQ(WindowRect(*window, *label), QRect(112, 100, 35, 20));
  EXPECT_EQ(label->Impl().widget->parentWidget(), panel->Impl().widget.data());
  EXPECT_EQ(label->Left(), 112);
  EXPECT_EQ(label->Top(), 100);
}

struct PanelPixelRow {
  const char* what;
  int borderWidth;
  QPoint at;
  std::uint32_t expected;
};

// Inside the border the fill; on a straight edge the border; the corner is cut away.
const PanelPixelRow kPanelPixels[] = {
    {"centre", 1, {300, 26}, 0xE6E6E6},
    {"left edge", 1, {0, 26}, 0x000000},
    {"bottom edge", 1, {300, 51}, 0x000000},
    {"rounded corner", 1, {0, 0}, 0xFFFFFF},
    {"no border: edge is filled", 0, {0, 26}, 0xE6E6E6},
};

class PanelPixelTest : public ::testing::TestWithParam<PanelPixelRow> {};

TEST_P(PanelPixelTest, PaintsFillBorderAndRoundedCorners) {
  const PanelPixelRow& row = GetParam();
  std::shared_ptr<platform::RoundRectangle> panel;
  const auto window = OpenHost([&](HostWnd& w) {
    panel = w.Make<platform::RoundRectangle>(
        "Panel", With(RoundRectangleRecord("Panel", 50, 86, 600, 52), {{"BorderWidth", row.borderWidth}}));
  });
  const QImage shot = window->Content()->grab(QRect(50, 86, 600, 52)).toImage();
  EXPECT_EQ(shot.pixelColor(row.at).rgb() & 0xFFFFFF, row.expected) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Pixels, PanelPixelTest, ::testing::ValuesIn(kPanelPixels), RowName());

// ---- Presses that controls leave to the window ------------------------------------------

struct PassRow {
  const char* what;
  QPoint press;  // window coordinates
};

// A label (also one inside the panel), the panel itself and a disabled canvas take no
// press: the window's MouseDown sees it at the same window coordinates.
const PassRow kPassThrough[] = {
    {"label", {130, 10}},
    {"label inside panel", {120, 105}},
    {"panel", {400, 130}},
    {"disabled canvas", {60, 70}},
};

class PressPassTest : public ::testing::TestWithParam<PassRow> {};

TEST_P(PressPassTest, ReachesTheWindowMouseDown) {
  const PassRow& row = GetParam();
  const auto window = OpenHost([&](HostWnd& w) {
    w.Make<platform::StaticText>("Title",
                                 With(StaticTextRecord("Title", 127, 0, 533, 48), {{"Text", "T"sv}}));
    w.Make<platform::RoundRectangle>("Panel", RoundRectangleRecord("Panel", 50, 86, 600, 52));
    w.Make<platform::StaticText>("Feet", With(StaticTextRecord("Feet", 112, 100, 35, 20),
                                              {{"InitialParent", "Panel"sv}, {"Text", "F"sv}}));
    w.Make<platform::Canvas>("Canvas", With(CanvasRecord("Canvas", 47, 61, 207, 20), {{"Enabled", false}}));
  });
  QWidget* target = window->Content()->childAt(row.press);
  ASSERT_NE(target, nullptr) << row.what;
  QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window->Content(), row.press));
  EXPECT_EQ(window->log, (std::vector<std::string>{"Window MouseDown " + std::to_string(row.press.x()) + "," +
                                                   std::to_string(row.press.y())}))
      << row.what;
}

INSTANTIATE_TEST_SUITE_P(Controls, PressPassTest, ::testing::ValuesIn(kPassThrough), RowName());

TEST(StaticTextTest, BoundMouseDownGetsControlCoordinatesAndTrueKeepsThePressFromTheWindow) {
  std::shared_ptr<platform::StaticText> label;
  const auto window = OpenHost([&](HostWnd& w) {
    label = w.Make<platform::StaticText>("Label",
                                         With(StaticTextRecord("Label", 100, 50, 80, 20), {{"Text", "x"sv}}));
    w.Bind(*label, "MouseDown");
  });
  window->swallowMouse = true;
  QTest::mouseClick(label->Impl().widget, Qt::LeftButton, {}, QPoint(5, 7));
  EXPECT_EQ(window->log, (std::vector<std::string>{"MouseDown 5,7"}));
}

// ---- Canvas ------------------------------------------------------------------------

std::shared_ptr<platform::Picture> Gradient(int width, int height) {
  auto impl = std::make_unique<platform::detail::PictureImpl>();
  impl->image = QImage(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) impl->image.setPixelColor(x, y, QColor(x * 2 % 256, y * 3 % 256, 100));
  return std::make_shared<platform::Picture>(std::move(impl));
}

struct BackdropRow {
  const char* what;
  int pictureWidth, pictureHeight;
};

// Smaller than the canvas (the rest stays the window's white), the same size, and
// larger (cut off at the canvas's edge, never scaled).
const BackdropRow kBackdrops[] = {
    {"smaller", 60, 20},
    {"exact", 106, 45},
    {"larger", 200, 90},
};

class BackdropTest : public ::testing::TestWithParam<BackdropRow> {};

TEST_P(BackdropTest, DrawsThePictureUnscaledFromTheTopLeft) {
  const BackdropRow& row = GetParam();
  const auto picture = Gradient(row.pictureWidth, row.pictureHeight);
  std::shared_ptr<platform::Canvas> canvas;
  const auto window = OpenHost([&](HostWnd& w) {
    canvas = w.New<platform::Canvas>();
    canvas->Constructor();
    w.AddControl("Canvas3", canvas);
    w.ControlAs<platform::Canvas>("Canvas3")->SetBackdrop(picture);  // before the record
    platform::SetProperties(*canvas, platform::WriteRecord(CanvasRecord("Canvas3", 20, 5, 106, 45)));
  });
  EXPECT_EQ(canvas->Backdrop(), picture);
  const QImage shot = window->Content()->grab(QRect(20, 5, 106, 45)).toImage();
  const QImage& source = picture->Impl().image;
  for (const QPoint at : {QPoint(0, 0), QPoint(17, 9), QPoint(59, 19), QPoint(105, 44), QPoint(70, 30)}) {
    const bool covered = at.x() < source.width() && at.y() < source.height();
    const QColor expected = covered ? source.pixelColor(at) : QColor(Qt::white);
    EXPECT_EQ(shot.pixelColor(at), expected) << row.what << " at " << at.x() << "," << at.y();
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, BackdropTest, ::testing::ValuesIn(kBackdrops), RowName());

TEST(CanvasTest, WithoutBackdropShowsTheWindowAndTakesNoFocus) {
  std::shared_ptr<platform::Canvas> empty;
  const auto window = OpenHost(
      [&](HostWnd& w) { empty = w.Make<platform::Canvas>("Empty", CanvasRecord("Empty", 20, 5, 106, 45)); });
  const QImage shot = window->Content()->grab(QRect(20, 5, 106, 45)).toImage();
  EXPECT_EQ(shot.pixelColor(50, 20), QColor(Qt::white));
  EXPECT_EQ(empty->Impl().widget->focusPolicy(), Qt::NoFocus);
  empty->SetBackdrop(Gradient(10, 10));
  empty->SetBackdrop(nullptr);
  EXPECT_EQ(window->Content()->grab(QRect(20, 5, 106, 45)).toImage().pixelColor(3, 3), QColor(Qt::white));
}

// ---- Push buttons ----------------------------------------------------------------------

TEST(PushButtonTest, RecordSetsCaptionFontAndPlace) {
  std::shared_ptr<platform::PushButton> button;
  const auto window = OpenHost([&](HostWnd& w) {
    button = w.Make<platform::PushButton>("InfoBtn", With(PushButtonRecord("InfoBtn", 570, 250, 80, 30),
                                                          {{"Caption", "Information"sv}, {"TabIndex", 24}}));
  });
  auto* widget = WidgetOf<QPushButton>(*button);
  EXPECT_EQ(WindowRect(*window, *button), QRect(570, 250, 80, 30));
  EXPECT_EQ(widget->text(), "Information");
  EXPECT_EQ(button->Caption(), "Information");
  EXPECT_EQ(QFontInfo(widget->font()).family(), "Liberation Sans");
  EXPECT_EQ(QFontInfo(widget->font()).pixelSize(), 12);
  EXPECT_LE(QFontMetrics(widget->font()).horizontalAdvance(widget->text()), 80);
  EXPECT_FALSE(widget->isDefault());
  EXPECT_FALSE(widget->autoDefault());
}

TEST(PushButtonTest, CaptionAmpersandIsShownNotAMnemonic) {
  std::shared_ptr<platform::PushButton> button;
  OpenHost([&](HostWnd& w) {
    button = w.Make<platform::PushButton>(
        "B", With(PushButtonRecord("B", 10, 10, 80, 30), {{"Caption", "A&B"sv}}));
  });
  EXPECT_EQ(WidgetOf<QPushButton>(*button)->text(), "A&&B");
}

struct ClickRow {
  const char* what;
  bool bindMouseDown;
  bool swallow;
  std::vector<std::string> expected;
};

const ClickRow kClicks[] = {
    {"Action alone", false, false, {"Action"}},
    {"MouseDown comes before Action", true, false, {"MouseDown 10,12", "Action"}},
    {"MouseDown true swallows the press", true, true, {"MouseDown 10,12"}},
};

class PushButtonClickTest : public ::testing::TestWithParam<ClickRow> {};

TEST_P(PushButtonClickTest, FiresItsEventsInOrder) {
  const ClickRow& row = GetParam();
  std::shared_ptr<platform::PushButton> button;
  const auto window = OpenHost([&](HostWnd& w) {
    button = w.Make<platform::PushButton>("Btn", PushButtonRecord("Btn", 50, 250, 80, 30));
    w.Bind(*button, "Action");
    if (row.bindMouseDown) w.Bind(*button, "MouseDown");
  });
  window->swallowMouse = row.swallow;
  auto* widget = WidgetOf<QPushButton>(*button);
  // Action is on the release; MouseDown must have run while the button was not down yet.
  QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(10, 12));
  EXPECT_EQ(widget->isDown(), !row.swallow);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(10, 12));
  EXPECT_EQ(window->log, row.expected) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Events, PushButtonClickTest, ::testing::ValuesIn(kClicks), RowName());

struct KeyPressRow {
  const char* what;
  Qt::Key key;
};

// Neither Return nor Escape presses a button: no button is the default or cancel button.
const KeyPressRow kButtonKeys[] = {
    {"Return", Qt::Key_Return},
    {"Enter", Qt::Key_Enter},
    {"Escape", Qt::Key_Escape},
};

class PushButtonKeyTest : public ::testing::TestWithParam<KeyPressRow> {};

TEST_P(PushButtonKeyTest, ReturnAndEscapePressNoButton) {
  const KeyPressRow& row = GetParam();
  std::shared_ptr<platform::PushButton> button, other;
  const auto window = OpenHost([&](HostWnd& w) {
    button = w.Make<platform::PushButton>("Btn", PushButtonRecord("Btn", 50, 250, 80, 30));
    other = w.Make<platform::PushButton>("Other", PushButtonRecord("Other", 310, 250, 80, 30));
    w.Bind(*button, "Action");
    w.Bind(*other, "Action");
  });
  // The focus rests on the other button, as after the user tabbed to it.
  other->SetFocus();
  QTest::keyClick(window->Impl().frame->focusWidget(), row.key);
  EXPECT_TRUE(window->log.empty()) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Keys, PushButtonKeyTest, ::testing::ValuesIn(kButtonKeys), RowName());

TEST(PushButtonTest, ExceptionFromActionIsKeptForTheLoopAndTheButtonStaysUsable) {
  std::shared_ptr<platform::PushButton> button;
  const auto window = OpenHost([&](HostWnd& w) {
    button = w.Make<platform::PushButton>("Btn", PushButtonRecord("Btn", 50, 250, 80, 30));
    w.Bind(*button, "Action");
  });
  window->onAction = [] { platform::RaiseNilObjectException(); };
  QTest::mouseClick(WidgetOf<QPushButton>(*button), Qt::LeftButton);
  EXPECT_EQ(window->log, std::vector<std::string>{"Action"});
  EXPECT_THROW(platform::RuntimeRun(), platform::NilObjectException);
}

TEST(ControlEventTest, BindingRefusesEventsAControlDoesNotOffer) {
  std::shared_ptr<platform::StaticText> label;
  std::shared_ptr<platform::PushButton> button;
  const auto window = OpenHost([&](HostWnd& w) {
    label = w.Make<platform::StaticText>("Label", StaticTextRecord("Label", 0, 0, 10, 10));
    button = w.Make<platform::PushButton>("Btn", PushButtonRecord("Btn", 50, 250, 80, 30));
  });
  EXPECT_THROW(window->Bind(*label, "Action"), platform::RuntimeException);
  EXPECT_THROW(window->Bind(*button, "KeyDown"), platform::RuntimeException);
  EXPECT_NO_THROW(window->Bind(*button, "MouseDown"));
}

}  // namespace
