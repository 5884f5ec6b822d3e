#pragma once
// Binding of the time cycles to the forms: luck pillars and their ages, the
// annual transit window, the current-period marks and worksheet line, the
// long year table and the month strip.
#include <optional>

#include "cycles/annual_transits.h"
#include "cycles/current_period.h"
#include "cycles/long_year_table.h"
#include "cycles/luck_cycle.h"
#include "cycles/month_strip.h"
#include "present/model/forms.h"

namespace vesprin {

// Luck pictures (main window 1..9, chart sheet 1..10), festival distances,
// decorations, ages and the start-month labels. An undetermined direction
// draws no luck pillar: the pictures keep what they showed.
void bindLuckCycle(Forms& forms, const LuckCycle& luck);

// Year animal, Chinese age, the fifteen columns on screen and chart sheet, the
// highlight of the current column and the analysis page's three years.
void bindAnnualTransits(Forms& forms, const AnnualTransits& transits, Branch birthYearBranch);

// Frames and screen marks of the current half-period, the analysis page's
// current-period line (the ruling sign of `luck`'s pillars) and the final
// wording of the Chinese-age label.
void bindCurrentPeriod(Forms& forms, const CurrentPeriod& period, const LuckCycle& luck, int chineseAge,
                       int currentYearBE);

void bindLongYearTable(Forms& forms, const LongYearTable& table);

// None leaves the strip as it was.
void bindMonthStrip(Forms& forms, const std::optional<MonthStrip>& strip);

}  // namespace vesprin
