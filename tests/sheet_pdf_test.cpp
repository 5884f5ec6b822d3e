// vesprin-cast --pdf end to end: the PDF it writes, read back with poppler's
// pdfinfo and pdftotext, and the births for which it must write none.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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

  Ran cast(const std::string& births, const std::string& pdf) {
    std::ofstream(dir / "births.txt") << births;
    return run("cd '" + dir.string() + "' && VESPRIN_DATA_DIR='" VESPRIN_SOURCE_DATA_DIR "' '" VESPRIN_CAST
               "' --today 2026-12-09 --pdf '" + pdf + "' < births.txt 2>stderr.txt");
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

}  // namespace
