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
vesprin_test(chart_sheet_test vesprin_app)
vesprin_test(settings_file_test vesprin_app)
