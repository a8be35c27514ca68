#pragma once

#include "platform/Application.h"

namespace velmora {

// The application object: both About items show the About window, whichever window
// is in front.
class HandleAboutMenu : public platform::Application {
 public:
  void Event_EnableMenuItems() override;
  bool AboutQEN_Action();
  bool AboutMenuItem_Action();
};

// Registers the application's menu handlers; reaches the application only through App.
void ApplicationAddMenuHandlers();

}  // namespace velmora
