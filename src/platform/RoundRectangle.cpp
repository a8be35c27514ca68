#include "platform/RoundRectangle.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <algorithm>

#include "platform/qt/ControlWidgetImpl.h"
#include "platform/qt/MouseDownWidget.h"
#include "platform/qt/QtConvert.h"

namespace platform {
namespace {

// The panel: a filled rectangle whose corners are quarter ellipses of OvalWidth by
// OvalHeight, with the border drawn inside the control's rectangle.
class RoundRectWidget : public detail::MouseDownWidget<QWidget> {
 public:
  Color fillColor{0xFFFFFF};
  Color borderColor{0x000000};
  std::int32_t borderWidth = 1;
  std::int32_t ovalWidth = 0;
  std::int32_t ovalHeight = 0;

 protected:
  void paintEvent(QPaintEvent* event) override {
    (void)event;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal pen = std::max(borderWidth, 0);
    // The pen is centred on the outline: inset by half of it so it stays inside.
    const QRectF box = QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
    if (pen > 0) {
      painter.setPen(QPen(detail::ToQColor(borderColor), pen));
    } else {
      painter.setPen(Qt::NoPen);
    }
    painter.setBrush(detail::ToQColor(fillColor));
    painter.drawRoundedRect(box, std::max(ovalWidth, 0) / 2.0, std::max(ovalHeight, 0) / 2.0,
                            Qt::AbsoluteSize);
  }
};

using RoundRectangleImpl = detail::ControlWidgetImpl<RoundRectWidget>;

RoundRectWidget* WidgetOf(const RoundRectangle& control) {
  return static_cast<RoundRectangleImpl&>(control.Impl()).Widget();
}

}  // namespace

RoundRectangle::RoundRectangle() : RectControl(std::make_unique<RoundRectangleImpl>(new RoundRectWidget)) {
  WidgetOf(*this)->onMouseDown = [this](std::int32_t x, std::int32_t y) { return FireMouseDown(x, y); };
}

const PropertyTable& RoundRectangle::Properties() const { return RoundRectangleProperties(); }

void RoundRectangle::SetProperty(std::string_view name, const PropertyValue& value) {
  if (SetCommonProperty(name, value)) return;
  RoundRectWidget* panel = WidgetOf(*this);
  if (!panel) return;
  if (name == "FillColor") {
    panel->fillColor = std::get<Color>(value);
  } else if (name == "BorderColor") {
    panel->borderColor = std::get<Color>(value);
  } else if (name == "BorderWidth") {
    panel->borderWidth = std::get<std::int32_t>(value);
  } else if (name == "OvalWidth") {
    panel->ovalWidth = std::get<std::int32_t>(value);
  } else if (name == "OvalHeight") {
    panel->ovalHeight = std::get<std::int32_t>(value);
  } else {
    return;
  }
  panel->update();
}

}  // namespace platform
