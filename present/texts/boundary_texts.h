#pragma once
// The words of a boundary warning: one Thai line on the chart sheet, one
// English line for the administrator on standard error, and the rule stamp
// that says which day boundary and which calendar file a sheet was cast by.
#include <string>
#include <string_view>
#include <vector>

#include "core/boundary_warning.h"

namespace vesprin {

// "เกิดก่อนสารทใหญ่ 07.56 น. 16 นาที · อีกด้าน ปี 4/2 เดือน 10/2 วัน 9/7 ยาม 1/5":
// the boundary, its time as hh.mm, how far and on which side, and the other
// chart's pillars as stem/branch numbers, as the sheet numbers its signs.
std::string boundaryWarningLine(const BoundaryWarning& w);
// The lines of all warnings, nearest first, separated by a single CR.
std::string boundaryWarningCaption(const std::vector<BoundaryWarning>& warnings);
// "warning: born 16 minutes before the large festival at 07:56; on the other
// side year 4/2, month 10/2, day 9/7, time 1/5 (stem/branch)".
std::string boundaryWarningReport(const BoundaryWarning& w);

// "วันจีนเริ่ม 23.00 น. · ปฏิทิน CAL2543.DAT": the day boundary of every
// cast, and the calendar data file this chart was read from (its bare name).
std::string ruleStampText(std::string_view dataFile);

}  // namespace vesprin
