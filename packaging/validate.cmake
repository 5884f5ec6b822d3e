cmake_minimum_required(VERSION 3.25)
# The desk's desktop entry and AppStream component pass the checks of the
# software centres, pedantic ones included: any remark fails.
#   cmake -DDESKTOP_FILE_VALIDATE=... -DAPPSTREAMCLI=... -DDESKTOP_FILE=... -DMETAINFO_FILE=... -P validate.cmake
execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${DESKTOP_FILE}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate ${DESKTOP_FILE} (${status}):\n${out}")
endif()
execute_process(COMMAND "${APPSTREAMCLI}" validate --pedantic --no-net --explain "${METAINFO_FILE}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out MATCHES "Validation was successful" OR out MATCHES "(^|\n)[EWIP]: ")
  message(FATAL_ERROR "appstreamcli validate --pedantic ${METAINFO_FILE} (${status}):\n${out}")
endif()
