#include "platform/PushButton.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <array>
#include <functional>

#include "platform/qt/ControlWidgetImpl.h"
#include "platform/qt/Dispatch.h"
#include "platform/qt/MouseDownWidget.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/RecordFont.h"

namespace platform {
namespace {

// The keys that press a default button, and the one that presses a cancel button.
constexpr std::array<Qt::Key, 2> kDefaultKeys = {Qt::Key_Return, Qt::Key_Enter};
constexpr Qt::Key kCancelKey = Qt::Key_Escape;

// The button: MouseDown comes first (MouseDownWidget), a completed click is Action.
class ButtonWidget : public detail::MouseDownWidget<QPushButton> {
 public:
  ButtonWidget() {
    // Return and Escape press no button unless the record makes it the default or
    // cancel button.
    setAutoDefault(false);
    setDefault(false);
    QObject::connect(this, &QPushButton::clicked, this, [this] {
      if (!onAction) return;
      const auto action = onAction;  // the handler may end the control
      detail::Guarded(action);
    });
  }

  std::function<void()> onAction;

  void Detach() {
    MouseDownWidget::Detach();
    onAction = nullptr;
  }
};

struct PushButtonImpl : detail::ControlWidgetImpl<ButtonWidget> {
  PushButtonImpl() : ControlWidgetImpl(new ButtonWidget) {
    ButtonWidget* button = Widget();
    button->setFont(font.Resolve());
    for (std::size_t i = 0; i < kDefaultKeys.size(); ++i)
      defaultKeys[i] = MakeShortcut(button, kDefaultKeys[i]);
    cancelKey = MakeShortcut(button, kCancelKey);
  }

  // A window-wide key that clicks the button while it can be clicked; off until the
  // record asks for it.
  static QShortcut* MakeShortcut(ButtonWidget* button, Qt::Key key) {
    auto* shortcut = new QShortcut(QKeySequence(key), button);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setEnabled(false);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
      if (button->isEnabled() && button->isVisible()) button->click();
    });
    return shortcut;
  }

  void SetDefault(bool on) {
    isDefault = on;
    for (QShortcut* shortcut : defaultKeys)
      if (shortcut) shortcut->setEnabled(on);
    if (ButtonWidget* button = Widget()) button->setDefault(on);
  }

  void SetCancel(bool on) {
    isCancel = on;
    if (cancelKey) cancelKey->setEnabled(on);
  }

  detail::RecordFont font;
  bool isDefault = false;
  bool isCancel = false;
  std::array<QPointer<QShortcut>, 2> defaultKeys;
  QPointer<QShortcut> cancelKey;
};

PushButtonImpl& ImplOf(const PushButton& control) { return static_cast<PushButtonImpl&>(control.Impl()); }

}  // namespace

PushButton::PushButton() : RectControl(std::make_unique<PushButtonImpl>()) {
  ButtonWidget* button = ImplOf(*this).Widget();
  button->onMouseDown = [this](std::int32_t x, std::int32_t y) { return FireMouseDown(x, y); };
  button->onAction = [this] { FireAction(); };
}

const std::string& PushButton::Caption() const { return caption_; }

const PropertyTable& PushButton::Properties() const { return PushButtonProperties(); }

void PushButton::SetProperty(std::string_view name, const PropertyValue& value) {
  if (SetCommonProperty(name, value)) return;
  PushButtonImpl& impl = ImplOf(*this);
  if (impl.font.Set(name, value)) {
    if (ButtonWidget* button = impl.Widget()) button->setFont(impl.font.Resolve());
  } else if (name == "Caption") {
    caption_ = std::get<std::string>(value);
    // The caption is shown as written: '&' marks no mnemonic.
    if (ButtonWidget* button = impl.Widget())
      button->setText(detail::ToQString(caption_).replace(QChar(u'&'), QStringLiteral("&&")));
  } else if (name == "Default") {
    impl.SetDefault(std::get<bool>(value));
  } else if (name == "Cancel") {
    impl.SetCancel(std::get<bool>(value));
  }
}

bool PushButton::OffersEvent(std::string_view eventName, std::string_view signature) const {
  return (eventName == "Action" && signature == kActionSignature) ||
         RectControl::OffersEvent(eventName, signature);
}

}  // namespace platform
