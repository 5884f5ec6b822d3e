#include "present/binding/bind_hidden_stems.h"

#include "present/model/layouts.h"
#include "present/pictures/pictures.h"

namespace vesprin {

int hiddenStemIndex(int group, int slot) { return 3 * group + slot + 1; }

void bindHiddenStemRow(Forms& forms, const HiddenStemRow& row) {
  Form& sheet = forms.chartSheet;
  auto slot = [&sheet](int group, int s) -> Component& {
    return sheet[numbered("QRImageChineseOnHide", hiddenStemIndex(group, s))];
  };
  for (int c = 0; c < static_cast<int>(row.groups.size()); ++c) {
    const HiddenStemGroup& g = row.groups[static_cast<std::size_t>(c)];
    for (int s = 2; s >= 0; --s) slot(c, s).picture = SmallStemPicture(g.stems[static_cast<std::size_t>(s)]);
    const int shift = g.pairInLastSlots() ? sheet::kHiddenStemPairShift : 0;
    slot(c, 1).left = sheet::hiddenStemLeft(c, 1) + shift;
    slot(c, 2).left = sheet::hiddenStemLeft(c, 2) + shift;
  }
}

}  // namespace vesprin
