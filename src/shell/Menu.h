#pragma once

#include <memory>

#include "platform/MenuItem.h"

namespace velmora {

// The one menu bar: File, Edit and Window, built once from fixed rows and shared by the
// application and the windows that install it.
class Menu : public platform::MenuBar {
 public:
  // Builds the three menus.
  void Constructor() override;
  void Untitled1();
  void Untitled2();
  void Untitled3();

  // The bar, once its constructor has returned.
  static std::shared_ptr<Menu> implicitInstance;
};

// The menu bar, built on the first call.
std::shared_ptr<class Menu> Menu();

}  // namespace velmora
