#pragma once

#include <QTimer>
#include <cstdint>

namespace platform {
class Timer;
}

namespace platform::detail {

// The Qt side of a timer. A timeout only ever runs the Action from RuntimeRun's loop:
// one that comes due earlier (a nested loop during start-up) waits for it.
struct TimerImpl {
  explicit TimerImpl(Timer& owner);

  void Arm(std::int32_t period);
  void Stop();
  void OnTimeout();

  Timer& owner;
  QTimer timer;
  // Counts the arming: a timeout held back for the loop is dropped when the timer
  // was stopped or armed anew in the meantime.
  std::uint64_t generation = 0;
};

}  // namespace platform::detail
