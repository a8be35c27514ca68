#pragma once

#include <QPointer>
#include <QWidget>

namespace platform::detail {

// Whom a framework dialog belongs to: the given window, else the active window, else the
// window that was active last. A dialog with that parent is transient for it: the window
// manager keeps it over the window, centres it there and minimises it with it. When the
// owner ends (after the dialog's exec) the keyboard focus goes back where it was.
class DialogOwner {
 public:
  explicit DialogOwner(QWidget* preferred = nullptr);
  ~DialogOwner();
  DialogOwner(const DialogOwner&) = delete;
  DialogOwner& operator=(const DialogOwner&) = delete;

  // The dialog's parent, or nothing when no window is on screen.
  QWidget* Parent() const { return parent_; }

 private:
  QPointer<QWidget> parent_;
  QPointer<QWidget> focus_;
};

}  // namespace platform::detail
