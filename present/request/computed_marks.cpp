#include "present/request/computed_marks.h"

#include <cmath>

namespace vesprin {
namespace {

// The fields of the power line in their order, the producing cycle from Ground.
constexpr Element kFieldOrder[] = {Element::Ground, Element::Gold, Element::Water, Element::Wood,
                                   Element::Fire};

int fieldOf(Element e) {
  for (int k = 0; k < 5; ++k)
    if (kFieldOrder[k] == e) return k;
  return 0;
}

}  // namespace

ElementGroupPowers groupPowersOf(const ElementPowerTable& table) {
  ElementGroupPowers p;
  for (int k = 0; k < 5; ++k)
    p.powers[static_cast<std::size_t>(k)] = static_cast<int>(std::lround(table.powerOf(kFieldOrder[k])));
  p.dayMaster = fieldOf(table.elementOf(ElementRole::DayMaster));
  return p;
}

GroupFigures groupFiguresOf(const ElementGroupPowers& p) {
  const auto power = [&](int k) { return p.powers[static_cast<std::size_t>(k % 5)]; };
  // In field order the producer of an element stands just before it.
  const int e = p.dayMaster;
  return {power(e) + power(e + 4), power(e + 1) + power(e + 2) + power(e + 3)};
}

void fillComputedPowers(AnalysisMarks& marks, const ElementPowerTable& table) {
  marks.powers = groupPowersOf(table);
  const GroupFigures figures = groupFiguresOf(*marks.powers);
  if (!marks.balance) marks.balance = BalancePanel{0, 0, "B", "", ""};
  marks.balance->dayMasterGroup = figures.dayMasterGroup;
  marks.balance->entourageGroup = figures.entourageGroup;
}

}  // namespace vesprin
