# The Debian package as a user gets it:
#   cmake -DCPACK=<cpack> -DCPACK_CONFIG=<build>/CPackConfig.cmake -DVERSION=<x.y.z>
#         -DSEASONS=<source seasons folder> -DWORK_DIR=<a directory to create>
#         -P package_checks.cmake
# Builds the package, checks its file list and dependencies, unpacks it into a temporary
# root and starts the program from there, offscreen, on the seasons it brought along.

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/root ${WORK_DIR}/home ${WORK_DIR}/data ${WORK_DIR}/runtime)
file(CHMOD ${WORK_DIR}/runtime PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

macro(step what)
  execute_process(${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(step_name "${what}")
endmacro()
macro(fail)
  message(FATAL_ERROR "${step_name}: status ${status}\nstdout: ${out}\nstderr: ${err}")
endmacro()

step("cpack" COMMAND ${CPACK} --config ${CPACK_CONFIG} -G DEB -B ${WORK_DIR}/out)
if(NOT status EQUAL 0)
  fail()
endif()
file(GLOB debs ${WORK_DIR}/out/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package in ${WORK_DIR}/out, found: ${debs}")
endif()
file(SIZE ${debs} size)
message(STATUS "package ${debs}: ${size} bytes")

# Exactly these files, nothing elsewhere.
set(expected
  ./usr/bin/vnt-assistant
  ./usr/bin/vnt-seasons
  ./usr/share/applications/vnt-assistant.desktop
  ./usr/share/doc/vnt-assistant/changelog.gz
  ./usr/share/doc/vnt-assistant/copyright
  ./usr/share/doc/vnt-assistant/seasons.md
  ./usr/share/icons/hicolor/scalable/apps/vnt-assistant.svg
  ./usr/share/man/man1/vnt-seasons.1.gz
  ./usr/share/man/man6/vnt-assistant.6.gz)
file(GLOB sample_seasons RELATIVE ${SEASONS} ${SEASONS}/*.vnt)
foreach(season ${sample_seasons})
  list(APPEND expected ./usr/share/vnt-assistant/seasons/${season})
endforeach()
list(SORT expected)
step("dpkg-deb --contents" COMMAND dpkg-deb --contents ${debs})
string(REGEX MATCHALL "\n-[^\n]*" lines "\n${out}")
set(files)
foreach(line ${lines})
  string(REGEX REPLACE "^.* (\\./[^ ]+)$" "\\1" path "${line}")
  list(APPEND files ${path})
endforeach()
list(SORT files)
if(NOT files STREQUAL expected)
  message(FATAL_ERROR "the package holds\n  ${files}\nexpected\n  ${expected}")
endif()
string(REGEX MATCHALL "\nd[^\n]* (\\./[^ \n]+)" dirs "\n${out}")
foreach(dir ${dirs})
  if(NOT dir MATCHES " \\./usr/")
    message(FATAL_ERROR "a folder outside /usr: ${dir}")
  endif()
endforeach()

step("dpkg-deb --field" COMMAND dpkg-deb --field ${debs} Package Version Depends Section)
foreach(want "Package: vnt-assistant\n" "Version: ${VERSION}\n" "libqt6widgets6"
        "qt6-qpa-plugins" "libstdc\\+\\+6")
  if(NOT out MATCHES "${want}")
    fail()
  endif()
endforeach()

step("dpkg-deb --extract" COMMAND dpkg-deb --extract ${debs} ${WORK_DIR}/root)
if(NOT status EQUAL 0)
  fail()
endif()
set(root ${WORK_DIR}/root)

step("--version" COMMAND ${root}/usr/bin/vnt-assistant --version)
if(NOT status EQUAL 0 OR NOT out STREQUAL "vnt-assistant ${VERSION}\n")
  fail()
endif()

# As the menu entry starts it, for a player with no seasons of their own: the samples.
file(READ ${root}/usr/share/applications/vnt-assistant.desktop entry)
foreach(want "\nName=VNT Assistant\n" "\nComment=[^\n]+\n" "\nExec=vnt-assistant --user-seasons\n"
        "\nIcon=vnt-assistant\n" "\nCategories=Game;")
  if(NOT entry MATCHES "${want}")
    message(FATAL_ERROR "the desktop entry lacks ${want}:\n${entry}")
  endif()
endforeach()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  step("desktop-file-validate" COMMAND ${DESKTOP_FILE_VALIDATE}
       ${root}/usr/share/applications/vnt-assistant.desktop)
  if(NOT status EQUAL 0 OR NOT out STREQUAL "")
    fail()
  endif()
endif()
step("offscreen start"
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen HOME=${WORK_DIR}/home
          XDG_DATA_HOME=${WORK_DIR}/data XDG_RUNTIME_DIR=${WORK_DIR}/runtime
          ${root}/usr/bin/vnt-assistant --user-seasons --self-test
  WORKING_DIRECTORY ${WORK_DIR}/home)
string(REPLACE ".vnt" "" years "${sample_seasons}")
string(REGEX REPLACE "(Deep|BPE|Weather|CPlay)" "" years "${years}")
list(REMOVE_DUPLICATES years)
list(SORT years)
string(REPLACE ";" " " years "${years}")
if(NOT status EQUAL 0 OR NOT err STREQUAL ""
   OR NOT out MATCHES "/usr/share/vnt-assistant/seasons: ${years}\n$"
   OR NOT out MATCHES "from ${root}")
  fail()
endif()

step("vnt-seasons without arguments" COMMAND ${root}/usr/bin/vnt-seasons)
if(NOT status EQUAL 2)
  fail()
endif()
