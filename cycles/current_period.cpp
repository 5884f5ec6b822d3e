#include "cycles/current_period.h"

namespace vesprin {
namespace {

Element rulingElement(const HalfPeriod& h, const std::array<Pillar, kLuckPillarCount>& pillars) {
  const Pillar& p = pillars[static_cast<std::size_t>(h.pillar - 1)];
  return h.part == HalfPart::On ? StemElement(p.stem) : BranchElement(p.branch);
}

}  // namespace

std::string_view halfPartText(HalfPart p) { return p == HalfPart::On ? "On" : "Below"; }

CurrentPeriod findCurrentPeriod(const std::array<int, kLuckPillarCount>& onAges,
                                const std::array<int, kLuckPillarCount>& belowAges,
                                LuckStart first, int chineseAge, int currentYearBE,
                                const std::array<Pillar, kLuckPillarCount>& pillars) {
  CurrentPeriod p;
  // Halves are tried from the last down to Below 1; each one whose five years
  // reach the age replaces the one before, so the one left is the span S..S+4
  // that holds the age.
  int startHundredths = 0;
  for (int k = kLuckPillarCount; k >= 1; --k) {
    const auto i = static_cast<std::size_t>(k - 1);
    if (chineseAge <= belowAges[i] + 4) {
      p.half = HalfPeriod{k, HalfPart::Below};
      startHundredths = belowAges[i] * 100;
    }
    if (k > 1 && chineseAge <= onAges[i] + 4) {
      p.half = HalfPeriod{k, HalfPart::On};
      startHundredths = onAges[i] * 100;
    }
  }
  // On 1 starts at the first start age with its month part.
  if (chineseAge <= first.years + 4) {
    p.half = HalfPeriod{1, HalfPart::On};
    startHundredths = first.years * 100 + first.monthCode;
  }
  if (chineseAge < first.years) {
    p.half.reset();
    p.beforeFirstPillar = true;
    return p;
  }
  if (!p.half) return p;

  p.startHundredths = startHundredths;
  p.firstYearHundredths = currentYearBE * 100 - (chineseAge * 100 - startHundredths);
  // The next half begins in the year after the whole part of the last one.
  p.nextStartYear = (p.firstYearHundredths + 400) / 100 + 1;
  p.element = rulingElement(*p.half, pillars);
  return p;
}

}  // namespace vesprin
