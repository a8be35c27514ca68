#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace bench {

// Watches every event of the application and, once a widget of a window that `matches`
// accepts is first painted, runs `then`. The call is queued, so the whole frame is drawn
// and flushed to the screen before it runs.
class FirstPaint : public QObject {
 public:
  FirstPaint(std::function<bool(const QWidget*)> matches, std::function<void()> then);
  ~FirstPaint() override;

  bool Seen() const { return seen_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<bool(const QWidget*)> matches_;
  std::function<void()> then_;
  bool seen_ = false;
};

}  // namespace bench
