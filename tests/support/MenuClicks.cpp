#include "support/MenuClicks.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <cstdint>

#include "platform/MenuItem.h"
#include "shell/Menu.h"
#include "support/Modal.h"
#include "support/WindowAccess.h"

namespace velmora_test {

QAction* TopEntry(QMenuBar& bar, const QString& title) {
  for (QAction* action : bar.actions())
    if (action->text() == title) return action;
  return nullptr;
}

QMenu* OpenMenu(QMenuBar& bar, const QString& title, int timeoutMs) {
  QAction* entry = TopEntry(bar, title);
  if (!entry || !entry->menu()) return nullptr;
  QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.actionGeometry(entry).center());
  QMenu* menu = entry->menu();
  return WaitFor([menu] { return menu->isVisible(); }, timeoutMs) ? menu : nullptr;
}

QAction* EntryOf(const QMenu& menu, const QString& text) {
  for (QAction* action : menu.actions())
    if (action->text() == text) return action;
  return nullptr;
}

std::vector<QAction*> EntriesNamed(const QMenu& menu, const QString& text) {
  std::vector<QAction*> found;
  for (QAction* action : menu.actions())
    if (action->text() == text) found.push_back(action);
  return found;
}

QAction* EntryFor(const QMenu& menu, std::string_view itemName) {
  const auto item = velmora::Menu()->Lookup(itemName);
  const auto model = item ? item->Parent() : nullptr;
  // Only the menu that holds the item shows it.
  if (!model || menu.menuAction()->text() != QString::fromStdString(model->Text())) return nullptr;
  for (std::int32_t i = 0; i < model->Count(); ++i)
    if (model->Item(i) == item) return i < menu.actions().size() ? menu.actions()[i] : nullptr;
  return nullptr;
}

std::vector<QAction*> AllEntries(const QWidget& container) {
  std::vector<QAction*> entries;
  for (QAction* action : container.actions()) {
    entries.push_back(action);
    if (QMenu* menu = action->menu()) {
      const auto below = AllEntries(*menu);
      entries.insert(entries.end(), below.begin(), below.end());
    }
  }
  return entries;
}

QAction* OpenEntry(const platform::Window& window, const QString& title, std::string_view itemName,
                   QMenu** menu) {
  QMenuBar* bar = MenuBarOf(window);
  *menu = bar ? OpenMenu(*bar, title) : nullptr;
  return *menu ? EntryFor(**menu, itemName) : nullptr;
}

void ClickEntry(QMenu& menu, QAction& entry) {
  QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(&entry).center());
  if (menu.isVisible()) menu.close();
}

void ChooseByClick(QMenuBar& bar, const QString& title, const QString& item) {
  QMenu* menu = OpenMenu(bar, title);
  ASSERT_NE(menu, nullptr) << title.toStdString();
  QAction* entry = EntryOf(*menu, item);
  ASSERT_NE(entry, nullptr) << item.toStdString();
  ClickEntry(*menu, *entry);
}

}  // namespace velmora_test
