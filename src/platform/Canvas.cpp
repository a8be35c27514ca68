#include "platform/Canvas.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "platform/Picture.h"
#include "platform/qt/ControlWidgetImpl.h"
#include "platform/qt/MouseDownWidget.h"
#include "platform/qt/PictureImpl.h"

namespace platform {
namespace {

// Draws the backdrop at its own size from the top-left corner; what does not fit is
// cut off, and the rest of the canvas shows what lies behind it.
class CanvasWidget : public detail::MouseDownWidget<QWidget> {
 public:
  QImage backdrop;

 protected:
  void paintEvent(QPaintEvent* event) override {
    (void)event;
    if (backdrop.isNull()) return;
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.drawImage(QPoint(0, 0), backdrop);
  }
};

// A canvas never takes the focus.
struct CanvasImpl : detail::ControlWidgetImpl<CanvasWidget> {
  CanvasImpl() : ControlWidgetImpl(new CanvasWidget) { Widget()->setFocusPolicy(Qt::NoFocus); }
};

CanvasImpl& ImplOf(const Canvas& control) { return static_cast<CanvasImpl&>(control.Impl()); }

}  // namespace

Canvas::Canvas() : RectControl(std::make_unique<CanvasImpl>()) {
  ImplOf(*this).Widget()->onMouseDown = [this](std::int32_t x, std::int32_t y) {
    return FireMouseDown(x, y);
  };
}

std::shared_ptr<Picture> Canvas::Backdrop() const { return backdrop_; }

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture) {
  backdrop_ = std::move(picture);
  if (CanvasWidget* canvas = ImplOf(*this).Widget()) {
    canvas->backdrop = backdrop_ ? backdrop_->Impl().image : QImage();
    canvas->update();
  }
}

const PropertyTable& Canvas::Properties() const { return CanvasProperties(); }

void Canvas::SetProperty(std::string_view name, const PropertyValue& value) {
  SetCommonProperty(name, value);
}

}  // namespace platform
