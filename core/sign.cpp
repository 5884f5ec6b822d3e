#include "core/sign.h"

#include <array>

namespace vesprin {
namespace {

constexpr std::array<std::string_view, 6> kElementNames = {"", "Wood", "Fire", "Ground", "Gold",
                                                           "Water"};
constexpr std::array<std::string_view, 6> kElementThai = {"", "ไม้", "ไฟ", "ดิน", "ทอง", "น้ำ"};

constexpr std::array<std::string_view, 13> kBranchThai = {
    "",      "ชวด",  "ฉลู",  "ขาล", "เถาะ", "มะโรง", "มะเส็ง",
    "มะเมีย", "มะแม", "วอก", "ระกา", "จอ",   "กุน"};

using E = Element;
// Element of each stem and branch; index 0 is "none".
constexpr std::array<Element, 11> kStemElement = {E::None,   E::Wood, E::Wood, E::Fire,
                                                  E::Fire,   E::Ground, E::Ground, E::Gold,
                                                  E::Gold,   E::Water, E::Water};
constexpr std::array<Element, 13> kBranchElement = {
    E::None, E::Water, E::Ground, E::Wood,   E::Wood, E::Ground, E::Fire,
    E::Fire, E::Ground, E::Gold,  E::Gold,   E::Ground, E::Water};

// Temperament of the day master, one text per element (Wood .. Water).
constexpr std::array<std::string_view, 5> kTemperament = {
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

// Treasury branch by stem (index 0 unused).
constexpr std::array<ZodiacBelow, 11> kTreasury = {0, 5, 5, 2, 2, 5, 5, 8, 8, 11, 11};

// Hidden stems of each branch in slots 1, 2, 3 (0 = empty slot).
constexpr std::array<std::array<ZodiacOn, 3>, 13> kHidden = {{
    {0, 0, 0},  {0, 10, 0}, {10, 8, 6}, {5, 3, 1}, {0, 2, 0},  {2, 10, 5}, {7, 5, 3},
    {0, 6, 4},  {4, 2, 6},  {9, 7, 5},  {0, 8, 0}, {8, 4, 5},  {0, 1, 9},
}};

bool isStem(int s) { return s >= 1 && s <= kStemCount; }
bool isBranch(int b) { return b >= 1 && b <= kBranchCount; }

ZodiacOn hidden(ZodiacBelow b, int slot) { return isBranch(b) ? kHidden[b][slot] : 0; }

}  // namespace

std::string_view elementName(Element e) { return kElementNames[static_cast<int>(e)]; }
std::string_view elementThaiName(Element e) { return kElementThai[static_cast<int>(e)]; }
int elementIndex(Element e) { return static_cast<int>(e) - 1; }

Element elementStep(Element e, int k) {
  if (e == Element::None) return Element::None;
  const int i = ((elementIndex(e) + k) % 5 + 5) % 5;
  return kElements[i];
}

std::string_view BranchThaiName(ZodiacBelow b) { return isBranch(b) ? kBranchThai[b] : ""; }
Element StemElement(ZodiacOn s) { return isStem(s) ? kStemElement[s] : Element::None; }
Element BranchElement(ZodiacBelow b) { return isBranch(b) ? kBranchElement[b] : Element::None; }
Element ControlledElement(ZodiacOn s) { return elementStep(StemElement(s), 2); }

std::string_view ElementTemperament(ZodiacOn s) {
  return isStem(s) ? kTemperament[elementIndex(StemElement(s))] : "";
}

ZodiacBelow TreasuryBranch(ZodiacOn s) { return isStem(s) ? kTreasury[s] : 0; }
ZodiacOn HiddenStem1(ZodiacBelow b) { return hidden(b, 0); }
ZodiacOn HiddenStem2(ZodiacBelow b) { return hidden(b, 1); }
ZodiacOn HiddenStem3(ZodiacBelow b) { return hidden(b, 2); }

std::string PrintElementName(std::string_view name) {
  if (name == "Ground") return "Earth";
  if (name == "Gold") return "Metal";
  return std::string(name);
}

}  // namespace vesprin
