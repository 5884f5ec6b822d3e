// vesprin-cast --pdf end to end: the PDF it writes, read back with poppler's
// pdfinfo and pdftotext, and the births for which it must write none.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Ran {
  int status;
  std::string out;
};

Ran run(const std::string& command) {
  Ran r{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return r;
  std::array<char, 4096> buf;
  while (std::size_t n = std::fread(buf.data(), 1, buf.size(), pipe)) r.out.append(buf.data(), n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

// pdftotext gives back the text as typed (the engine mends the text layer
// Qt writes), but blanks and line breaks follow the page's layout: both
// sides are compared without them.
std::string comparable(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != ' ' && c != '\n' && c != '\f') out += c;
  return out;
}

class SheetPdfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("sheet_pdf_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  Ran cast(const std::string& births, const std::string& pdf, const std::string& options = "") {
    std::ofstream(dir / "births.txt") << births;
    return run("cd '" + dir.string() + "' && VESPRIN_DATA_DIR='" VESPRIN_SOURCE_DATA_DIR "' '" VESPRIN_CAST
               "' --today 2026-12-09 --pdf '" + pdf + "' " + options + " < births.txt 2>stderr.txt");
  }
  std::string stderrText() {
    std::ifstream in(dir / "stderr.txt");
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path dir;
};

TEST_F(SheetPdfTest, one_letter_page_with_the_owner_the_ages_and_the_power_text) {
  const Ran r = cast("05 03 2530 07 30 m 09\n", "sheet.pdf");
  ASSERT_EQ(r.status, 0) << stderrText();
  EXPECT_TRUE(r.out.starts_with("{\"analysisLines\""));  // the JSON as usual
  const fs::path pdf = dir / "sheet.pdf";
  ASSERT_TRUE(fs::exists(pdf));
  EXPECT_FALSE(fs::exists(dir / "sheet.pdf.part"));

  const Ran info = run("pdfinfo '" + pdf.string() + "'");
  ASSERT_EQ(info.status, 0);
  EXPECT_NE(info.out.find("Pages:           1\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("612 x 792 pts (letter)"), std::string::npos) << info.out;

  // The pictures are there, at the resolution they were drawn at, kept lossless.
  const Ran images = run("pdfimages -list '" + pdf.string() + "'");
  ASSERT_EQ(images.status, 0);
  EXPECT_NE(images.out.find(" 576   576 "), std::string::npos) << images.out;
  EXPECT_EQ(images.out.find("jpeg"), std::string::npos) << images.out;
  // Black-on-white characters go in as one bit a pixel, the coloured icons in colour.
  EXPECT_NE(images.out.find("156   156  gray    1   1 "), std::string::npos) << images.out;
  EXPECT_NE(images.out.find("rgb     3   8 "), std::string::npos) << images.out;

  const Ran text = run("pdftotext '" + pdf.string() + "' -");
  ASSERT_EQ(text.status, 0);
  const std::string page = comparable(text.out);
  for (const char* expected : {
           // the owner line and the age line
           "เกิดวันพฤหัสที่ 05/03/2530 เวลา 07.00-08.59 น. เพศชาย", "ปีเถาะ", "พ.ศ. 2569 อายุจีน 40 ปี",
           "Mar 05, 1987",
           // luck ages, the start age first, and transit ages and years
           "9.09", "104", "2569", "2026",
           // the element-group power text, both lines
           "กลุ่มดิถี ธาตุน้ำ กำลัง 6 ธาตุทอง กำลัง 0 (รวมกำลัง 6)",
           "กลุ่มบริวาร ธาตุไม้ กำลัง 10 ธาตุไฟ กำลัง 8 ธาตุดิน กำลัง 2 (รวมกำลัง 20)",
           "TALVEN Vesprin PRO", "ผูกดวงวันที่ 09/12/2569"}) {
    EXPECT_NE(page.find(comparable(expected)), std::string::npos) << expected;
  }
  // Under the white mask: the long year table's captions and the star บุ่งเชียง.
  for (const char* hidden : {"บุ่งเชียง", "111", "TALVEN Vesprin 3.00 PRO"})
    EXPECT_EQ(page.find(comparable(hidden)), std::string::npos) << hidden;
}

TEST_F(SheetPdfTest, the_analysis_page_follows_on_a4_and_the_sheet_names_its_boundary) {
  // 07:30 is half an hour after the 07:00 edge of the double hour.
  const Ran r = cast("05 03 2530 07 30 m 09\n", "two.pdf", "--analysis-page");
  ASSERT_EQ(r.status, 0) << stderrText();
  const std::string pdf = (dir / "two.pdf").string();
  const Ran info = run("pdfinfo -f 1 -l 2 '" + pdf + "'");
  EXPECT_NE(info.out.find("Pages:           2\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("Page    1 size:  612 x 792 pts (letter)"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("Page    2 size:  595 x 842 pts (A4)"), std::string::npos) << info.out;
  // Every font travels with the file: a print shop has no CordiaUPC either.
  const Ran fonts = run("pdffonts '" + pdf + "' | tail -n +3 | awk '{print $(NF-4)}' | sort -u");
  EXPECT_EQ(fonts.out, "yes\n");

  const std::string sheet = comparable(run("pdftotext -f 1 -l 1 '" + pdf + "' -").out);
  for (const char* expected : {"เกิดหลังเปลี่ยนยาม 07.00 น. 30 นาที · อีกด้าน ปี 4/4 เดือน 9/3 วัน 10/2 ยาม 2/4",
                               "วันจีนเริ่ม 23.00 น. · ปฏิทิน CAL2493.DAT"})
    EXPECT_NE(sheet.find(comparable(expected)), std::string::npos) << expected;
  const std::string analysis = comparable(run("pdftotext -f 2 -l 2 '" + pdf + "' -").out);
  for (const char* expected : {"ผลการวิเคราะห์ดวง", "ส่งวิเคราะห์เมื่อ 09/12/2569",
                               "เกิดวันพฤหัสที่ 05/03/2530 เวลา 07.00-08.59 น. เพศชาย", "หมายเหตุ"})
    EXPECT_NE(analysis.find(comparable(expected)), std::string::npos) << expected;

  // Without a PDF there is no page to add to.
  EXPECT_EQ(run("'" VESPRIN_CAST "' --analysis-page < /dev/null 2>&1").status, 1);
}

TEST_F(SheetPdfTest, paper_a4_or_letter) {
  struct Case {
    const char* paper;
    const char* size;
  };
  for (const Case& c : {Case{"letter", "612 x 792 pts (letter)"}, Case{"a4", "595 x 842 pts (A4)"}}) {
    SCOPED_TRACE(c.paper);
    std::ofstream(dir / "births.txt") << "05 03 2530 07 30 m 09\n";
    const Ran r = run("cd '" + dir.string() + "' && VESPRIN_DATA_DIR='" VESPRIN_SOURCE_DATA_DIR "' '" VESPRIN_CAST
                      "' --today 2026-12-09 --pdf sheet.pdf --paper " + c.paper + " < births.txt 2>stderr.txt");
    ASSERT_EQ(r.status, 0) << stderrText();
    const Ran info = run("pdfinfo '" + (dir / "sheet.pdf").string() + "'");
    EXPECT_NE(info.out.find(c.size), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Title:           ดวงจีน\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Subject:         ดวงจีน เกิด 5 มีนาคม พ.ศ. 2530 เวลา 07.30 น.\n"), std::string::npos)
        << info.out;
  }
  for (const char* args : {"--paper a4", "--pdf x.pdf --paper A5"}) {
    SCOPED_TRACE(args);
    EXPECT_EQ(run("cd '" + dir.string() + "' && '" VESPRIN_CAST "' " + args + " < births.txt 2>/dev/null").status, 1);
  }
}

TEST_F(SheetPdfTest, a_pdf_that_cannot_be_written_is_reported_with_the_json_as_usual) {
  const Ran r = cast("05 03 2530 07 30 m 09\n", "no-such-folder/sheet.pdf");
  EXPECT_EQ(r.status, 5);
  EXPECT_TRUE(r.out.starts_with("{\"analysisLines\""));
  EXPECT_NE(stderrText().find("cannot write no-such-folder/sheet.pdf"), std::string::npos) << stderrText();
}

TEST_F(SheetPdfTest, no_pdf_for_a_birth_that_cannot_be_printed) {
  struct Case {
    const char* births;
    int status;
    const char* message;
  };
  const Case cases[] = {
      // --pdf takes exactly one birth line: a usage error otherwise.
      {"05 03 2530 07 30 m 09\n06 03 2530 07 30 m 09\n", 1, "exactly one birth line; standard input holds 2"},
      {"# only a comment\n\n", 1, "exactly one birth line; standard input holds 0"},
      // A line that cannot be cast.
      {"05 03 2100 07 30 m 09\n", 2, "no chart sheet written: year 2100 is outside the calendar"},
      {"05 13 2530 07 30 m 09\n", 2, "no chart sheet written"},
      // An incomplete chart: the Chinese age cannot be known from the calendar.
      {"01 01 2344 07 30 m 09\n", 2, "the chart is incomplete"},
      // A day its month does not have: cast on the last day, with the notice
      // in the JSON, but no sheet of another day.
      {"31 02 2530 07 30 m 09\n", 2, "no chart sheet written: วันเดือนปีเกิดไม่ถูกต้อง 31/02/2530"},
      {"29 02 2443 07 30 m 09\n", 2, "no chart sheet written: วันเดือนปีเกิดไม่ถูกต้อง 29/02/2443"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.births);
    const Ran r = cast(c.births, "none.pdf");
    EXPECT_EQ(r.status, c.status);
    EXPECT_NE(stderrText().find(c.message), std::string::npos) << stderrText();
    EXPECT_FALSE(fs::exists(dir / "none.pdf"));
    EXPECT_FALSE(fs::exists(dir / "none.pdf.part"));
  }
}

// --pdf-dir: a sheet for every birth line in one run, named by the line's
// number and the birth date; the JSON lines are those of a run without it, and
// a refused line gets its error object and no sheet.
TEST_F(SheetPdfTest, a_folder_of_sheets_one_per_birth_line) {
  const std::string births =
      "# three births\n05 03 2530 07 30 m 09\n\n31 02 2530 07 00 f 09\n05 13 2530 07 30 m 09\n"
      "10 05 2530 23 10 f 08\n";
  std::ofstream(dir / "births.txt") << births;
  const std::string env = "cd '" + dir.string() + "' && VESPRIN_DATA_DIR='" VESPRIN_SOURCE_DATA_DIR "' '" VESPRIN_CAST
                          "' --today 2026-12-09 ";
  const Ran plain = run(env + "< births.txt 2>/dev/null");
  const Ran r = run(env + "--pdf-dir sheets < births.txt 2>stderr.txt");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, plain.out) << "the JSON lines as without --pdf-dir";
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir / "sheets")) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"0002 05-03-2530.pdf", "0006 10-05-2530.pdf"}));
  const std::string err = stderrText();
  EXPECT_NE(err.find("line 4: no chart sheet written: วันเดือนปีเกิดไม่ถูกต้อง 31/02/2530"), std::string::npos) << err;
  EXPECT_NE(err.find("line 5: no chart sheet written"), std::string::npos) << err;
  EXPECT_NE(err.find("wrote 2 of 4 chart sheets"), std::string::npos) << err;
  EXPECT_EQ(err.find('\r'), std::string::npos) << "no progress bar off a terminal";

  // Each sheet is the one --pdf writes for its line alone.
  for (const auto& [line, file] : {std::pair{"05 03 2530 07 30 m 09", "0002 05-03-2530.pdf"},
                                   std::pair{"10 05 2530 23 10 f 08", "0006 10-05-2530.pdf"}}) {
    ASSERT_EQ(cast(std::string(line) + "\n", "alone.pdf").status, 0);
    EXPECT_EQ(run("pdftotext '" + (dir / "alone.pdf").string() + "' -").out,
              run("pdftotext '" + (dir / "sheets" / file).string() + "' -").out)
        << file;
  }
  // All sheets written: exit 0; a folder that cannot be made: exit 5.
  std::ofstream(dir / "births.txt") << "05 03 2530 07 30 m 09\n";
  EXPECT_EQ(run(env + "--pdf-dir more --paper a4 < births.txt 2>/dev/null").status, 0);
  EXPECT_TRUE(fs::exists(dir / "more" / "0001 05-03-2530.pdf"));
  std::ofstream(dir / "a-file") << "";
  EXPECT_EQ(run(env + "--pdf-dir a-file/sheets < births.txt 2>/dev/null").status, 5);
  EXPECT_EQ(run(env + "--pdf x.pdf --pdf-dir sheets < births.txt 2>/dev/null").status, 1);
}

// The sheets are painted beside the casting, on several threads: a sheet
// that cannot be written among others that can is reported on its own line,
// in the order of the lines, and the run ends with status 5.
TEST_F(SheetPdfTest, a_folder_of_sheets_reports_each_line_in_order_whatever_thread_painted_it) {
  std::string births;
  for (int day = 1; day <= 9; ++day) births += "0" + std::to_string(day) + " 03 2530 07 30 m 09\n";
  std::ofstream(dir / "births.txt") << births;
  // A folder where the fourth sheet would go: that one file cannot be written.
  fs::create_directories(dir / "sheets" / "0004 04-03-2530.pdf");
  const Ran r = run("cd '" + dir.string() + "' && VESPRIN_DATA_DIR='" VESPRIN_SOURCE_DATA_DIR "' '" VESPRIN_CAST
                    "' --today 2026-12-09 --pdf-dir sheets < births.txt 2>stderr.txt");
  EXPECT_EQ(r.status, 5);
  const std::string err = stderrText();
  EXPECT_NE(err.find("vesprin-cast: line 4: "), std::string::npos) << err;
  EXPECT_EQ(err.find("vesprin-cast: line 3: "), std::string::npos) << err;
  EXPECT_EQ(err.find("vesprin-cast: line 5: "), std::string::npos) << err;
  EXPECT_NE(err.find("wrote 8 of 9 chart sheets"), std::string::npos) << err;
  std::size_t sheets = 0;
  for (const auto& e : fs::directory_iterator(dir / "sheets")) sheets += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(sheets, 8u);
}

}  // namespace
