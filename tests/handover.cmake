vesprin_test(handover_files_test vesprin_present)
vesprin_test(bind_handover_test vesprin_present)
vesprin_test(request_test vesprin_present)
vesprin_test(print_run_test vesprin_app)
if(TARGET vesprin-print AND TARGET make-request)
  vesprin_test(print_e2e_test OWN_DISCOVERY)
  target_include_directories(print_e2e_test PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(print_e2e_test PRIVATE
    VESPRIN_PRINT="$<TARGET_FILE:vesprin-print>" MAKE_REQUEST="$<TARGET_FILE:make-request>"
    VESPRIN_TEST_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  add_dependencies(print_e2e_test vesprin-print make-request)
  # The runs that print on the default CUPS queue, and the one that stops and
  # rejects that queue, must not overlap: a job sent while the queue is
  # stopped waits there and the printing test finds no page.
  set(queue_tests "*prints_on_the_default_printer*:*the_default_queue_*")
  gtest_discover_tests(print_e2e_test DISCOVERY_TIMEOUT 60 TEST_FILTER "${queue_tests}"
                       PROPERTIES RESOURCE_LOCK default_cups_queue ENVIRONMENT "${VESPRIN_TEST_CACHE}")
  gtest_discover_tests(print_e2e_test DISCOVERY_TIMEOUT 60 TEST_FILTER "-${queue_tests}"
                       PROPERTIES ENVIRONMENT "${VESPRIN_TEST_CACHE}")
endif()
if(TARGET vesprin_gui)
  add_executable(user_interface_test user_interface_test.cpp)
  target_link_libraries(user_interface_test PRIVATE vesprin_gui GTest::gtest)
  gtest_discover_tests(user_interface_test DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
vesprin_test(computed_marks_test vesprin_present)
