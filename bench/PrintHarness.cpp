// Prints the help text as a user does: the Description window opens, its Print command
// runs, and the print dialog is accepted as soon as it shows, with the file it proposes in
// $HOME. Says on standard output how long the dialog took to come up and how long the
// printing took from the acceptance until the PDF was written.
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "infowindows/DescriptionWnd.h"
#include "platform/Builtins.h"
#include "platform/Diagnostics.h"
#include "platform/Runtime.h"
#include "shell/HandleAboutMenu.h"
#include "shell/Startup.h"

namespace {

// Accepts the first print dialog once it is on the screen, and notes when.
class DialogAccepter : public QObject {
 public:
  explicit DialogAccepter(const QElapsedTimer& clock) : clock_(clock) {
    QCoreApplication::instance()->installEventFilter(this);
  }
  ~DialogAccepter() override {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
  }

  qint64 shownAt = -1;
  qint64 acceptedAt = -1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* dialog = qobject_cast<QPrintDialog*>(watched);
    if (shownAt < 0 && dialog && event->type() == QEvent::Show) {
      shownAt = clock_.nsecsElapsed();
      QMetaObject::invokeMethod(
          dialog,
          [this, dialog] {
            acceptedAt = clock_.nsecsElapsed();
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
          },
          Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  const QElapsedTimer& clock_;
};

}  // namespace

int main() {
  platform::RuntimeInit();
  platform::RuntimeSetExecutableFileOverride(std::filesystem::path(VELMORA_BUNDLE_EXECUTABLE));
  velmora::initialize();
  velmora::NewAppInstance();
  velmora::ApplicationAddMenuHandlers();
  const auto window = velmora::DescriptionWnd();
  window->Show();

  QElapsedTimer clock;
  DialogAccepter accepter(clock);
  qint64 doneAt = -1;
  QTimer::singleShot(0, [&] {
    clock.start();
    window->Print_Action();
    doneAt = clock.nsecsElapsed();
    platform::Quit(0);
  });
  platform::RuntimeRun();
  velmora::finalize();
  const int status = platform::RuntimeExit();
  if (accepter.acceptedAt < 0 || doneAt < 0) {
    std::fprintf(stderr, "bench_print: the print dialog never came up\n");
    return 3;
  }
  std::printf("dialog_ms=%.3f print_ms=%.3f\n", static_cast<double>(accepter.shownAt) / 1e6,
              static_cast<double>(doneAt - accepter.acceptedAt) / 1e6);
  return status;
}
