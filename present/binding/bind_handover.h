#pragma once
// Writes a request's hand-over files into the forms: the analysis marks onto
// the chart sheet (relationship marks, clash pictures, balance panel, the
// element-group power text and the analysis note) and the birth record into
// the input fields of the main window. The memo of the main window, which
// holds the files as they came, is the run's to fill.
#include <string>
#include <vector>

#include "present/model/forms.h"
#include "present/request/print_request.h"

namespace vesprin {

// The relationship marks in the order of their lines: yybon .. ddttbon, then
// yylang .. ddttlang.
std::string relationshipMarkName(int k);  // "QRShapeyybon" for 0

// Empties LabelAn, then applies the marks in the order the request runs: the
// analysis note, the power text, the lift of the gender picture, the marks,
// the clash pictures, the balance panel.
// The two balance-panel pictures are looked for under the drive roots only.
void bindAnalysisMarks(Forms& forms, const AnalysisMarks& marks,
                       const std::vector<std::string>& pictureRoots);

// The element-group power text that line 22 stands for: the day-master group
// and the entourage group with their powers, the lines joined by a carriage
// return.
std::string elementGroupPowerText(const ElementGroupPowers& p);

// The input fields take the birth: day, month item, year, hour and minute
// (00 from the files), pregnancy, gender, the preview choice, and the name appended to what
// the name field holds.
void bindBirthRecord(Form& main, const BirthRecord& record);

// The input fields show the warm-up cast's date: 1 January 2555 at hour 01.
void setWarmUpInputs(Form& main);
// The warm-up cast's birth: that date, with the name and gender the fields
// hold at start-up (none, a man).
Birth warmUpBirth();

}  // namespace vesprin
