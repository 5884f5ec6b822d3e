#include "present/binding/bind_handover.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vesprin {
namespace {
namespace fs = std::filesystem;

AnalysisMarks parse(std::vector<std::string> lines) {
  auto parsed = parseAnalysisMarks(lines, "m.DAT");
  EXPECT_TRUE(parsed.value) << parsed.error->message();
  return *parsed.value;
}

std::vector<std::string> blankMarks() {
  std::vector<std::string> l(24, "blank");
  for (int k = 19; k <= 21; ++k) l[static_cast<std::size_t>(k)] = "F";
  return l;
}

TEST(bind_handover_test, relationship_marks) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, const char*>> lines;  // line -> text over blankMarks()
    int mark;                                        // 0..13
    Colour colour;
    PenStyle style;
    int genderTop, monthStrengthTop;  // 0: where the layout puts them
  };
  const Case cases[] = {
      {"blank whitens all", {}, 13, colours::kWhite, PenStyle::Solid, 0, 0},
      {"a later line shows its mark again", {{18, "TD5"}}, 13, colours::kRed, PenStyle::Dotted, 0, 0},
      {"dotted blue", {{5, "TD3"}}, 0, colours::kBlue, PenStyle::Dotted, 84, 314},
      {"solid black", {{5, "T 9"}}, 0, colours::kBlack, PenStyle::Solid, 84, 314},
      {"black after a code line 5", {{5, "T 9"}}, 7, colours::kBlack, PenStyle::Solid, 84, 314},
      {"F alone is white", {{5, "T"}, {9, "F"}}, 4, colours::kWhite, PenStyle::Solid, 84, 314},
      {"a clash between year and month lowers the month strength", {{5, "T"}, {19, "T"}}, 0,
       colours::kBlack, PenStyle::Solid, 84, 320},
      {"a clash between day and time does not", {{5, "T"}, {21, "T"}}, 0, colours::kBlack,
       PenStyle::Solid, 84, 314},
      {"clash under blank marks", {{20, "T"}}, 0, colours::kWhite, PenStyle::Solid, 0, 320},
  };
  for (const Case& c : cases) {
    auto lines = blankMarks();
    for (const auto& [line, text] : c.lines) lines[static_cast<std::size_t>(line)] = text;
    Forms forms = makeForms();
    bindAnalysisMarks(forms, parse(lines), {});
    const Component& mark = forms.chartSheet[relationshipMarkName(c.mark)];
    EXPECT_EQ(mark.penColour, c.colour) << c.what;
    EXPECT_EQ(mark.penStyle, c.style) << c.what;
    const auto top = [&](const char* name, int moved) {
      return moved ? moved : forms.chartSheet.layout().find(name)->top;
    };
    EXPECT_EQ(forms.chartSheet["QRImageGender"].top, top("QRImageGender", c.genderTop)) << c.what;
    EXPECT_EQ(forms.chartSheet["QRLabelFarBetweenFestival"].top,
              top("QRLabelFarBetweenFestival", c.monthStrengthTop))
        << c.what;
  }
  EXPECT_EQ(relationshipMarkName(0), "QRShapeyybon");
  EXPECT_EQ(relationshipMarkName(6), "QRShapeddttbon");
  EXPECT_EQ(relationshipMarkName(7), "QRShapeyylang");
  EXPECT_EQ(relationshipMarkName(13), "QRShapeddttlang");
}

TEST(bind_handover_test, clash_pictures) {
  auto lines = blankMarks();
  lines[19] = "T";
  lines[20] = "F";
  lines[21] = "True";
  Forms forms = makeForms();
  bindAnalysisMarks(forms, parse(lines), {});
  EXPECT_EQ(forms.chartSheet["QRImagechng1"].picture, "chng.bmp");
  EXPECT_EQ(forms.chartSheet["QRImagechng2"].picture, "");
  EXPECT_EQ(forms.chartSheet["QRImagechng3"].picture, "chng.bmp");
  EXPECT_EQ(forms.chartSheet["QRLabelFarBetweenFestival"].top, 320);
}

TEST(bind_handover_test, balance_panel) {
  // The decoration pictures come from the drive roots only, never from the
  // current directory, and in the order of the roots.
  const fs::path dir = fs::temp_directory_path() / ("vesprin-balance-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "d");
  fs::create_directories(dir / "c");
  std::ofstream(dir / "c" / "BALANCE.BMP") << "bmp";
  std::ofstream(dir / "d" / "balance.bmp") << "bmp";
  const std::vector<std::string> roots{(dir / "d").string(), (dir / "c").string()};

  struct Case {
    const char* verdict;
    const char *first, *second;
    const char *a5, *a7;
    int a7Top;
  };
  const Case cases[] = {
      {"B", "H60%", "C40%", "ร้อน 60% ... เย็น 40%", "สมดุล", 155},
      {"H", "C1", "H2", "เย็น 1 ... ร้อน 2", "กลุ่มร้อน", 144},
      {"VH", "H", "C", "ร้อน  ... เย็น ", "ร้อนมาก", 132},
      {"C", "X9", "Y8", "ค่าเดิม98", "กลุ่มเย็น", 165},
      {"VC", "", "", "ค่าเดิม", "เย็นมาก", 175},
      {"b", "H1", "", "ร้อน 1", "เดิม", 7},
  };
  for (const Case& c : cases) {
    auto lines = blankMarks();
    lines[0] = "007";
    lines[1] = "-3";
    lines[2] = c.verdict;
    lines[3] = c.first;
    lines[4] = c.second;
    Forms forms = makeForms();
    Form& sheet = forms.chartSheet;
    sheet["QRLabelA5"].caption = "ค่าเดิม";
    sheet["QRLabelA7"].caption = "เดิม";
    sheet["QRLabelA7"].top = 7;
    bindAnalysisMarks(forms, parse(lines), roots);
    EXPECT_EQ(sheet["QRLabelA1"].caption, "กลุ่มดิถี 7") << c.verdict;
    EXPECT_EQ(sheet["QRLabelA2"].caption, "กลุ่มบริวาร -3") << c.verdict;
    EXPECT_EQ(sheet["QRLabelA5"].caption, c.a5) << c.verdict;
    EXPECT_EQ(sheet["QRLabelA7"].caption, c.a7) << c.verdict;
    EXPECT_EQ(sheet["QRLabelA7"].top, c.a7Top) << c.verdict;
    EXPECT_EQ(sheet["QRImageA1"].picture, (dir / "d" / "balance.bmp").string());
    EXPECT_EQ(sheet["QRImageA2"].picture, "");  // on no root
    for (const char* line : {"QRShapeA", "QRShapeC", "QRShapeD", "QRShapeE"})
      EXPECT_EQ(sheet[line].penColour, colours::kShadow) << line;
    EXPECT_EQ(sheet["QRShapeB"].penColour, colours::kWhite);
  }

  // Off: the captions emptied and all five box lines white.
  Forms forms = makeForms();
  forms.chartSheet["QRLabelA5"].caption = "ค่าเดิม";
  bindAnalysisMarks(forms, parse(blankMarks()), roots);
  for (const char* label : {"QRLabelA1", "QRLabelA2", "QRLabelA5", "QRLabelA7"})
    EXPECT_EQ(forms.chartSheet[label].caption, "") << label;
  for (const char* line : {"QRShapeA", "QRShapeB", "QRShapeC", "QRShapeD", "QRShapeE"})
    EXPECT_EQ(forms.chartSheet[line].penColour, colours::kWhite) << line;
  EXPECT_EQ(forms.chartSheet["QRImageA1"].picture, "");
  fs::remove_all(dir);
}

TEST(bind_handover_test, power_text_and_analysis_note) {
  auto lines = blankMarks();
  Forms forms = makeForms();
  forms.main["LabelAn"].caption = "old note";
  bindAnalysisMarks(forms, parse(lines), {});
  EXPECT_EQ(forms.main["LabelAn"].caption, "");
  EXPECT_EQ(forms.main["LabelTitle"].caption, "โปรแกรมผูกดวงจีน Vesprin Version 2.99");
  EXPECT_EQ(forms.chartSheet["QRImageIdea"].picture, "");
  // The memo holds the files as they came: the run writes it, not the binding.
  EXPECT_TRUE(forms.main["MemoVesprinPrint"].lines.empty());

  lines[22] = "0050100030070122";
  lines[23] = "161";
  lines.push_back("13");
  lines.push_back("162");
  bindAnalysisMarks(forms, parse(lines), {});
  EXPECT_EQ(forms.main["LabelAn"].caption, "ก\rข");
  EXPECT_EQ(forms.chartSheet["QRImageIdea"].picture, "idea.bmp");
  EXPECT_EQ(forms.main["LabelTitle"].caption.rfind("กลุ่มดิถี ธาตุน้ำ กำลัง 3", 0), 0u);
}

TEST(bind_handover_test, birth_record_into_the_input_fields) {
  std::vector<std::string> lines = {"KELMARD2", "31", "12", "2530", "00", "10", "1", "prev",
                                    "0102",     "2569", "2026", "161"};
  const YearList years{{2530}, 2530};
  const auto record = parseBirthRecord(lines, "r.DAT", years);
  ASSERT_TRUE(record.value);
  Forms forms = makeForms();
  setWarmUpInputs(forms.main);
  EXPECT_EQ(forms.main["ComboBoxth"].caption, "01");
  forms.main["ComboBoxtm"].caption = "45";
  bindBirthRecord(forms.main, *record.value);
  const Form& m = forms.main;
  EXPECT_EQ(m.caption("ComboBoxdd"), "31");
  EXPECT_EQ(m.caption("ComboBoxmm"), "12 = ธันวาคม");
  EXPECT_EQ(m.caption("ComboBoxyy"), "2530");
  EXPECT_EQ(m.caption("ComboBoxth"), "00");
  EXPECT_EQ(m.caption("ComboBoxtm"), "00");
  EXPECT_EQ(m.caption("ComboBoxToBeBorn"), "10");
  EXPECT_EQ(m.caption("ComboBoxGender"), "หญิง");
  EXPECT_TRUE(m.find("CheckBoxPagePreview")->checked);
  EXPECT_EQ(m.caption("EditName"), "ก");
  EXPECT_TRUE(m.find("MemoVesprinPrint")->lines.empty());

  // The name is appended to the field and kept to 120 characters.
  lines.resize(11);
  for (int i = 0; i < 130; ++i) lines.push_back("162");
  forms.main["EditName"].caption = "ก";
  bindBirthRecord(forms.main, *parseBirthRecord(lines, "r.DAT", years).value);
  std::string expected = "ก";
  for (int i = 0; i < 119; ++i) expected += "ข";
  EXPECT_EQ(forms.main.caption("EditName"), expected);
}

}  // namespace
}  // namespace vesprin
