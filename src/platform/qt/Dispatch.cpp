#include "platform/qt/Dispatch.h"

#include <QCoreApplication>

#include "platform/qt/RuntimeState.h"

namespace platform::detail {

void KeepEscapedException(std::exception_ptr exception) {
  RuntimeState& state = State();
  if (!state.escaped) state.escaped = std::move(exception);
  // Ends every event loop of the thread, nested modal ones too; RuntimeRun rethrows.
  if (QCoreApplication::instance()) QCoreApplication::exit(1);
}

}  // namespace platform::detail
