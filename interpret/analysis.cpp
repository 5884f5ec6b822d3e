#include "interpret/analysis.h"

#include "core/text.h"

#include <array>
#include <optional>
#include <string_view>

#include "interpret/filler.h"
#include "interpret/stars.h"

namespace vesprin {
namespace {

using std::string_view;

// Words naming the pillars that satisfy a rule, always listed year, month, day, time.
constexpr std::array<string_view, 4> kPositionWord = {"หลักปี ", "หลักเดือน ", "หลักวัน ",
                                                      "หลักยาม "};

// The character of the day master, one paragraph per element (Wood .. Water):
// the analysis line "ดิถีเป็น ...".
constexpr std::array<string_view, 5> kElementCharacter = {
    "ธาตุไม้ คือ เมตตาธรรม อุปนิสัย ข้อดี: รู้คุณ เมตตากรุณา ยั่งยืน ชอบก้าวหน้า มีมนุษย์สัมพันธ์ดี "
    "ชอบเข้าสังคม ชอบธรรม รุกเร้า เคลื่อนไหว ข้อเสีย: เร่ร่อน ก้าวร้าว ใฝ่สูง วิวาท ก่อกวน โกรธเคือง "
    "กามารมณ์",
    "ธาตุไฟ คือ จริยธรรม อุปนิสัย ข้อดี: มีมารยาท เที่ยงตรง ชอบศึกษา เฉียบคม นักปราชญ์ ชอบเป็นผู้นำ "
    "สดใส ยินดี ข้อเสีย: เจ้าอารมณ์ เอาแต่ใจ ไม่ยั้งคิด กล้าได้กล้าเสีย ชอบเอาหน้า",
    "ธาตุดิน คือ สัจธรรม อุปนิสัย ข้อดี: ซื่อสัตย์ มั่นคง หนักแน่น สุขุม อ่อนโยน มานะ มีสัจจะ ข้อเสีย: "
    "แล้งน้ำใจ ดื้นรั้น วุ่นวาย เจ็บป่วย ตกอับ",
    "ธาตุทอง คือ มโนธรรม อุปนิสัย ข้อดี: กล้าหาญ กตัญญู ยุติธรรม เสียสละ ประนีประนอม ขุนนาง ยศ "
    "ข้อเสีย: ลังเล เฉี่อยชา กระด้าง โหดร้าย ประจบ ยอมหักไม่ยอมงอ",
    "ธาตุน้ำ คือ ปัญญาธรรม อุปนิสัย ข้อดี: มีสติปัญญา วาทะดี เฉลียวฉลาด ลึกลับ ปรับตามสภาพ ข้อเสีย: "
    "เสเพล โง่เขลา มัวเมา จรจัด ซึมเศร้า เปลี่ยนแปลง",
};

// The short temperament caption of the analysis page, by the day stem's
// element (Wood .. Water).
constexpr std::array<string_view, 5> kTemperamentCaption = {
    "อุปนิสัยโดยทั่วไป ด้านดี และด้อย คือ เมตตา ปราณี ก้าวหน้า เคลื่อนไหว ... มุทะลุ",
    "อุปนิสัยโดยทั่วไป ด้านดี และด้อย คือ มารยาท มนุษยสัมพันธ์ รักการศึกษา ผู้นำ ... เจ้าอารมณ์",
    "อุปนิสัยโดยทั่วไป ด้านดี และด้อย คือ ซื่อสัตย์ หนักแน่น มั่นคง มานะ สัจจะ ... ดื้อรั้น",
    "อุปนิสัยโดยทั่วไป ด้านดี และด้อย คือ กล้าหาญ กตัญญู มีน้ำใจ ... ยอมหักไม่ยอมงอ",
    "อุปนิสัยโดยทั่วไป ด้านดี และด้อย คือ เฉลียวฉลาด ปัญญาดี ปรับตัวเก่ง ... เสเพล",
};

constexpr string_view kStarsHeading = "ในดวงมีราศีเทพคุ้มครอง ดังนี้";

// Rule A: the prosperity month of each day stem.
constexpr auto kProsperityBranch = signs<Branch>(3, 4, 6, 7, 6, 7, 9, 10, 12, 1);
constexpr string_view kLogLine =
    "- ดิถี เกิดในเดือนลก สร้างอนาคตด้วยตนเอง ไม่อยู่ที่เดิม ไปดีต่างถิ่น";

// Rule B: the treasury branch in each pillar, and whether the pillar's stem is
// then tested for the wealth element (the day stem never is).
struct TreasuryTest {
  string_view position;
  bool testsStem;
};
constexpr std::array<TreasuryTest, 4> kTreasuryTests = {{
    {"หลักปีเป็น ไช่โข่ว มีมรดกอยู่ที่ผู้หลักผู้ใหญ่ ", true},
    {"หลักเดือน ไช่โข่ว มีมรดกอยู่ที่ผู้หลักผู้ใหญ่ ", true},
    {"หลักดิถี ไช่โข่ว มีมรดกอยู่ที่คู่ครอง ", false},
    {"หลักยาม ไช่โข่ว มีมรดกอยู่ที่บุตร หลาน ", true},
}};
constexpr string_view kTreasuryStemNote =
    "ราศีบนไช่โข่ว เป็นลาภผลในดวง ห้ามไช่โข่วถูกชง (ปะทะ) ";
constexpr string_view kTreasuryNote =
    "ในดวงมีไฉ่โข่ว ( ขุมทรัพย์ ) หมายถึง มีมรดก หรือ มีเงินเก็บ";

// Rule C: pillars that are JingSing.
constexpr std::array<Pillar, 4> kJingSingPillars = {{{1, 1}, {1, 7}, {6, 10}, {6, 4}}};

// Rule D: the day pillar that fits the season of each month branch.
constexpr std::array<Pillar, 12> kTengXiengDay = {{{1, 1}, {1, 1},
                                                   {5, 3}, {5, 3}, {5, 3},
                                                   {1, 7}, {1, 7}, {1, 7},
                                                   {5, 9}, {5, 9}, {5, 9},
                                                   {1, 1}}};

// Rule E: by month branch, a day stem or a day branch that must match. The
// star is the sheet's เทียงเต็ก (interpret/stars.cpp), whose table has the
// Rat month's sign as a branch where this rule tests the day stem.
struct DayCondition {
  bool onBranch;
  int number;
  constexpr bool holds(Pillar day) const {
    return onBranch ? day.branch == Branch(number) : day.stem == Stem(number);
  }
};
constexpr std::array<DayCondition, 12> kTengTeg = {{{false, 6}, {false, 7}, {false, 4},
                                                    {true, 9},  {false, 9}, {false, 8},
                                                    {true, 12}, {false, 1}, {false, 10},
                                                    {true, 3},  {false, 3}, {false, 2}}};

// Rule F: the day stem that each month branch asks for is the sheet's ง้วยเต็ก.

// Rule G: the two nobleman branches of each day stem, in the order tested.
// The star is the sheet's เทียงอิก, whose table pairs the stems 7 and 8 with
// other branches.
constexpr std::array<std::array<Branch, 2>, 10> kNoblemanBranches = {{
    signs<Branch>(2, 8), signs<Branch>(1, 9), signs<Branch>(10, 12), signs<Branch>(10, 12),
    signs<Branch>(2, 8), signs<Branch>(1, 9), signs<Branch>(2, 8),   signs<Branch>(7, 3),
    signs<Branch>(4, 6), signs<Branch>(4, 6),
}};

// Rule H: the scholar branch of each day stem is the sheet's บุ่งเชียง.

// Rule I: what a void branch means in each pillar position.
constexpr std::array<string_view, 4> kVoidConsequence = {
    "มรดกน้อย หรือ ได้มรดกมาก็สูญหาย ",
    "พี่น้อง ไม่ส่งเสริม ",
    "มีคู่ยาก หรือไม่ค่อยมีโอกาสอยู่ด้วยกัน ",
    "มีบุตรน้อย ",
};

// Rule J: pillars that are JabAkTaiPai.
constexpr std::array<Pillar, 10> kJabAkTaiPaiPillars = {
    {{1, 5}, {2, 6}, {3, 9}, {4, 12}, {5, 11}, {6, 2}, {7, 5}, {8, 6}, {9, 9}, {10, 12}}};

// The protective stars that rules C to G add to the analysis page.
constexpr std::array<string_view, 5> kStarLabel = {
    "จิ้งซิ้ง (เด่นดัง ก้าวหน้า) ",
    "เทียงเสี่ย (ฟ้าอภัย) ",
    "เทียงเต็ก (เทพสุริยัน) ",
    "ดิถีเป็น (เทพจันทรา) ",
    "เทียงอิกกุ้ยนั้ง (เทพอุปถัมภ์) ",
};

template <std::size_t N>
constexpr bool contains(const std::array<Pillar, N>& list, Pillar p) {
  for (const Pillar& q : list)
    if (q == p) return true;
  return false;
}

// Position words of the pillars found in the list.
template <std::size_t N>
std::string positionList(const NatalPillars& p, const std::array<Pillar, N>& list) {
  std::string words;
  const auto pillars = p.inOrder();
  for (std::size_t i = 0; i < pillars.size(); ++i)
    if (contains(list, pillars[i])) words += kPositionWord[i];
  return words;
}

struct TreasuryResult {
  std::optional<std::string> line;
  bool present = false;
};

TreasuryResult treasury(const NatalPillars& p, Branch t) {
  const Element wealth = ControlledElement(p.day.stem);
  const auto pillars = p.inOrder();
  TreasuryResult r;
  std::string positions;
  string_view stemNote;  // set, not appended: it stands in the line at most once
  for (std::size_t i = 0; i < pillars.size(); ++i) {
    if (pillars[i].branch != t) continue;
    r.present = true;
    positions += kTreasuryTests[i].position;
    if (kTreasuryTests[i].testsStem && StemElement(pillars[i].stem) == wealth)
      stemNote = kTreasuryStemNote;
  }
  if (!positions.empty())
    r.line = "- ราศี /" + std::to_string(t.number()) + " " + positions + std::string(stemNote);
  return r;
}

std::optional<std::string> voidLine(const NatalPillars& p, Pillar own, string_view kind) {
  // The ten pillars from a stem 1 on leave two branches out: the two after
  // the branch of the tenth.
  const Branch tenth = own.branch + (Stem(10) - own.stem);
  const std::array<Branch, 2> voids = {tenth + 1, tenth + 2};
  const auto branches = p.branches();
  std::string list, consequences;
  for (Branch v : voids) {
    bool held = false;
    for (std::size_t i = 0; i < branches.size(); ++i)
      if (branches[i] == v) {
        consequences += kVoidConsequence[i];
        held = true;
      }
    if (held) list += "/" + std::to_string(v.number()) + " ";
  }
  if (list.empty()) return std::nullopt;
  return "- ราศี " + list + std::string(kind) + consequences + " (หากถูกภาคีไม่เป็นคงบ้วง)";
}

}  // namespace

std::string_view elementCharacter(Stem dayStem) {
  return dayStem.ok() ? kElementCharacter[static_cast<std::size_t>(elementIndex(StemElement(dayStem)))] : "";
}


Analysis WriteAnalysis(const NatalPillars& p, const ChartPatterns& patterns) {
  Analysis a;
  const Stem ds = p.day.stem;
  const Branch mb = p.month.branch;
  // Every rule is a lookup by the day stem or the month branch; pillars from
  // the calendar are always signs, anything else holds no rule.
  const bool stemOk = ds.ok(), monthOk = mb.ok();

  a.lines.reserve(24);
  const auto add = [&](std::optional<std::string> line) {
    if (!line) return;
    a.lines.push_back(std::move(*line));
    a.lines.emplace_back();
  };
  // Rules C to G also name their protective star on the analysis page.
  const auto star = [&](int rule, std::string line) {
    a.protectiveStars += kStarLabel[rule];
    add(std::move(line));
  };

  if (stemOk) a.temperament = std::string(kTemperamentCaption[static_cast<std::size_t>(elementIndex(StemElement(ds)))]);

  a.lines.emplace_back();
  add(harmonyLine(patterns));
  add(specialChartLine(patterns));
  add(concat({"- ดิถีเป็น ", elementCharacter(ds)}));

  // A: Log.
  if (stemOk && mb == kProsperityBranch[ds.index()]) add(std::string(kLogLine));

  // B: ChaiCoo. The pictures show the treasury branch whether it stands in the chart or not.
  a.treasuryBranch = TreasuryBranch(ds);
  const TreasuryResult t = treasury(p, a.treasuryBranch);
  if (t.present) a.treasuryNote = std::string(kTreasuryNote);
  add(t.line);

  add(polarityLine(patterns));

  // C: JingSing.
  const std::string jingSing = positionList(p, kJingSingPillars);
  if (!jingSing.empty())
    star(0, "- " + jingSing + "เป็น จิ้งซิ้ง เป็นที่รู้จักของปวงชน มีมนุษย์สัมพันธ์ดี ชอบก้าวหน้า");

  // D: TengXieng.
  if (monthOk && p.day == kTengXiengDay[mb.index()])
    star(1, "- ในดวงมี เที่ยงเสี่ย จะมีราศีคุ้มครอง มีลางสังหรณ์");

  // E: TengTeg.
  if (monthOk && kTengTeg[mb.index()].holds(p.day))
    star(2, "- ดิถีเป็น เทียงเต็ก จะปลอดภัยจากอันตรายต่าง ๆ");

  // F: NungTeg.
  if (monthOk && ds == yueDeStem(mb)) star(3, "- ดิถีเป็น ง้วยเต็ก จะปลอดภัยจากอันตรายต่าง ๆ");

  // G: TengIkKuiNang.
  std::string nobles;
  if (stemOk)
    for (Branch b : kNoblemanBranches[ds.index()])
      if (p.holdsBranch(b)) nobles += "/" + std::to_string(b.number()) + " ";
  if (!nobles.empty())
    star(4, "- ราศี " + nobles + "เป็น เทียงอิกกุ้ยนั้ง จะมีชื่อเสียง มีสังคมชั้นสูง ได้รับการช่วยโดยบังเอิญ");

  // H: BungChiang.
  if (stemOk && p.holdsBranch(wenChangBranch(ds)))
    add("- ราศี /" + std::to_string(wenChangBranch(ds).number()) +
        " เป็น บุ้งเชียง (อักษรศาสตร์) มีปัญญาดี รู้หลบหลีก ปรับตัว หลีกเลี่ยงภัย ทำให้มีความก้าวหน้า");

  // I: KongBoung of the day pillar, then of the year pillar.
  add(voidLine(p, p.day, "เป็น คงบ้วง (ดิถี) "));
  add(voidLine(p, p.year, "เป็น คงบ้วง (ปี) "));

  // J: JabAkTaiPai.
  const std::string jab = positionList(p, kJabAkTaiPaiPillars);
  if (!jab.empty()) add("- " + jab + "เป็น จับอั๊กไต่ไป่ ชีวิตเร่ร่อน ล้มลุกคลุกคลาน");

  a.lines.push_back(patterns.codeLine);  // always last, with no empty line after it
  a.starsHeading = a.protectiveStars.empty() ? kDotRow : std::string(kStarsHeading);
  return a;
}

}  // namespace vesprin
