#pragma once
// What the print command writes into the chart sheet before it prints:
// the main window's title line in place of the power summary, and the
// version text.
#include <string_view>

#include "present/model/forms.h"

namespace vesprin {

inline constexpr std::string_view kPrintedVersion = "TALVEN Vesprin PRO";

// Steps 1 and 2 of the print command. LabelTitle holds the hand-over's
// element-group power text, or the program title when there was none.
void prepareChartSheetForPrint(Forms& forms);

// A chart sheet printed without a hand-over (vesprin-cast --pdf): the cast's
// own power summary stays, the version text is set, and the hand-over's
// decorations are off: no relationship marks, no balance panel.
void prepareChartSheetWithoutHandOver(Forms& forms);

}  // namespace vesprin
