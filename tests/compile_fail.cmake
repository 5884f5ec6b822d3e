# Code that must not compile: each case builds a target left out of the normal
# build (vesprin_build_test, tests/layers.cmake) and passes when the compiler
# refuses it for the expected reason. The same file without the case's
# definition builds, so a refusal is the case's own.
function(vesprin_compile_fail_case name source definition pass_regex)
  add_library(${name} OBJECT EXCLUDE_FROM_ALL ${source})
  target_link_libraries(${name} PRIVATE vesprin_core)
  if(definition)
    target_compile_definitions(${name} PRIVATE ${definition})
  endif()
  vesprin_build_test(compile_${name} ${name} "${pass_regex}")
endfunction()

vesprin_compile_fail_case(stem_steps_and_distances compile_fail/stem_arithmetic.cpp ""
                          "Built target stem_steps_and_distances")
# GCC says "no match for 'operator+' (operand types are 'vesprin::Stem' ...",
# clang "invalid operands to binary expression ('Stem' ..."; GCC's quotes may
# be several bytes long.
vesprin_compile_fail_case(stem_plus_stem compile_fail/stem_arithmetic.cpp ADD_TWO_STEMS
                          "(no match for [^ ]*operator\\+[^ ]* \\(operand types are [^ ]*vesprin::Stem|invalid operands to binary expression \\([^ ]*Stem)")
vesprin_compile_fail_case(stem_minus_branch compile_fail/stem_arithmetic.cpp MIX_CYCLES
                          "(no match for [^ ]*operator-[^ ]* \\(operand types are [^ ]*vesprin::Stem|invalid operands to binary expression \\([^ ]*Stem)")
