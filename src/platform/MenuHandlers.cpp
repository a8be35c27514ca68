#include "platform/MenuHandlers.h"

#include "platform/MenuItem.h"
#include "platform/NilObjectException.h"

namespace platform {

void MenuHandlers::Add(std::string_view itemName, MenuHandler handler) {
  if (!handler) RaiseNilObjectException();
  handlers_.insert_or_assign(std::string(itemName), std::move(handler));
}

const MenuHandler* MenuHandlers::Find(std::string_view itemName) const {
  const auto found = handlers_.find(itemName);
  return found == handlers_.end() ? nullptr : &found->second;
}

void MenuHandlers::EnableHandledItems(MenuItem& menu) const {
  for (std::int32_t i = 0; i < menu.Count(); ++i) {
    const auto item = menu.Item(i);
    if (Find(item->Name())) item->Enable();
    EnableHandledItems(*item);
  }
}

}  // namespace platform
