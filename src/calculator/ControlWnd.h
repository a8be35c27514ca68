#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Window.h"

namespace velmora {

// The calculator: height in feet and inches, weight in pounds, and the result line.
class ControlWnd : public platform::Window {
 public:
  static constexpr std::string_view kClassName = "ControlWnd.ControlWnd";

  ControlWnd();

  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
  bool FeetFld_KeyDown(const std::string& key);
  bool InchFld_KeyDown(const std::string& key);
  bool WeightFld_KeyDown(const std::string& key);
  void ClearBtn_Action();
  void CalculateBtn_Action();
  bool InfoBtn_MouseDown(std::int32_t x, std::int32_t y);
  void AddMenuHandlers(const std::shared_ptr<platform::Window>& window) override;
  void Event_Close() override;
  void Event_Activate() override;
  void Event_EnableMenuItems() override;
  bool DescriptionMenuItem_Action();
  bool AboutQEN_Action();
};

std::shared_ptr<class ControlWnd> ControlWnd();

}  // namespace velmora
