# Runs PROGRAM with ARGS (separated by commas) in an emptied environment -- no DISPLAY,
# no WAYLAND_DISPLAY, no SDL_VIDEODRIVER -- and expects it to say MESSAGE on
# standard error and end with a status other than 0, instead of running on
# with no window anybody can see.
string(REPLACE "," ";" ARGS "${ARGS}")
execute_process(COMMAND env -i ${PROGRAM} ${ARGS}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if("${status}" STREQUAL "0")
  message(FATAL_ERROR "${PROGRAM} ended with status 0 without a display:\n${out}${err}")
endif()
if(NOT status MATCHES "^[0-9]+$")
  message(FATAL_ERROR "${PROGRAM} did not end by itself without a display: ${status}\n${out}${err}")
endif()
string(FIND "${err}" "${MESSAGE}" at)
if(at LESS 0)
  message(FATAL_ERROR "${PROGRAM} did not say \"${MESSAGE}\" without a display (status ${status}):\n${out}${err}")
endif()
