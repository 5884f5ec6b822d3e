# The start age and period captions a person reads come from the presentation side.
vesprin_test(luck_cycle_test vesprin_present)
vesprin_test(annual_transits_test vesprin_cycles)
vesprin_test(current_period_test vesprin_present)
vesprin_test(bind_cycles_test vesprin_present)
vesprin_test(cast_cycles_test vesprin_app)
