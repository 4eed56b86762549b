# Runs the two executables as a user would and checks what they leave behind.
#   -DMODE=no_display -DAPP=<vnt-assistant>
#   -DMODE=snapshot -DTOOL=<vnt-snapshot> -DWORK_DIR=<an empty directory to create>

if(MODE STREQUAL "no_display")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=QT_QPA_PLATFORM ${APP}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 1)
    message(FATAL_ERROR "expected exit status 1 without a display, got ${status}: ${err}")
  endif()
  if(NOT err MATCHES "^vnt-assistant: no display found \\(DISPLAY is not set\\)[^\n]*\n$")
    message(FATAL_ERROR "expected one line naming the missing display, got: ${err}")
  endif()
elseif(MODE STREQUAL "snapshot")
  file(REMOVE_RECURSE ${WORK_DIR})
  file(MAKE_DIRECTORY ${WORK_DIR})
  set(png ${WORK_DIR}/window.png)
  # No season files: the seasons are disabled, so a click on one is refused.
  execute_process(COMMAND ${TOOL} ${png} click optYear 43 WORKING_DIRECTORY ${WORK_DIR}
                  RESULT_VARIABLE status ERROR_VARIABLE err)
  if(status EQUAL 0 OR NOT err MATCHES "optYear\\(43\\) cannot be clicked")
    message(FATAL_ERROR "a disabled season was clicked (status ${status}): ${err}")
  endif()
  execute_process(COMMAND ${TOOL} ${png} click cmdYear WORKING_DIRECTORY ${WORK_DIR}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "vnt-snapshot failed (${status}): ${err}")
  endif()
  if(NOT out MATCHES "message box \\[Select Year\\]: You must select a season for the charts")
    message(FATAL_ERROR "the Select Year box was not reported: ${out}")
  endif()
  # The PNG header: signature, IHDR length and type, then width and height.
  file(READ ${png} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 16 size)
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT size STREQUAL "0000023200000246")
    message(FATAL_ERROR "expected a 562 x 582 PNG, got header ${header}")
  endif()
else()
  message(FATAL_ERROR "unknown MODE ${MODE}")
endif()
