// The hidden-stem row: the small stem pictures of the four natal branches and
// the placement of a branch's pair.
#include "interpret/hidden_stems.h"

#include <gtest/gtest.h>

#include "present/binding/bind_hidden_stems.h"

namespace vesprin {
namespace {

struct Case {
  int branch;
  std::array<const char*, 3> pictures;  // first, middle, last slot
  bool pairShifted;
};

// Branch 1 hides one stem (middle slot, unshifted), 2 hides three, 7 and 12
// two in the last slots, shifted right so that the pair is centred.
constexpr Case kCases[] = {
    {1, {"os0.bmp", "os10.bmp", "os0.bmp"}, false},
    {2, {"os10.bmp", "os8.bmp", "os6.bmp"}, false},
    {7, {"os0.bmp", "os6.bmp", "os4.bmp"}, true},
    {12, {"os0.bmp", "os1.bmp", "os9.bmp"}, true},
};

// Stored left edges of the middle and last picture, year column first.
constexpr int kMiddle[] = {294, 254, 214, 174};
constexpr int kLast[] = {282, 242, 202, 162};

TEST(hidden_stem_row_test, every_case_in_every_column) {
  for (const Case& c : kCases) {
    for (int column = 0; column < 4; ++column) {
      auto branches = signs<Branch>(3, 3, 3, 3);  // three stems elsewhere
      branches[static_cast<std::size_t>(column)] = Branch(c.branch);
      const HiddenStemRow row = ComputeHiddenStemRow(branches);
      Forms forms = makeForms();
      bindHiddenStemRow(forms, row);
      const std::string what = "branch " + std::to_string(c.branch) + " column " + std::to_string(column);
      const int shift = c.pairShifted ? 6 : 0;
      for (int slot = 0; slot < 3; ++slot) {
        const Component* image =
            forms.chartSheet.find(numbered("QRImageChineseOnHide", 3 * column + slot + 1));
        ASSERT_NE(image, nullptr) << what;
        EXPECT_EQ(image->picture, c.pictures[static_cast<std::size_t>(slot)]) << what << " slot " << slot;
      }
      EXPECT_EQ(forms.chartSheet.find(numbered("QRImageChineseOnHide", 3 * column + 2))->left,
                kMiddle[column] + shift) << what;
      EXPECT_EQ(forms.chartSheet.find(numbered("QRImageChineseOnHide", 3 * column + 3))->left,
                kLast[column] + shift) << what;
      // The other columns keep three pictures at the stored places.
      const int other = (column + 1) % 4;
      EXPECT_EQ(forms.chartSheet.find(numbered("QRImageChineseOnHide", 3 * other + 1))->picture, "os5.bmp");
      EXPECT_EQ(forms.chartSheet.find(numbered("QRImageChineseOnHide", 3 * other + 2))->left, kMiddle[other]);
    }
  }
}

}  // namespace
}  // namespace vesprin
