// The picture store: names without regard to case, the current directory
// before the data directory, and one report per missing name.
#include "present/pictures/picture_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace vesprin {
namespace {
namespace fs = std::filesystem;

class PictureStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("picture_store_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "data" / "pictures");
    fs::create_directories(root_ / "work");
    previous_ = fs::current_path();
    fs::current_path(root_ / "work");
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(root_);
  }
  static void touch(const fs::path& p, const std::string& content = "x") { std::ofstream(p) << content; }

  fs::path root_, previous_;
  std::ostringstream report_;
};

TEST_F(PictureStoreTest, NamesMatchWithoutRegardToCase) {
  touch(root_ / "data" / "pictures" / "o3.bmp");
  touch(root_ / "data" / "pictures" / "B12.bmp");
  PictureStore store(root_ / "data", report_);
  for (const char* name : {"o3.bmp", "O3.bmp", "O3.BMP"}) {
    auto p = store.find(name);
    ASSERT_TRUE(p) << name;
    EXPECT_EQ(p->filename(), "o3.bmp") << name;
  }
  ASSERT_TRUE(store.find("b12.bmp"));
  EXPECT_EQ(store.find("b12.bmp")->filename(), "B12.bmp");
  EXPECT_EQ(report_.str(), "");
}

TEST_F(PictureStoreTest, CurrentDirectoryComesFirst) {
  touch(root_ / "data" / "pictures" / "male.bmp", "shipped");
  touch(root_ / "work" / "MALE.BMP", "own");
  PictureStore store(root_ / "data", report_);
  auto p = store.find("male.bmp");
  ASSERT_TRUE(p);
  EXPECT_EQ(fs::canonical(*p), fs::canonical(root_ / "work" / "MALE.BMP"));
}

TEST_F(PictureStoreTest, MissingNameIsReportedOnceWhateverItsCase) {
  PictureStore store(root_ / "data", report_);
  EXPECT_FALSE(store.find("o4_.bmp"));
  EXPECT_FALSE(store.find("O4_.BMP"));
  EXPECT_FALSE(store.find("o4_.bmp"));
  EXPECT_FALSE(store.find("b4_.bmp"));
  const std::string text = report_.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
  EXPECT_NE(text.find("o4_.bmp"), std::string::npos);
  EXPECT_NE(text.find("b4_.bmp"), std::string::npos);
}

TEST_F(PictureStoreTest, OnlyBareFileNamesAreLookedUp) {
  // A directory or a path is never a picture, even where one exists.
  touch(root_ / "data" / "pictures" / "o1.bmp");
  fs::create_directories(root_ / "work" / "o2.bmp");
  PictureStore store(root_ / "data", report_);
  for (const char* name : {"", "pictures/o1.bmp", "../data/pictures/o1.bmp", "..", "o2.bmp"})
    EXPECT_FALSE(store.find(name)) << name;
  EXPECT_TRUE(store.find("o1.bmp"));
}

TEST_F(PictureStoreTest, WholePathOfADriveRootPicture) {
  touch(root_ / "balance.bmp");
  PictureStore store(root_ / "data", report_);
  EXPECT_EQ(store.find((root_ / "balance.bmp").string()), root_ / "balance.bmp");
  EXPECT_FALSE(store.find((root_ / "thermometer.bmp").string()));
}

TEST_F(PictureStoreTest, AbsentDataDirectoryIsNoFailure) {
  PictureStore store(root_ / "nowhere", report_);
  EXPECT_FALSE(store.find("o1.bmp"));
  EXPECT_NE(report_.str().find("o1.bmp"), std::string::npos);
}

}  // namespace
}  // namespace vesprin
