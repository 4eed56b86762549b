# Arrows run one way: the model (shell/) includes nothing of the program outside itself,
# the charts include only the model and themselves, and neither includes a toolkit header.
# Run as: cmake -DROOT=<source folder> -P check_layers.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source folder> -P check_layers.cmake")
endif()

# layer: the folder checked; allowed: the folders its quoted includes may name.
set(VNT_LAYERS "shell:shell" "charts:shell,charts")

set(faults "")
set(checked 0)
foreach(layer IN LISTS VNT_LAYERS)
  string(REPLACE ":" ";" parts "${layer}")
  list(GET parts 0 folder)
  list(GET parts 1 allowed)
  string(REPLACE "," ";" allowed "${allowed}")
  file(GLOB_RECURSE sources RELATIVE "${ROOT}" "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    math(EXPR checked "${checked} + 1")
    file(STRINGS "${ROOT}/${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]*)\"")
        set(target "${CMAKE_MATCH_1}")
        string(REGEX REPLACE "/.*" "" top "${target}")
        if(NOT target MATCHES "/" OR NOT top IN_LIST allowed)
          string(APPEND faults "  ${source} includes ${target}\n")
        endif()
      elseif(line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]*|qt[^>]*)>?")
        string(APPEND faults "  ${source} includes the toolkit header <${CMAKE_MATCH_1}>\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "No sources found under ${ROOT}/shell or ${ROOT}/charts")
endif()
if(faults)
  message(FATAL_ERROR "An include points the wrong way:\n${faults}")
endif()
message(STATUS "${checked} files include only what their layer may")
