#include "platform/PushButton.h"

#include <QPushButton>
#include <functional>

#include "platform/qt/ControlWidgetImpl.h"
#include "platform/qt/Dispatch.h"
#include "platform/qt/MouseDownWidget.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/RecordFont.h"

namespace platform {
namespace {

// The button: MouseDown comes first (MouseDownWidget), a completed click is Action.
class ButtonWidget : public detail::MouseDownWidget<QPushButton> {
 public:
  ButtonWidget() {
    // No button is a default button: Return presses none.
    setAutoDefault(false);
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
  PushButtonImpl() : ControlWidgetImpl(new ButtonWidget) { Widget()->setFont(font.Resolve()); }

  detail::RecordFont font;
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
  }
}

bool PushButton::OffersEvent(std::string_view eventName, std::string_view signature) const {
  return (eventName == "Action" && signature == kActionSignature) ||
         RectControl::OffersEvent(eventName, signature);
}

}  // namespace platform
