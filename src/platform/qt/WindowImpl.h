#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <string>

namespace platform {
class Window;
}

namespace platform::detail {

// The window's content area: exactly the record's width and height, controls placed
// in window coordinates. A press that no control takes is the window's MouseDown.
class ContentWidget : public QWidget {
 public:
  ContentWidget(Window& owner, QWidget* parent);
  void Detach() { owner_ = nullptr; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  Window* owner_;
};

// The top-level Qt window: title bar and buttons by the record, an optional menu bar
// above the content, and the window's Activate, Deactivate, KeyDown and close box.
class WindowWidget : public QMainWindow {
 public:
  explicit WindowWidget(Window& owner);

  // The window this widget shows, or nothing once the window has ended.
  Window* Owner() const { return owner_; }
  ContentWidget* Content() const { return content_; }
  void Detach();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  Window* owner_;
  ContentWidget* content_;
};

struct WindowImpl {
  explicit WindowImpl(Window& owner);
  ~WindowImpl();

  // Applies the window kind and buttons to the Qt window flags.
  void UpdateFlags();
  // Fixes the content size: no window can be resized.
  void UpdateSize();
  void UpdateBackground();
  // Puts the window on screen, out of the task bar, raised and active (centred on the
  // screen the first time).
  void ShowNow();
  // Orders keyboard focus by the controls' TabIndex; a control that lies under a later one
  // takes no focus.
  void UpdateTabOrder();

  Window& owner;
  QPointer<WindowWidget> frame;

  std::int32_t width = 100;
  std::int32_t height = 100;
  std::int32_t frameKind = 0;
  bool hasBackColor = false;
  std::uint32_t backColor = 0xFFFFFF;
  std::string title;
  bool visibleFromRecord = false;
  bool closeButton = true;

  bool constructed = false;  // Constructor has finished
  bool open = false;         // registered and not yet closed
  bool shownOnce = false;
};

}  // namespace platform::detail
