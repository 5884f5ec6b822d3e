#pragma once
// Writes the results of the chart interpretation into the forms: the power
// table of the analysis page, the summary texts, the pattern captions of the
// chart sheet, the birth-year code, the analysis text with its captions and
// treasury pictures, the child sign and the child-chance form.
#include <optional>
#include <string_view>

#include "interpret/analysis.h"
#include "interpret/chart_patterns.h"
#include "interpret/child_sign.h"
#include "interpret/element_powers.h"
#include "present/model/forms.h"

namespace vesprin {

// The power table and season of the analysis page.
void bindElementPowerTable(Forms& forms, const ElementPowerTable& t);
// The tooltip of the eight natal Chinese-sign pictures and the chart sheet's
// power-elements caption (the element-group power summary at the end of a cast).
void bindElementSummary(Forms& forms, const ElementPowerTable& t);
// Both of the above.
void bindElementPowers(Forms& forms, const ElementPowerTable& t);

// QRLabelPaKey, QRLabelAnalyze and QRLabelPT. `analysisNote`: the request's
// analysis note, empty for none; when there is one it stands in place of the
// special-chart caption.
void bindChartPatterns(Forms& forms, const ChartPatterns& p, std::string_view analysisNote);

// LabelCodePerson, and the same caption appended to the chart sheet's age line.
void bindBirthYearCode(Forms& forms, int code);

// Empties the analysis text; the first step of every cast.
void clearAnalysisText(Forms& forms);
// The analysis text, the analysis page's captions and the treasury pictures.
void bindAnalysis(Forms& forms, const Analysis& a);

// The child sign on the main window and both reports: first the empty state,
// then, for a woman, her child branch.
void bindChildSign(Forms& forms, std::optional<Branch> childBranch);
// The child-chance form of the analysis page, or the dot rows.
void bindChildChance(Forms& forms, bool shown);

}  // namespace vesprin
