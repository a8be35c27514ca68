#include "shell/Menu.h"

#include <iterator>
#include <optional>
#include <span>
#include <string_view>

#include "platform/NilObjectException.h"
#include "platform/Runtime.h"

namespace velmora {
namespace {

enum class ItemClass { kMenuItem, kQuitMenuItem, kAppleMenuItem };

struct MenuRow {
  std::string_view parent;  // empty: a menu of the bar itself
  std::string_view name;
  ItemClass itemClass;
  std::string_view text;
  std::optional<std::string_view> shortcut;  // nullopt: the item gets no shortcut at all
  bool autoEnable;
};

// The bar in order of creation, which is its order on screen.
constexpr MenuRow kMenuRows[] = {
    {"", "FileMenu", ItemClass::kMenuItem, "File", "", false},
    {"FileMenu", "Print", ItemClass::kMenuItem, "Print", "", true},
    {"FileMenu", "FileQuit", ItemClass::kQuitMenuItem, "Quit", "Cmd+Q", true},
    {"", "UntitledMenu0", ItemClass::kMenuItem, "Edit", "", false},
    {"UntitledMenu0", "EditUndo", ItemClass::kMenuItem, "Undo", "Cmd+Z", false},
    {"UntitledMenu0", "UntitledMenu1", ItemClass::kMenuItem, "-", std::nullopt, false},
    {"UntitledMenu0", "EditCut", ItemClass::kMenuItem, "Cut", "Cmd+X", false},
    {"UntitledMenu0", "EditCopy", ItemClass::kMenuItem, "Copy", "Cmd+C", false},
    {"UntitledMenu0", "EditPaste", ItemClass::kMenuItem, "Paste", "Cmd+V", false},
    {"UntitledMenu0", "EditClear", ItemClass::kMenuItem, "", "", false},
    {"", "WindowMenu", ItemClass::kMenuItem, "Window", "", false},
    {"WindowMenu", "ControlMenuItem", ItemClass::kMenuItem, "Control", "", false},
    {"WindowMenu", "DescriptionMenuItem", ItemClass::kMenuItem, "Description", "", false},
    {"WindowMenu", "AboutMenuItem", ItemClass::kMenuItem, "About Velmora", "", false},
    {"WindowMenu", "AboutQEN", ItemClass::kAppleMenuItem, "About Velmora", "", false},
};
static_assert(std::size(kMenuRows) == 15);

// The rows each of the three menus builds: File, Edit, Window.
constexpr std::span<const MenuRow> kFileRows = std::span(kMenuRows).subspan(0, 3);
constexpr std::span<const MenuRow> kEditRows = std::span(kMenuRows).subspan(3, 7);
constexpr std::span<const MenuRow> kWindowRows = std::span(kMenuRows).subspan(10, 5);

std::shared_ptr<platform::MenuItem> MakeItem(ItemClass itemClass) {
  switch (itemClass) {
    case ItemClass::kQuitMenuItem:
      return std::make_shared<platform::QuitMenuItem>();
    case ItemClass::kAppleMenuItem:
      return std::make_shared<platform::AppleMenuItem>();
    case ItemClass::kMenuItem:
      break;
  }
  return std::make_shared<platform::MenuItem>();
}

// A menu first, then its items; each item goes to its menu as the bar finds it by name.
void BuildRows(platform::MenuBar& bar, std::span<const MenuRow> rows) {
  for (const MenuRow& row : rows) {
    const auto item = MakeItem(row.itemClass);
    item->Constructor();
    item->SetName(row.name);
    item->SetAutoEnable(row.autoEnable);
    item->SetText(row.text);
    if (row.shortcut) item->SetKeyboardShortcut(*row.shortcut);
    if (row.parent.empty()) {
      bar.Append(item);
    } else {
      platform::NotNil(bar.Child(row.parent)).Append(item);
    }
  }
}

}  // namespace

std::shared_ptr<class Menu> Menu::implicitInstance;

// Replaces the item's own constructor, which would leave the bar empty.
void Menu::Constructor() {
  Untitled1();
  Untitled2();
  Untitled3();
}

void Menu::Untitled1() { BuildRows(*this, kFileRows); }

void Menu::Untitled2() { BuildRows(*this, kEditRows); }

void Menu::Untitled3() { BuildRows(*this, kWindowRows); }

std::shared_ptr<class Menu> Menu() {
  if (Menu::implicitInstance) return Menu::implicitInstance;
  const auto bar = platform::RuntimeNewObject<class Menu>();
  bar->Constructor();
  // Kept only once complete: a build that raised starts from scratch next time.
  Menu::implicitInstance = bar;
  return bar;
}

}  // namespace velmora
