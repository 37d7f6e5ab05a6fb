# Run as `cmake -DROOT=<source tree> -P checklayers.cmake`: lists every #include of a file under
# src/<layer>/ that reaches a layer above it (or beside it), and every include of the window's headers
# from a program that runs without a display, then fails if there was any.
cmake_minimum_required(VERSION 3.21)
include(${CMAKE_CURRENT_LIST_DIR}/layers.cmake)
if(NOT ROOT)
  message(FATAL_ERROR "Usage: cmake -DROOT=<source tree> -P checklayers.cmake")
endif()

set(found 0)

# Checks the includes of every source file under ROOT/<folder>: the first folder named in each (after
# any "../") must be in `allowed`, or not be a layer at all.
function(check_folder folder allowed what)
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${ROOT}
    ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.hpp ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.cc)
  list(SORT files)
  foreach(file ${files})
    file(STRINGS ${ROOT}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${lines})
      if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"](\\.\\./)*([A-Za-z_]+)/")
        set(target ${CMAKE_MATCH_2})
        if(target IN_LIST VORELIAN_LAYERS AND NOT target IN_LIST allowed)
          string(STRIP "${line}" line)
          message("${file}: ${line} -- ${what}")
          math(EXPR found "${found} + 1")
        endif()
      endif()
    endforeach()
  endforeach()
  set(found ${found} PARENT_SCOPE)
endfunction()

foreach(layer ${VORELIAN_LAYERS})
  set(allowed ${layer} ${VORELIAN_BELOW_${layer}})
  string(REPLACE ";" ", " names "${allowed}")
  check_folder(src/${layer} "${allowed}" "${layer} may include only ${names}")
endforeach()
set(headless ${VORELIAN_LAYERS})
list(REMOVE_ITEM headless ui)
foreach(program ${VORELIAN_HEADLESS_PROGRAMS})
  check_folder(${program} "${headless}" "${program} runs without a display")
endforeach()

if(found EQUAL 0)
  message("Every include stays within its layer or below it")
else()
  message(FATAL_ERROR "${found} includes reach above their layer")
endif()
