#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Builtins.h"
#include "platform/Diagnostics.h"
#include "platform/Runtime.h"
#include "platform/RuntimeException.h"
#include "platform/Window.h"
#include "platform/qt/WindowImpl.h"
#include "support/Modal.h"
#include "support/Records.h"

namespace {

std::vector<std::string> g_calls;

// Looks like markup, so a report that took it as such would show it otherwise.
constexpr char kActivationFailed[] = "activation failed: <b>x</b>";

// A hidden window with a coloured background and a menu bar.
velmora_test::Entries ProbeRecord() {
  return velmora_test::With(velmora_test::WindowRecord(), {{"Width", 320},
                                                           {"Height", 200},
                                                           {"BackColor", platform::Color(0x336699)},
                                                           {"Title", std::string_view("Probe")},
                                                           {"Visible", false}});
}

// Records what the framework calls, in order.
class ProbeWnd : public platform::Window {
 public:
  static constexpr std::string_view kClassName = "ProbeWnd.ProbeWnd";
  ProbeWnd() : Window(std::string(kClassName)) {}

  void Layout() override {
    g_calls.push_back("Layout");
    platform::SetProperties(*this, platform::WriteRecord(ProbeRecord()));
  }
  void CreateControls() override { g_calls.push_back("CreateControls"); }
  void AddMenuHandlers(const std::shared_ptr<Window>& window) override {
    g_calls.push_back(window.get() == this ? "AddMenuHandlers(self)" : "AddMenuHandlers(other)");
  }
  void Event_Open() override {
    g_calls.push_back("Open");
    if (failOnOpen) throw platform::RuntimeException("no open");
  }
  bool Event_CancelClose() override {
    g_calls.push_back("CancelClose");
    return keepOpen;
  }
  void Event_Close() override { g_calls.push_back("Close"); }
  void Event_Activate() override {
    g_calls.push_back("Activate");
    if (failOnActivate) throw platform::RuntimeException(kActivationFailed);
  }
  bool Event_KeyDown(const std::string& key) override {
    keys.push_back(key);
    return false;
  }

  static inline bool failOnOpen = false;
  static inline bool failOnActivate = false;
  bool keepOpen = false;
  std::vector<std::string> keys;
};

std::shared_ptr<ProbeWnd> Probe() { return platform::ImplicitInstance<ProbeWnd>(); }

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    ProbeWnd::failOnOpen = false;
    ProbeWnd::failOnActivate = false;
  }
};

TEST_F(WindowTest, ConstructionRunsTheHooksInOrderWithinTheAccessorCall) {
  const auto window = Probe();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"Layout", "CreateControls", "AddMenuHandlers(self)", "Open"}));
  EXPECT_EQ(platform::GetImplicitWindow(ProbeWnd::kClassName), window);
}

TEST_F(WindowTest, TheAccessorReturnsTheOpenWindowWithoutBuildingAgain) {
  const auto first = Probe();
  g_calls.clear();
  const auto second = Probe();
  EXPECT_EQ(first, second);
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(WindowTest, AHiddenWindowStaysHiddenThroughTheAccessor) {
  const auto window = Probe();
  EXPECT_FALSE(window->Visible());  // its record says Visible false
  window->Show();
  EXPECT_TRUE(window->Visible());
  window->Hide();
  EXPECT_FALSE(Probe()->Visible());
  EXPECT_EQ(Probe(), window);
}

TEST_F(WindowTest, TheRecordSetsTheQtWindow) {
  const auto window = Probe();
  window->Show();
  QMainWindow* frame = window->Impl().frame;
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->windowTitle(), "Probe");
  EXPECT_EQ(window->Impl().frame->Content()->size(), QSize(320, 200));
  EXPECT_TRUE(frame->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window->Impl().frame->Content()->palette().color(QPalette::Window), QColor(0x33, 0x66, 0x99));
  // Not resizeable: the window keeps its size.
  EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
}

TEST_F(WindowTest, AClosedWindowIsBuiltAfreshByItsAccessor) {
  const std::weak_ptr<ProbeWnd> first = Probe();
  g_calls.clear();
  EXPECT_TRUE(first.lock()->Close());
  EXPECT_EQ(g_calls, (std::vector<std::string>{"CancelClose", "Close"}));
  EXPECT_EQ(platform::GetImplicitWindow(ProbeWnd::kClassName), nullptr);
  EXPECT_TRUE(first.expired());  // nothing else held it
  g_calls.clear();
  const auto second = Probe();
  EXPECT_EQ(g_calls.front(), "Layout");
  EXPECT_TRUE(second->IsOpen());
}

TEST_F(WindowTest, CancelCloseKeepsTheWindowOpen) {
  const auto window = Probe();
  window->keepOpen = true;
  EXPECT_FALSE(window->Close());
  EXPECT_TRUE(window->IsOpen());
  EXPECT_EQ(platform::GetImplicitWindow(ProbeWnd::kClassName), window);
}

struct CloseRequestCase {
  const char* name;
  bool closeButton;
};

void PrintTo(const CloseRequestCase& c, std::ostream* out) { *out << c.name; }

class CloseRequestTest : public WindowTest, public ::testing::WithParamInterface<CloseRequestCase> {};

// A close request from the window manager takes the close path only where the record
// gives the window a close box; Quit closes either.
TEST_P(CloseRequestTest, ClosesOnlyAWindowWithACloseBox) {
  const bool closeButton = GetParam().closeButton;
  const auto window = Probe();
  window->SetProperty("CloseButton", closeButton);
  window->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window->Impl().frame));
  g_calls.clear();
  window->Impl().frame->windowHandle()->close();
  EXPECT_EQ(window->IsOpen(), !closeButton);
  EXPECT_EQ(window->Visible(), !closeButton);
  const std::vector<std::string> closePath = {"CancelClose", "Close"};
  EXPECT_EQ(g_calls, closeButton ? closePath : std::vector<std::string>());
  platform::Quit(0);
  EXPECT_FALSE(window->IsOpen());
}

INSTANTIATE_TEST_SUITE_P(WindowTest, CloseRequestTest,
                         ::testing::Values(CloseRequestCase{"WithCloseBox", true},
                                           CloseRequestCase{"WithoutCloseBox", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MinimisedCase {
  const char* name;
  bool hiddenWhileMinimised;
};

void PrintTo(const MinimisedCase& c, std::ostream* out) { *out << c.name; }

class MinimisedShowTest : public WindowTest, public ::testing::WithParamInterface<MinimisedCase> {};

TEST_P(MinimisedShowTest, ShowRestoresRaisesAndActivates) {
  const auto window = Probe();
  QMainWindow* frame = window->Impl().frame;
  window->Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
  frame->setWindowState(frame->windowState() | Qt::WindowMinimized);
  if (GetParam().hiddenWhileMinimised) window->Hide();
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  ASSERT_TRUE(frame->windowState() & Qt::WindowMinimized);

  window->Show();
  EXPECT_FALSE(frame->windowState() & Qt::WindowMinimized);
  EXPECT_TRUE(window->Visible());
  EXPECT_TRUE(QTest::qWaitForWindowActive(frame));
  EXPECT_TRUE(window->IsActive());
}

INSTANTIATE_TEST_SUITE_P(WindowTest, MinimisedShowTest,
                         ::testing::Values(MinimisedCase{"ShownWhileMinimised", false},
                                           MinimisedCase{"HiddenWhileMinimised", true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct KeyCase {
  const char* name;
  Qt::Key key;
  bool reaches;  // KeyDown sees the function-key code 16
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }

class WindowKeyTest : public WindowTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(WindowKeyTest, KeyDownSeesKeysThatTypeNothing) {
  const KeyCase& c = GetParam();
  const auto window = Probe();
  window->Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->Impl().frame));
  window->keys.clear();
  QTest::keyClick(window->Impl().frame->windowHandle(), c.key);
  const std::vector<std::string> functionKey = {"\x10"};
  EXPECT_EQ(window->keys, c.reaches ? functionKey : std::vector<std::string>());
}

INSTANTIATE_TEST_SUITE_P(FunctionKeys, WindowKeyTest,
                         ::testing::Values(KeyCase{"F1", Qt::Key_F1, true}, KeyCase{"F12", Qt::Key_F12, true},
                                           KeyCase{"F13", Qt::Key_F13, true},
                                           KeyCase{"F35", Qt::Key_F35, true}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    OtherKeys, WindowKeyTest,
    ::testing::Values(KeyCase{"Insert", Qt::Key_Insert, true}, KeyCase{"Pause", Qt::Key_Pause, true},
                      KeyCase{"PrintScreen", Qt::Key_Print, true}, KeyCase{"Menu", Qt::Key_Menu, true},
                      KeyCase{"Help", Qt::Key_Help, true}, KeyCase{"ScrollLock", Qt::Key_ScrollLock, true},
                      KeyCase{"Clear", Qt::Key_Clear, true}, KeyCase{"SysReq", Qt::Key_SysReq, true}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(ModifiersAlone, WindowKeyTest,
                         ::testing::Values(KeyCase{"Shift", Qt::Key_Shift, false},
                                           KeyCase{"Control", Qt::Key_Control, false},
                                           KeyCase{"Alt", Qt::Key_Alt, false},
                                           KeyCase{"Meta", Qt::Key_Meta, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, AWindowWhoseConstructionRaisesIsNotLeftRegistered) {
  ProbeWnd::failOnOpen = true;
  EXPECT_THROW(Probe(), platform::RuntimeException);
  EXPECT_EQ(platform::GetImplicitWindow(ProbeWnd::kClassName), nullptr);
  EXPECT_TRUE(platform::OpenWindows().empty());
  ProbeWnd::failOnOpen = false;
  EXPECT_TRUE(Probe()->IsOpen());
}

TEST_F(WindowTest, ActivationComesFromQtAndAnExceptionLeavesRuntimeRunOnce) {
  ProbeWnd::failOnActivate = true;
  const auto window = Probe();
  QTimer::singleShot(0, [window] { window->Show(); });
  std::exception_ptr escaped;
  try {
    platform::RuntimeRun();
  } catch (const platform::RuntimeException&) {
    escaped = std::current_exception();
  }
  ASSERT_TRUE(escaped);
  EXPECT_NE(std::find(g_calls.begin(), g_calls.end(), "Activate"), g_calls.end());
  // Once rethrown it is gone: the next run does not raise it again.
  QTimer::singleShot(0, [] { platform::Quit(0); });
  EXPECT_NO_THROW(platform::RuntimeRun());
  // The report names the class and shows the message as written; the run then ends with
  // a failure status.
  QString text;
  bool messageAsPlainText = false;
  velmora_test::ModalAnswerer answerer(velmora_test::ReadMessageBox([&](QMessageBox& box) {
    text = box.text();
    for (const QLabel* label : box.findChildren<QLabel*>())
      if (label->text() == QString::fromLatin1(kActivationFailed))
        messageAsPlainText = label->textFormat() == Qt::PlainText;
  }));
  platform::RuntimeUnhandledException(escaped);
  ASSERT_TRUE(answerer.Answered());
  EXPECT_TRUE(text.contains("RuntimeException")) << text.toStdString();
  EXPECT_TRUE(messageAsPlainText);
  EXPECT_NE(platform::RuntimeExit(), 0);
}

TEST_F(WindowTest, QuitClosesTheOpenWindowsAndReturnsFromTheLoop) {
  const auto window = Probe();
  QTimer::singleShot(0, [] { platform::Quit(0); });
  platform::RuntimeRun();
  EXPECT_FALSE(window->IsOpen());
  EXPECT_EQ(g_calls.back(), "Close");
  EXPECT_EQ(platform::RuntimeExit(), 0);
}

TEST_F(WindowTest, ASecondQuitWhileQuittingDoesNothingMore) {
  const auto window = Probe();
  int closes = 0;
  QTimer::singleShot(0, [&closes] {
    platform::Quit(0);
    closes = static_cast<int>(std::count(g_calls.begin(), g_calls.end(), "Close"));
    platform::Quit(3);
  });
  platform::RuntimeRun();
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(std::count(g_calls.begin(), g_calls.end(), "Close"), 1);
  EXPECT_EQ(platform::RuntimeExit(), 0);
}

TEST_F(WindowTest, AQuitBeforeTheLoopMakesTheLoopReturnAtOnce) {
  const auto window = Probe();
  bool loopRan = false;
  QTimer::singleShot(0, [&loopRan] { loopRan = true; });
  platform::Quit(0);
  EXPECT_FALSE(window->IsOpen());
  platform::RuntimeRun();
  EXPECT_FALSE(loopRan);
}

}  // namespace
