#include "desk/desk_request.h"

#include "present/request/computed_marks.h"

namespace vesprin {

PrintRequest deskRequest(const BirthRecord& birth, const Decorations& d, const ElementPowerTable* cast) {
  PrintRequest r{birth, d.marks};
  r.birth.preview = false;  // the desk prints, previews and saves by its own commands
  if (d.computed && cast) {
    const ElementGroupPowers powers = groupPowersOf(*cast);
    if (r.marks.powers) r.marks.powers = powers;
    if (r.marks.balance) {
      const GroupFigures f = groupFiguresOf(powers);
      r.marks.balance->dayMasterGroup = f.dayMasterGroup;
      r.marks.balance->entourageGroup = f.entourageGroup;
    }
  }
  return r;
}

}  // namespace vesprin
