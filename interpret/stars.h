#pragma once
// The stars of the chart sheet's star box, as signs: each star is found by the
// month branch or by the day stem. The analysis text tests the same stars
// against the natal pillars (interpret/analysis.cpp).
#include <array>

#include "core/sign.h"

namespace vesprin {

// เทียงเต็ก is an upper sign in some months and a lower one in others.
struct UpperOrLower {
  bool upper = false;
  Stem stem;      // when upper
  Branch branch;  // when lower
};

struct StarSigns {
  UpperOrLower tianDe;          // เทียงเต็ก, by the month branch
  Stem yueDe;                   // ง้วยเต็ก, by the month branch
  std::array<Branch, 2> tianYi; // เทียงอิก, by the day stem
  Branch tianYiUi;              // เทียงอุย, by the month branch
  Branch wenChang;              // บุ่งเชียง, by the day stem
};

// No sign (not upper) for the stars of a month branch or day stem that is no sign.
StarSigns FindStarSigns(Branch monthBranch, Stem dayStem);

// ง้วยเต็ก: the upper sign of the month branch; no sign for no branch.
Stem yueDeStem(Branch monthBranch);
// บุ่งเชียง: the scholar branch of the day stem; no sign for no stem.
Branch wenChangBranch(Stem dayStem);

}  // namespace vesprin
