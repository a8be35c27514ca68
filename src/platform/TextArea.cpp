#include "platform/TextArea.h"

#include "platform/qt/ControlWidgetImpl.h"
#include "platform/qt/RecordFont.h"
#include "platform/qt/TextAreaWidget.h"

namespace platform {
namespace {

using detail::TextAreaWidget;

// The font and colours the record sets, kept until each is complete.
struct TextAreaImpl : detail::ControlWidgetImpl<TextAreaWidget> {
  TextAreaImpl() : ControlWidgetImpl(new TextAreaWidget) { Widget()->setFont(font.Resolve()); }

  detail::RecordFont font;
  Color textColor{0x000000};
  Color backColor{0xFFFFFF};
};

TextAreaImpl& ImplOf(const TextArea& control) { return static_cast<TextAreaImpl&>(control.Impl()); }

TextAreaWidget* FieldOf(const TextArea& control) { return ImplOf(control).Widget(); }

}  // namespace

TextArea::TextArea() : RectControl(std::make_unique<TextAreaImpl>()) {
  TextAreaWidget* field = FieldOf(*this);
  field->onKeyDown = [this](const std::string& key) { return FireKeyDown(key); };
  field->onMouseDown = [this](std::int32_t x, std::int32_t y) { return FireMouseDown(x, y); };
}

std::string TextArea::Text() const {
  const TextAreaWidget* field = FieldOf(*this);
  return field ? field->Text() : std::string();
}

void TextArea::SetText(std::string_view text) {
  if (TextAreaWidget* field = FieldOf(*this)) field->SetText(text);
}

std::int32_t TextArea::SelStart() const {
  const TextAreaWidget* field = FieldOf(*this);
  return field ? field->SelStart() : 0;
}

void TextArea::SetSelStart(std::int32_t start) {
  if (TextAreaWidget* field = FieldOf(*this)) field->SetSelStart(start);
}

std::int32_t TextArea::SelLength() const {
  const TextAreaWidget* field = FieldOf(*this);
  return field ? field->SelLength() : 0;
}

void TextArea::SetSelLength(std::int32_t length) {
  if (TextAreaWidget* field = FieldOf(*this)) field->SetSelLength(length);
}

void TextArea::SetSelBold(bool bold) {
  if (TextAreaWidget* field = FieldOf(*this)) field->SetSelBold(bold);
}

const PropertyTable& TextArea::Properties() const { return TextAreaProperties(); }

void TextArea::SetProperty(std::string_view name, const PropertyValue& value) {
  if (SetCommonProperty(name, value)) return;
  TextAreaImpl& impl = ImplOf(*this);
  TextAreaWidget* field = impl.Widget();
  if (!field) return;
  const auto flag = [&value] { return std::get<bool>(value); };
  const auto text = [&value] { return std::get<std::string>(value); };
  if (impl.font.Set(name, value)) {
    field->setFont(impl.font.Resolve());
  } else if (name == "Text") {
    field->SetText(text());
  } else if (name == "Multiline") {
    field->SetMultiline(flag());
  } else if (name == "Styled") {
    field->SetStyled(flag());
  } else if (name == "LimitText") {
    field->SetLimit(std::get<std::int32_t>(value));
  } else if (name == "ReadOnly") {
    field->setReadOnly(flag());
    // A read-only text can still be selected and scrolled from the keyboard.
    if (flag()) field->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  } else if (name == "ScrollbarVertical") {
    field->SetVerticalScrollbar(flag());
  } else if (name == "TextColor") {
    impl.textColor = std::get<Color>(value);
    field->SetColors(impl.textColor, impl.backColor);
  } else if (name == "BackColor") {
    impl.backColor = std::get<Color>(value);
    field->SetColors(impl.textColor, impl.backColor);
  } else if (name == "Alignment") {
    field->SetAlignmentCode(std::get<std::int32_t>(value));
  } else if (name == "UseFocusRing") {
    field->SetFocusRing(flag());
  } else if (name == "HideSelection") {
    field->SetHideSelection(flag());
  }
}

bool TextArea::OffersEvent(std::string_view eventName, std::string_view signature) const {
  return (eventName == "KeyDown" && signature == kKeyDownSignature) ||
         RectControl::OffersEvent(eventName, signature);
}

}  // namespace platform
