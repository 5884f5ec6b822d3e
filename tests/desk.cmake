# The desk, driven offscreen by Qt Test, and the program under a virtual display.
if(TARGET vesprin_desk)
  find_package(Qt6 QUIET COMPONENTS Test)
  if(Qt6Test_FOUND)
    add_executable(desk_test desk_test.cpp)
    set_target_properties(desk_test PROPERTIES AUTOMOC ON)
    target_link_libraries(desk_test PRIVATE vesprin_desk Qt6::Test)
    target_include_directories(desk_test PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_definitions(desk_test PRIVATE VESPRIN_SOURCE_DATA_DIR="${VESPRIN_SOURCE_DATA_DIR}"
      MAKE_REQUEST="$<TARGET_FILE:make-request>")
    add_dependencies(desk_test make-request)
    add_test(NAME desk_test COMMAND desk_test)
    set_tests_properties(desk_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;${VESPRIN_TEST_CACHE}")
  endif()
  add_test(NAME desk_starts_and_quits
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/desk_xvfb_test.sh $<TARGET_FILE:vesprin-desk>)
  # Alone: it prints on the shared cups-pdf queue, whose output folder other
  # tests watch for their own page.
  set_tests_properties(desk_starts_and_quits PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 60 RUN_SERIAL TRUE
                       ENVIRONMENT "${VESPRIN_TEST_CACHE}")
endif()
