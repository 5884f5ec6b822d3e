#include "core/derived_pillars.h"

namespace vesprin {
namespace {

// Steps of a branch on from the Rat, 0..11: the palace rules count hours and
// months back from a fixed branch.
int fromRat(Branch b) { return b - Branch(1); }

FestivalKind festivalKind(const CalendarFile& file, const FourPillars& n) {
  const bool beforeStart = beforeFestivalStart(n.festivalStart, n.comparisonTime);
  for (int pos = n.birthLine; pos >= 1; --pos) {
    const FestivalMark mark = file.day(pos).mark;
    if (mark == FestivalMark::None) continue;
    // On the birth line itself, a birth before the festival's period still
    // belongs to the other kind of half-month.
    const bool flip = pos == n.birthLine && beforeStart;
    if (mark == FestivalMark::Large) return flip ? FestivalKind::Small : FestivalKind::Large;
    return flip ? FestivalKind::Large : FestivalKind::Small;
  }
  return FestivalKind::None;
}

}  // namespace

DerivedPillarsResult FindDerivedPillars(const CalendarFile& file, const FourPillars& n,
                                        int pregnancyMonths) {
  DerivedPillarsResult r;
  DerivedPillars d;
  const Stem Y = n.year.stem;
  const Branch M = n.month.branch, D = n.day.branch, T = n.time.branch;

  d.festivalKind = festivalKind(file, n);

  // The ascendant counts back from the Snake by the month and the hour, one
  // further in the half-month of a small festival.
  const Branch A = Branch(6) - fromRat(M) - fromRat(T) - (d.festivalKind == FestivalKind::Small ? 1 : 0);
  d.ascendant = {yearStemRule(Y, A), A};

  const int P = pregnancyMonths;
  d.conceptionFormula = n.month - P;
  d.conception = d.conceptionFormula;

  if (P == 9) {
    if (n.birthLine - kConceptionFitFirst < 1) {
      r.beyondFile = true;
      return r;
    }
    int count = 0;
    std::optional<Pillar> neighbour;
    for (int k = 7; k >= -7; --k) {
      const Pillar month = file.day(n.birthLine - 270 - k).month;
      if (month == d.conception)
        ++count;
      else
        neighbour = month;  // the last line that does not match wins
    }
    const int accuracy = count * 100 / 15;
    d.accuracy = accuracy;
    d.neighbour = neighbour;
    if (accuracy == 0) {
      // Nothing of the calendar fits: the conception fell one month later.
      d.conceptionLabel = "[ 100% ]";
      d.conception = d.conception + 1;
      d.neighbour.reset();
      d.variant = ConceptionVariant::Plain;
    } else {
      d.conceptionLabel = "[ " + std::to_string(accuracy) + "% ]";
      if (accuracy > 50) {
        d.neighbour.reset();
        d.variant = ConceptionVariant::Plain;
      }
    }
  } else {
    const int extra = P == 10 ? 2 : 0;  // ten months look one month further on
    d.neighbour = n.month - (P + 1 - extra);
    d.conceptionLabel = "[ " + std::to_string(P) + " M ]";
  }

  const Branch S = D + 2 - fromRat(M) - fromRat(T);
  d.perfectAscendant = {yearStemRule(Y, S), S};
  r.pillars = d;
  return r;
}

}  // namespace vesprin
