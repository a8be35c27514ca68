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
  void resizeEvent(QResizeEvent* event) override;

 private:
  Window* owner_;
  QSize lastSize_;
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
  // Fixes the content size and the size limits.
  void UpdateSize();
  void UpdateBackground();
  // Puts the window on screen, out of the task bar, raised and active (centred the first
  // time for Placement 0).
  void ShowNow();
  // Orders keyboard focus by the controls' TabIndex; a control that lies under a later one
  // takes no focus.
  void UpdateTabOrder();

  Window& owner;
  QPointer<WindowWidget> frame;

  std::int32_t placement = 0;
  std::int32_t width = 100;
  std::int32_t height = 100;
  std::int32_t minWidth = 64;
  std::int32_t minHeight = 64;
  std::int32_t maxWidth = 32000;
  std::int32_t maxHeight = 32000;
  std::int32_t frameKind = 0;
  std::int32_t top = 0;
  std::int32_t left = 0;
  std::int32_t macProcId = 0;
  std::int32_t initialControlsCreated = 0;
  bool composite = false;
  bool hasBackColor = false;
  std::uint32_t backColor = 0xFFFFFF;
  std::string title;
  bool visibleFromRecord = false;
  bool fullScreen = false;
  bool menuBarVisible = true;
  bool closeButton = true;
  bool resizeable = false;
  bool liveResize = false;
  bool maximizeButton = false;
  bool minimizeButton = true;

  bool constructed = false;  // Constructor has finished
  bool open = false;         // registered and not yet closed
  bool shownOnce = false;
};

}  // namespace platform::detail
