#include "present/texts/sign_names.h"

#include <array>

namespace vesprin {
namespace {

constexpr std::array<std::string_view, 12> kBranchThai = {
    "ชวด",  "ฉลู",  "ขาล", "เถาะ", "มะโรง", "มะเส็ง",
    "มะเมีย", "มะแม", "วอก", "ระกา", "จอ",   "กุน"};

constexpr std::array<std::string_view, 10> kStemCharacters = {"甲", "乙", "丙", "丁", "戊",
                                                              "己", "庚", "辛", "壬", "癸"};
constexpr std::array<std::string_view, 12> kBranchCharacters = {"子", "丑", "寅", "卯", "辰", "巳",
                                                                "午", "未", "申", "酉", "戌", "亥"};

}  // namespace

std::string_view branchThaiName(Branch b) { return b.ok() ? kBranchThai[b.index()] : ""; }
std::string_view stemCharacter(Stem s) { return s.ok() ? kStemCharacters[s.index()] : ""; }
std::string_view branchCharacter(Branch b) { return b.ok() ? kBranchCharacters[b.index()] : ""; }

}  // namespace vesprin
