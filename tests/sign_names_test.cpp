// The signs' names and capital pictures as the sheet and the desk show them.
#include "present/texts/sign_names.h"

#include <gtest/gtest.h>

#include "present/binding/owner_texts.h"
#include "present/pictures/pictures.h"

namespace vesprin {
namespace {

TEST(sign_names_test, thai_names_and_characters) {
  EXPECT_EQ(branchThaiName(Branch(1)), "ชวด");
  EXPECT_EQ(branchThaiName(Branch(12)), "กุน");
  EXPECT_EQ(branchThaiName(Branch(0)), "");
  EXPECT_EQ(branchThaiName(Branch(13)), "");
  EXPECT_EQ(yearAnimalText(Branch(5)), "ปีมะโรง");
  EXPECT_EQ(stemCharacter(Stem(1)), "甲");
  EXPECT_EQ(stemCharacter(Stem(10)), "癸");
  EXPECT_EQ(branchCharacter(Branch(7)), "午");
  EXPECT_EQ(stemCharacter(Stem{}), "");
  EXPECT_EQ(branchCharacter(Branch(13)), "");
}

TEST(sign_names_test, capital_pictures_of_the_treasury_and_the_stars) {
  EXPECT_EQ(CapitalPicture(Branch(11)), "B11.bmp");
  EXPECT_EQ(CapitalNumberPicture(Branch(11)), "N11.bmp");
  EXPECT_EQ(CapitalPicture(Branch(5)), "B5.bmp");
  EXPECT_EQ(CapitalPicture(Stem(5)), "O5.bmp");
}

}  // namespace
}  // namespace vesprin
