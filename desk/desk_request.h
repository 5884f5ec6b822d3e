#pragma once
// The request the desk prints: the birth from the entry form, the
// astrologer's decorations, and, where the astrologer leaves them to the
// chart, the power line and group figures computed from the birth's cast.
#include "interpret/element_powers.h"
#include "present/request/print_request.h"

namespace vesprin {

struct Decorations {
  // By default the power text and the balance panel are on (with the chart's
  // figures), and no mark, clash or note is drawn.
  AnalysisMarks marks{BalancePanel{0, 0, "B", "", ""}, true, {}, {}, ElementGroupPowers{}, {}};
  // The power line (when shown) and the balance panel's figures (when on)
  // follow the cast; otherwise they are the figures typed in `marks`.
  bool computed = true;
  friend bool operator==(const Decorations&, const Decorations&) = default;
};

// `cast`: the birth's power table, none when it cannot be cast (the typed
// figures then stand).
PrintRequest deskRequest(const BirthRecord& birth, const Decorations& decorations,
                         const ElementPowerTable* cast);

}  // namespace vesprin
