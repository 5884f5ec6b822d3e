# The layer rules hold at build time: a file of a layer compiles against its
# own layer's headers and those beneath it, and an include of a layer above
# fails. Each case is a target left out of the normal build, built by the test.
#
# vesprin_build_test(<test> <target> <pass_regex>): a test that builds the
# target and passes when the build's output matches the expression.
function(vesprin_build_test test target pass_regex)
  add_test(NAME ${test} COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR} --target ${target})
  # The builds share the build tree: one at a time.
  set_tests_properties(${test} PROPERTIES RESOURCE_LOCK build_tree
                       PASS_REGULAR_EXPRESSION "${pass_regex}")
endfunction()

# vesprin_layer_case(<name> <layer> <pass_regex> [<library>...]): layers/<name>.cpp
# compiled as a file of <layer> that links the libraries.
function(vesprin_layer_case name layer pass_regex)
  add_library(${name} OBJECT EXCLUDE_FROM_ALL layers/${name}.cpp)
  vesprin_layer(${name} ${layer})
  if(layer STREQUAL "interpret")
    target_link_libraries(${name} PRIVATE vesprin_core)
  endif()
  if(ARGN)
    target_link_libraries(${name} PRIVATE ${ARGN})
  endif()
  vesprin_build_test(layers_${name} ${name} "${pass_regex}")
endfunction()

vesprin_layer_case(core_includes_core core "Built target core_includes_core")
# GCC says "present/model/forms.h: No such file", clang "'present/model/forms.h' file not found".
vesprin_layer_case(core_includes_present core "present/model/forms\\.h'?:? (No such file|file not found)")
vesprin_layer_case(interpret_includes_cycles interpret "cycles/luck_cycle\\.h'?:? (No such file|file not found)")
vesprin_layer_case(core_climbs_to_present core "an include climbs out of its layer's folder")
# The folders of present/ hold among themselves: the binding sees the model
# and the request; the request and the model never see the binding, neither
# by name nor by climbing out of their folder.
vesprin_layer_case(present_binding_includes_request present/binding "Built target present_binding_includes_request"
  vesprin_present_request)
vesprin_layer_case(present_request_includes_binding present/request
  "present/binding/bind_handover\\.h'?:? (No such file|file not found)" vesprin_present_model)
# CMake wraps the message after the target's name: the words may break anywhere.
vesprin_layer_case(present_model_climbs_to_binding present/model "an[ \n]+include[ \n]+climbs[ \n]+out")
