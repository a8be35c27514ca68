#include "support/AppStart.h"

#include "infowindows/AboutWnd.h"
#include "shell/HandleAboutMenu.h"
#include "shell/Startup.h"

namespace velmora_test {

void StartApplication() {
  velmora::NewAppInstance();
  velmora::ApplicationAddMenuHandlers();
}

void AfterSplash() {
  StartApplication();
  velmora::AboutWnd()->Hide();
}

}  // namespace velmora_test
