#pragma once

#include <QPoint>
#include <string_view>

#include "platform/TextArea.h"
#include "platform/Window.h"
#include "platform/qt/TextAreaWidget.h"
#include "platform/qt/WindowImpl.h"

class QMenuBar;
class QTextEdit;
class QWidget;

// A system window as a user sees and works it: its Qt frame, content and controls.
namespace velmora_test {

platform::detail::WindowWidget* FrameOf(const platform::Window& window);
QWidget* ContentOf(const platform::Window& window);
// The widget of the window's visible control of that name, or nothing.
QWidget* WidgetOf(const platform::Window& window, std::string_view name);
// The menu bar the window shows, or nothing.
QMenuBar* MenuBarOf(const platform::Window& window);

// The Qt field behind a text area: its kind as the record set it.
const platform::detail::TextAreaWidget& FieldWidget(const platform::TextArea& field);

// Whether the field's character at the position (in UTF-16 units: every test text is in
// the basic plane) is bold; a line break counts as the paragraph it starts.
bool BoldAt(const platform::TextArea& field, int position);

// Pixels of the field's text drawn in the platform's selection colour.
int HighlightPixels(const QTextEdit& field);

// Shows the window and waits until it is active, as a user's click makes it.
void ShowActive(platform::Window& window);

// A press and release at a point of the window's content, delivered through the window
// system so that Qt itself finds the widget under the pointer.
void ClickContentAt(const platform::Window& window, QPoint contentPoint);

}  // namespace velmora_test
