// The floor: the least a Qt Widgets program does to put a window of the splash's size on
// the screen, quitting once it is first painted. With --trace it prints, on standard error,
// when each step came, in milliseconds from main's start.
#include <QApplication>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "FirstPaint.h"

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  const bool trace = argc > 1 && std::strcmp(argv[1], "--trace") == 0;
  const auto note = [&](const char* step) {
    if (!trace) return;
    const std::chrono::duration<double, std::milli> at = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, "%8.2f ms  %s\n", at.count(), step);
  };
  int status = 0;
  bool painted = false;
  {
    QApplication application(argc, argv);
    note("QApplication");
    QWidget window;
    window.resize(300, 200);
    bench::FirstPaint firstPaint([&window](const QWidget* widget) { return widget == &window; },
                                 [&] {
                                   note("painted");
                                   QCoreApplication::quit();
                                 });
    window.show();
    note("shown");
    status = QApplication::exec();
    painted = firstPaint.Seen();
  }
  note("exit");
  return painted ? status : 3;
}
