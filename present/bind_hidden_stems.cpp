#include "present/bind_hidden_stems.h"

namespace vesprin {

void bindHiddenStemRow(Forms& forms, const HiddenStemRow& row) {
  Form& sheet = forms.chartSheet;
  auto slot = [&sheet](int group, int s) -> Component& {
    return sheet[numbered("QRImageChineseOnHide", hiddenStemIndex(group, s))];
  };
  for (int c = 0; c < static_cast<int>(row.groups.size()); ++c) {
    const HiddenStemGroup& g = row.groups[static_cast<std::size_t>(c)];
    for (int s = 2; s >= 0; --s) slot(c, s).picture = g.pictures[static_cast<std::size_t>(s)];
    slot(c, 1).left = g.middleLeft;
    slot(c, 2).left = g.lastLeft;
  }
}

}  // namespace vesprin
