#pragma once
// Clashing lower signs: a branch and the one six steps on stand opposite each
// other on the circle of twelve and clash. On the chart sheet a clash between
// two neighbouring natal pillars is drawn as a picture in the bracket below
// them; the astrologer decides whether to draw it, the chart only suggests it.
#include <array>
#include <utility>

#include "core/sign.h"
#include "interpret/natal_pillars.h"

namespace vesprin {

// The six clashing pairs: 子午, 丑未, 寅申, 卯酉, 辰戌, 巳亥.
inline constexpr std::array<std::pair<ZodiacBelow, ZodiacBelow>, 6> kClashingBranches = {{
    {1, 7}, {2, 8}, {3, 9}, {4, 10}, {5, 11}, {6, 12}}};

constexpr bool branchesClash(ZodiacBelow a, ZodiacBelow b) {
  for (const auto& [x, y] : kClashingBranches)
    if ((a == x && b == y) || (a == y && b == x)) return true;
  return false;
}

// The three neighbouring pairs the sheet can mark, in the order of its clash
// pictures: year and month, month and day, day and time.
constexpr std::array<bool, 3> neighbourClashes(const NatalPillars& p) {
  return {branchesClash(p.year.branch, p.month.branch), branchesClash(p.month.branch, p.day.branch),
          branchesClash(p.day.branch, p.time.branch)};
}

}  // namespace vesprin
