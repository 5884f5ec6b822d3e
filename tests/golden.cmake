# Runs PROGRAM with the arguments of CASE_DIR/args.txt (in SOURCE_DIR) on
# CASE_DIR/births.txt and compares standard output with CASE_DIR/expected.jsonl
# and the exit status with CASE_DIR/status.txt (0 when absent).
file(READ "${CASE_DIR}/args.txt" args)
string(STRIP "${args}" args)
separate_arguments(args UNIX_COMMAND "${args}")
set(expected_status 0)
if(EXISTS "${CASE_DIR}/status.txt")
  file(READ "${CASE_DIR}/status.txt" expected_status)
  string(STRIP "${expected_status}" expected_status)
endif()
execute_process(COMMAND "${PROGRAM}" ${args}
  WORKING_DIRECTORY "${SOURCE_DIR}"
  INPUT_FILE "${CASE_DIR}/births.txt"
  OUTPUT_FILE "${OUT}"
  RESULT_VARIABLE status)
if(NOT status EQUAL expected_status)
  message(FATAL_ERROR "exit status ${status}, expected ${expected_status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT}" "${CASE_DIR}/expected.jsonl"
  RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "output ${OUT} differs from ${CASE_DIR}/expected.jsonl")
endif()
