// The shipped picture set: every name a cast can ask for is found in
// data/pictures, nothing else is there, and each bitmap is six times the box
// the layout shows it in, at 576 dots per inch, so that its natural size is
// its box; black-on-white pictures have one bit a pixel.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "present/binding/owner_texts.h"
#include "present/pictures/picture_store.h"
#include "present/pictures/pictures.h"

namespace vesprin {
namespace {
namespace fs = std::filesystem;

const fs::path kDataDir = VESPRIN_SOURCE_DATA_DIR;

struct Box {
  int width, height;
  bool blackOnWhite = false;  // one bit a pixel; any other picture has four
};

// Every picture the cast and the hand-over name, with the box it is shown in.
std::map<std::string, Box> expectedPictures() {
  std::map<std::string, Box> all;
  for (int k = 1; k <= 12; ++k) {
    all[SignNumberPicture(k)] = {13, 21, true};
    all[UncertainPicture(SignNumberPicture(k))] = {13, 21};
    all[BranchPicture(Branch(k))] = {26, 26, true};
    all[UncertainPicture(BranchPicture(Branch(k)))] = {26, 26};
  }
  for (int s = 1; s <= 10; ++s) {
    all[StemPicture(Stem(s))] = {26, 26, true};
    all[UncertainPicture(StemPicture(Stem(s)))] = {26, 26};
  }
  for (int k = 0; k <= 10; ++k) all[SmallStemPicture(k)] = {11, 11, true};
  for (int k = 0; k <= 12; ++k) all[SmallBranchPicture(k)] = {11, 11, true};
  for (Element e : kElements) all[ElementPicture(e)] = {15, 22};
  all["male.bmp"] = all["female.bmp"] = {24, 24};
  all["idea.bmp"] = {24, 24};
  all["chng.bmp"] = {16, 16};
  all["balance.bmp"] = {32, 32};
  all["thermometer.bmp"] = {16, 32};
  all["logo.bmp"] = {46, 46};
  return all;
}

std::uint32_t le32(const std::string& b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

TEST(picture_set_test, every_name_is_found_and_nothing_else_is_shipped) {
  std::ostringstream report;
  PictureStore store(kDataDir, report);
  const auto expected = expectedPictures();
  for (const auto& [name, box] : expected) EXPECT_TRUE(store.find(name)) << name;
  // The star box and the analysis page spell some names in capitals.
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= 10; ++d) {
      const StarPictures s = FindStarPictures(Branch(m), Stem(d));
      for (const std::string& name : {s.tg, s.ng, s.te1, s.te2, s.tu, s.bc})
        EXPECT_TRUE(store.find(name)) << name << " (month " << m << ", day " << d << ")";
    }
  EXPECT_TRUE(store.find("OS0.BMP"));
  EXPECT_EQ(report.str(), "");

  std::set<std::string> shipped;
  for (const auto& entry : fs::directory_iterator(kDataDir / "pictures"))
    shipped.insert(entry.path().filename().string());
  std::set<std::string> names;
  for (const auto& [name, box] : expected) names.insert(name);
  EXPECT_EQ(shipped, names);
}

TEST(picture_set_test, bitmaps_are_six_times_their_box_at_576_dpi) {
  constexpr std::uint32_t kDotsPerMeter = 22677;  // 576 dots per inch
  for (const auto& [name, box] : expectedPictures()) {
    std::ifstream in(kDataDir / "pictures" / name, std::ios::binary);
    std::string header(54, '\0');
    ASSERT_TRUE(in.read(header.data(), 54)) << name;
    ASSERT_EQ(header.substr(0, 2), "BM") << name;
    EXPECT_EQ(le32(header, 18), static_cast<std::uint32_t>(6 * box.width)) << name;
    EXPECT_EQ(le32(header, 22), static_cast<std::uint32_t>(6 * box.height)) << name;
    EXPECT_EQ(le32(header, 38), kDotsPerMeter) << name;
    EXPECT_EQ(le32(header, 42), kDotsPerMeter) << name;
    EXPECT_EQ(le32(header, 28) & 0xffff, box.blackOnWhite ? 1u : 4u) << name << " bits a pixel";
  }
}

}  // namespace
}  // namespace vesprin
