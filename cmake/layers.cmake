# The layers of the engine, enforced by the build.
#
# Every target built from a layer folder declares its layer right after its
# add_library or add_executable:
#
#   vesprin_layer(<target> <layer> [QT <Qt module>...])
#
# The target then sees the headers of its own folder only (through an include
# root that holds nothing but that folder), and the headers of the layers it
# links; so a core/ file that includes a present/ header does not compile. At
# the end of the configuration every declared target's links are checked
# against the table below: a layer links only the layers beneath it, Qt only
# in the modules it declared and the table allows, and nothing else below app/.
#
# A layer may be a folder of a layer's folder ("present/model"): its include
# root holds that folder alone, and the layers above name the parent
# ("present") for all of its folders.

set(VESPRIN_LAYERS core interpret cycles
  present/model present/texts present/pictures present/request present/binding present/render
  app book desk tools)
set(VESPRIN_LAYER_USES_core "")
set(VESPRIN_LAYER_USES_interpret core)
set(VESPRIN_LAYER_USES_cycles core)
# The presentation by role (present/CMakeLists.txt): the forms and their
# layouts stand alone; the words and the pictures on the computation; the
# request on the forms (the marks' colours and pens) and the words (its
# refusals); the binding on all of them; the renderer paints forms and knows
# nothing of charts. Nothing in present/ uses the binding or the renderer.
set(VESPRIN_LAYER_USES_present/model "")
set(VESPRIN_LAYER_USES_present/texts core cycles)
set(VESPRIN_LAYER_USES_present/pictures core)
set(VESPRIN_LAYER_USES_present/request core interpret cycles present/model present/texts)
set(VESPRIN_LAYER_USES_present/binding core interpret cycles present/model present/texts present/pictures
  present/request)
set(VESPRIN_LAYER_USES_present/render present/model)
set(VESPRIN_LAYER_USES_app core interpret cycles present)
# The client book keeps requests and births; the desk sits on top of everything.
set(VESPRIN_LAYER_USES_book core interpret cycles present)
set(VESPRIN_LAYER_USES_desk core interpret cycles present app book)
# The tools stand beside the engine: they may use all of it, the engine none of them.
set(VESPRIN_LAYER_USES_tools core interpret cycles present app book)
# Qt modules a layer's targets may declare: the renderer of present/ paints
# with Qt Gui; the application uses Widgets and PrintSupport. The computation
# builds without Qt.
set(VESPRIN_LAYER_QT_core "")
set(VESPRIN_LAYER_QT_interpret "")
set(VESPRIN_LAYER_QT_cycles "")
set(VESPRIN_LAYER_QT_present/model "")
set(VESPRIN_LAYER_QT_present/texts "")
set(VESPRIN_LAYER_QT_present/pictures "")
set(VESPRIN_LAYER_QT_present/request "")
set(VESPRIN_LAYER_QT_present/binding "")
set(VESPRIN_LAYER_QT_present/render Core Gui)
set(VESPRIN_LAYER_QT_app Core Gui Widgets PrintSupport)
set(VESPRIN_LAYER_QT_book Core Sql)
set(VESPRIN_LAYER_QT_desk Core Gui Widgets PrintSupport Sql)
set(VESPRIN_LAYER_QT_tools Core Gui Widgets PrintSupport Sql)
# Only app/ and tools/ may link anything else (header-only libraries need no link).
set(VESPRIN_LAYER_OTHER_LIBRARIES_app ON)
set(VESPRIN_LAYER_OTHER_LIBRARIES_desk ON)
set(VESPRIN_LAYER_OTHER_LIBRARIES_tools ON)

set(_VESPRIN_CHECK_INCLUDES "${CMAKE_CURRENT_LIST_DIR}/check_includes.cmake")

function(vesprin_layer target layer)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "QT")
  if(NOT layer IN_LIST VESPRIN_LAYERS)
    message(FATAL_ERROR "vesprin_layer(${target}): unknown layer \"${layer}\" (one of ${VESPRIN_LAYERS})")
  endif()
  foreach(module IN LISTS arg_QT)
    if(NOT module IN_LIST VESPRIN_LAYER_QT_${layer})
      message(FATAL_ERROR "vesprin_layer(${target}): layer ${layer} may not use Qt ${module} "
                          "(allowed: ${VESPRIN_LAYER_QT_${layer}})")
    endif()
  endforeach()
  # <build>/layers/<layer>/<layer> -> <source>/<layer>: "<layer>/x.h" resolves, nothing else does
  # (for "present/model", "present/model/x.h" and nothing else of present/).
  set(root "${PROJECT_BINARY_DIR}/layers/${layer}")
  if(NOT EXISTS "${root}/${layer}")
    get_filename_component(parent "${root}/${layer}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${layer}" "${root}/${layer}" SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE "${root}")
  else()
    target_include_directories(${target} PUBLIC "${root}")
  endif()
  set_target_properties(${target} PROPERTIES VESPRIN_LAYER ${layer} VESPRIN_LAYER_QT "${arg_QT}")
  # "../present/model/forms.h" resolves beside the including file, past the include
  # roots: a check before the target compiles refuses it.
  add_custom_target(${target}_includes
    COMMAND ${CMAKE_COMMAND} -DTARGET=${target} -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}
            "-DSOURCES=$<TARGET_PROPERTY:${target},SOURCES>" -P "${_VESPRIN_CHECK_INCLUDES}"
    COMMAND_EXPAND_LISTS VERBATIM)
  add_dependencies(${target} ${target}_includes)
  set_property(GLOBAL APPEND PROPERTY VESPRIN_LAYER_TARGETS ${target})
endfunction()

function(_vesprin_check_layers)
  get_property(targets GLOBAL PROPERTY VESPRIN_LAYER_TARGETS)
  set(problems "")
  foreach(target IN LISTS targets)
    get_target_property(layer ${target} VESPRIN_LAYER)
    get_target_property(qt ${target} VESPRIN_LAYER_QT)
    get_target_property(links ${target} LINK_LIBRARIES)
    get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
    set(items "")
    foreach(item IN LISTS links interface)
      if(NOT item MATCHES "NOTFOUND$" AND NOT item STREQUAL "")
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
        list(APPEND items "${item}")
      endif()
    endforeach()
    list(REMOVE_DUPLICATES items)
    foreach(item IN LISTS items)
      if(TARGET ${item})
        get_target_property(used ${item} VESPRIN_LAYER)
        if(used)
          # "present/model" is used by a layer that uses it or all of "present".
          string(REGEX REPLACE "/.*$" "" family "${used}")
          if(NOT used STREQUAL layer AND NOT used IN_LIST VESPRIN_LAYER_USES_${layer}
             AND NOT family IN_LIST VESPRIN_LAYER_USES_${layer})
            string(APPEND problems "\n  ${target} (${layer}) links ${item} (${used})")
          endif()
          continue()
        endif()
      endif()
      if(item MATCHES "^Qt[56]?::(.+)$")
        if(NOT CMAKE_MATCH_1 IN_LIST qt)
          string(APPEND problems "\n  ${target} (${layer}) links ${item} without declaring QT ${CMAKE_MATCH_1}")
        endif()
      elseif(NOT VESPRIN_LAYER_OTHER_LIBRARIES_${layer})
        string(APPEND problems "\n  ${target} (${layer}) links ${item}, which its layer may not use")
      endif()
    endforeach()
  endforeach()
  if(problems)
    message(FATAL_ERROR "Layer rules broken (see cmake/layers.cmake):${problems}")
  endif()
endfunction()

cmake_language(DEFER DIRECTORY "${PROJECT_SOURCE_DIR}" CALL _vesprin_check_layers)
