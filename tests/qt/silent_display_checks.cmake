# A display that takes the connection and never answers: the program says so in one line
# and exits 1 within seconds, where the toolkit would wait, then abort.
#   cmake -DAPP=<vnt-assistant> -DSERVER=<silent_display> -DWORK_DIR=<a directory to create>
#         -P silent_display_checks.cmake

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(kind unix tcp)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env XDG_RUNTIME_DIR=${WORK_DIR} --unset=WAYLAND_DISPLAY
            --unset=QT_QPA_PLATFORM ${SERVER} ${kind} ${APP}
    WORKING_DIRECTORY ${WORK_DIR} TIMEOUT 60
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 1)
    message(FATAL_ERROR "${kind}: expected exit status 1, got ${status}: ${err}")
  endif()
  if(NOT err MATCHES "^vnt-assistant: the display named by DISPLAY [(](127.0.0.1)?:[0-9]+[)] accepted a connection but did not answer within 5 seconds; start it from a desktop session or under Xvfb\n$")
    message(FATAL_ERROR "${kind}: expected one line saying the display does not answer, got: ${err}")
  endif()
endforeach()
