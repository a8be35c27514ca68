#include "platform/StaticText.h"

#include <QLabel>
#include <QPalette>
#include <array>

#include "platform/qt/ControlWidgetImpl.h"
#include "platform/qt/MouseDownWidget.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/RecordFont.h"

namespace platform {
namespace {

using LabelWidget = detail::MouseDownWidget<QLabel>;

// TextAlign codes: flush left, centred, flush right; the text starts at the top.
constexpr std::array<Qt::Alignment, 3> kTextAlign = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};

struct StaticTextImpl : detail::ControlWidgetImpl<LabelWidget> {
  StaticTextImpl() : ControlWidgetImpl(new LabelWidget) {
    LabelWidget* label = Widget();
    label->setTextFormat(Qt::PlainText);
    label->setMargin(0);
    label->setIndent(0);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(font.Resolve());
  }

  detail::RecordFont font;
};

StaticTextImpl& ImplOf(const StaticText& control) { return static_cast<StaticTextImpl&>(control.Impl()); }

}  // namespace

StaticText::StaticText() : RectControl(std::make_unique<StaticTextImpl>()) {
  ImplOf(*this).Widget()->onMouseDown = [this](std::int32_t x, std::int32_t y) {
    return FireMouseDown(x, y);
  };
}

const std::string& StaticText::Text() const { return text_; }

void StaticText::SetText(std::string_view text) {
  text_ = text;
  if (QLabel* label = ImplOf(*this).Widget()) {
    // Lines of the system's texts are separated by carriage returns.
    QString shown = detail::ToQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar(u'\r'), QChar(u'\n'));
    label->setText(shown);
  }
}

const PropertyTable& StaticText::Properties() const { return StaticTextProperties(); }

void StaticText::SetProperty(std::string_view name, const PropertyValue& value) {
  if (SetCommonProperty(name, value)) return;
  StaticTextImpl& impl = ImplOf(*this);
  if (impl.font.Set(name, value)) {
    if (QLabel* label = impl.Widget()) label->setFont(impl.font.Resolve());
  } else if (name == "Text") {
    SetText(std::get<std::string>(value));
  } else if (name == "TextAlign") {
    // Records are checked against the codes; a direct call with another keeps the alignment.
    const std::int32_t code = std::get<std::int32_t>(value);
    QLabel* label = impl.Widget();
    if (label && code >= 0 && code < std::ssize(kTextAlign))
      label->setAlignment(kTextAlign[code] | Qt::AlignTop);
  } else if (name == "TextColor") {
    // Only the active and inactive colours: a disabled label keeps the greyed text.
    if (QLabel* label = impl.Widget()) {
      QPalette palette = label->palette();
      for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::WindowText, detail::ToQColor(std::get<Color>(value)));
      label->setPalette(palette);
    }
  }
}

}  // namespace platform
