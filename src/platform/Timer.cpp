#include "platform/Timer.h"

#include <algorithm>

#include "platform/PaneChild.h"
#include "platform/qt/Dispatch.h"
#include "platform/qt/RuntimeState.h"
#include "platform/qt/TimerImpl.h"

namespace platform {
namespace detail {

TimerImpl::TimerImpl(Timer& owner) : owner(owner) {
  timer.setTimerType(Qt::PreciseTimer);
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, [this] { OnTimeout(); });
}

void TimerImpl::Arm(std::int32_t period) {
  Stop();
  timer.start(std::max(period, 0));
}

void TimerImpl::Stop() {
  timer.stop();
  ++generation;
}

void TimerImpl::OnTimeout() {
  const std::weak_ptr<Control> weak = owner.weak_from_this();
  WhenRunning([this, weak, armed = generation] {
    const auto keep = weak.lock();
    if (!keep || armed != generation) return;  // ended, stopped or armed anew
    Guarded([this] { owner.Fire(); });
  });
}

}  // namespace detail

Timer::Timer() : impl_(std::make_unique<detail::TimerImpl>(*this)) {}

Timer::~Timer() = default;

std::int32_t Timer::Period() const { return period_; }

void Timer::SetPeriod(std::int32_t milliseconds) {
  period_ = milliseconds;
  Reset();
}

void Timer::Reset() { impl_->Arm(period_); }

void Timer::Fire() { FireAction(); }

std::shared_ptr<Window> Timer::HandlerWindow() const {
  // A timer has no window of its own: its class says through PaneChild.
  if (const auto* child = dynamic_cast<const PaneChild*>(this)) return child->Window();
  return nullptr;
}

void Timer::Close() {
  impl_->Stop();
  // The owner reference would keep the closed window alive through its own timer.
  if (auto* child = dynamic_cast<PaneChild*>(this)) child->SetWindow(nullptr);
  Control::Close();
}

const PropertyTable& Timer::Properties() const { return TimerProperties(); }

void Timer::SetProperty(std::string_view name, const PropertyValue& value) {
  if (name == "Period") SetPeriod(std::get<std::int32_t>(value));
}

bool Timer::OffersEvent(std::string_view eventName, std::string_view signature) const {
  return eventName == "Action" && signature == kActionSignature;
}

}  // namespace platform
