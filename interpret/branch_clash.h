#pragma once
// Clashing lower signs: a branch and the one six steps on stand opposite each
// other on the circle of twelve and clash. On the chart sheet a clash between
// two neighbouring natal pillars is drawn as a picture in the bracket below
// them; the astrologer decides whether to draw it, the chart only suggests it.
#include <array>

#include "core/sign.h"
#include "interpret/natal_pillars.h"

namespace vesprin {

// The six clashing pairs (子午, 丑未, 寅申, 卯酉, 辰戌, 巳亥): a branch and the
// one six steps on, half the circle away in either direction.
inline constexpr int kClashSteps = 6;

constexpr bool branchesClash(Branch a, Branch b) { return a.ok() && b.ok() && a - b == kClashSteps; }

// The three neighbouring pairs the sheet can mark, in the order of its clash
// pictures: year and month, month and day, day and time.
constexpr std::array<bool, 3> neighbourClashes(const NatalPillars& p) {
  return {branchesClash(p.year.branch, p.month.branch), branchesClash(p.month.branch, p.day.branch),
          branchesClash(p.day.branch, p.time.branch)};
}

}  // namespace vesprin
