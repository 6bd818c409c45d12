# Runs the resource generator into a fresh folder under $TMPDIR and compares every file it
# writes with the committed copy in src/resources, byte for byte; the folder is removed
# before the verdict.
execute_process(COMMAND mktemp -d -t velnor-resources-XXXXXX
                OUTPUT_VARIABLE SCRATCH OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "no temporary folder: ${made}")
endif()

set(failure "")
execute_process(COMMAND ${TOOL} ${SCRATCH} RESULT_VARIABLE result)
file(GLOB generated RELATIVE ${SCRATCH} ${SCRATCH}/*)
list(LENGTH generated count)
if(NOT result EQUAL 0)
  set(failure "make_resources failed: ${result}")
elseif(count EQUAL 0)
  set(failure "make_resources wrote nothing")
endif()
foreach(name IN LISTS generated)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${name} ${COMMITTED}/${name}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0 AND failure STREQUAL "")
    set(failure "${name} differs from a fresh run of make_resources: regenerate src/resources")
  endif()
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
if(NOT failure STREQUAL "")
  message(FATAL_ERROR "${failure}")
endif()
