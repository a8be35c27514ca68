#include "platform/Runtime.h"

#include <cxxabi.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/Application.h"
#include "platform/Builtins.h"
#include "platform/Diagnostics.h"
#include "platform/RuntimeException.h"
#include "platform/Window.h"
#include "platform/qt/DialogOwner.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/RuntimeState.h"

namespace platform {
namespace detail {

// Never destroyed: RuntimeExit lets go of Qt in order. A process that ends inside the
// event loop (Qt exits when the display goes away) must not tear windows down after
// Qt's own globals have gone.
RuntimeState& State() {
  static RuntimeState* const state = new RuntimeState;
  return *state;
}

void WhenRunning(std::function<void()> work) {
  if (State().running) {
    work();
  } else {
    State().whenRunning.push_back(std::move(work));
  }
}

}  // namespace detail

namespace {

using detail::State;

// Qt keeps pointers to these for the life of the application.
int g_argc = 1;
char g_programName[] = "velmora";
char* g_argv[] = {g_programName, nullptr};

QtMessageHandler g_previousHandler = nullptr;

constexpr char kMessageBoxTitle[] = "Velmora";

constexpr int kFrameworkFontPixels = 13;
constexpr double kPointsPerInch = 72.0;

std::int64_t g_beepCount = 0;

// Tests run the framework's dialogs on an application of their own, without RuntimeInit.
bool HasApplication() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

// Qt's messages while the application is being made, until it is up: a display that
// cannot be opened is the user's situation, not a crash, and is said in one line.
struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};
bool g_holdingMessages = false;
std::vector<HeldMessage> g_heldMessages;

void PassOn(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (g_previousHandler) g_previousHandler(type, context, message);
}

void PassOnHeldMessages() {
  g_holdingMessages = false;
  for (const HeldMessage& held : std::exchange(g_heldMessages, {})) {
    const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
    PassOn(held.type, context, held.text);
  }
}

// Only the X platform says that its display did not answer.
bool DisplayRefused() {
  return std::any_of(g_heldMessages.begin(), g_heldMessages.end(), [](const HeldMessage& held) {
    return held.category == "qt.qpa.xcb" &&
           held.text.startsWith(QLatin1String("could not connect to display"));
  });
}

void MessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (!g_holdingMessages) return PassOn(type, context, message);
  if (type != QtFatalMsg) {
    g_heldMessages.push_back({type, QByteArray(context.category), message});
    return;
  }
  if (DisplayRefused()) {
    std::fprintf(stderr, "velmora: cannot open the display %s\n", qgetenv("DISPLAY").constData());
  } else {
    PassOnHeldMessages();
    std::fprintf(stderr, "velmora: cannot open the display: %s\n", qPrintable(message.section('\n', 0, 0)));
  }
  std::_Exit(1);
}

bool NoDisplayAvailable() {
  const QByteArray platformName = qgetenv("QT_QPA_PLATFORM");
  if (!platformName.isEmpty() && !platformName.startsWith("xcb")) return false;
  return qEnvironmentVariableIsEmpty("DISPLAY") &&
         (platformName.startsWith("xcb") || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
}

std::string DemangledName(const std::type_info& type) {
  int status = 0;
  char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  std::string result = status == 0 && name ? name : type.name();
  std::free(name);
  return result;
}

// The class and message of an exception, for the report.
std::pair<std::string, std::string> Describe(std::exception_ptr exception) {
  try {
    std::rethrow_exception(exception);
  } catch (const RuntimeException& e) {
    return {e.ClassName(), e.what()};
  } catch (const std::exception& e) {
    return {DemangledName(typeid(e)), e.what()};
  } catch (...) {
    return {"unknown exception", ""};
  }
}

}  // namespace

void RuntimeInit() {
  detail::RuntimeState& state = State();
  if (state.application) return;
  if (NoDisplayAvailable()) {
    std::fprintf(stderr, "velmora: no display available: set DISPLAY to a running X server\n");
    std::exit(1);
  }
  g_previousHandler = qInstallMessageHandler(MessageHandler);
  g_holdingMessages = true;
  state.application = std::make_unique<QApplication>(g_argc, g_argv);
  PassOnHeldMessages();
  QApplication::setApplicationName("Velmora");
  // Windows close and the application quits only when the system says so.
  QApplication::setQuitOnLastWindowClosed(false);
  RuntimeTrace("RuntimeInit");
}

std::int32_t RuntimeExit() {
  detail::RuntimeState& state = State();
  if (state.exited) return state.exitStatus;
  RuntimeTrace("RuntimeExit");
  // Whatever the finalisation left is released before Qt goes.
  RuntimeReleaseImplicitWindowList();
  RuntimeReleaseWindowLists();
  RuntimeReleaseIntrospectionMaps();
  state.appObject.reset();
  state.whenRunning.clear();
  if (state.application) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.application.reset();
  }
  state.exited = true;
  // A run that died of an error never reports success.
  state.exitStatus = state.reported ? (state.quitCode != 0 ? state.quitCode : 1) : state.quitCode;
  return state.exitStatus;
}

void RunFrameworkInitialization(const std::function<void()>& startup) {
  RuntimeTrace("RunFrameworkInitialization");
  startup();
}

void RuntimeRun() {
  detail::RuntimeState& state = State();
  auto rethrowEscaped = [&state] {
    if (state.escaped) std::rethrow_exception(std::exchange(state.escaped, nullptr));
  };
  rethrowEscaped();
  if (state.quitBeforeRun) return;
  RuntimeTrace("RuntimeRun");
  state.running = true;
  // Work that came due before the loop (a timer during start-up) runs once it turns.
  QTimer::singleShot(0, [&state] {
    auto pending = std::exchange(state.whenRunning, {});
    for (auto& work : pending) work();
  });
  QApplication::exec();
  state.running = false;
  rethrowEscaped();
}

void RuntimeUnhandledException(std::exception_ptr exception) {
  detail::RuntimeState& state = State();
  state.reported = true;
  const auto [className, message] = Describe(exception);
  RuntimeTrace("RuntimeUnhandledException " + className);
  std::fprintf(stderr, "velmora: unhandled %s: %s\n", className.c_str(), message.c_str());
  if (state.application) {
    const detail::DialogOwner owner;
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kMessageBoxTitle),
                    QStringLiteral("An unhandled %1 occurred.").arg(QString::fromStdString(className)),
                    QMessageBox::Ok, owner.Parent());
    // Class names and messages are never markup: a template's name has angle brackets.
    box.setTextFormat(Qt::PlainText);
    const QString informative = QString::fromStdString(message);
    box.setInformativeText(informative);
    // The box reads its informative text as rich text whenever it looks like markup.
    for (QLabel* label : box.findChildren<QLabel*>())
      if (label->text() == informative) label->setTextFormat(Qt::PlainText);
    box.exec();
  }
}

void RuntimeInitExternalClasses() {
  RuntimeTrace("RuntimeInitExternalClasses");
  // The framework's own menus and message boxes speak in the desktop face the controls'
  // "System" font resolves to, at the size the windows were laid out for. It is given in
  // points, which Qt's dialogs scale (the print dialog's page preview), as many as make
  // those pixels on the screen.
  QFont font = detail::ResolveFont("System", kFrameworkFontPixels, false);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    font.setPointSizeF(kFrameworkFontPixels * kPointsPerInch / screen->logicalDotsPerInchY());
  QApplication::setFont(font);
  QApplication::setEffectEnabled(Qt::UI_AnimateMenu, false);
}

std::shared_ptr<PluginEntrypointsTable> RuntimeAllocatePluginEntrypointsTable(std::int32_t entries) {
  RuntimeTrace("RuntimeAllocatePluginEntrypointsTable " + std::to_string(entries));
  return std::make_shared<PluginEntrypointsTable>(static_cast<std::size_t>(std::max(entries, 0)), nullptr);
}

void RuntimeRegisterClass(std::string_view name, std::string_view base) {
  RuntimeTrace("RegisterClass " + std::string(name) + " : " + std::string(base));
}

void RuntimeRegisterAppObject(std::shared_ptr<Application> application) {
  RuntimeTrace("RuntimeRegisterAppObject");
  State().appObject = std::move(application);
}

std::shared_ptr<Application> getAppObject() { return State().appObject; }

void RuntimeReleaseImplicitWindowList() {
  RuntimeTrace("RuntimeReleaseImplicitWindowList");
  State().implicitWindows.clear();
}

void RuntimeReleaseWindowLists() {
  RuntimeTrace("RuntimeReleaseWindowLists");
  // Tearing a window down lets go of its controls, which may hold it in turn.
  auto windows = std::exchange(State().windows, {});
  for (const auto& window : windows) window->Discard();
}

void RuntimeReleaseIntrospectionMaps() { RuntimeTrace("RuntimeReleaseIntrospectionMaps"); }

bool RuntimeIsRunning() { return State().running; }

void Quit(std::int32_t code) {
  detail::RuntimeState& state = State();
  if (state.quitting) return;
  state.quitting = true;
  state.quitCode = code;
  RuntimeTrace("Quit " + std::to_string(code));
  // Newest first, as a user would close them; a window that refuses ends the quit.
  auto windows = state.windows;
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if ((*it)->IsOpen() && !(*it)->Close()) {
      state.quitting = false;
      return;
    }
  }
  if (state.running) {
    QCoreApplication::exit(0);
  } else {
    state.quitBeforeRun = true;
  }
}

// The built-ins that reach the desktop live here with the runtime; the others need no Qt
// beyond its strings.

void MsgBox(std::string_view text) {
  if (!HasApplication()) {
    // No desktop to show it on: the text must not be lost.
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    return;
  }
  const detail::DialogOwner owner;
  QMessageBox box(owner.Parent());
  box.setWindowTitle(QString::fromLatin1(kMessageBoxTitle));
  // The text is the program's message, never markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(detail::ToQString(text));
  box.setStandardButtons(QMessageBox::Ok);
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
}

void Beep() {
  if (HasApplication()) QApplication::beep();
  ++g_beepCount;
}

std::int64_t RuntimeBeepCount() { return g_beepCount; }

void RuntimeBackgroundTask() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

}  // namespace platform
