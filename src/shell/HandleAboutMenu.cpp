#include "shell/HandleAboutMenu.h"

#include <string_view>

#include "infowindows/AboutWnd.h"
#include "platform/Delegate.h"
#include "platform/MenuItem.h"
#include "platform/NilObjectException.h"
#include "shell/MenuItemAccessors.h"
#include "shell/Startup.h"

namespace velmora {
namespace {

using Handler = bool (HandleAboutMenu::*)();

// The application reaches itself only through App: before its registration there is
// nothing to register on.
void AddApplicationMenuHandler(std::string_view itemName, Handler handler) {
  const auto registrant = App();
  HandleAboutMenu& application = platform::NotNil(registrant);
  const auto owner = App();
  application.AddMenuHandler(itemName, platform::RuntimeCreateMenuHandler(platform::NotNil(owner), handler,
                                                                          platform::kMenuHandlerSignature));
}

}  // namespace

void HandleAboutMenu::Event_EnableMenuItems() { platform::NotNil(AboutQEN()).SetEnabled(true); }

bool HandleAboutMenu::AboutQEN_Action() {
  platform::NotNil(AboutWnd()).Show();
  return false;
}

bool HandleAboutMenu::AboutMenuItem_Action() {
  platform::NotNil(AboutWnd()).Show();
  return false;
}

void ApplicationAddMenuHandlers() {
  AddApplicationMenuHandler("AboutQEN", &HandleAboutMenu::AboutQEN_Action);
  AddApplicationMenuHandler("AboutMenuItem", &HandleAboutMenu::AboutMenuItem_Action);
}

}  // namespace velmora
