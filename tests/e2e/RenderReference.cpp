// Renders what the end-to-end run should see, without an X server: runs the real start-up
// on the offscreen platform, waits for the calculator as a user would, types the same keys
// into the window, clicks "Calculate" and saves the calculator window as a PPM picture.
//
//   velmora_e2e_reference <bundle executable> <output.ppm> <feet> <inches> <pounds>
//
// Prints one line, "frame <width> <height> content <x> <y> <width> <height>", so the
// driver knows where the content lies below the menu bar.

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/Diagnostics.h"
#include "platform/Runtime.h"
#include "shell/Startup.h"

namespace {

constexpr char kCalculatorTitle[] = "Velmora";
constexpr int kContentWidth = 680;
constexpr int kContentHeight = 300;
// The middle of "Calculate" in content coordinates.
constexpr QPoint kCalculatePoint(90, 265);
constexpr int kPollMs = 10;
constexpr int kGiveUpMs = 30000;

// The calculator once it is on screen and active: the start-up's splash has ended.
QMainWindow* ActiveCalculator() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* frame = qobject_cast<QMainWindow*>(widget);
    if (frame && frame->isVisible() && frame->isActiveWindow() && frame->windowTitle() == kCalculatorTitle &&
        frame->centralWidget() && frame->centralWidget()->width() == kContentWidth)
      return frame;
  }
  return nullptr;
}

void TypeText(QWindow* window, const QString& text) {
  for (const QChar c : text) QTest::keyClick(window, c.toLatin1());
}

struct Request {
  QString output;
  QString feet;
  QString inches;
  QString pounds;
};

// Types as the user does: focus starts in the feet field, Tab moves on.
bool RenderCalculator(QMainWindow* frame, const Request& request) {
  QWindow* window = frame->windowHandle();
  TypeText(window, request.feet);
  QTest::keyClick(window, Qt::Key_Tab);
  TypeText(window, request.inches);
  QTest::keyClick(window, Qt::Key_Tab);
  TypeText(window, request.pounds);

  QWidget* content = frame->centralWidget();
  const QPoint origin = content->mapTo(frame, QPoint(0, 0));
  QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, origin + kCalculatePoint);
  // The pointer leaves the window, as the driver moves it away before its screenshot.
  QTest::mouseMove(window, QPoint(-20, -20));
  QApplication::processEvents();

  const QImage image = frame->grab().toImage().convertToFormat(QImage::Format_RGB888);
  if (!image.save(request.output, "PPM")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(request.output));
    return false;
  }
  std::printf("frame %d %d content %d %d %d %d\n", image.width(), image.height(), origin.x(), origin.y(),
              content->width(), content->height());
  std::fflush(stdout);
  return content->width() == kContentWidth && content->height() == kContentHeight;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s <bundle executable> <output.ppm> <feet> <inches> <pounds>\n", argv[0]);
    return 2;
  }
  const Request request{QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                        QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[5])};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtimeDir;
  if (runtimeDir.isValid()) {
    QFile::setPermissions(runtimeDir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
  }
  // The pictures come from the bundle, as they do for the program itself.
  platform::RuntimeSetExecutableFileOverride(std::filesystem::path(argv[1]));
  platform::RuntimeInit();

  bool rendered = false;
  QTimer poll;
  poll.setInterval(kPollMs);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QMainWindow* frame = ActiveCalculator();
    if (!frame) return;
    poll.stop();
    rendered = RenderCalculator(frame, request);
    QCoreApplication::exit(0);
  });
  poll.start();
  QTimer::singleShot(kGiveUpMs, [] {
    std::fprintf(stderr, "the calculator never became active\n");
    QCoreApplication::exit(1);
  });

  velmora::initialize();
  velmora::Main();
  velmora::finalize();
  const int status = platform::RuntimeExit();
  return rendered && status == 0 ? 0 : 1;
}
