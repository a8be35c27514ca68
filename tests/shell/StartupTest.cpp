#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "calculator/ControlWnd.h"
#include "infowindows/AboutWnd.h"
#include "infowindows/DescriptionWnd.h"
#include "platform/Builtins.h"
#include "platform/Canvas.h"
#include "platform/Diagnostics.h"
#include "platform/Runtime.h"
#include "platform/Window.h"
#include "resources/Texts.h"
#include "shell/FileTypes.h"
#include "shell/HandleAboutMenu.h"
#include "shell/InvisibleWnd.h"
#include "shell/Menu.h"
#include "shell/Startup.h"
#include "support/Modal.h"
#include "support/TempBundle.h"
#include "support/TraceRecorder.h"

namespace {

// What the system's own start-up step first tells the runtime: its classes, in order.
const std::vector<std::string> kClassRegistrations = {
    "RegisterClass ControlWnd.ControlWnd : Window",
    "RegisterClass Menu.Menu : MenuBar",
    "RegisterClass AboutWnd.AboutWnd : Window",
    "RegisterClass HandleAboutMenu.HandleAboutMenu : Application",
    "RegisterClass DescriptionWnd.DescriptionWnd : Window",
    "RegisterClass InvisibleWnd.InvisibleWnd : Window",
    "RegisterClass InvisibleWnd.Timer1 : Timer",
};

using velmora_test::TempBundle;
using velmora_test::TraceRecorder;

// An executable at the root: its folder, the root, has no parent.
constexpr char kExecutableAtTheRoot[] = "/velmora";

std::shared_ptr<platform::Window> Open(std::string_view className) {
  return platform::GetImplicitWindow(className);
}

// Watches the shutdown from the trace: the framework's lists go first, then "text",
// then the untitled type, and the menu bar outlives both.
class FinalisationProbe {
 public:
  void See(std::string_view line) {
    if (line == "RuntimeReleaseIntrospectionMaps") textKeptPastLists = velmora::FileTypes::pText != nullptr;
    if (line == "DeregisterFileType \"text\"")
      untitledAndMenuKeptPastText =
          !velmora::FileTypes::pText && velmora::FileTypes::pUntitledType && velmora::Menu::implicitInstance;
    if (line == "DeregisterFileType \"\"")
      menuKeptPastUntitled = !velmora::FileTypes::pUntitledType && velmora::Menu::implicitInstance;
  }

  void Check(const TraceRecorder& trace) const {
    EXPECT_EQ(trace.Starting({"RuntimeRelease", "DeregisterFileType"}),
              (std::vector<std::string>{"RuntimeReleaseImplicitWindowList", "RuntimeReleaseWindowLists",
                                        "RuntimeReleaseIntrospectionMaps", "DeregisterFileType \"text\"",
                                        "DeregisterFileType \"\""}));
    EXPECT_TRUE(textKeptPastLists);
    EXPECT_TRUE(untitledAndMenuKeptPastText);
    EXPECT_TRUE(menuKeptPastUntitled);
    EXPECT_FALSE(velmora::Menu::implicitInstance);
  }

 private:
  bool textKeptPastLists = false;
  bool untitledAndMenuKeptPastText = false;
  bool menuKeptPastUntitled = false;
};

TEST(Startup, RegistersTheSevenClassesAndMakesNoObject) {
  TraceRecorder trace;
  velmora::initialize();
  EXPECT_EQ(trace.Lines(), kClassRegistrations);
  EXPECT_FALSE(velmora::App());
  EXPECT_FALSE(velmora::Menu::implicitInstance);
  EXPECT_TRUE(platform::OpenWindows().empty());
}

TEST(Startup, RunsItsStepsInOrderAndRegistersTheApplicationBeforeUsingIt) {
  bool appBeforeRegistration = true;
  std::vector<bool> appAtHandlers;
  TraceRecorder trace([&](std::string_view line) {
    if (line == "SetMenuBar Application") appBeforeRegistration = velmora::App() != nullptr;
    if (line.starts_with("AddMenuHandler Application")) appAtHandlers.push_back(velmora::App() != nullptr);
  });
  velmora::initialize();
  platform::RunFrameworkInitialization(velmora::Startup);

  std::vector<std::string> expected = kClassRegistrations;
  expected.insert(expected.end(), {
                                      "RunFrameworkInitialization",
                                      "RuntimeInitExternalClasses",
                                      "RuntimeAllocatePluginEntrypointsTable 0",
                                      "RegisterFileType \"text\"",
                                      "RegisterFileType \"\"",
                                      "SetMenuBar Application",
                                      "RuntimeRegisterAppObject",
                                      "AddMenuHandler Application AboutQEN",
                                      "AddMenuHandler Application AboutMenuItem",
                                      "Construct InvisibleWnd.InvisibleWnd",
                                      "SetMenuBar InvisibleWnd.InvisibleWnd",
                                      "Construct AboutWnd.AboutWnd",
                                  });
  ASSERT_GE(trace.Lines().size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(trace.Lines().begin(), trace.Lines().begin() + expected.size()),
            expected);
  EXPECT_FALSE(appBeforeRegistration) << "App is nothing until the object is registered";
  EXPECT_EQ(appAtHandlers, (std::vector<bool>{true, true}));

  // What the event loop would start with.
  ASSERT_TRUE(velmora::App());
  EXPECT_EQ(velmora::App()->MenuBar(), velmora::Menu());
  ASSERT_TRUE(Open(velmora::InvisibleWnd::kClassName));
  EXPECT_FALSE(Open(velmora::InvisibleWnd::kClassName)->Visible());
  ASSERT_TRUE(Open(velmora::AboutWnd::kClassName));
  EXPECT_TRUE(Open(velmora::AboutWnd::kClassName)->Visible());
  EXPECT_FALSE(Open(velmora::ControlWnd::kClassName));
  EXPECT_FALSE(Open(velmora::DescriptionWnd::kClassName));
}

TEST(Startup, AFailingStepIsReportedOnceTheLoopNeverRunsAndShutdownStillHappens) {
  // An executable at the root has a folder with no parent: the splash's first picture
  // raises inside the start-up step.
  TempBundle bundle;
  platform::RuntimeSetExecutableFileOverride(std::filesystem::path(kExecutableAtTheRoot));
  FinalisationProbe probe;
  TraceRecorder trace([&probe](std::string_view line) { probe.See(line); });

  QString report;
  {
    velmora_test::ModalAnswerer answerer([&report](QWidget* modal) {
      if (auto* box = qobject_cast<QMessageBox*>(modal)) report = box->text();
      modal->close();
    });
    velmora::initialize();
    velmora::Main();
    EXPECT_TRUE(answerer.Answered());
  }
  EXPECT_TRUE(report.contains("NilObjectException")) << report.toStdString();
  EXPECT_EQ(trace.Starting({"RuntimeUnhandledException"}),
            (std::vector<std::string>{"RuntimeUnhandledException NilObjectException"}));
  EXPECT_EQ(trace.Count("RuntimeRun"), 0);
  // The half-built windows are gone; the application object stayed registered.
  EXPECT_FALSE(Open(velmora::InvisibleWnd::kClassName));
  EXPECT_FALSE(Open(velmora::AboutWnd::kClassName));
  EXPECT_TRUE(velmora::App());

  velmora::finalize();
  probe.Check(trace);
  EXPECT_NE(platform::RuntimeExit(), 0);
}

TEST(Startup, AnExceptionOutOfTheEventLoopIsReportedOnceAndEndsTheRun) {
  // The splash gets its pictures; by the time the timer builds the calculator window,
  // the executable seems to sit at the root, where its folder has no parent.
  TempBundle bundle;
  ASSERT_TRUE(bundle.MakeResourcesFolder());
  for (std::string_view file : {velmora::kBMImediumFile, velmora::kRBhzSmFile, velmora::kBMIsmallFile})
    ASSERT_TRUE(bundle.CopyFromBuild(file));
  QTimer::singleShot(
      0, [] { platform::RuntimeSetExecutableFileOverride(std::filesystem::path(kExecutableAtTheRoot)); });
  QTimer failSafe;
  failSafe.setSingleShot(true);
  QObject::connect(&failSafe, &QTimer::timeout, [] {
    ADD_FAILURE() << "the run did not end";
    platform::Quit(0);
  });
  failSafe.start(10000);
  FinalisationProbe probe;
  TraceRecorder trace([&probe](std::string_view line) { probe.See(line); });

  QString report;
  {
    velmora_test::ModalAnswerer answerer(
        [&report](QWidget* modal) {
          if (auto* box = qobject_cast<QMessageBox*>(modal)) report = box->text();
          modal->close();
        },
        10000);
    velmora::initialize();
    velmora::Main();
    EXPECT_TRUE(answerer.Answered());
  }
  failSafe.stop();
  EXPECT_TRUE(report.contains("NilObjectException")) << report.toStdString();
  EXPECT_EQ(trace.Count("RuntimeRun"), 1);
  EXPECT_EQ(trace.Starting({"RuntimeUnhandledException"}),
            (std::vector<std::string>{"RuntimeUnhandledException NilObjectException"}));
  EXPECT_FALSE(Open(velmora::ControlWnd::kClassName));

  velmora::finalize();
  probe.Check(trace);
  EXPECT_NE(platform::RuntimeExit(), 0);
}

// Where the bundle's pictures come from in a real run.
enum class Resources { TheBuiltBundle, NoFolder, AFileInPlaceOfTheFolder };

struct RunCase {
  const char* name;
  Resources resources;
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

// Without its Resources folder (the executable copied out on its own) the program still
// runs: its windows open with empty canvases.
const RunCase kRunCases[] = {
    {"TheBuiltBundle", Resources::TheBuiltBundle},
    {"NoResourcesFolder", Resources::NoFolder},
    {"AFileInPlaceOfTheResourcesFolder", Resources::AFileInPlaceOfTheFolder},
};

class StartupRun : public ::testing::TestWithParam<RunCase> {};

// The backdrops of the splash's and the calculator's canvases that hold a picture.
int Pictures() {
  int pictures = 0;
  const auto about = Open(velmora::AboutWnd::kClassName);
  const auto control = Open(velmora::ControlWnd::kClassName);
  for (const auto& [window, canvas] :
       {std::pair{about, "Canvas1"}, {about, "Canvas2"}, {control, "Canvas3"}}) {
    const auto found = window ? window->ControlAs<platform::Canvas>(canvas) : nullptr;
    if (found && found->Backdrop()) ++pictures;
  }
  return pictures;
}

TEST_P(StartupRun, ShowsTheSplashThenTheCalculatorAndQuitsWithStatusZero) {
  const RunCase& c = GetParam();
  std::optional<TempBundle> bundle;
  if (c.resources != Resources::TheBuiltBundle) bundle.emplace();
  if (c.resources == Resources::AFileInPlaceOfTheFolder) {
    ASSERT_TRUE(bundle->WriteFile(bundle->Resources(), "a file, not a folder"));
  }
  FinalisationProbe probe;
  TraceRecorder trace([&probe](std::string_view line) { probe.See(line); });

  // Looked at once the loop turns, and then every 10 ms until the calculator is up.
  bool splashAtLoopStart = false;
  bool calculatorAtLoopStart = true;
  bool startWindowEverVisible = false;
  qint64 calculatorAfterMs = -1;
  int pictures = -1;
  QElapsedTimer clock;
  QTimer::singleShot(0, [&] {
    const auto about = Open(velmora::AboutWnd::kClassName);
    splashAtLoopStart = about && about->Visible();
    calculatorAtLoopStart = Open(velmora::ControlWnd::kClassName) != nullptr;
  });
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    const auto start = Open(velmora::InvisibleWnd::kClassName);
    startWindowEverVisible = startWindowEverVisible || (start && start->Visible());
    const auto control = Open(velmora::ControlWnd::kClassName);
    const auto about = Open(velmora::AboutWnd::kClassName);
    if (control && control->Visible() && about && !about->Visible()) {
      calculatorAfterMs = clock.elapsed();
      pictures = Pictures();
      platform::Quit(0);
    } else if (clock.elapsed() > 10000) {
      ADD_FAILURE() << "the calculator window never came up";
      platform::Quit(0);
    }
  });
  poll.start();
  clock.start();

  velmora::initialize();
  velmora::Main();
  poll.stop();

  EXPECT_TRUE(splashAtLoopStart);
  EXPECT_FALSE(calculatorAtLoopStart);
  EXPECT_FALSE(startWindowEverVisible);
  // The timer counts from a moment after the clock started.
  EXPECT_GE(calculatorAfterMs, 1500);
  EXPECT_EQ(trace.Count("RuntimeRun"), 1);
  EXPECT_EQ(trace.Count("Quit 0"), 1);
  EXPECT_TRUE(trace.Starting({"RuntimeUnhandledException"}).empty());
  EXPECT_EQ(pictures, c.resources == Resources::TheBuiltBundle ? 3 : 0);

  velmora::finalize();
  probe.Check(trace);
  EXPECT_EQ(platform::RuntimeExit(), 0);
}

INSTANTIATE_TEST_SUITE_P(Startup, StartupRun, ::testing::ValuesIn(kRunCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Qt ends the process from inside the event loop when the display goes away: it ends
// with the status it was given, not by a signal from tearing down what Qt has left.
TEST(StartupDeathTest, AnExitFromInsideTheEventLoopKeepsItsStatus) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        QTimer::singleShot(0, [] { std::exit(3); });
        velmora::initialize();
        velmora::Main();
      },
      ::testing::ExitedWithCode(3), "");
}

}  // namespace
