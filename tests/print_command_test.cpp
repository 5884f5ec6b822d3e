// The print command without a printer: CUPS is pointed at a server that does
// not exist, so there is no destination. The sheet must not vanish: it is
// saved as a PDF in the current directory, its path reported, status 3.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <filesystem>
#include <regex>
#include <sstream>
#include <vector>

#include <QApplication>

// qpdf's headers ask which of its pointer types to use.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "app/chart_pdf.h"
#include "app/print_command.h"
#include "present/pictures/picture_store.h"

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
    const std::string said = report.str();
    const std::string cause = ": not printed: the print scheduler cannot be reached at /nonexistent/";
    EXPECT_EQ(said.rfind(program_invocation_short_name + cause, 0), 0u)
        << said;
    EXPECT_NE(said.find("; the chart sheet was saved as " + (dir / c.file).string() + "\n"), std::string::npos) << said;
  }
}

TEST_F(PrintCommandTest, the_title_line_and_the_version_go_on_the_sheet_first) {
  forms.chartSheet["QRLabelPowerElements"].caption = "the cast's summary";
  const PrintOutcome out = command.run(forms, PrintChoice{false, dir / "asked.pdf", {}});
  EXPECT_EQ(out.result, PrintResult::WrittenToPdf);
  EXPECT_EQ(exitStatusOf(out), 0);
  EXPECT_TRUE(fs::exists(dir / "asked.pdf"));
  EXPECT_FALSE(fs::exists(dir / "chart-sheet.pdf"));
  EXPECT_EQ(forms.chartSheet.caption("QRLabelPowerElements"), forms.main.caption("LabelTitle"));
  EXPECT_EQ(forms.chartSheet.caption("QRLabelVersion"), "TALVEN Vesprin PRO");
}

// A target that is not a regular file the run may replace is left as it
// is: never written through, never turned into a file; nothing else appears.
TEST_F(PrintCommandTest, a_pdf_that_cannot_be_written_fails_with_its_reason) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    const char* target;
    const char* says;
  };
  const Case cases[] = {
      {"no such folder", [] {}, "no-such-folder/sheet.pdf", "cannot write no-such-folder/sheet.pdf: No such file or directory"},
      {"a FIFO", [] { ::mkfifo("sheet.pdf", 0600); }, "sheet.pdf", "cannot write sheet.pdf: it exists and is a FIFO; left as it is"},
      {"a folder", [] { fs::create_directory("sheet.pdf"); }, "sheet.pdf", "it exists and is a folder; left as it is"},
      {"a link to a file elsewhere",
       [] {
         std::ofstream("target") << "kept";
         fs::create_symlink("target", "sheet.pdf");
       },
       "sheet.pdf", "it exists and is a symbolic link; left as it is"},
      {"a read-only file",
       [] {
         std::ofstream("sheet.pdf") << "kept";
         fs::permissions("sheet.pdf", fs::perms::owner_read);
       },
       "sheet.pdf", "cannot write sheet.pdf: it is a read-only file; left as it is"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
    c.arrange();
    std::set<std::string> before;
    for (const auto& e : fs::directory_iterator(dir)) before.insert(e.path().filename().string());
    const PrintOutcome out = command.run(forms, PrintChoice{false, c.target, {}});
    EXPECT_EQ(out.result, PrintResult::Failed);
    EXPECT_EQ(exitStatusOf(out), 5);
    EXPECT_NE(out.error.find(c.says), std::string::npos) << out.error;
    std::set<std::string> after;
    for (const auto& e : fs::directory_iterator(dir)) after.insert(e.path().filename().string());
    EXPECT_EQ(after, before);
    if (fs::exists("target")) {
      EXPECT_EQ(fs::file_size("target"), 4u);
    }
  }
}

// A finished PDF finished again (a desk that finishes its own saves, say)
// keeps its text objects marked once: from the second time on, finishing
// gives the same bytes.
TEST_F(PrintCommandTest, finishing_a_finished_pdf_again_changes_nothing) {
  Birth birth;
  birth.name = "น้ำผึ้ง";
  const PdfDocumentInfo document = chartDocumentInfo(birth);
  ASSERT_EQ(command.run(forms, PrintChoice{false, dir / "sheet.pdf", Paper::Letter, document}).result,
            PrintResult::WrittenToPdf);
  EXPECT_EQ(report.str(), "");
  const auto bytes = [](const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  ASSERT_EQ(finishPdf(dir / "sheet.pdf", document), "");
  const std::string twice = bytes(dir / "sheet.pdf");
  ASSERT_EQ(finishPdf(dir / "sheet.pdf", document), "");
  EXPECT_EQ(bytes(dir / "sheet.pdf"), twice);
}

// Finishing reads the text objects of Qt's contents straight from their
// bytes; qpdf's tokenizer, which reads contents of any form, must give the
// very same document.
TEST_F(PrintCommandTest, contents_read_as_qt_writes_them_finish_as_through_the_tokenizer) {
  forms.main["EditName"].caption = "น้ำผึ้ง";
  forms.analysisPage["QRLabelHoroscopeOwner"].caption = "ปู่ ฟ้า กุ้ง";
  FormRenderer renderer([this](std::string_view n) { return pictures.find(n); });
  const PdfResult made = renderReportPdf({&forms.chartSheet, &forms.analysisPage}, renderer, Paper::A4, "กุ้ง");
  ASSERT_TRUE(made.ok) << made.error;
  std::string read = made.bytes, tokenized = made.bytes;
  ASSERT_EQ(finishPdfBytes(read, {"กุ้ง", "ดวงจีน"}, ContentReading::AsQtWrites), "");
  ASSERT_EQ(finishPdfBytes(tokenized, {"กุ้ง", "ดวงจีน"}, ContentReading::Tokenized), "");
  EXPECT_NE(read, made.bytes);
  EXPECT_EQ(read, tokenized);

  // Contents in forms Qt does not write, put on the sheet's page in place of
  // its own: read directly where they can be, else through the tokenizer,
  // always with the tokenizer's result. "/F" stands for one of the page's fonts.
  const std::string contents[] = {
      "BT\n/F 96 Tf 1 0 0 -1 0 0 Tm\n[<0001> -20.5 <0002>] TJ\nET\n",  // an array of shown strings
      "q BT /F 12 Tf 0 0 Td <0003> Tj T* <0004> ' ET Q",                   // the quote operator; no line ends
      "BT /F 12 Tf <00 01> Tj <001> Tj ET",                               // blanks and an odd digit in hex
      "BT /F 12 Tf (ab\\051) Tj ET",                                       // a literal string
      "% a comment\nBT /F 12 Tf <0001> Tj ET",
      "BT <0001> Tj ET BT /F 12 Tf <FFFF> Tj ET",                           // no font; a code the map lacks
      "BT /F 12 Tf <0001> Tj",                                              // a text object left open
      "/Span <</ActualText <FEFF0041>>> BDC BT /F 12 Tf <0001> Tj ET EMC",  // marked already
      "BT /F 12 Tf -.5 +3 Td <0002> Tj ET\n",
  };
  for (const std::string& content : contents) {
    SCOPED_TRACE(content);
    QPDF pdf;
    pdf.processMemoryFile("sheet", made.bytes.data(), made.bytes.size());
    QPDFObjectHandle page = QPDFPageDocumentHelper(pdf).getAllPages().front().getObjectHandle();
    const std::string font = page.getKey("/Resources").getKey("/Font").getKeys().begin()->substr(1);
    page.getKey("/Contents")
        .replaceStreamData(std::regex_replace(content, std::regex("/F "), "/" + font + " "),
                           QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.write();
    const std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
    std::string direct(reinterpret_cast<const char*>(out->getBuffer()), out->getSize()), general = direct;
    ASSERT_EQ(finishPdfBytes(direct, {}, ContentReading::AsQtWrites), "");
    ASSERT_EQ(finishPdfBytes(general, {}, ContentReading::Tokenized), "");
    EXPECT_EQ(direct, general);
  }
}

// A folder of sheets paints each picture as a stand-in and puts the real
// picture, compressed once, in its place when finishing: the document is the
// one painted with the pictures themselves, but for what differs between any
// two runs (the time, the identifier made from it, the fonts' subset tags).
TEST_F(PrintCommandTest, pictures_painted_as_stand_ins_give_the_same_document) {
  forms.main["EditName"].caption = "น้ำผึ้ง";
  // Pictures of both kinds: two-colour (one bit a pixel) and in colour.
  for (const char* column : {"yy", "mm", "dd", "tt"})
    forms.chartSheet[std::string("QRImageChineseBelow") + column].picture = "b1_.bmp";
  forms.chartSheet["QRImageChineseOnyy"].picture = "b1.bmp";
  forms.chartSheet["QRImageChineseOnmm"].picture = "b2.bmp";
  forms.chartSheet["QRImageChineseOndd"].picture = "balance.bmp";
  forms.chartSheet["QRImageChineseOntt"].picture = "b3_.bmp";
  FormRenderer renderer([this](std::string_view n) { return pictures.find(n); });
  const auto comparable = [](std::string pdf) {
    for (const char* pattern : {"D:[0-9]+Z", "/ID \\[<[0-9a-f]+><[0-9a-f]+>\\]", "/[A-Z]{6}\\+"})
      pdf = std::regex_replace(pdf, std::regex(pattern), "");
    return pdf;
  };
  ChartPdfOptions options{Paper::Letter, {"กุ้ง", "ดวงจีน"}, {&forms.analysisPage}};
  const PdfResult plain = renderChartPdf(forms.chartSheet, renderer, options, report);
  options.pictureStandIns = true;
  for (int sheet = 0; sheet < 2; ++sheet) {  // the second sheet takes the pictures compressed for the first
    const PdfResult stood = renderChartPdf(forms.chartSheet, renderer, options, report);
    ASSERT_TRUE(plain.ok && stood.ok);
    EXPECT_GT(renderer.standInsPainted(), 3u);
    EXPECT_EQ(comparable(stood.bytes), comparable(plain.bytes));
  }
  EXPECT_EQ(report.str(), "");
}

// The pictures' compressed streams kept between runs: a run that finds them
// gives the document it would have made without them, and one whose entries
// are damaged, stale or another picture's does too; an entry made from the
// same picture data is taken as it is.
TEST_F(PrintCommandTest, kept_picture_streams_are_used_only_when_made_from_the_same_data) {
  forms.chartSheet["QRImageChineseOnyy"].picture = "b1.bmp";
  forms.chartSheet["QRImageChineseOnmm"].picture = "b2.bmp";
  forms.chartSheet["QRImageChineseOndd"].picture = "balance.bmp";  // in colour
  const auto comparable = [](std::string pdf) {
    for (const char* pattern : {"D:[0-9]+Z", "/ID \\[<[0-9a-f]+><[0-9a-f]+>\\]", "/[A-Z]{6}\\+"})
      pdf = std::regex_replace(pdf, std::regex(pattern), "");
    return pdf;
  };
  const fs::path cache = dir / "cache";
  ChartPdfOptions options{Paper::Letter, {"กุ้ง", "ดวงจีน"}, {}};
  // A run: its own renderer, as a process of its own has. (Documents are
  // compared whole, without printing them when they differ.)
  const auto run = [&](bool standIns) {
    FormRenderer renderer([this](std::string_view n) { return pictures.find(n); });
    renderer.setPictureCache(cache);
    options.pictureStandIns = standIns;
    const PdfResult made = renderChartPdf(forms.chartSheet, renderer, options, report);
    EXPECT_TRUE(made.ok);
    return comparable(made.bytes);
  };
  const std::string plain = run(false);
  EXPECT_FALSE(fs::exists(cache));  // nothing kept without stand-ins
  EXPECT_TRUE(run(true) == plain);  // the entries made
  std::vector<fs::path> entries;
  for (const auto& e : fs::directory_iterator(cache)) entries.push_back(e.path());
  ASSERT_GE(entries.size(), 3u);
  const auto read = [](const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const auto write = [](const fs::path& f, const std::string& bytes) { std::ofstream(f, std::ios::binary) << bytes; };
  EXPECT_TRUE(run(true) == plain);  // the entries taken
  const std::map<fs::path, std::string> kept = [&] {
    std::map<fs::path, std::string> m;
    for (const fs::path& e : entries) m[e] = read(e);
    return m;
  }();
  const auto stream = [](const std::string& entry) { return entry.substr(entry.find("\nstream ") + 1); };
  const auto head = [](const std::string& entry) { return entry.substr(0, entry.find("\nstream ") + 1); };
  // The stream line of a stream: its FNV-1a hash and size.
  const auto streamLine = [](const std::string& data) {
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : data) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    char line[64];
    std::snprintf(line, sizeof line, "stream %016llx %zu\n", static_cast<unsigned long long>(h), data.size());
    return std::string(line);
  };
  const auto body = [](const std::string& streamAndLine) { return streamAndLine.substr(streamAndLine.find('\n') + 1); };
  const fs::path first = entries[0], second = entries[1];
  struct Case {
    const char* what;
    std::function<void()> damage;
  };
  const Case cases[] = {
      {"a byte of the stream changed",
       [&] {
         std::string e = kept.at(first);
         e[e.size() - 3] = static_cast<char>(e[e.size() - 3] ^ 0x5A);
         write(first, e);
       }},
      {"cut short", [&] { write(first, kept.at(first).substr(0, kept.at(first).size() - 7)); }},
      {"another picture's entry", [&] { write(first, kept.at(second)); }},
      {"made from other data",
       [&] {
         std::string e = kept.at(first);
         const std::size_t at = e.find(" data ") + 6;
         e[at] = e[at] == '0' ? '1' : '0';
         write(first, e);
       }},
      {"an entry of another layout",
       [&] {
         std::string e = kept.at(first);
         e.replace(e.find(" stream 2 ") + 8, 1, "1");
         write(first, e);
       }},
      {"no stream line", [&] { write(first, head(kept.at(first))); }},
      {"empty", [&] { write(first, ""); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& [f, bytes] : kept) write(f, bytes);
    c.damage();
    EXPECT_TRUE(run(true) == plain);
    EXPECT_TRUE(read(first) == kept.at(first));  // made again
  }
  // An entry whose head names the same data is taken as it is: another
  // picture's stream under it, with a stream line of its own, shows.
  for (const auto& [f, bytes] : kept) write(f, bytes);
  const std::string foreign = body(stream(kept.at(second)));
  write(first, head(kept.at(first)) + streamLine(foreign) + foreign);
  EXPECT_TRUE(run(true) != plain);
  EXPECT_EQ(report.str(), "");
}

}  // namespace
}  // namespace vesprin

int main(int argc, char** argv) {
  // No printer: a CUPS server that is not there, no default named by the environment.
  ::setenv("CUPS_SERVER", "/nonexistent/vesprin-test-cups.sock", 1);
  ::unsetenv("PRINTER");
  ::unsetenv("LPDEST");
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The pictures' compressed data kept by the print command: in the tests'
  // own folder, not in the home of whoever runs them.
  ::setenv("XDG_CACHE_HOME", (std::filesystem::temp_directory_path() / "vesprin-print-command-test-cache").c_str(), 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
