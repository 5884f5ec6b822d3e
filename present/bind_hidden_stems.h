#pragma once
// Binding of the hidden-stem row to the chart sheet.
#include "present/forms.h"
#include "present/hidden_stem_row.h"

namespace vesprin {

// Per column: the last, middle and first picture, then the left edges of the
// middle and last picture. The first picture keeps its place in the layout.
void bindHiddenStemRow(Forms& forms, const HiddenStemRow& row);

}  // namespace vesprin
