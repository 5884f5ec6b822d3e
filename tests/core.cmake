vesprin_test(sign_test vesprin_core)
