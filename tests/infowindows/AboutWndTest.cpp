#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QWindow>
#include <ostream>
#include <string>

#include "calculator/ControlWnd.h"
#include "infowindows/AboutWnd.h"
#include "platform/Builtins.h"
#include "platform/Canvas.h"
#include "platform/StaticText.h"
#include "resources/Texts.h"
#include "shell/HandleAboutMenu.h"
#include "shell/Pictures.h"
#include "shell/Startup.h"
#include "support/AppStart.h"
#include "support/TempBundle.h"
#include "support/TraceRecorder.h"
#include "support/WindowAccess.h"

namespace {

using velmora_test::ContentOf;
using velmora_test::FrameOf;
using velmora_test::WidgetOf;

const QColor kWhite(0xFF, 0xFF, 0xFF);

// Whether every pixel of the rectangle has the colour.
bool AllPixels(const QImage& image, const QRect& rect, QColor colour) {
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (image.pixelColor(x, y) != colour) return false;
  return true;
}

// The control's rectangle in the content's coordinates.
QRect AreaOf(const platform::Window& window, std::string_view name) {
  QWidget* widget = WidgetOf(window, name);
  return widget ? QRect(widget->mapTo(ContentOf(window), QPoint(0, 0)), widget->size()) : QRect();
}

QImage Snapshot(const platform::Window& window) { return ContentOf(window)->grab().toImage(); }

std::shared_ptr<platform::Window> OpenCalculator() {
  return platform::GetImplicitWindow(velmora::ControlWnd::kClassName);
}

TEST(AboutWindow, ShowsNameNoticeAndPicturesInAPlainWhiteBox) {
  velmora_test::StartApplication();
  const auto about = velmora::AboutWnd();
  ASSERT_TRUE(about);
  // Built visible: whoever creates it need not show it.
  EXPECT_TRUE(about->Visible());
  EXPECT_EQ(ContentOf(*about)->size(), QSize(300, 200));
  EXPECT_TRUE(FrameOf(*about)->windowFlags() & Qt::FramelessWindowHint) << "no title bar, no close box";

  struct LabelCase {
    std::string_view name;
    std::string_view text;
    bool bold;
    int pixelSize;
  };
  const LabelCase labels[] = {{"StaticText1", "Velmora", true, 22},
                              {"StaticText5", velmora::kNotice, false, 9}};
  for (const LabelCase& c : labels) {
    SCOPED_TRACE(std::string(c.name));
    const auto label = about->ControlAs<platform::StaticText>(c.name);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->Text(), c.text);
    auto* widget = qobject_cast<QLabel*>(WidgetOf(*about, c.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(QFontInfo(widget->font()).family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(widget->font().bold(), c.bold);
    EXPECT_EQ(widget->font().pixelSize(), c.pixelSize);
    EXPECT_TRUE(widget->alignment() & Qt::AlignHCenter);
    EXPECT_LE(QFontMetrics(widget->font()).horizontalAdvance(widget->text()), widget->width())
        << "text overflows";
  }

  // Both pictures are drawn in their canvases, which take no input of their own.
  const QImage shot = Snapshot(*about);
  for (std::string_view name : {"Canvas1", "Canvas2"}) {
    SCOPED_TRACE(std::string(name));
    const auto canvas = about->ControlAs<platform::Canvas>(name);
    ASSERT_TRUE(canvas);
    EXPECT_TRUE(canvas->Backdrop());
    EXPECT_FALSE(canvas->Enabled());
    EXPECT_FALSE(AllPixels(shot, AreaOf(*about, name), kWhite)) << "the picture is not drawn";
  }
  EXPECT_TRUE(AllPixels(shot, QRect(5, 50, 30, 60), kWhite)) << "the background is not white";
}

// The splash and every About item show one window, built once, its pictures read once.
TEST(AboutWindow, SameWindowEveryTimeItsPicturesReadOnce) {
  velmora_test::TempBundle bundle;
  ASSERT_TRUE(bundle.MakeResourcesFolder());
  ASSERT_TRUE(bundle.CopyFromBuild(velmora::kBMImediumFile));
  ASSERT_TRUE(bundle.CopyFromBuild(velmora::kRBhzSmFile));
  velmora_test::StartApplication();
  velmora_test::TraceRecorder trace;

  const auto about = velmora::AboutWnd();
  const auto canvas1 = about->ControlAs<platform::Canvas>("Canvas1");
  const auto canvas2 = about->ControlAs<platform::Canvas>("Canvas2");
  ASSERT_TRUE(canvas1 && canvas2);
  const auto medium = canvas1->Backdrop();
  const auto small = canvas2->Backdrop();
  ASSERT_TRUE(medium && small);
  EXPECT_EQ(medium, velmora::BMImedium()) << "the window holds the kept picture";

  // With the files gone, any reading of them now would leave the canvases empty.
  ASSERT_TRUE(bundle.Remove(velmora::kBMImediumFile));
  ASSERT_TRUE(bundle.Remove(velmora::kRBhzSmFile));

  const auto app = velmora::App();
  ASSERT_TRUE(app);
  for (auto show :
       {&velmora::HandleAboutMenu::AboutQEN_Action, &velmora::HandleAboutMenu::AboutMenuItem_Action}) {
    about->Hide();
    ASSERT_FALSE(about->Visible());
    EXPECT_FALSE(((*app).*show)());
    EXPECT_TRUE(about->Visible());
    EXPECT_EQ(velmora::AboutWnd(), about);
    EXPECT_EQ(about->ControlAs<platform::Canvas>("Canvas1"), canvas1);
    EXPECT_EQ(canvas1->Backdrop(), medium);
    EXPECT_EQ(canvas2->Backdrop(), small);
    EXPECT_FALSE(AllPixels(Snapshot(*about), AreaOf(*about, "Canvas1"), kWhite));
  }
  EXPECT_EQ(trace.Count("Construct AboutWnd.AboutWnd"), 1);
}

struct DismissCase {
  const char* name;
  int key;                   // a key press, or 0
  std::string_view control;  // a click on this control, or on `point` when empty
  QPoint point;
};

// Names the case in test listings.
void PrintTo(const DismissCase& c, std::ostream* os) { *os << c.name; }

// Any key, and a press anywhere: on the labels, on the disabled canvases, on bare background.
const DismissCase kDismissCases[] = {
    {"LetterKey", Qt::Key_A, {}, {}},          {"ReturnKey", Qt::Key_Return, {}, {}},
    {"EscapeKey", Qt::Key_Escape, {}, {}},     {"ArrowKey", Qt::Key_Left, {}, {}},
    {"SpaceKey", Qt::Key_Space, {}, {}},       {"FunctionKey", Qt::Key_F1, {}, {}},
    {"PrintScreenKey", Qt::Key_Print, {}, {}}, {"ClickOnName", 0, "StaticText1", {}},
    {"ClickOnNotice", 0, "StaticText5", {}},   {"ClickOnLargePicture", 0, "Canvas1", {}},
    {"ClickOnSmallPicture", 0, "Canvas2", {}}, {"ClickOnBackground", 0, {}, QPoint(20, 100)},
};

class AboutDismissTest : public ::testing::TestWithParam<DismissCase> {};

TEST_P(AboutDismissTest, HidesTheWindowAndBringsUpTheCalculator) {
  const DismissCase& c = GetParam();
  velmora_test::StartApplication();
  const auto about = velmora::AboutWnd();
  velmora_test::ShowActive(*about);
  ASSERT_FALSE(OpenCalculator()) << "the calculator must come from the dismissal";

  if (c.key) {
    QTest::keyClick(FrameOf(*about)->windowHandle(), static_cast<Qt::Key>(c.key));
  } else {
    const QPoint at = c.control.empty() ? c.point : AreaOf(*about, c.control).center();
    ASSERT_EQ(ContentOf(*about)->childAt(at), c.control.empty() ? nullptr : WidgetOf(*about, c.control))
        << "the press must land where the case says";
    velmora_test::ClickContentAt(*about, at);
  }

  const auto calculator = OpenCalculator();
  ASSERT_TRUE(calculator);
  EXPECT_TRUE(calculator->Visible());
  EXPECT_FALSE(about->Visible());
  EXPECT_TRUE(about->IsOpen()) << "hidden, not closed";
  EXPECT_EQ(velmora::AboutWnd(), about);
}

INSTANTIATE_TEST_SUITE_P(AboutWindow, AboutDismissTest, ::testing::ValuesIn(kDismissCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AboutWindow, KeyAndMouseHandlersAnswerFalse) {
  velmora_test::StartApplication();
  const auto about = velmora::AboutWnd();
  EXPECT_FALSE(about->Event_KeyDown("x"));
  EXPECT_FALSE(about->Visible());
  about->Show();
  EXPECT_FALSE(about->Event_MouseDown(150, 100));
  EXPECT_FALSE(about->Visible());
  const auto calculator = OpenCalculator();
  ASSERT_TRUE(calculator);
  EXPECT_TRUE(calculator->Visible());
}

// It has no close box: a close request from the window manager leaves the splash up, and
// only quitting closes it.
TEST(AboutWindow, ACloseRequestLeavesItUpAndQuitStillClosesIt) {
  velmora_test::StartApplication();
  const auto about = velmora::AboutWnd();
  velmora_test::ShowActive(*about);
  FrameOf(*about)->windowHandle()->close();
  EXPECT_TRUE(about->IsOpen());
  EXPECT_TRUE(about->Visible());
  EXPECT_TRUE(FrameOf(*about)->isVisible());
  EXPECT_EQ(velmora::AboutWnd(), about);
  platform::Quit(0);
  EXPECT_FALSE(about->IsOpen());
}

struct MissingCase {
  const char* name;
  bool mediumPresent;
  bool smallPresent;
};

// Names the case in test listings.
void PrintTo(const MissingCase& c, std::ostream* os) { *os << c.name; }

const MissingCase kMissingCases[] = {
    {"LargePictureMissing", false, true},
    {"SmallPictureMissing", true, false},
    {"BothPicturesMissing", false, false},
};

class AboutMissingPictureTest : public ::testing::TestWithParam<MissingCase> {};

// A picture that cannot be read leaves its canvas empty; the window opens all the same,
// and stays as it was built even once the file is back.
TEST_P(AboutMissingPictureTest, OpensWithAnEmptyArea) {
  const MissingCase& c = GetParam();
  velmora_test::TempBundle bundle;
  ASSERT_TRUE(bundle.MakeResourcesFolder());
  if (c.mediumPresent) {
    ASSERT_TRUE(bundle.CopyFromBuild(velmora::kBMImediumFile));
  }
  if (c.smallPresent) {
    ASSERT_TRUE(bundle.CopyFromBuild(velmora::kRBhzSmFile));
  }
  velmora_test::StartApplication();

  const auto about = velmora::AboutWnd();
  ASSERT_TRUE(about);
  EXPECT_TRUE(about->Visible());
  EXPECT_EQ(about->ControlAs<platform::StaticText>("StaticText1")->Text(), "Velmora");
  EXPECT_EQ(about->ControlAs<platform::StaticText>("StaticText5")->Text(), velmora::kNotice);

  const struct {
    std::string_view name;
    bool present;
  } canvases[] = {{"Canvas1", c.mediumPresent}, {"Canvas2", c.smallPresent}};
  const auto check = [&] {
    const QImage shot = Snapshot(*about);
    for (const auto& canvas : canvases) {
      SCOPED_TRACE(std::string(canvas.name));
      EXPECT_EQ(static_cast<bool>(about->ControlAs<platform::Canvas>(canvas.name)->Backdrop()),
                canvas.present);
      EXPECT_EQ(AllPixels(shot, AreaOf(*about, canvas.name), kWhite), !canvas.present);
    }
  };
  check();

  if (!c.mediumPresent) {
    ASSERT_TRUE(bundle.CopyFromBuild(velmora::kBMImediumFile));
  }
  if (!c.smallPresent) {
    ASSERT_TRUE(bundle.CopyFromBuild(velmora::kRBhzSmFile));
  }
  about->Hide();
  velmora::AboutWnd()->Show();
  check();
}

INSTANTIATE_TEST_SUITE_P(AboutWindow, AboutMissingPictureTest, ::testing::ValuesIn(kMissingCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
