#include "interpret/child_sign.h"

#include <array>

#include "interpret/natal_pillars.h"

namespace vesprin {
namespace {

// Child branch by the year stem.
constexpr auto kChildBranch = signs<Branch>(11, 12, 2, 3, 2, 3, 5, 6, 8, 9);

}  // namespace

std::optional<Branch> FindChildSign(Gender gender, Stem yearStem) {
  if (gender != Gender::Female || !yearStem.ok()) return std::nullopt;
  return kChildBranch[yearStem.index()];
}

bool ChildChance(Gender gender, int chineseAge) {
  return gender == Gender::Female && chineseAge < kChildChanceAgeLimit;
}

}  // namespace vesprin
