# Regenerates the seasons into OUT_DIR and compares them with BUNDLED_DIR byte for byte.
# Usage: cmake -DTOOL=... -DSOURCE_DIR=... -DOUT_DIR=... -DBUNDLED_DIR=... -P compare_seasons.cmake

cmake_minimum_required(VERSION 3.25)

foreach(var TOOL SOURCE_DIR OUT_DIR BUNDLED_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "compare_seasons.cmake: ${var} is not set")
  endif()
endforeach()

# A fresh folder, so a file the tool no longer writes cannot linger and pass.
file(REMOVE_RECURSE "${OUT_DIR}")
# Twice: the second time each file replaces the one written the first time, and nothing
# may be left beside them.
foreach(run first second)
  execute_process(COMMAND "${TOOL}" build "${SOURCE_DIR}" "${OUT_DIR}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "vnt-seasons failed the ${run} time (${result})")
  endif()
endforeach()

file(GLOB generated RELATIVE "${OUT_DIR}" "${OUT_DIR}/*")
file(GLOB bundled RELATIVE "${BUNDLED_DIR}" "${BUNDLED_DIR}/*")
# The folder's own notes are not generated.
list(REMOVE_ITEM bundled README.md .gitattributes)
list(SORT generated)
list(SORT bundled)

set(failed FALSE)
foreach(name IN LISTS generated)
  if(NOT name IN_LIST bundled)
    message(SEND_ERROR "missing from ${BUNDLED_DIR}: ${name}")
    set(failed TRUE)
  else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
      "${OUT_DIR}/${name}" "${BUNDLED_DIR}/${name}" RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
      message(SEND_ERROR "stale: ${BUNDLED_DIR}/${name} differs from what vnt-seasons writes now")
      set(failed TRUE)
    endif()
  endif()
endforeach()
foreach(name IN LISTS bundled)
  if(NOT name IN_LIST generated)
    message(SEND_ERROR "not written by vnt-seasons: ${BUNDLED_DIR}/${name}")
    set(failed TRUE)
  endif()
endforeach()

if(failed)
  message(FATAL_ERROR "the bundled seasons are out of date: run vnt-seasons tools/vnt_seasons/source seasons")
endif()
list(LENGTH generated count)
message(STATUS "${count} season files match")
