#pragma once
// A test that runs in a fresh folder of its own, the current directory for
// its duration: the hand-over files are looked for there first.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace vesprin::testing {

class InScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    old_ = fs::current_path();
    dir_ = fs::temp_directory_path() /
           ("vesprin-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  void TearDown() override {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }

  std::filesystem::path dir_, old_;
};

}  // namespace vesprin::testing
