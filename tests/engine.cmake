# The engine as a whole program: bad requests through vesprin-print.
if(TARGET vesprin-print AND TARGET make-request)
  vesprin_test(bad_request_test)
  target_compile_definitions(bad_request_test PRIVATE
    VESPRIN_PRINT="$<TARGET_FILE:vesprin-print>" MAKE_REQUEST="$<TARGET_FILE:make-request>")
  add_dependencies(bad_request_test vesprin-print make-request)
endif()

# The installed programs serve a request from any folder, with the data
# installed beside them (run after the build: it installs what was built).
if(TARGET vesprin-print AND TARGET make-request)
  add_test(NAME install_serves_a_request
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install_test.sh ${PROJECT_BINARY_DIR})
  set_tests_properties(install_serves_a_request PROPERTIES ENVIRONMENT "${VESPRIN_TEST_CACHE}")
endif()
