#include "platform/qt/MenuView.h"

#include <QAction>
#include <QMenu>
#include <unordered_map>

#include "platform/Application.h"
#include "platform/MenuItem.h"
#include "platform/Runtime.h"
#include "platform/Window.h"
#include "platform/qt/Dispatch.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/RuntimeState.h"
#include "platform/qt/WindowImpl.h"

namespace platform::detail {
namespace {

// Every Qt action that shows a model item, in every view: the views follow the model
// through these. An item's entry ends with the item; a view's actions end with it.
using ActionList = std::vector<QPointer<QAction>>;
std::unordered_map<const MenuItem*, ActionList>& Links() {
  // Never destroyed: items may end after the statics of this file.
  static auto* links = new std::unordered_map<const MenuItem*, ActionList>;
  return *links;
}

void Link(const MenuItem& item, QAction* action) {
  ActionList& actions = Links()[&item];
  std::erase_if(actions, [](const QPointer<QAction>& known) { return known.isNull(); });
  actions.emplace_back(action);
}

// Qt reads '&' as a mnemonic marker; the model's texts are shown as they are.
QString ShownText(const MenuItem& item) { return ToQString(item.Text()).replace('&', QStringLiteral("&&")); }

void Apply(QAction& action, const MenuItem& item) {
  if (!action.isSeparator()) {
    action.setText(ShownText(item));
    if (!action.menu()) action.setShortcut(ToKeySequence(item.KeyboardShortcut()));
  }
  action.setEnabled(item.Enabled());
}

MenuView* ViewOf(const Window& window) {
  const WindowImpl& impl = window.Impl();
  return impl.frame ? dynamic_cast<MenuView*>(impl.frame->menuWidget()) : nullptr;
}

}  // namespace

QKeySequence ToKeySequence(std::string_view shortcut) {
  QString text = ToQString(shortcut).trimmed();
  text.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"), Qt::CaseInsensitive);
  return QKeySequence::fromString(text, QKeySequence::PortableText);
}

MenuView::MenuView(Window& owner, std::shared_ptr<MenuBar> model)
    : owner_(owner.weak_from_this()), model_(std::move(model)) {
  setNativeMenuBar(false);  // in the window, as the layout expects
  for (std::int32_t i = 0; i < model_->Count(); ++i) AddEntry(this, model_->Item(i), true);
}

MenuView::~MenuView() = default;

void MenuView::AddEntry(QWidget* container, const std::shared_ptr<MenuItem>& item, bool isMenu) {
  QAction* action = nullptr;
  if (item->IsSeparator()) {
    action = new QAction(container);
    action->setSeparator(true);
  } else if (isMenu || item->Count() > 0) {
    auto* menu = new QMenu(container);
    connect(menu, &QMenu::aboutToShow, this, [this] { Prepare(); });
    for (std::int32_t i = 0; i < item->Count(); ++i) AddEntry(menu, item->Item(i), false);
    action = menu->menuAction();
  } else {
    action = new QAction(container);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this,
            [this, chosen = std::weak_ptr<MenuItem>(item)] { Choose(chosen); });
  }
  // Items stay where the model puts them: no moving "About" or "Quit" elsewhere.
  action->setMenuRole(QAction::NoRole);
  Apply(*action, *item);
  container->addAction(action);
  Link(*item, action);
}

void MenuView::Prepare() {
  const auto owner = owner_.lock();
  Guarded([&] { PrepareMenus(owner && owner->IsOpen() ? owner.get() : FrontmostWindow()); });
}

void MenuView::Choose(const std::weak_ptr<MenuItem>& chosen) {
  const auto item = chosen.lock();
  if (!item) return;
  const auto owner = owner_.lock();
  Guarded([&] { ChooseMenuItem(*item, owner && owner->IsOpen() ? owner.get() : FrontmostWindow()); });
}

void RefreshMenuBarView(Window& window) {
  WindowImpl& impl = window.Impl();
  if (!impl.frame) return;
  std::shared_ptr<MenuBar> model = window.MenuBar();
  if (!model)
    if (const auto application = getAppObject()) model = application->MenuBar();
  // Document windows show their bar; the hidden start window and the plain box do not.
  const bool shows = model && impl.frameKind == 0;
  if (!shows) {
    if (impl.frame->menuWidget()) impl.frame->setMenuWidget(nullptr);
    return;
  }
  if (const MenuView* current = ViewOf(window); current && current->Model() == model) return;
  impl.frame->setMenuBar(new MenuView(window, std::move(model)));
}

void MenuItemChanged(const MenuItem& item) {
  const auto found = Links().find(&item);
  if (found == Links().end()) return;
  const ActionList actions = found->second;  // applying may run Qt code that links anew
  for (const QPointer<QAction>& action : actions)
    if (action) Apply(*action, item);
}

void MenuItemGone(const MenuItem* item) { Links().erase(item); }

}  // namespace platform::detail
