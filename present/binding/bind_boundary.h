#pragma once
// The boundary warnings and the rule stamp on the chart sheet.
#include <string_view>
#include <vector>

#include "core/boundary_warning.h"
#include "present/model/forms.h"

namespace vesprin {

// Every cast writes the warning line afresh: empty when the birth is near no
// boundary, so that a sheet never keeps the warning of the cast before it.
void bindBoundaryWarnings(Forms& forms, const std::vector<BoundaryWarning>& warnings);
// The footer's rule stamp: the day boundary and the calendar file read.
void bindRuleStamp(Forms& forms, std::string_view dataFile);

}  // namespace vesprin
