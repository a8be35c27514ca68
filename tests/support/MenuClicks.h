#pragma once

#include <QString>
#include <string_view>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace platform {
class Window;
}

// Menus as a user works them: a click on the title, then a click on the item.
namespace velmora_test {

// The bar's entry with that title, or nothing.
QAction* TopEntry(QMenuBar& bar, const QString& title);
// Opens a menu of the bar with a click on its title; nothing when it does not open in time.
QMenu* OpenMenu(QMenuBar& bar, const QString& title, int timeoutMs = 5000);

// The first entry of the menu with that text, or nothing; and every such entry.
QAction* EntryOf(const QMenu& menu, const QString& text);
std::vector<QAction*> EntriesNamed(const QMenu& menu, const QString& text);
// The entry that shows the item of that name of the system's own menu bar, when the menu
// is the one that holds the item: entries follow the model's order.
QAction* EntryFor(const QMenu& menu, std::string_view itemName);
// Every entry of a bar or menu: its menus and, depth first, their items.
std::vector<QAction*> AllEntries(const QWidget& container);

// Opens the menu of the window's bar with a click on its title and gives the entry of
// the system's item of that name, or nothing; `menu` is the menu opened.
QAction* OpenEntry(const platform::Window& window, const QString& title, std::string_view itemName,
                   QMenu** menu);

// Clicks the entry of the open menu; the menu closes either way.
void ClickEntry(QMenu& menu, QAction& entry);
// Opens the menu and clicks the item, as a user chooses a command.
void ChooseByClick(QMenuBar& bar, const QString& title, const QString& item);

}  // namespace velmora_test
