#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/Diagnostics.h"
#include "platform/Runtime.h"

// Starts the runtime once per test process, on the offscreen platform unless the
// environment names another (the end-to-end tests run under Xvfb).
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtimeDir;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid()) {
    QFile::setPermissions(runtimeDir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
  }
  // The system finds its pictures beside the built bundle's executable.
  platform::RuntimeSetExecutableFileOverride(std::filesystem::path(VELMORA_BUNDLE_EXECUTABLE));
  platform::RuntimeInit();
  const int result = RUN_ALL_TESTS();
  platform::RuntimeExit();
  return result;
}
