// The text layer of the engine's PDFs: the Thai fonts' positioned mark
// forms mapped back to the characters they draw, the maps read back, and
// glyph runs put back in the order the text is typed. The whole path, from
// a written sheet to pdftotext, is checked end to end by print_e2e_test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/pdf_text.h"

namespace vesprin {
namespace {

namespace fs = std::filesystem;

TEST(pdf_text, positioned_forms_give_back_their_thai_characters) {
  struct Row {
    char32_t in, out;
  };
  for (const Row& r : {Row{0xF700, 0x0E10},  // ฐ without its descender, the first form
                       Row{0xF701, 0x0E34}, Row{0xF705, 0x0E48}, Row{0xF70A, 0x0E48},  // mai ek lowered
                       Row{0xF70B, 0x0E49}, Row{0xF70E, 0x0E4C}, Row{0xF70F, 0x0E0D}, Row{0xF711, 0x0E4D},
                       Row{0xF713, 0x0E48}, Row{0xF718, 0x0E38},
                       Row{0xF71A, 0x0E3A},  // phinthu lowered, the last form
                       // Outside the block: as they are.
                       Row{0xF6FF, 0xF6FF}, Row{0xF71B, 0xF71B}, Row{0x0E48, 0x0E48}, Row{U'A', U'A'}}) {
    SCOPED_TRACE(static_cast<unsigned>(r.in));
    EXPECT_EQ(thaiFromPositionedForm(r.in), r.out);
  }
}

TEST(pdf_text, tounicode_maps_are_mended_at_their_destinations_only) {
  struct Row {
    const char* what;
    const char* in;
    const char* out;
  };
  const Row rows[] = {
      {"an array of destinations, as Qt writes them",
       "1 beginbfrange\n<0001> <0004> [<0E01> <F70A> <0032> <F70B> ]\nendbfrange",
       "1 beginbfrange\n<0001> <0004> [<0E01> <0E48> <0032> <0E49> ]\nendbfrange"},
      {"a bfchar: the source code is a glyph number and stays",
       "2 beginbfchar\n<F70A> <F70A>\n<0002> <0E01F70E>\nendbfchar",
       "2 beginbfchar\n<F70A> <0E48>\n<0002> <0E010E4C>\nendbfchar"},
      {"a run of consecutive values through the forms becomes an array",
       "1 beginbfrange\n<0005> <0007> <F709>\nendbfrange",
       "1 beginbfrange\n<0005> <0007> [<0E4C> <0E48> <0E49>]\nendbfrange"},
      {"a run elsewhere stays a run", "1 beginbfrange\n<0010> <0012> <0E01>\nendbfrange",
       "1 beginbfrange\n<0010> <0012> <0E01>\nendbfrange"},
      {"outside the sections nothing changes", "<F70A> def % <F70B>\n", "<F70A> def % <F70B>\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(thaiToUnicodeMap(r.in), r.out);
  }
}

TEST(pdf_text, tounicode_maps_read_back_by_code) {
  const std::string cmap =
      "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n"
      "2 beginbfrange\n<0000> <0000> <0000>\n<0001> <0003> [<0E19> <0E4D> <0E49>]\nendbfrange\n"
      "1 beginbfrange\n<0010> <0011> <0E32>\nendbfrange\n"
      "1 beginbfchar\n<0020> <D835DC00>\nendbfchar\nendcmap\n";
  const std::map<unsigned, std::u32string> codes = readToUnicodeMap(cmap);
  const std::map<unsigned, std::u32string> expected = {
      {0x00, std::u32string(1, U'\0')}, {0x01, U"น"}, {0x02, U"\u0E4D"}, {0x03, U"\u0E49"},
      {0x10, U"า"},      {0x11, U"ำ"}, {0x20, U"\U0001D400"}};
  EXPECT_EQ(codes, expected);
}

TEST(pdf_text, glyph_runs_in_the_order_typed) {
  struct Row {
    std::u32string glyphs, typed;
  };
  const Row rows[] = {
      // Sara am, drawn as nikhahit and sara aa, with the tone mark between.
      {U"น\u0E4D\u0E49\u0E32ผึ้ง", U"น้ำผึ้ง"},
      {U"ก\u0E4D\u0E32", U"กำ"},
      {U"ก\u0E4D", U"ก\u0E4D"},  // a nikhahit of its own stays
      {U"ก\u0E32", U"กา"},
      // A tone mark placed before the vowel under (or over) its consonant.
      {U"ก\u0E49\u0E38ง", U"กุ้ง"},
      {U"ป\u0E48\u0E39 ฟ\u0E49า", U"ปู่ ฟ้า"},
      {U"ก\u0E48\u0E35", U"กี่"},
      {U"ก\u0E37\u0E48", U"กื่"},
      // The blank glyph, which the fonts share with the tab.
      {U"ชื่อ\tกุ้ง", U"ชื่อ กุ้ง"},
      {U"", U""},
  };
  for (const Row& r : rows) EXPECT_EQ(typedOrder(r.glyphs), r.typed);
}

TEST(pdf_text, a_file_that_cannot_be_finished_is_left_as_it_was) {
  const fs::path dir = fs::temp_directory_path() / ("pdf_text_test_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path file = dir / "not-a.pdf";
  std::ofstream(file) << "not a PDF";
  const std::string error = finishPdf(file, {"กุ้ง", "ดวงจีน"});
  EXPECT_FALSE(error.empty());
  std::ifstream in(file);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not a PDF");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "a file left beside it";
  EXPECT_FALSE(finishPdf(dir / "missing.pdf", {}).empty());
  fs::remove_all(dir);

  // In memory the same: the bytes stay as they were, so the sheet goes out
  // as Qt wrote it.
  std::string bytes = "%PDF-1.4 cut short";
  EXPECT_FALSE(finishPdfBytes(bytes, {"กุ้ง", "ดวงจีน"}).empty());
  EXPECT_EQ(bytes, "%PDF-1.4 cut short");
}

}  // namespace
}  // namespace vesprin
