#include "support/WindowAccess.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <memory>

#include "platform/RectControl.h"
#include "platform/qt/RectControlImpl.h"

namespace velmora_test {

platform::detail::WindowWidget* FrameOf(const platform::Window& window) { return window.Impl().frame; }

QWidget* ContentOf(const platform::Window& window) {
  auto* frame = FrameOf(window);
  return frame ? frame->Content() : nullptr;
}

QWidget* WidgetOf(const platform::Window& window, std::string_view name) {
  const auto control = std::dynamic_pointer_cast<platform::RectControl>(window.ControlByName(name));
  return control ? control->Impl().widget.data() : nullptr;
}

QMenuBar* MenuBarOf(const platform::Window& window) {
  auto* frame = FrameOf(window);
  return frame ? qobject_cast<QMenuBar*>(frame->menuWidget()) : nullptr;
}

void ShowActive(platform::Window& window) {
  window.Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(FrameOf(window)));
}

void ClickContentAt(const platform::Window& window, QPoint contentPoint) {
  auto* frame = FrameOf(window);
  QTest::mouseClick(frame->windowHandle(), Qt::LeftButton, {}, ContentOf(window)->mapTo(frame, contentPoint));
}

const platform::detail::TextAreaWidget& FieldWidget(const platform::TextArea& field) {
  return *static_cast<const platform::detail::TextAreaWidget*>(field.Impl().widget.data());
}

int HighlightPixels(const QTextEdit& field) {
  const QColor highlight = QApplication::palette(&field).color(QPalette::Active, QPalette::Highlight);
  const QImage image = field.viewport()->grab().toImage();
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == highlight) ++count;
  return count;
}

bool BoldAt(const platform::TextArea& field, int position) {
  const auto* edit = qobject_cast<const QTextEdit*>(field.Impl().widget.data());
  if (!edit || position < 0 || position >= edit->document()->characterCount() - 1) return false;
  const QTextDocument& document = *edit->document();
  const auto bold = [&document](const QTextCharFormat& format) {
    return format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                       : document.defaultFont().bold();
  };
  const QTextBlock block = document.findBlock(position);
  for (auto it = block.begin(); !it.atEnd(); ++it)
    if (it.fragment().contains(position)) return bold(it.fragment().charFormat());
  return bold(document.findBlock(position + 1).charFormat());
}

}  // namespace velmora_test
