#pragma once
// The cyclic sign model every chart is written in: ten upper signs (heavenly
// stems, ZodiacOn 1..10), twelve lower signs (earthly branches, ZodiacBelow
// 1..12, 1 = Rat ... 12 = Pig) and the five elements both map onto.
#include <cstdint>
#include <string>
#include <string_view>

namespace vesprin {

using ZodiacOn = int;     // 1..10; 0 means "none" where a table yields nothing
using ZodiacBelow = int;  // 1..12; 0 means "none"

constexpr int kStemCount = 10;
constexpr int kBranchCount = 12;

// A pillar of the sexagenary cycle: stem and branch of equal parity.
struct Pillar {
  ZodiacOn stem = 0;
  ZodiacBelow branch = 0;

  // True for one of the sixty pillars; 0/0 and mixed parity are not.
  constexpr bool ok() const {
    return stem >= 1 && stem <= kStemCount && branch >= 1 && branch <= kBranchCount &&
           stem % 2 == branch % 2;
  }
  friend constexpr bool operator==(const Pillar&, const Pillar&) = default;
};

// The five elements in generating order: Wood -> Fire -> Ground -> Gold -> Water -> Wood.
enum class Element : std::uint8_t { None, Wood, Fire, Ground, Gold, Water };

constexpr Element kElements[] = {Element::Wood, Element::Fire, Element::Ground, Element::Gold,
                                 Element::Water};

// Canonical name ("Wood", "Fire", "Ground", "Gold", "Water"); empty for None.
std::string_view elementName(Element e);
// Thai name (ไม้, ไฟ, ดิน, ทอง, น้ำ); empty for None.
std::string_view elementThaiName(Element e);
// The element k steps further along the generating order (k may be negative).
Element elementStep(Element e, int k);
// 0..4 in generating order; -1 for None.
int elementIndex(Element e);

// Wraps n + d into 1..10 for mode 1, into 1..12 for any other mode.
constexpr int CycleAdd(int n, int d, int mode) {
  const int m = mode == 1 ? kStemCount : kBranchCount;
  const int r = (n + d) % m;  // floor-style wrap, written once
  return r <= 0 ? r + m : r;
}
constexpr int CycleSub(int n, int d, int mode) { return CycleAdd(n, -d, mode); }

constexpr ZodiacOn stemAdd(ZodiacOn s, int d) { return CycleAdd(s, d, 1); }
constexpr ZodiacBelow branchAdd(ZodiacBelow b, int d) { return CycleAdd(b, d, 2); }
// Moves both signs of a pillar by d steps (stays in the sexagenary cycle).
constexpr Pillar pillarAdd(Pillar p, int d) { return {stemAdd(p.stem, d), branchAdd(p.branch, d)}; }

std::string_view BranchThaiName(ZodiacBelow b);
Element StemElement(ZodiacOn s);
Element BranchElement(ZodiacBelow b);
// The element that the stem's element controls (the wealth element of a day stem).
Element ControlledElement(ZodiacOn s);
std::string_view ElementTemperament(ZodiacOn s);
// Treasury branch of a stem; 0 for a number outside 1..10.
ZodiacBelow TreasuryBranch(ZodiacOn s);
// Hidden stems of a branch in their three fixed slots; 0 where a slot is empty.
ZodiacOn HiddenStem1(ZodiacBelow b);
ZodiacOn HiddenStem2(ZodiacBelow b);
ZodiacOn HiddenStem3(ZodiacBelow b);
// "Earth" for "Ground", "Metal" for "Gold"; any other text comes back unchanged.
std::string PrintElementName(std::string_view name);

// The stem that branch b carries in a year whose stem is yearStem (the stem of
// month b in that year). Used for every palace pillar built from a branch.
constexpr ZodiacOn yearStemRule(ZodiacOn yearStem, ZodiacBelow b) {
  int s = b >= 3 ? b + 2 * yearStem - 2 : b + 2 * yearStem;
  while (s > kStemCount) s -= kStemCount;
  return s;
}

}  // namespace vesprin
