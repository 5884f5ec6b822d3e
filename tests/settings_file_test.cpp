#include "app/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/text_file.h"

namespace vesprin {
namespace {
namespace fs = std::filesystem;

TEST(settings_file_test, every_other_line_is_kept) {
  struct Case {
    const char* what;
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {"empty file", "", "[Application]\nRun=False\n"},
      {"no [Application] section", "[Other]\nRun=True\n", "[Other]\nRun=True\n[Application]\nRun=False\n"},
      {"no line end at the end", "[Other]\na=1", "[Other]\na=1\n[Application]\nRun=False\n"},
      {"an existing Run key", "[Application]\nRun=True\nPath=C:\\x\n", "[Application]\nRun=False\nPath=C:\\x\n"},
      {"key and section in other case, blanks around the key",
       "; talven\n[application]\n  run = 1\n", "; talven\n[application]\nRun=False\n"},
      {"only the first Run of the section", "[Application]\nRun=1\nRun=2\n", "[Application]\nRun=False\nRun=2\n"},
      {"Run of another section untouched", "[A]\nRun=1\n\n[Application]\nX=1\n\n[B]\nY=2\n",
       "[A]\nRun=1\n\n[Application]\nX=1\nRun=False\n\n[B]\nY=2\n"},
      {"section without keys, last in the file", "[B]\nY=2\n[Application]", "[B]\nY=2\n[Application]\nRun=False\n"},
      {"CR LF line ends kept", "[Application]\r\nRun=True\r\nZ=\xA1\r\n", "[Application]\r\nRun=False\r\nZ=\xA1\r\n"},
      {"Run as the last line without an end", "[Application]\nRun=True", "[Application]\nRun=False"},
      {"a key that only begins with Run", "[Application]\nRunCount=3\n", "[Application]\nRunCount=3\nRun=False\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(withIniValue(c.before, "Application", "Run", "False"), c.after) << c.what;
}

TEST(settings_file_test, written_in_place_and_folders_created) {
  const fs::path dir = fs::temp_directory_path() / ("vesprin-settings-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  // A missing file in a missing folder.
  const std::string path = (dir / "config" / "talven.ini").string();
  EXPECT_EQ(writeRunFalse(path), "");
  EXPECT_EQ(readWholeFile(path), "[Application]\nRun=False\n");
  // An existing file keeps its other lines and its permissions, and no
  // temporary file is left beside it.
  {
    std::ofstream(path, std::ios::trunc) << "[Other]\nk=v\n[Application]\nRun=True\n";
  }
  ::chmod(path.c_str(), 0600);
  EXPECT_EQ(writeRunFalse(path), "");
  EXPECT_EQ(readWholeFile(path), "[Other]\nk=v\n[Application]\nRun=False\n");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "config"), fs::directory_iterator()), 1);
  // A folder that cannot be written: the reason, and the file as it was.
  if (::geteuid() != 0) {
    fs::permissions(dir / "config", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_NE(writeRunFalse(path), "");
    fs::permissions(dir / "config", fs::perms::owner_all);
  }
  fs::remove_all(dir);

  ::setenv("XDG_CONFIG_HOME", "/x/y", 1);
  EXPECT_EQ(settingsFilePath(), "/x/y/talven.ini");
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", "/home/a", 1);
  EXPECT_EQ(settingsFilePath(), "/home/a/.config/talven.ini");
}

}  // namespace
}  // namespace vesprin
