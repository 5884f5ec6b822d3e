#pragma once
// The strength of the five elements in a natal chart: the eight natal signs
// counted by element, weighted by the season of the month branch, a complete
// three-harmony moving power to its own element, and the five elements laid
// out in roles around the day master.
#include <array>
#include <string>

#include "core/sign.h"
#include "interpret/natal_pillars.h"

namespace vesprin {

// The five roles around the day master, numbered 1..5 in this fixed order.
enum class ElementRole { DayMaster = 1, Drain, Wealth, Officer, Support };

// One of the four branch trios; `main` is the middle branch, whose element the
// trio carries, and is never moved by the transfer.
struct ThreeHarmony {
  Element element;
  Branch main;
  std::array<Branch, 2> others;  // in the order their power moves

  // Complete when each of its three branches stands among the natal branches.
  constexpr bool completeIn(const NatalPillars& p) const {
    return p.holdsBranch(main) && p.holdsBranch(others[0]) && p.holdsBranch(others[1]);
  }
};

// The trios in the order they are tested: Water, Wood, Fire, Gold. The chart
// patterns name a complete trio in the same order.
inline constexpr std::array<ThreeHarmony, 4> kThreeHarmonies = {{
    {Element::Water, Branch(1), signs<Branch>(9, 5)},
    {Element::Wood, Branch(4), signs<Branch>(12, 8)},
    {Element::Fire, Branch(7), signs<Branch>(3, 11)},
    {Element::Gold, Branch(10), signs<Branch>(6, 2)},
}};

struct ElementPowerTable {
  // Indexed by elementIndex (Wood, Fire, Ground, Gold, Water).
  std::array<double, 5> count{};  // signs of the element, 0..8; they add up to 8
  std::array<int, 5> weight{};    // season weight, 1..5
  std::array<double, 5> power{};  // count x weight, then the three-harmony transfer; always whole
  std::array<Element, 5> roleElement{};  // element of role 1..5 at index 0..4
  std::string season;       // Thai calendar season of the month branch
  std::string summaryHint;  // tooltip of the eight natal Chinese-sign pictures
  std::string summaryLine;  // power-elements caption of the chart sheet

  double countOf(Element e) const { return count[elementIndex(e)]; }
  int weightOf(Element e) const { return weight[elementIndex(e)]; }
  double powerOf(Element e) const { return power[elementIndex(e)]; }
  Element elementOf(ElementRole r) const { return roleElement[static_cast<int>(r) - 1]; }
};

// Season weight 1..5 of an element in a month of the given branch (1..12).
int SeasonWeight(Branch monthBranch, Element e);

// Thai calendar season of a month branch: หนาว, ใบไม้ผลิ, ร้อน, ใบไม้ร่วง.
std::string_view SeasonName(Branch monthBranch);

ElementPowerTable ComputeElementPowers(const NatalPillars& pillars);

// A power as whole decimal text ("0" for none).
std::string powerText(double power);
// An amount rounded to one decimal, halves away from zero, with no leading
// zero and no trailing ".0": 3 -> "3", 3.25 -> "3.3", 0.5 -> ".5"; "0" when it
// rounds to nothing.
std::string amountText(double amount);

}  // namespace vesprin
