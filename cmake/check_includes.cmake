# Refuses an include that climbs out of its folder ("../present/model/forms.h"): it
# would reach a layer the include roots hide. Run by the build for each layer
# target before it compiles, over the target's sources and the headers beside
# them.
#   cmake -DTARGET=name -DSOURCE_DIR=dir -DSOURCES="a.cpp;b.cpp" -P check_includes.cmake
set(files "")
foreach(source IN LISTS SOURCES)
  if(NOT IS_ABSOLUTE "${source}")
    set(source "${SOURCE_DIR}/${source}")
  endif()
  list(APPEND files "${source}")
  get_filename_component(dir "${source}" DIRECTORY)
  file(GLOB headers "${dir}/*.h")
  list(APPEND files ${headers})
endforeach()
list(REMOVE_DUPLICATES files)
set(problems "")
foreach(file IN LISTS files)
  if(NOT EXISTS "${file}")
    continue()
  endif()
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\./")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    string(APPEND problems "\n  ${file}: ${line}")
  endforeach()
endforeach()
if(problems)
  message(FATAL_ERROR "${TARGET}: an include climbs out of its layer's folder; name the header from "
                      "its layer (\"core/x.h\", \"present/request/x.h\") instead:${problems}")
endif()
