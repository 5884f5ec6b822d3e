vesprin_test(pipeline_test vesprin_app)

# vesprin-cast against golden output: each folder under golden/ holds the
# births (births.txt), the options (args.txt) and the expected JSON lines.
foreach(case cast_fixture cast_fixture_no_current_year cast_shipped)
  add_test(NAME golden_${case}
    COMMAND ${CMAKE_COMMAND}
      -DPROGRAM=$<TARGET_FILE:vesprin-cast>
      -DCASE_DIR=${CMAKE_CURRENT_SOURCE_DIR}/golden/${case}
      -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
      -DOUT=${CMAKE_CURRENT_BINARY_DIR}/golden_${case}.jsonl
      -P ${CMAKE_CURRENT_SOURCE_DIR}/golden.cmake)
endforeach()

# vesprin-cast as a process on damaged calendars and odd input.
vesprin_test(cast_bad_input_test vesprin_core)
target_compile_definitions(cast_bad_input_test PRIVATE VESPRIN_CAST_PROGRAM="$<TARGET_FILE:vesprin-cast>")
add_dependencies(cast_bad_input_test vesprin-cast)
