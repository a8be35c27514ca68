#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/Application.h"
#include "platform/MenuItem.h"
#include "platform/Runtime.h"
#include "platform/Window.h"
#include "support/MenuClicks.h"
#include "support/WindowAccess.h"

namespace menu_test {

enum class Kind { Plain, Quit, Apple };

// One row of a menu tree: the parent's name ("" for the bar) and the item.
struct Row {
  std::string_view parent;
  std::string_view name;
  std::string_view text;
  std::string_view shortcut;
  bool autoEnable;
  Kind kind = Kind::Plain;
};

inline std::shared_ptr<platform::MenuBar> MakeBar(std::span<const Row> rows) {
  auto bar = std::make_shared<platform::MenuBar>();
  for (const Row& row : rows) {
    std::shared_ptr<platform::MenuItem> item;
    switch (row.kind) {
      case Kind::Plain:
        item = std::make_shared<platform::MenuItem>();
        break;
      case Kind::Quit:
        item = std::make_shared<platform::QuitMenuItem>();
        break;
      case Kind::Apple:
        item = std::make_shared<platform::AppleMenuItem>();
        break;
    }
    item->Constructor();
    item->SetName(row.name);
    item->SetAutoEnable(row.autoEnable);
    item->SetText(row.text);
    item->SetKeyboardShortcut(row.shortcut);
    platform::MenuItem& parent = row.parent.empty() ? *bar : *bar->Lookup(row.parent);
    parent.Append(item);
  }
  return bar;
}

// The shape of the system's own bar, with two extra menus for the tests' own commands.
inline constexpr Row kBar[] = {
    {"", "FileMenu", "File", "", false},
    {"FileMenu", "Print", "Print", "", true},
    {"FileMenu", "FileQuit", "Quit", "Cmd+Q", true, Kind::Quit},
    {"", "UntitledMenu0", "Edit", "", false},
    {"UntitledMenu0", "EditUndo", "Undo", "Cmd+Z", false},
    {"UntitledMenu0", "UntitledMenu1", "-", "", false},
    {"UntitledMenu0", "EditCut", "Cut", "Cmd+X", false},
    {"UntitledMenu0", "EditCopy", "Copy", "Cmd+C", false},
    {"UntitledMenu0", "EditPaste", "Paste", "Cmd+V", false},
    {"UntitledMenu0", "EditClear", "", "", false},
    {"", "WindowMenu", "Window", "", false},
    {"WindowMenu", "ControlMenuItem", "Control", "", false},
    {"WindowMenu", "AboutQEN", "About Velmora", "", false, Kind::Apple},
    {"", "TestMenu", "Test", "", false},
    {"TestMenu", "Command", "Command", "Cmd+K", false},
    {"TestMenu", "Auto", "Auto", "", true},
    {"TestMenu", "Plain", "Plain", "", false},
    {"TestMenu", "WinHandled", "Win", "", false},
    {"TestMenu", "AppHandled", "App", "", false},
    {"TestMenu", "WinDisables", "WinDisables", "", true},
    {"TestMenu", "AppEnables", "AppEnables", "", false},
    {"TestMenu", "AppHandledWinDisables", "AppHandledWinDisables", "", false},
    {"TestMenu", "WinHandledAppDisables", "WinHandledAppDisables", "", false},
};

// An application object whose EnableMenuItems event runs what the test gives it.
class TestApp : public platform::Application {
 public:
  void Event_EnableMenuItems() override {
    if (onEnable) onEnable();
  }
  std::function<void()> onEnable;
};

// A plain window of a given kind, with or without a menu bar of its own.
class TestWindow : public platform::Window {
 public:
  TestWindow(std::string className, std::int32_t frame, std::shared_ptr<platform::MenuBar> bar)
      : Window(std::move(className)), frame_(frame), bar_(std::move(bar)) {}

  void Layout() override {
    if (bar_) SetMenuBar(bar_);
    SetProperty("Frame", std::int32_t{frame_});
    SetProperty("Width", std::int32_t{240});
    SetProperty("Height", std::int32_t{120});
    SetProperty("Title", ClassName());
  }
  void Event_EnableMenuItems() override {
    if (onEnable) onEnable();
  }
  std::function<void()> onEnable;

 private:
  std::int32_t frame_;
  std::shared_ptr<platform::MenuBar> bar_;
};

inline std::shared_ptr<TestWindow> MakeWindow(std::string className, std::int32_t frame = 0,
                                              std::shared_ptr<platform::MenuBar> bar = nullptr) {
  auto window = std::make_shared<TestWindow>(std::move(className), frame, std::move(bar));
  window->Constructor();
  return window;
}

inline std::shared_ptr<TestApp> RegisterApp(std::shared_ptr<platform::MenuBar> bar) {
  auto app = std::make_shared<TestApp>();
  app->SetMenuBar(std::move(bar));
  platform::RuntimeRegisterAppObject(app);
  return app;
}

// A document window showing the bar above, which a test application serves.
struct Scene {
  std::shared_ptr<platform::MenuBar> bar = MakeBar(kBar);
  std::shared_ptr<TestApp> app = RegisterApp(bar);
  std::shared_ptr<TestWindow> window = MakeWindow("Doc.Doc");
};

}  // namespace menu_test
