#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/PaneChild.h"
#include "platform/Timer.h"
#include "shell/MenuBarWindow.h"

namespace velmora {

// The hidden start window: never on screen. It shows the About window as the splash
// and its one-shot timer ends the splash with the calculator window.
class InvisibleWnd : public MenuBarWindow {
 public:
  static constexpr std::string_view kClassName = "InvisibleWnd.InvisibleWnd";

  // The start window's timer; it knows its window, so its Action runs there.
  class Timer1 : public platform::Timer, public platform::PaneChild {
   public:
    static constexpr std::string_view kClassName = "InvisibleWnd.Timer1";

    void SetWindow(std::shared_ptr<platform::Window> window) override;
    std::shared_ptr<platform::Window> Window() const override;
    std::int32_t Index() const override;
    void SetIndex(std::int32_t index) override;
    void Constructor() override;

   private:
    std::int32_t index_ = 0;
    std::shared_ptr<platform::Window> ownerWindow;
  };

  InvisibleWnd();

  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
  void Timer1_Action();
  void Event_Open() override;
};

std::shared_ptr<class InvisibleWnd> InvisibleWnd();

}  // namespace velmora
