#pragma once

namespace platform::detail {

// Counts one sounded alert; RuntimeBeepCount reports the total for the process.
void CountBeep();

}  // namespace platform::detail
