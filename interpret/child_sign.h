#pragma once
// The child sign of a woman's chart (a branch read from the stem of her year
// pillar) and whether the analysis page carries the child-chance form.
#include <optional>
#include <string_view>

#include "core/gender.h"
#include "core/sign.h"

namespace vesprin {

// The child branch for a woman; none for a man.
std::optional<ZodiacBelow> FindChildSign(Gender gender, ZodiacOn yearStem);

// The child-chance form is shown for a woman below Chinese age 46.
bool ChildChance(Gender gender, int chineseAge);

inline constexpr int kChildChanceAgeLimit = 46;

// The child-chance form of the analysis page: tick boxes to fill in by hand and
// the advice below them, with a row of 42 full stops to write on.
inline constexpr std::string_view kChildChanceText =
    "โอกาสในการมีบุตร     […..] ปกติ     […..] มียาก มีน้อย มีแต่ลูกหญิง     [..…] น้อยมาก มีความเสี่ยงสูง       /       (ยกเว้น ได้ฤกษ์แต่งงานดี)";
inline constexpr std::string_view kChildAdviceText =
    "หากต้องการเพิ่มโอกาสในการมีบุตร ต้องรับมอบเหรียญ .......................................... ถอดเหรียญออกหลังคลอด     *ต้องดูดวงสามีประกอบ*";

}  // namespace vesprin
