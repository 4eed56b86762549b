# Runs the two executables as a user would and checks what they leave behind.
#   -DMODE=no_display -DAPP=<vnt-assistant>
#   -DMODE=unreachable_display -DAPP=<vnt-assistant> -DSEASONS=<sample seasons>
#        -DWORK_DIR=<an empty directory to create>
#   -DMODE=snapshot -DTOOL=<vnt-snapshot> -DWORK_DIR=<an empty directory to create>

if(MODE STREQUAL "no_display")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=QT_QPA_PLATFORM ${APP}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 1)
    message(FATAL_ERROR "expected exit status 1 without a display, got ${status}: ${err}")
  endif()
  if(NOT err MATCHES "^vnt-assistant: no display found [(]DISPLAY is not set[)][^\n]*\n$")
    message(FATAL_ERROR "expected one line naming the missing display, got: ${err}")
  endif()
elseif(MODE STREQUAL "unreachable_display")
  # A display is named but nothing answers there (display 97 has no server, the Wayland
  # socket is not in the runtime folder): one line saying so, status 1, no abort.
  file(REMOVE_RECURSE ${WORK_DIR})
  file(MAKE_DIRECTORY ${WORK_DIR})
  # expect_unreachable(<what stderr names> <environment>...)
  macro(expect_unreachable expected)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env XDG_RUNTIME_DIR=${WORK_DIR} ${ARGN} ${APP}
      WORKING_DIRECTORY ${WORK_DIR}
      RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 1)
      message(FATAL_ERROR "${ARGN}: expected exit status 1, got ${status}: ${err}")
    endif()
    if(NOT err MATCHES "^vnt-assistant: ${expected}; start it from a desktop session or under Xvfb\n$")
      message(FATAL_ERROR "${ARGN}: expected one line naming the display, got: ${err}")
    endif()
  endmacro()
  set(x "the display named by DISPLAY [(]:97[)]")
  set(wayland "the Wayland display named by WAYLAND_DISPLAY [(]vnt-nowhere[)]")
  expect_unreachable("${x} cannot be reached"
    DISPLAY=:97 --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)
  expect_unreachable("the display named by DISPLAY [(]unix:97.0[)] cannot be reached"
    DISPLAY=unix:97.0 --unset=WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb)
  expect_unreachable("${wayland} cannot be reached"
    --unset=DISPLAY WAYLAND_DISPLAY=vnt-nowhere --unset=QT_QPA_PLATFORM)
  expect_unreachable("${wayland} cannot be reached"
    --unset=DISPLAY WAYLAND_DISPLAY=vnt-nowhere QT_QPA_PLATFORM=wayland)
  expect_unreachable("neither ${x} nor ${wayland} can be reached"
    DISPLAY=:97 WAYLAND_DISPLAY=vnt-nowhere --unset=QT_QPA_PLATFORM)
  # A platform that needs no display starts whatever DISPLAY names, and so does a list that
  # ends in one.
  foreach(platform offscreen "xcb\;offscreen")
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env XDG_RUNTIME_DIR=${WORK_DIR} DISPLAY=:97
              QT_QPA_PLATFORM=${platform} ${APP} --seasons ${SEASONS} --self-test
      WORKING_DIRECTORY ${WORK_DIR}
      RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0 OR NOT out MATCHES "seasons offered from")
      message(FATAL_ERROR "QT_QPA_PLATFORM=${platform}: status ${status}: ${out}${err}")
    endif()
  endforeach()
elseif(MODE STREQUAL "snapshot")
  file(REMOVE_RECURSE ${WORK_DIR})
  file(MAKE_DIRECTORY ${WORK_DIR})
  set(png ${WORK_DIR}/window.png)
  # No season files: the seasons are disabled, so a click on one is refused.
  execute_process(COMMAND ${TOOL} ${png} click optYear 43 WORKING_DIRECTORY ${WORK_DIR}
                  RESULT_VARIABLE status ERROR_VARIABLE err)
  if(status EQUAL 0 OR NOT err MATCHES "optYear[(]43[)] cannot be clicked")
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
