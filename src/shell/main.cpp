#include "platform/Runtime.h"
#include "shell/Startup.h"

// Takes no arguments: the command line changes nothing.
int main() {
  platform::RuntimeInit();
  velmora::initialize();
  velmora::Main();
  velmora::finalize();
  return platform::RuntimeExit();
}
