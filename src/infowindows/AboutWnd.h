#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Window.h"

namespace velmora {

// The About window, also the start splash: any key or click in it brings up the
// calculator.
class AboutWnd : public platform::Window {
 public:
  static constexpr std::string_view kClassName = "AboutWnd.AboutWnd";

  AboutWnd();

  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
  bool Event_KeyDown(const std::string& key) override;
  bool Event_MouseDown(std::int32_t x, std::int32_t y) override;
};

std::shared_ptr<class AboutWnd> AboutWnd();

}  // namespace velmora
