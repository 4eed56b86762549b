# The program's command line, run as a user would:
#   cmake -DAPP=<vnt-assistant> -DVERSION=<x.y.z> -DSEASONS=<sample seasons>
#         -DWORK_DIR=<a directory to create> -P command_line_checks.cmake

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/empty ${WORK_DIR}/runtime ${WORK_DIR}/data/vnt-assistant/seasons)
# Qt complains on standard error about a missing or open runtime folder.
file(CHMOD ${WORK_DIR}/runtime PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# Runs the program; `status`, `out` and `err` hold what it gave back.
macro(run)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env ${env} ${APP} ${ARGN}
    WORKING_DIRECTORY ${WORK_DIR}/empty
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
endmacro()

macro(fail)
  message(FATAL_ERROR "${what}: status ${status}\nstdout: ${out}\nstderr: ${err}")
endmacro()

# --help and --version need no display.
set(env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)
foreach(option --help -h)
  set(what "${option}")
  run(${option})
  if(NOT (status EQUAL 0 AND out MATCHES "^usage: vnt-assistant \\[--seasons DIR" AND err STREQUAL ""))
  fail()
endif()
endforeach()
set(what "--version")
run(--version)
if(NOT (status EQUAL 0 AND out STREQUAL "vnt-assistant ${VERSION}\n" AND err STREQUAL ""))
  fail()
endif()

# A wrong command line: what is wrong, then the usage, on standard error; status 2.
foreach(args "--bogus" "--seasons" "stray" "--seasons=" "--seasons;a;--seasons;b"
        "--seasons;a;--user-seasons" "-platform;offscreen")
  set(what "${args}")
  run(${args})
  if(NOT (status EQUAL 2 AND out STREQUAL "" AND err MATCHES "^vnt-assistant: [^\n]+\nusage: vnt-assistant "))
  fail()
endif()
endforeach()

set(env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${WORK_DIR}/runtime)
set(what "a season folder that is not there")
run(--seasons ${WORK_DIR}/missing)
if(NOT (status EQUAL 1 AND err MATCHES "^vnt-assistant: cannot open the season folder [^\n]*missing: [^\n]+\n$"))
  fail()
endif()

# No season to offer: one line names the folder and the way to find out why.
set(what "an empty season folder")
run(--seasons ${WORK_DIR}/empty --self-test)
if(NOT (status EQUAL 1 AND err STREQUAL "vnt-assistant: no season to offer: no season files in ${WORK_DIR}/empty pass their check (run \"vnt-seasons check\" there to see why)\n"))
  fail()
endif()
if(NOT (out MATCHES "seasons offered from ${WORK_DIR}/empty: none\n$"))
  fail()
endif()

# The same from the working directory, as the program has always been started.
set(what "an empty working directory")
run(--self-test)
if(NOT (status EQUAL 1 AND err MATCHES "no season files in ${WORK_DIR}/empty pass"))
  fail()
endif()

set(what "the sample seasons")
run(--seasons ${SEASONS} --self-test)
if(NOT (status EQUAL 0 AND err STREQUAL "" AND out MATCHES ": 1975 1987 1998 2015 2016 2025\n$"))
  fail()
endif()
set(what "--seasons=DIR")
run(--seasons=${SEASONS} --self-test)
if(NOT (status EQUAL 0 AND out MATCHES ": 1975 1987 1998 2015 2016 2025\n$"))
  fail()
endif()

# The player's own folder, as the menu entry starts the program: one season copied there.
file(GLOB season2016 ${SEASONS}/2016*.vnt)
file(COPY ${season2016} DESTINATION ${WORK_DIR}/data/vnt-assistant/seasons)
set(env ${env} XDG_DATA_HOME=${WORK_DIR}/data)
set(what "--user-seasons")
run(--user-seasons --self-test)
if(NOT (status EQUAL 0 AND err STREQUAL "" AND out MATCHES "from ${WORK_DIR}/data/vnt-assistant/seasons: 2016\n$"))
  fail()
endif()
