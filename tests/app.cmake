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
vesprin_test(request_cast_test vesprin_app)
vesprin_test(cast_json_test vesprin_app)

# The chart sheet on paper: the renderer's record and the PDF of vesprin-cast.
if(TARGET vesprin_sheet_pdf)
  vesprin_test(sheet_render_test vesprin_sheet_pdf)
  vesprin_test(pdf_text_test vesprin_pdf_text)
  find_program(PDFTOTEXT pdftotext)
  find_program(PDFINFO pdfinfo)
  if(PDFTOTEXT AND PDFINFO)
    vesprin_test(sheet_pdf_test)
    target_compile_definitions(sheet_pdf_test PRIVATE VESPRIN_CAST="$<TARGET_FILE:vesprin-cast>")
    add_dependencies(sheet_pdf_test vesprin-cast vesprin-cast-pdf)
  else()
    message(STATUS "sheet_pdf_test skipped: poppler-utils (pdftotext, pdfinfo) not found")
  endif()
endif()

if(TARGET vesprin_print_command)
  add_executable(print_command_test print_command_test.cpp)
  target_link_libraries(print_command_test PRIVATE vesprin_print_command GTest::gtest)
  target_compile_definitions(print_command_test PRIVATE VESPRIN_SOURCE_DATA_DIR="${VESPRIN_SOURCE_DATA_DIR}")
  gtest_discover_tests(print_command_test DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
vesprin_test(settings_file_test vesprin_app)

# vesprin-cast as a process on damaged calendars and odd input.
vesprin_test(cast_bad_input_test vesprin_core)
target_compile_definitions(cast_bad_input_test PRIVATE VESPRIN_CAST_PROGRAM="$<TARGET_FILE:vesprin-cast>")
add_dependencies(cast_bad_input_test vesprin-cast)
