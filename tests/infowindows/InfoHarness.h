#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "infowindows/AboutWnd.h"
#include "platform/Diagnostics.h"
#include "platform/MenuItem.h"
#include "platform/RectControl.h"
#include "platform/Window.h"
#include "platform/qt/RectControlImpl.h"
#include "platform/qt/WindowImpl.h"
#include "shell/HandleAboutMenu.h"
#include "shell/Menu.h"
#include "shell/Startup.h"
#include "support/Modal.h"

namespace info_test {

// What start-up sets up before any window: the application object with the menu bar,
// and the application's menu handlers.
inline void StartApplication() {
  velmora::NewAppInstance();
  velmora::ApplicationAddMenuHandlers();
}

// As after the splash: the About window exists, hidden, before the calculator comes up.
inline void AfterSplash() {
  StartApplication();
  velmora::AboutWnd()->Hide();
}

inline platform::detail::WindowWidget* FrameOf(const platform::Window& window) { return window.Impl().frame; }

inline QWidget* ContentOf(const platform::Window& window) {
  auto* frame = FrameOf(window);
  return frame ? frame->Content() : nullptr;
}

inline QWidget* WidgetOf(const platform::Window& window, std::string_view name) {
  const auto control = std::dynamic_pointer_cast<platform::RectControl>(window.ControlByName(name));
  return control ? control->Impl().widget.data() : nullptr;
}

// Shows the window and waits until it is active, as a user's click makes it.
inline void ShowActive(platform::Window& window) {
  window.Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(FrameOf(window)));
}

// A press and release at a point of the window's content, delivered through the window
// system so that Qt itself finds the widget under the pointer.
inline void ClickContentAt(const platform::Window& window, QPoint contentPoint) {
  auto* frame = FrameOf(window);
  const QPoint inFrame = ContentOf(window)->mapTo(frame, contentPoint);
  QTest::mouseClick(frame->windowHandle(), Qt::LeftButton, {}, inFrame);
}

// Collects the framework's trace lines while it lives.
class TraceRecorder {
 public:
  // `onLine` sees each line as it comes, so a test can look at the system at that moment.
  explicit TraceRecorder(std::function<void(std::string_view)> onLine = {}) : onLine_(std::move(onLine)) {
    platform::RuntimeSetTraceListener([this](std::string_view line) {
      lines_.emplace_back(line);
      if (onLine_) onLine_(line);
    });
  }
  ~TraceRecorder() { platform::RuntimeSetTraceListener(nullptr); }
  TraceRecorder(const TraceRecorder&) = delete;
  TraceRecorder& operator=(const TraceRecorder&) = delete;

  const std::vector<std::string>& Lines() const { return lines_; }
  long Count(std::string_view line) const { return std::count(lines_.begin(), lines_.end(), line); }
  std::vector<std::string> Starting(std::string_view prefix) const {
    std::vector<std::string> found;
    for (const auto& line : lines_)
      if (line.starts_with(prefix)) found.push_back(line);
    return found;
  }

 private:
  std::function<void(std::string_view)> onLine_;
  std::vector<std::string> lines_;
};

// A bundle of its own in a temporary folder (bin/velmora beside Resources/), taken for the
// running program's while it lives.
class TempBundle {
 public:
  TempBundle() {
    QDir(dir_.path()).mkpath(QStringLiteral("bin"));
    QDir(dir_.path()).mkpath(QStringLiteral("Resources"));
    platform::RuntimeSetExecutableFileOverride(std::filesystem::path(dir_.path().toStdString()) / "bin" /
                                               "velmora");
  }
  ~TempBundle() {
    platform::RuntimeSetExecutableFileOverride(std::filesystem::path(VELMORA_BUNDLE_EXECUTABLE));
  }
  TempBundle(const TempBundle&) = delete;
  TempBundle& operator=(const TempBundle&) = delete;

  QString File(std::string_view name) const {
    return dir_.path() + QStringLiteral("/Resources/") +
           QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  }
  bool CopyFromBuild(std::string_view name) const {
    return QFile::copy(QStringLiteral(VELMORA_RESOURCES_DIR "/") +
                           QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                       File(name));
  }
  bool Remove(std::string_view name) const { return QFile::remove(File(name)); }
  bool RemoveResourcesFolder() const {
    return QDir(dir_.path() + QStringLiteral("/Resources")).removeRecursively();
  }

 private:
  QTemporaryDir dir_;
};

// Whether every pixel of the rectangle has the colour.
inline bool AllPixels(const QImage& image, const QRect& rect, QColor colour) {
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (image.pixelColor(x, y) != colour) return false;
  return true;
}

// Menus as a user works them: a click on the title, then a click on the item.
inline QAction* TopEntry(QMenuBar& bar, const QString& title) {
  for (QAction* action : bar.actions())
    if (action->text() == title) return action;
  return nullptr;
}

inline QMenu* OpenMenu(QMenuBar& bar, const QString& title) {
  QAction* entry = TopEntry(bar, title);
  if (!entry || !entry->menu()) return nullptr;
  QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.actionGeometry(entry).center());
  QMenu* menu = entry->menu();
  return velmora_test::WaitFor([menu] { return menu->isVisible(); }) ? menu : nullptr;
}

// The entry of a menu that shows the item of that name: entries follow the model's order.
inline QAction* EntryFor(const QMenu& menu, std::string_view menuName, std::string_view itemName) {
  const auto model = velmora::Menu()->Child(menuName);
  if (!model) return nullptr;
  for (std::int32_t i = 0; i < model->Count(); ++i)
    if (model->Item(i)->Name() == itemName) return i < menu.actions().size() ? menu.actions()[i] : nullptr;
  return nullptr;
}

inline void ClickEntry(QMenu& menu, QAction& entry) {
  QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(&entry).center());
  if (menu.isVisible()) menu.close();
}

// Runs a command-line tool and gives its standard output; a failure fails the test.
inline QString Tool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Accepts the print dialog by its Print button, with the file it proposes.
inline void PressPrint(QWidget* modal) {
  auto* dialog = qobject_cast<QPrintDialog*>(modal);
  if (!dialog) {
    ADD_FAILURE() << "the modal dialog is not the print dialog";
    modal->close();
    return;
  }
  dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

inline void CancelPrint(QWidget* modal) {
  EXPECT_TRUE(qobject_cast<QPrintDialog*>(modal)) << "the modal dialog is not the print dialog";
  modal->close();
}

// Points HOME at a fresh folder, where the print dialog proposes its file.
class TempHome {
 public:
  TempHome() : saved_(qgetenv("HOME")) { qputenv("HOME", dir_.path().toLocal8Bit()); }
  ~TempHome() { qputenv("HOME", saved_); }
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;

  QString Path() const { return dir_.path(); }
  QString ProposedPdf() const { return QDir(dir_.path()).filePath(QStringLiteral("Velmora.pdf")); }
  bool Empty() const { return QDir(dir_.path()).isEmpty(); }

 private:
  QTemporaryDir dir_;
  QByteArray saved_;
};

}  // namespace info_test
