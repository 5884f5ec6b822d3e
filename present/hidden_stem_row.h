#pragma once
// The chart sheet's hidden-stem row: three small stem pictures under each of
// the four natal branches, right to left QRImageChineseOnHide1..12 (year
// Hide1-3, month Hide4-6, day Hide7-9, time Hide10-12).
#include <array>
#include <string>

#include "core/sign.h"

namespace vesprin {

struct HiddenStemGroup {
  ZodiacBelow branch = 0;
  // The small-stem pictures of the first, middle and last slot; "os0.bmp"
  // where the branch hides no stem in that slot.
  std::array<std::string, 3> pictures;
  // Left edges of the middle and last picture. A branch with two stems in the
  // last two slots (7 and 12) moves the pair 6 pixels right, under the centre
  // of its column; the first picture never moves.
  int middleLeft = 0;
  int lastLeft = 0;
};

struct HiddenStemRow {
  std::array<HiddenStemGroup, 4> groups;  // year, month, day, time
};

// The row for the natal branches in the order year, month, day, time.
HiddenStemRow ComputeHiddenStemRow(const std::array<ZodiacBelow, 4>& branches);

// The component of slot `slot` (0 first, 1 middle, 2 last) of group `group`
// (0 year .. 3 time): "QRImageChineseOnHide" + (3 * group + slot + 1).
int hiddenStemIndex(int group, int slot);

}  // namespace vesprin
