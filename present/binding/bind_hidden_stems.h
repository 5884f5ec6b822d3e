#pragma once
// Binding of the hidden-stem row to the chart sheet.
#include "interpret/hidden_stems.h"
#include "present/model/forms.h"

namespace vesprin {

// Per column: the small-stem pictures of the three slots ("os0.bmp" for an
// empty one), then the left edges of the middle and last picture. The first
// picture keeps its place in the layout.
void bindHiddenStemRow(Forms& forms, const HiddenStemRow& row);

// The component of slot `slot` (0 first, 1 middle, 2 last) of group `group`
// (0 year .. 3 time): "QRImageChineseOnHide" + (3 * group + slot + 1).
int hiddenStemIndex(int group, int slot);

}  // namespace vesprin
