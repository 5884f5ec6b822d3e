#include "interpret/child_sign.h"

#include <array>

#include "interpret/natal_pillars.h"

namespace vesprin {
namespace {

// Child branch by the year stem (index 0 unused).
constexpr std::array<ZodiacBelow, 11> kChildBranch = {0, 11, 12, 2, 3, 2, 3, 5, 6, 8, 9};

}  // namespace

std::optional<ZodiacBelow> FindChildSign(Gender gender, ZodiacOn yearStem) {
  if (gender != Gender::Female || yearStem < 1 || yearStem > kStemCount) return std::nullopt;
  return kChildBranch[yearStem];
}

bool ChildChance(Gender gender, int chineseAge) {
  return gender == Gender::Female && chineseAge < kChildChanceAgeLimit;
}

}  // namespace vesprin
