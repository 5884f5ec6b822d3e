#include "present/binding/bind_handover.h"

#include "core/birth_input.h"
#include "core/sign.h"
#include "core/text.h"
#include "present/model/layouts.h"
#include "present/request/drive_map.h"
#include "present/texts/birth_texts.h"

namespace vesprin {
namespace {

constexpr const char* kMarkPositions[] = {"yy", "mm", "dd", "tt", "yymm", "mmdd", "ddtt"};
constexpr const char* kClashPictures[] = {"QRImagechng1", "QRImagechng2", "QRImagechng3"};
constexpr const char* kBalanceBoxLines[] = {"QRShapeA", "QRShapeB", "QRShapeC", "QRShapeD", "QRShapeE"};

struct Verdict {
  const char* code;
  const char* caption;
  int top;
};
// The climate verdict of line 2 and where its caption sits beside the thermometer.
constexpr Verdict kVerdicts[] = {{"B", "สมดุล", 155},   {"H", "กลุ่มร้อน", 144}, {"VH", "ร้อนมาก", 132},
                                 {"C", "กลุ่มเย็น", 165}, {"VC", "เย็นมาก", 175}};

std::string pictureOnRoots(const std::vector<std::string>& roots, std::string_view name) {
  for (const std::string& root : roots)
    if (std::string path = findIgnoringCase(root, name); !path.empty()) return path;
  return {};
}

// Line 3 replaces the caption by its climate word, line 4 appends it after
// " ... "; a share that names neither keeps what is there and appends its text.
void applyShare(Component& label, std::string_view share, bool first) {
  if (share.empty()) return;
  const std::string_view rest = share.substr(1);
  const char* word = share[0] == 'H' ? "ร้อน " : share[0] == 'C' ? "เย็น " : nullptr;
  if (!word) {
    label.caption += rest;
  } else if (first) {
    label.caption = concat({word, rest});
  } else {
    label.caption += concat({" ... ", word, rest});
  }
}

void bindBalancePanel(Form& sheet, const std::optional<BalancePanel>& panel,
                      const std::vector<std::string>& roots) {
  if (!panel) {
    for (const char* label : {"QRLabelA1", "QRLabelA2", "QRLabelA5", "QRLabelA7"}) sheet[label].caption.clear();
    for (const char* line : kBalanceBoxLines) sheet[line].penColour = colours::kWhite;
    return;
  }
  for (const char* line : kBalanceBoxLines) sheet[line].penColour = colours::kShadow;
  sheet["QRShapeB"].penColour = colours::kWhite;  // the divider stays out of the box
  sheet["QRImageA1"].picture = pictureOnRoots(roots, "balance.bmp");
  sheet["QRImageA2"].picture = pictureOnRoots(roots, "thermometer.bmp");
  sheet["QRLabelA1"].caption = "กลุ่มดิถี " + std::to_string(panel->dayMasterGroup);
  sheet["QRLabelA2"].caption = "กลุ่มบริวาร " + std::to_string(panel->entourageGroup);
  for (const Verdict& v : kVerdicts)
    if (panel->verdict == v.code) {
      sheet["QRLabelA7"].caption = v.caption;
      sheet["QRLabelA7"].top = v.top;
    }
  applyShare(sheet["QRLabelA5"], panel->firstShare, true);
  applyShare(sheet["QRLabelA5"], panel->secondShare, false);
}

// Element fields of line 22 in their order, which is the producing cycle.
constexpr Element kPowerFieldOrder[] = {Element::Ground, Element::Gold, Element::Water, Element::Wood,
                                        Element::Fire};

}  // namespace

std::string elementGroupPowerText(const ElementGroupPowers& p) {
  const auto name = [](int k) { return elementThaiName(kPowerFieldOrder[k % 5]); };
  const auto power = [&](int k) { return p.powers[static_cast<std::size_t>(k % 5)]; };
  const auto num = [](int v) { return std::to_string(v); };
  const int e = p.dayMaster, producer = e + 4, x1 = e + 1, x2 = e + 2, x3 = e + 3;
  return concat({"กลุ่มดิถี ธาตุ", name(e), " กำลัง ", num(power(e)), " ธาตุ", name(producer),
                 " กำลัง ", num(power(producer)), " ( รวมกำลัง ", num(power(e) + power(producer)),
                 " )\r", "กลุ่มบริวาร ธาตุ", name(x1), " กำลัง ", num(power(x1)), " ธาตุ", name(x2),
                 " กำลัง ", num(power(x2)), " ธาตุ", name(x3), " ", num(power(x3)), " ( รวมกำลัง ",
                 num(power(x1) + power(x2) + power(x3)), " )"});
}

std::string relationshipMarkName(int k) {
  return concat({"QRShape", kMarkPositions[k % 7], k < 7 ? "bon" : "lang"});
}

void bindAnalysisMarks(Forms& forms, const AnalysisMarks& marks,
                       const std::vector<std::string>& pictureRoots) {
  Form& sheet = forms.chartSheet;
  Form& main = forms.main;
  main["LabelAn"].caption.clear();

  if (marks.analysisNote) {
    sheet["QRImageIdea"].picture = "idea.bmp";
    main["LabelAn"].caption = *marks.analysisNote;
  }
  if (marks.powers) main["LabelTitle"].caption = elementGroupPowerText(*marks.powers);

  if (marks.marksBlank) {
    for (int k = 0; k < kMarkCount; ++k) sheet[relationshipMarkName(k)].penColour = colours::kWhite;
  } else {
    sheet["QRImageGender"].top = sheet::kGenderTopWithMarks;
    sheet["QRLabelFarBetweenFestival"].top = sheet::kMonthStrengthTopWithMarks;
  }
  // Every line is a code, "blank" included, so a later line can show its mark again.
  for (int k = 0; k < kMarkCount; ++k) {
    const MarkCode& code = marks.marks[static_cast<std::size_t>(k)];
    Component& mark = sheet[relationshipMarkName(k)];
    if (code.white) {
      mark.penColour = colours::kWhite;
      continue;
    }
    if (code.dotted) mark.penStyle = PenStyle::Dotted;
    if (code.colour) mark.penColour = *code.colour;
  }

  for (std::size_t k = 0; k < 3; ++k) {
    if (!marks.clashes[k]) continue;
    sheet[kClashPictures[k]].picture = "chng.bmp";
    if (k < 2) sheet["QRLabelFarBetweenFestival"].top = sheet::kMonthStrengthTopWithClash;
  }

  bindBalancePanel(sheet, marks.balance, pictureRoots);
}

void bindBirthRecord(Form& main, const BirthRecord& record) {
  main["ComboBoxdd"].caption = padded(record.day, 2);
  main["ComboBoxmm"].caption = std::string(monthItemText(record.month));
  main["ComboBoxyy"].caption = std::to_string(record.year);
  main["ComboBoxth"].caption = padded(record.hour, 2);
  main["ComboBoxtm"].caption = padded(record.minute, 2);
  main["ComboBoxToBeBorn"].caption = padded(record.pregnancy, 2);
  main["ComboBoxGender"].caption = std::string(genderThaiWord(record.gender));
  main["CheckBoxPagePreview"].checked = record.preview;
  Component& name = main["EditName"];
  name.caption = limitNameLength(name.caption + record.name);
}

void setWarmUpInputs(Form& main) {
  main["ComboBoxdd"].caption = "01";
  main["ComboBoxmm"].caption = std::string(monthItemText(1));
  main["ComboBoxth"].caption = "01";
  main["ComboBoxtm"].caption = "00";
  main["ComboBoxyy"].caption = "2555";
  main["ComboBoxToBeBorn"].caption = "09";
}

Birth warmUpBirth() { return {{}, Gender::Male, {1, 1, 2555}, {1, 0}, 9}; }

}  // namespace vesprin
