// The print command without a printer: CUPS is pointed at a server that does
// not exist, so there is no destination. The sheet must not vanish: it is
// saved as a PDF in the current directory, its path reported, status 3.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <QApplication>

#include "app/print_command.h"
#include "present/picture_store.h"

namespace vesprin {
namespace {

namespace fs = std::filesystem;

class PrintCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("print_command_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    previous = fs::current_path();
    fs::current_path(dir);
    forms.main["LabelTitle"].caption = "กลุ่มดิถี ธาตุดิน กำลัง 5\rกลุ่มบริวาร ธาตุทอง กำลัง 3";
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove_all(dir);
  }

  fs::path dir, previous;
  Forms forms = makeForms();
  std::ostringstream report;
  PictureStore pictures{VESPRIN_SOURCE_DATA_DIR, report};
  PrintCommand command{[this](std::string_view n) { return pictures.find(n); }, report};
};

TEST_F(PrintCommandTest, without_a_printer_the_sheet_is_saved_and_the_run_says_so) {
  struct Case {
    const char* file;  // the name the sheet is saved under: never over an earlier one
  };
  for (const Case& c : {Case{"chart-sheet.pdf"}, Case{"chart-sheet-2.pdf"}, Case{"chart-sheet-3.pdf"}}) {
    SCOPED_TRACE(c.file);
    report.str({});
    const PrintOutcome out = command.run(forms, PrintChoice{});
    EXPECT_EQ(out.result, PrintResult::SavedWithoutPrinter);
    EXPECT_EQ(exitStatusOf(out), 3);
    EXPECT_EQ(out.pdf, dir / c.file);
    EXPECT_TRUE(fs::exists(dir / c.file));
    EXPECT_GT(fs::file_size(dir / c.file), 1000u);
    EXPECT_EQ(report.str(), "vesprin: no usable printer; the chart sheet was saved as " + (dir / c.file).string() + "\n");
  }
}

TEST_F(PrintCommandTest, the_title_line_and_the_version_go_on_the_sheet_first) {
  forms.chartSheet["QRLabelPowerElements"].caption = "the cast's summary";
  const PrintOutcome out = command.run(forms, PrintChoice{false, dir / "asked.pdf"});
  EXPECT_EQ(out.result, PrintResult::WrittenToPdf);
  EXPECT_EQ(exitStatusOf(out), 0);
  EXPECT_TRUE(fs::exists(dir / "asked.pdf"));
  EXPECT_FALSE(fs::exists(dir / "chart-sheet.pdf"));
  EXPECT_EQ(forms.chartSheet.caption("QRLabelPowerElements"), forms.main.caption("LabelTitle"));
  EXPECT_EQ(forms.chartSheet.caption("QRLabelVersion"), "TALVEN Vesprin PRO");
}

// The PDF is finished after writing (its text layer and title); when that
// fails the sheet is kept as written, never lost, and the report says so.
TEST_F(PrintCommandTest, a_pdf_that_cannot_be_finished_is_kept_as_written) {
  struct Case {
    const char* what;
    PrintChoice choice;
    const char* file;
    PrintResult result;
  };
  PrintChoice asked;
  asked.pdf = dir / "asked.pdf";
  const Case cases[] = {{"--pdf", asked, "asked.pdf", PrintResult::WrittenToPdf},
                        {"saved without a printer", PrintChoice{}, "chart-sheet.pdf", PrintResult::SavedWithoutPrinter}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    report.str({});
    // The finished file is written beside the sheet first: a folder there stops it.
    fs::create_directory(dir / (std::string(c.file) + ".finishing"));
    const PrintOutcome out = command.run(forms, c.choice);
    EXPECT_EQ(out.result, c.result);
    EXPECT_GT(fs::file_size(dir / c.file), 1000u);
    EXPECT_NE(report.str().find((dir / c.file).string() + " is kept as written, its text layer not mended"),
              std::string::npos)
        << report.str();
  }
}

TEST_F(PrintCommandTest, a_pdf_that_cannot_be_written_fails_with_its_reason) {
  const PrintOutcome out = command.run(forms, PrintChoice{false, dir / "no-such-folder" / "sheet.pdf"});
  EXPECT_EQ(out.result, PrintResult::Failed);
  EXPECT_EQ(exitStatusOf(out), 5);
  EXPECT_NE(out.error.find("no-such-folder/sheet.pdf"), std::string::npos) << out.error;
  EXPECT_FALSE(fs::exists(dir / "chart-sheet.pdf"));
}

}  // namespace
}  // namespace vesprin

int main(int argc, char** argv) {
  // No printer: a CUPS server that is not there, no default named by the environment.
  ::setenv("CUPS_SERVER", "/nonexistent/vesprin-test-cups.sock", 1);
  ::unsetenv("PRINTER");
  ::unsetenv("LPDEST");
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
