#pragma once
// The four forms of a run and what each declares: the chart sheet (Letter),
// the analysis page (A4), and the name lists of the main window and the
// analysis window, whose components are state only.
#include <array>
#include <string_view>

#include "present/model/layout.h"

namespace vesprin {

const Layout& chartSheetLayout();
const Layout& analysisPageLayout();
const Layout& mainWindowLayout();
const Layout& analysisWindowLayout();

// Chart sheet geometry that more than one rule needs.
namespace sheet {

// Left edge of the 26-pixel character pictures of the natal columns, in the
// order yy, mm, dd, tt, aspect, tb, aspectSomBoon (right to left on paper).
inline constexpr std::array<std::string_view, 7> kNatalSuffixes = {
    "yy", "mm", "dd", "tt", "aspect", "tb", "aspectSomBoon"};
inline constexpr std::array<int, 7> kNatalColumnLeft = {286, 246, 206, 166, 110, 70, 30};

// Luck pillar k (1..10) and transit column j (1..15) run right to left.
constexpr int luckColumnLeft(int k) { return 390 - 40 * (k - 1); }
constexpr int transitColumnLeft(int j) { return 623 - 40 * (j - 1); }
// Month m (1 = January at the right .. 12 = December at the left).
constexpr int monthColumnLeft(int m) { return 486 - 41 * (m - 1); }

// The star box's two rows: เทียงเต็ก moves between them with the kind of sign it shows.
inline constexpr int kStarUpperRowTop = 791;
inline constexpr int kStarLowerRowTop = 820;
// The hidden-stem row: three small pictures under each natal branch (column
// 0 year .. 3 time, right to left), slot 0 first .. 2 last, placed for three
// stems. A branch with two stems in the last two slots moves the pair right
// by half a picture and a gap, under the centre of its column.
constexpr int hiddenStemLeft(int column, int slot) {
  constexpr int kSlotOffset[] = {0, 11, 23};
  return 305 - 40 * column - kSlotOffset[slot];
}
inline constexpr int kHiddenStemPairShift = 6;
// Where a rule moves the gender picture and the month-strength label when
// the hand-over draws relationship marks or clash pictures.
inline constexpr int kGenderTopWithMarks = 84;
inline constexpr int kMonthStrengthTopWithMarks = 314;
inline constexpr int kMonthStrengthTopWithClash = 320;

// Without a child sign its frame (QRShape11) shrinks to one dot at this
// place, the white mask over the star box (QRShape27) narrows and the
// child-sign picture moves under it; with one, the frame and the picture
// stand where the layout puts them and the mask widens.
inline constexpr int kChildFrameDotLeft = 27;
inline constexpr int kChildFrameDotTop = 115;
inline constexpr int kStarMaskWidthWithoutChild = 209;
inline constexpr int kStarMaskWidthWithChild = 247;
inline constexpr int kChildPictureLeftWithoutChild = 610;

}  // namespace sheet

}  // namespace vesprin
