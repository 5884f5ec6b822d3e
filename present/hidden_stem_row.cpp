#include "present/hidden_stem_row.h"

#include "present/pictures.h"

namespace vesprin {
namespace {

// Left edges of the middle and last picture of each column when all three
// slots are in use; the columns stand 40 pixels apart, year at the right.
constexpr std::array<int, 4> kMiddleLeft = {294, 254, 214, 174};
constexpr std::array<int, 4> kLastLeft = {282, 242, 202, 162};
constexpr int kPairShift = 6;  // half a picture's width and a gap: the pair centred

}  // namespace

int hiddenStemIndex(int group, int slot) { return 3 * group + slot + 1; }

HiddenStemRow ComputeHiddenStemRow(const std::array<ZodiacBelow, 4>& branches) {
  HiddenStemRow row;
  for (std::size_t c = 0; c < branches.size(); ++c) {
    const ZodiacBelow x = branches[c];
    HiddenStemGroup& g = row.groups[c];
    g.branch = x;
    g.pictures = {SmallStemPicture(HiddenStem1(x)), SmallStemPicture(HiddenStem2(x)),
                  SmallStemPicture(HiddenStem3(x))};
    const bool pair = HiddenStem3(x) > 0 && HiddenStem1(x) == 0;
    g.middleLeft = kMiddleLeft[c] + (pair ? kPairShift : 0);
    g.lastLeft = kLastLeft[c] + (pair ? kPairShift : 0);
  }
  return row;
}

}  // namespace vesprin
