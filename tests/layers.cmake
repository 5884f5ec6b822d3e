# The layer rules hold at build time: a file of a layer compiles against its
# own layer's headers and those beneath it, and an include of a layer above
# fails. Each case is a target left out of the normal build, built by the test.
function(vesprin_layer_case name layer pass_regex)
  add_library(${name} OBJECT EXCLUDE_FROM_ALL layers/${name}.cpp)
  vesprin_layer(${name} ${layer})
  if(layer STREQUAL "interpret")
    target_link_libraries(${name} PRIVATE vesprin_core)
  endif()
  add_test(NAME layers_${name}
    COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR} --target ${name})
  # The builds share the build tree: one at a time.
  set_tests_properties(layers_${name} PROPERTIES RESOURCE_LOCK build_tree
                       PASS_REGULAR_EXPRESSION "${pass_regex}")
endfunction()

vesprin_layer_case(core_includes_core core "Built target core_includes_core")
# GCC says "present/forms.h: No such file", clang "'present/forms.h' file not found".
vesprin_layer_case(core_includes_present core "present/forms\\.h'?:? (No such file|file not found)")
vesprin_layer_case(interpret_includes_cycles interpret "cycles/luck_cycle\\.h'?:? (No such file|file not found)")
vesprin_layer_case(core_climbs_to_present core "an include climbs out of its layer's folder")
