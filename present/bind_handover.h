#pragma once
// Writes a request's hand-over files into the forms: the analysis marks onto
// the chart sheet (relationship marks, clash pictures, balance panel, the
// element-group power text and the analysis note) and the birth record into
// the input fields of the main window.
#include <string>
#include <vector>

#include "present/forms.h"
#include "present/handover_files.h"

namespace vesprin {

// The relationship marks in the order of their lines: yybon .. ddttbon, then
// yylang .. ddttlang.
std::string relationshipMarkName(int k);  // "QRShapeyybon" for 0

// Empties LabelAn, then applies the marks in the order the request runs: the
// analysis note, the power text, the lift of the gender picture, the marks,
// the clash pictures, the balance panel. The memo holds the marks file after.
// The two balance-panel pictures are looked for under the drive roots only.
void bindAnalysisMarks(Forms& forms, const AnalysisMarks& marks,
                       const std::vector<std::string>& pictureRoots);

// The memo takes the birth record (the cast reads the month strip from it),
// and the input fields the birth: day, month item, year, hour with minute
// "00", pregnancy, gender, the preview choice, and the name appended to what
// the name field holds.
void bindBirthRecord(Form& main, const BirthRecord& record);

// The inputs of the warm-up cast: 1 January 2555 at hour 01.
void setWarmUpInputs(Form& main);

}  // namespace vesprin
