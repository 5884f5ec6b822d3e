#pragma once
// The decorations a chart gives by itself: the element-group power line and
// the balance panel's two group figures come from the cast's own element
// powers and day master, so that no companion hands over invented figures.
#include "interpret/element_powers.h"
#include "present/request/print_request.h"

namespace vesprin {

// Line 22 from the power table: the five powers in the line's field order
// (Ground, Gold, Water, Wood, Fire) and the day master's group code.
ElementGroupPowers groupPowersOf(const ElementPowerTable& table);

// The two group figures: the day master with the element that produces it,
// and the other three (the totals the power line prints).
struct GroupFigures {
  int dayMasterGroup = 0;
  int entourageGroup = 0;
  friend bool operator==(const GroupFigures&, const GroupFigures&) = default;
};
GroupFigures groupFiguresOf(const ElementGroupPowers& powers);

// Fills the power line and the balance panel's figures from the cast; a panel
// that is off is switched on with a balanced verdict and no shares.
void fillComputedPowers(AnalysisMarks& marks, const ElementPowerTable& table);

}  // namespace vesprin
