#pragma once
// The stems the four natal branches hide, as the chart sheet's hidden-stem
// row shows them under the branches.
#include <array>

#include "core/sign.h"

namespace vesprin {

struct HiddenStemGroup {
  Branch branch;
  // The stems of the first, middle and last slot; no sign where the branch
  // hides no stem in that slot.
  std::array<Stem, 3> stems;

  // Two stems in the last two slots (branches 7 and 12): the pair is placed
  // under the centre of its column.
  constexpr bool pairInLastSlots() const { return stems[2].ok() && !stems[0].ok(); }
};

struct HiddenStemRow {
  std::array<HiddenStemGroup, 4> groups;  // year, month, day, time
};

// The row for the natal branches in the order year, month, day, time.
constexpr HiddenStemRow ComputeHiddenStemRow(const std::array<Branch, 4>& branches) {
  HiddenStemRow row;
  for (std::size_t c = 0; c < branches.size(); ++c) row.groups[c] = {branches[c], HiddenStems(branches[c])};
  return row;
}

}  // namespace vesprin
