#pragma once

#include <memory>
#include <string_view>

#include "shell/MenuBarWindow.h"

namespace velmora {

// The help text about the index, read-only, with its heading set in bold; it prints.
class DescriptionWnd : public MenuBarWindow {
 public:
  static constexpr std::string_view kClassName = "DescriptionWnd.DescriptionWnd";

  DescriptionWnd();

  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
  void AddMenuHandlers(const std::shared_ptr<platform::Window>& window) override;
  void Event_Open() override;
  void Event_EnableMenuItems() override;
  bool ControlMenuItem_Action();
  bool AboutMenuItem_Action();
  bool Print_Action();
};

std::shared_ptr<class DescriptionWnd> DescriptionWnd();

}  // namespace velmora
