# Runs ${VELMORA} with no display at all and checks that it prints one line saying
# there is no display and ends with a non-zero status, not by a signal.
execute_process(
  COMMAND env -u QT_QPA_PLATFORM DISPLAY= WAYLAND_DISPLAY= ${VELMORA}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
  TIMEOUT 20)

string(STRIP "${output}" text)
message(STATUS "exit status: ${status}; output: ${text}")
if(NOT status MATCHES "^[0-9]+$")
  message(FATAL_ERROR "velmora did not exit by itself: ${status}")
endif()
if(status EQUAL 0)
  message(FATAL_ERROR "velmora exited with status 0 without a display")
endif()
if(NOT text MATCHES "[Nn]o display")
  message(FATAL_ERROR "velmora did not say that there is no display")
endif()
if(text MATCHES "\n")
  message(FATAL_ERROR "velmora printed more than one line")
endif()
