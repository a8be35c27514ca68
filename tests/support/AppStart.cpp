#include "support/AppStart.h"

#include "infowindows/AboutWnd.h"
#include "platform/Runtime.h"
#include "shell/HandleAboutMenu.h"
#include "shell/Startup.h"

namespace velmora_test {

void StartApplication() {
  platform::RuntimeInitExternalClasses();
  velmora::NewAppInstance();
  velmora::ApplicationAddMenuHandlers();
}

void AfterSplash() {
  StartApplication();
  velmora::AboutWnd()->Hide();
}

}  // namespace velmora_test
