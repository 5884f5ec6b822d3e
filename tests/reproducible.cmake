# Runs GENERATOR [GENERATOR_ARGS...] OUT_DIR and compares every file it writes with the one
# of the same name in EXPECTED_DIR, byte for byte; the committed files are
# those of EXPECTED_DIR that match PATTERNS (a list of globs).
file(REMOVE_RECURSE "${OUT_DIR}")
set(ENV{QT_QPA_PLATFORM} offscreen)  # a generator that paints needs no display
execute_process(COMMAND "${GENERATOR}" ${GENERATOR_ARGS} "${OUT_DIR}" RESULT_VARIABLE status ERROR_VARIABLE log)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed (${status}): ${log}")
endif()
set(globs "")
foreach(pattern IN LISTS PATTERNS)
  list(APPEND globs "${EXPECTED_DIR}/${pattern}")
endforeach()
file(GLOB written RELATIVE "${OUT_DIR}" "${OUT_DIR}/*")
file(GLOB committed RELATIVE "${EXPECTED_DIR}" ${globs})
list(SORT written)
list(SORT committed)
if(NOT written STREQUAL committed)
  message(FATAL_ERROR "the generator wrote [${written}] but ${EXPECTED_DIR} holds [${committed}]")
endif()
foreach(name IN LISTS written)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT_DIR}/${name}" "${EXPECTED_DIR}/${name}"
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "regenerated ${name} differs from ${EXPECTED_DIR}/${name}")
  endif()
endforeach()
