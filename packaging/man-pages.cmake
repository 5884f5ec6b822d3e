# Writes a section 1 man page for every program the build installs into the
# binaries folder, from the program's own --help (help2man), gzipped as
# Debian wants them. The programs are those of the install rules CMake
# generated (the cmake_install.cmake files), so a program added anywhere with
# install(TARGETS ...) gets its page without being named here.
#
#   cmake -DBINARY_DIR=... -DBINDIR=bin -DOUT_DIR=... -DHELP2MAN=... -DGZIP=...
#         -DVERSION=... -DDATA_DIR=... -DNAMES_FILE=... -P man-pages.cmake
#
# NAMES_FILE sets VESPRIN_MAN_NAME_<program>, the one-line description of
# the page's NAME section; a program without one gets a general line.
cmake_minimum_required(VERSION 3.25)
include("${NAMES_FILE}")

file(GLOB_RECURSE install_scripts "${BINARY_DIR}/cmake_install.cmake")
set(programs "")
foreach(script IN LISTS install_scripts)
  if(script MATCHES "/_CPack_Packages/")
    continue()
  endif()
  file(STRINGS "${script}" rules REGEX "file\\(INSTALL DESTINATION \"[^\"]*/${BINDIR}\" TYPE EXECUTABLE FILES ")
  foreach(rule IN LISTS rules)
    if(rule MATCHES "TYPE EXECUTABLE FILES \"([^\"]+)\"")
      list(APPEND programs "${CMAKE_MATCH_1}")
    endif()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES programs)
if(NOT programs)
  message(FATAL_ERROR "man-pages: no program is installed into ${BINDIR} (no install rule found under ${BINARY_DIR})")
endif()

# The pages describe the installed programs: their data directory, in the
# language a manual is read in, with Qt on its windowless platform.
set(ENV{VESPRIN_DATA_DIR} "${DATA_DIR}")
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LC_ALL} C.UTF-8)
set(ENV{LANGUAGE} en)
foreach(variable VESPRIN_DRIVES VESPRIN_TODAY VESPRIN_SHEET_DUMP VESPRIN_BOOK)
  unset(ENV{${variable}})
endforeach()

file(MAKE_DIRECTORY "${OUT_DIR}")
set(pages "")
foreach(program IN LISTS programs)
  get_filename_component(name "${program}" NAME)
  set(page "${OUT_DIR}/${name}.1.gz")
  list(APPEND pages "${name}.1.gz")
  if(EXISTS "${page}" AND NOT "${program}" IS_NEWER_THAN "${page}"
     AND NOT "${NAMES_FILE}" IS_NEWER_THAN "${page}")
    continue()
  endif()
  set(description "${VESPRIN_MAN_NAME_${name}}")
  if(NOT description)
    set(description "a program of Vesprin, four-pillars birth charts for Thai astrologers")
  endif()
  execute_process(
    COMMAND "${HELP2MAN}" --no-info --section=1 --locale=C.UTF-8 "--version-string=${VERSION}"
            "--name=${description}" "--output=${OUT_DIR}/${name}.1" "${program}"
    RESULT_VARIABLE status ERROR_VARIABLE log)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "man-pages: help2man could not write the page of ${name} (${status}): ${log}")
  endif()
  # -n: no name or time stamp in the archive, so the same page gives the same bytes.
  execute_process(COMMAND "${GZIP}" -9nf "${OUT_DIR}/${name}.1" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "man-pages: gzip failed on ${OUT_DIR}/${name}.1")
  endif()
  message(STATUS "man page: ${name}.1")
endforeach()

# A program no longer installed leaves no page behind.
file(GLOB written RELATIVE "${OUT_DIR}" "${OUT_DIR}/*")
foreach(file IN LISTS written)
  if(NOT file IN_LIST pages)
    file(REMOVE "${OUT_DIR}/${file}")
  endif()
endforeach()
