#include "core/sign.h"

#include <array>

namespace vesprin {
namespace {

constexpr std::array<std::string_view, 6> kElementNames = {"", "Wood", "Fire", "Ground", "Gold",
                                                           "Water"};
constexpr std::array<std::string_view, 6> kElementThai = {"", "ไม้", "ไฟ", "ดิน", "ทอง", "น้ำ"};

using E = Element;
// Element of each stem and branch, by number.
constexpr std::array<Element, 10> kStemElement = {E::Wood,   E::Wood,   E::Fire, E::Fire,
                                                  E::Ground, E::Ground, E::Gold, E::Gold,
                                                  E::Water,  E::Water};
constexpr std::array<Element, 12> kBranchElement = {E::Water, E::Ground, E::Wood, E::Wood,
                                                    E::Ground, E::Fire,  E::Fire, E::Ground,
                                                    E::Gold,  E::Gold,   E::Ground, E::Water};

// Treasury branch by stem.
constexpr auto kTreasury = signs<Branch>(5, 5, 2, 2, 5, 5, 8, 8, 11, 11);

// Hidden stems of each branch in slots 1, 2, 3 (0: the slot is empty).
constexpr std::array<std::array<Stem, 3>, 12> kHidden = {{
    signs<Stem>(0, 10, 0), signs<Stem>(10, 8, 6), signs<Stem>(5, 3, 1), signs<Stem>(0, 2, 0),
    signs<Stem>(2, 10, 5), signs<Stem>(7, 5, 3),  signs<Stem>(0, 6, 4), signs<Stem>(4, 2, 6),
    signs<Stem>(9, 7, 5),  signs<Stem>(0, 8, 0),  signs<Stem>(8, 4, 5), signs<Stem>(0, 1, 9),
}};

}  // namespace

std::string_view elementName(Element e) { return kElementNames[static_cast<int>(e)]; }
std::string_view elementThaiName(Element e) { return kElementThai[static_cast<int>(e)]; }
int elementIndex(Element e) { return static_cast<int>(e) - 1; }

Element elementStep(Element e, int k) {
  if (e == Element::None) return Element::None;
  return kElements[wrapInto(elementIndex(e) + k + 1, 5) - 1];
}

Element StemElement(Stem s) { return s.ok() ? kStemElement[s.index()] : Element::None; }
Element BranchElement(Branch b) { return b.ok() ? kBranchElement[b.index()] : Element::None; }
Element ControlledElement(Stem s) { return elementStep(StemElement(s), 2); }

Branch TreasuryBranch(Stem s) { return s.ok() ? kTreasury[s.index()] : Branch{}; }
std::array<Stem, 3> HiddenStems(Branch b) { return b.ok() ? kHidden[b.index()] : std::array<Stem, 3>{}; }

std::string PrintElementName(std::string_view name) {
  if (name == "Ground") return "Earth";
  if (name == "Gold") return "Metal";
  return std::string(name);
}

}  // namespace vesprin
