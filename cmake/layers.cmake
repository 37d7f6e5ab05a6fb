# The layers of the program, from the bottom up, and the layers each may include besides itself.
# bases and rtf stand side by side on core; the engine sits on both; the reports on the engine; the
# window on everything. The programs sit on top: the report tool and the web service run without a
# display, so they may include every layer but the window's.
# Both the build (which headers a target sees) and the include check run by CTest read this one table.
set(VORELIAN_LAYERS core bases rtf engine report ui)
set(VORELIAN_BELOW_core "")
set(VORELIAN_BELOW_bases core)
set(VORELIAN_BELOW_rtf core)
set(VORELIAN_BELOW_engine core bases rtf)
set(VORELIAN_BELOW_report core bases rtf engine)
set(VORELIAN_BELOW_ui core bases rtf engine report)
set(VORELIAN_HEADLESS_PROGRAMS tools server)

# Every layer library vorelian_<layer> shows its users only its own headers: its include root is a
# folder of the build holding one link, <layer> -> src/<layer>, so "core/state.h" is found through
# vorelian_core and "ui/..." through nothing below the window. The headers of lower layers come with
# the libraries it links, and a layer that links one above it stops the configuration. Where the file
# system cannot make links, the include roots stay at src/ and the include check alone keeps the order.
function(vorelian_keep_layers)
  foreach(layer ${VORELIAN_LAYERS})
    set(target vorelian_${layer})
    if(NOT TARGET ${target})
      continue()
    endif()
    get_target_property(links ${target} LINK_LIBRARIES)
    foreach(lib ${links})
      if(lib MATCHES "^vorelian(::|_)([a-z]+)$")
        set(other ${CMAKE_MATCH_2})
        if(other IN_LIST VORELIAN_LAYERS AND NOT other IN_LIST VORELIAN_BELOW_${layer})
          message(FATAL_ERROR "The ${layer} layer links ${lib}, which is not below it")
        endif()
      endif()
    endforeach()

    set(root ${CMAKE_BINARY_DIR}/layers/${layer})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${layer} ${root}/${layer} RESULT linked SYMBOLIC)
    if(NOT linked EQUAL 0)
      message(STATUS "Layer include roots not separated (${linked}); the include check still runs")
      return()
    endif()
    foreach(property INCLUDE_DIRECTORIES INTERFACE_INCLUDE_DIRECTORIES)
      get_target_property(dirs ${target} ${property})
      if(NOT dirs)
        set(dirs "")
      endif()
      list(REMOVE_ITEM dirs ${CMAKE_SOURCE_DIR}/src)
      list(PREPEND dirs ${root})
      set_property(TARGET ${target} PROPERTY ${property} ${dirs})
    endforeach()
  endforeach()

  if(BUILD_TESTING)
    # No file of a layer includes a header of a layer above it; the second run proves that the check
    # finds such includes, on a small tree that has them.
    add_test(NAME layer_includes
      COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/checklayers.cmake)
    add_test(NAME layer_includes_found
      COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR}/tests/layers/tree
              -P ${CMAKE_SOURCE_DIR}/cmake/checklayers.cmake)
    set_tests_properties(layer_includes_found PROPERTIES PASS_REGULAR_EXPRESSION
      "src/core/upward.h: #include \"../ui/monthgrid.h\".*src/bases/upward.cpp: #include \"report/report.h\".*src/rtf/beside.h: #include \"bases/profile.h\".*tools/window.cpp: #include <ui/frmcalendar.h>.*4 includes reach above their layer")
    # POSIX-only headers stand inside Q_OS_UNIX blocks, beside their Windows counterparts; the small tree
    # has one guarded and one unguarded include.
    add_test(NAME portable_headers
      COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/checkportable.cmake)
    add_test(NAME portable_headers_found
      COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR}/tests/layers/tree
              -P ${CMAKE_SOURCE_DIR}/cmake/checkportable.cmake)
    set_tests_properties(portable_headers_found PROPERTIES PASS_REGULAR_EXPRESSION
      "src/core/posix.cpp: #include <unistd.h> -- .*1 POSIX-only includes stand outside")
  endif()
endfunction()
