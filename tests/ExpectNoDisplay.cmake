# Runs ${VELMORA} with DISPLAY set to ${DISPLAY_VALUE} (empty: no display at all; else a
# display no server answers on) and checks that it prints one line matching ${SAYS} and
# ends with a non-zero status, not by a signal.
if(DISPLAY_VALUE MATCHES "^:([0-9]+)$" AND EXISTS "/tmp/.X11-unix/X${CMAKE_MATCH_1}")
  message(FATAL_ERROR "a server answers on ${DISPLAY_VALUE}; pick another display")
endif()
execute_process(
  COMMAND env -u QT_QPA_PLATFORM DISPLAY=${DISPLAY_VALUE} WAYLAND_DISPLAY= ${VELMORA}
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
if(NOT text MATCHES "${SAYS}")
  message(FATAL_ERROR "velmora did not say: ${SAYS}")
endif()
if(text MATCHES "\n")
  message(FATAL_ERROR "velmora printed more than one line")
endif()
