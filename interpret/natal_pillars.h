#pragma once
// The four natal pillars as the interpretation reads them, in the fixed
// position order year, month, day, time that every rule names them in.
#include <array>

#include "core/sign.h"

namespace vesprin {

struct NatalPillars {
  Pillar year, month, day, time;

  // Year, month, day, time: the order of the position words and of every scan.
  constexpr std::array<Pillar, 4> inOrder() const { return {year, month, day, time}; }
  constexpr std::array<ZodiacBelow, 4> branches() const {
    return {year.branch, month.branch, day.branch, time.branch};
  }
  // True when branch b stands in at least one of the four pillars.
  constexpr bool holdsBranch(ZodiacBelow b) const {
    for (ZodiacBelow x : branches())
      if (x == b) return true;
    return false;
  }
};

}  // namespace vesprin
