# vnt-snapshot's command line: --help answers, an unknown option is refused, and nothing but
# a PNG picture is ever overwritten.
#   -DTOOL=<vnt-snapshot> -DWORK_DIR=<a directory to create>

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# run(<arguments>...): the tool in WORK_DIR; sets status, out and err.
macro(run)
  execute_process(COMMAND ${TOOL} ${ARGN} WORKING_DIRECTORY ${WORK_DIR}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
endmacro()
macro(expect_no_new_files what)
  file(GLOB left RELATIVE ${WORK_DIR} ${WORK_DIR}/*)
  list(REMOVE_ITEM left notes.txt notes.png folder.png)
  if(left)
    message(FATAL_ERROR "${what} left files behind: ${left}")
  endif()
endmacro()

file(WRITE ${WORK_DIR}/notes.txt "my notes\n")
file(WRITE ${WORK_DIR}/notes.png "not a picture\n")
file(MAKE_DIRECTORY ${WORK_DIR}/folder.png)

foreach(help --help -h)
  run(${help})
  if(NOT status EQUAL 0 OR NOT out MATCHES "^usage: vnt-snapshot OUT.png" OR NOT err STREQUAL "")
    message(FATAL_ERROR "${help}: status ${status}\nstdout: ${out}\nstderr: ${err}")
  endif()
  expect_no_new_files(${help})
endforeach()

# Each refused command line: status 2, a line naming the fault, no file written or changed.
set(cases
  "--helpp|unknown option \"--helpp\""
  "-o,x.png|unknown option \"-o\""
  "notes.txt|must end in .png: \"notes.txt\""
  "picture|must end in .png: \"picture\""
  ".png|must end in .png: \".png\""
  "notes.png|\"notes.png\" exists and is not a PNG picture"
  "folder.png|\"folder.png\" is not a file")
foreach(case ${cases})
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 arguments)
  list(GET parts 1 expected)
  string(REPLACE "," ";" arguments "${arguments}")
  run(${arguments} click cmdYear)
  string(FIND "${err}" "${expected}" at)
  if(NOT status EQUAL 2 OR at EQUAL -1)
    message(FATAL_ERROR "${arguments}: expected status 2 and \"${expected}\", got ${status}: ${err}")
  endif()
  expect_no_new_files("${arguments}")
endforeach()
file(READ ${WORK_DIR}/notes.txt notes)
file(READ ${WORK_DIR}/notes.png fake)
if(NOT notes STREQUAL "my notes\n" OR NOT fake STREQUAL "not a picture\n")
  message(FATAL_ERROR "a refused file was changed")
endif()

# A picture it drew before is drawn again, in any letter case of the ending.
foreach(name again.png AGAIN.PNG)
  foreach(time first second)
    run(${name} click cmdYear)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${name}, ${time} time: status ${status}: ${err}")
    endif()
  endforeach()
  file(READ ${WORK_DIR}/${name} header LIMIT 8 HEX)
  if(NOT header STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${name} is not a PNG: ${header}")
  endif()
endforeach()
