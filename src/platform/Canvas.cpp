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

struct CanvasImpl : detail::ControlWidgetImpl<CanvasWidget> {
  CanvasImpl() : ControlWidgetImpl(new CanvasWidget) { Widget()->setFocusPolicy(Qt::NoFocus); }

  bool useFocusRing = true;
  bool acceptFocus = false;
  bool acceptTabs = false;
  bool doubleBuffer = false;
  bool eraseBackground = true;
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
  CanvasImpl& impl = ImplOf(*this);
  const auto flag = [&value] { return std::get<bool>(value); };
  if (name == "AcceptFocus") {
    impl.acceptFocus = flag();
    if (CanvasWidget* canvas = impl.Widget()) {
      // Tab reaches the canvas only when its TabStop says so too.
      const Qt::FocusPolicy policy = !impl.acceptFocus ? Qt::NoFocus
                                     : impl.tabStop    ? Qt::StrongFocus
                                                       : Qt::ClickFocus;
      canvas->setFocusPolicy(policy);
    }
  } else if (SetCommonProperty(name, value)) {
    return;
  } else if (name == "UseFocusRing") {
    impl.useFocusRing = flag();
  } else if (name == "AcceptTabs") {
    impl.acceptTabs = flag();
  } else if (name == "DoubleBuffer") {
    impl.doubleBuffer = flag();  // Qt buffers every widget anyway
  } else if (name == "EraseBackground") {
    impl.eraseBackground = flag();
  }
}

}  // namespace platform
