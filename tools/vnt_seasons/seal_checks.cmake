# vnt-seasons seal run as a user would: its options, and a read-only file sealed only when
# asked. Usage: cmake -DTOOL=<vnt-seasons> -DWORK_DIR=<a directory to create> -P seal_checks.cmake

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

macro(seal)
  execute_process(COMMAND "${TOOL}" seal ${ARGN} WORKING_DIRECTORY "${WORK_DIR}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
endmacro()

seal(--help)
if(NOT (status EQUAL 0 AND out MATCHES "^usage: vnt-seasons seal \\[--force\\] FILE" AND out MATCHES "hard links"))
  message(FATAL_ERROR "seal --help: ${status}: ${out}${err}")
endif()
seal(--bogus 1990Deep.vnt)
if(NOT (status EQUAL 2 AND err MATCHES "^vnt-seasons: seal: unknown option --bogus\n"))
  message(FATAL_ERROR "seal --bogus: ${status}: ${err}")
endif()

# A Deep file of one ballpark, its check value wrong, made read-only.
set(sealed "1\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n-2313\n")
string(REPLACE "-2313" "0" damaged "${sealed}")
file(WRITE "${WORK_DIR}/1990Deep.vnt" "${damaged}")
file(CHMOD "${WORK_DIR}/1990Deep.vnt" PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
seal(1990Deep.vnt)
file(READ "${WORK_DIR}/1990Deep.vnt" now)
if(NOT (status EQUAL 1 AND err MATCHES "read-only; not sealed" AND now STREQUAL damaged))
  message(FATAL_ERROR "a read-only file was not refused: ${status}: ${err}")
endif()
seal(--force 1990Deep.vnt)
file(READ "${WORK_DIR}/1990Deep.vnt" now)
if(NOT (status EQUAL 0 AND out STREQUAL "1990Deep.vnt: check value 0 replaced by -2313\n" AND now STREQUAL sealed))
  message(FATAL_ERROR "seal --force: ${status}: ${out}${err}")
endif()
