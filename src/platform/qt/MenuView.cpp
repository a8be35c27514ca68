#include "platform/qt/MenuView.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QStringList>
#include <unordered_map>

#include "platform/Application.h"
#include "platform/MenuItem.h"
#include "platform/Runtime.h"
#include "platform/Window.h"
#include "platform/qt/Dispatch.h"
#include "platform/qt/MenuShortcutFilter.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/RuntimeState.h"
#include "platform/qt/WindowImpl.h"

namespace platform::detail {
namespace {

// Modifier names of shortcut texts and the platform's keys for them: the command key
// is Ctrl here, the option key Alt; the control key, distinct from the command key,
// becomes Meta.
struct ModifierName {
  std::string_view name;
  const char* key;
};
constexpr ModifierName kModifierNames[] = {
    {"cmd", "Ctrl"}, {"command", "Ctrl"}, {"shift", "Shift"}, {"option", "Alt"},
    {"opt", "Alt"},  {"alt", "Alt"},      {"ctrl", "Meta"},   {"control", "Meta"},
};

constexpr Qt::KeyboardModifiers kShortcutModifiers =
    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;

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
  const QString text = ToQString(shortcut).trimmed();
  if (text.isEmpty()) return {};
  QStringList parts = text.split('+');
  // "Cmd++": the key itself is the plus sign.
  if (text.endsWith(QStringLiteral("++"))) {
    parts.removeLast();
    parts.last() = QStringLiteral("+");
  }
  for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
    const std::string name = ToStdString(parts[i].trimmed().toLower());
    for (const ModifierName& modifier : kModifierNames)
      if (modifier.name == name) parts[i] = QString::fromLatin1(modifier.key);
  }
  return QKeySequence::fromString(parts.join('+'), QKeySequence::PortableText);
}

MenuView::MenuView(Window& owner, std::shared_ptr<MenuBar> model)
    : owner_(owner.weak_from_this()), model_(std::move(model)) {
  setNativeMenuBar(false);  // in the window, as the layout expects
  InstallMenuShortcutFilter();
  Rebuild();
}

MenuView::~MenuView() = default;

void MenuView::Rebuild() {
  clear();
  for (const QPointer<QMenu>& menu : menus_)
    if (menu) menu->deleteLater();  // one may be on its way to the screen
  menus_.clear();
  if (!model_) return;
  for (std::int32_t i = 0; i < model_->Count(); ++i) AddEntry(this, model_->Item(i), true);
}

void MenuView::AddEntry(QWidget* container, const std::shared_ptr<MenuItem>& item, bool isMenu) {
  QAction* action = nullptr;
  if (item->IsSeparator()) {
    action = new QAction(container);
    action->setSeparator(true);
  } else if (isMenu || item->Count() > 0) {
    auto* menu = new QMenu(container);
    if (container == this) menus_.emplace_back(menu);
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

void MenuView::PrepareForShortcut(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & kShortcutModifiers;
  const auto key = static_cast<Qt::Key>(event.key());
  const QKeySequence pressed(QKeyCombination(modifiers, key));
  // Shifted symbols arrive with Shift although the shortcut text names the symbol alone.
  const QKeySequence unshifted(QKeyCombination(modifiers & ~Qt::ShiftModifier, key));
  for (const QAction* action : findChildren<QAction*>()) {
    const QKeySequence shortcut = action->shortcut();
    if (!shortcut.isEmpty() && (shortcut == pressed || shortcut == unshifted)) {
      Prepare();
      return;
    }
  }
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
  // Document windows show their bar; a full-screen one may do without it.
  const bool shows = model && impl.frameKind == 0 && (impl.menuBarVisible || !impl.fullScreen);
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

void MenuTreeChanged(const MenuItem& item) {
  const MenuItem* root = &item;
  for (auto parent = root->Parent(); parent; parent = parent->Parent()) root = parent.get();
  for (const auto& window : State().windows)
    if (MenuView* view = ViewOf(*window); view && view->Model().get() == root) view->Rebuild();
}

void MenuItemGone(const MenuItem* item) { Links().erase(item); }

}  // namespace platform::detail
