#include "cycles/current_period.h"

#include <cstdlib>

#include "core/text.h"

namespace vesprin {
namespace {

struct StartAge {
  int whole = 0;
  int hundredths = 0;
};

// "3.05" -> 3 and 305; the part after the point is a two-digit month code.
StartAge parseStartText(std::string_view text) {
  StartAge s;
  std::size_t i = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) s.whole = s.whole * 10 + (text[i] - '0');
  int fraction = 0;
  if (i < text.size() && text[i] == '.') {
    int scale = 10;
    for (++i; i < text.size() && scale >= 1 && text[i] >= '0' && text[i] <= '9'; ++i, scale /= 10)
      fraction += (text[i] - '0') * scale;
  }
  s.hundredths = s.whole * 100 + fraction;
  return s;
}

Element rulingElement(const HalfPeriod& h, const std::array<Pillar, kLuckPillarCount>& pillars) {
  const Pillar& p = pillars[static_cast<std::size_t>(h.pillar - 1)];
  return h.part == HalfPart::On ? StemElement(p.stem) : BranchElement(p.branch);
}

}  // namespace

std::string_view halfPartText(HalfPart p) { return p == HalfPart::On ? "On" : "Below"; }

std::string hundredthsText(int hundredths) {
  const int a = std::abs(hundredths);
  std::string s = (hundredths < 0 ? "-" : "") + std::to_string(a / 100);
  const int fraction = a % 100;
  if (fraction == 0) return s;
  if (fraction % 10 == 0) return s + "." + std::to_string(fraction / 10);
  return s + (fraction < 10 ? ".0" : ".") + std::to_string(fraction);
}

CurrentPeriod findCurrentPeriod(const std::array<int, kLuckPillarCount>& onAges,
                                const std::array<int, kLuckPillarCount>& belowAges,
                                std::string_view startText, int chineseAge, int currentYearBE,
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
  const StartAge first = parseStartText(startText);
  if (chineseAge <= first.whole + 4) {
    p.half = HalfPeriod{1, HalfPart::On};
    startHundredths = first.hundredths;
  }
  if (chineseAge < first.whole) {
    p.half.reset();
    p.beforeFirstPillar = true;
    return p;
  }
  if (!p.half) return p;

  p.startHundredths = startHundredths;
  p.startText = *p.half == HalfPeriod{1, HalfPart::On} ? std::string(startText)
                                                        : hundredthsText(startHundredths);
  p.firstYearHundredths = currentYearBE * 100 - (chineseAge * 100 - startHundredths);
  p.periodText = concat({"(พ.ศ.", hundredthsText(p.firstYearHundredths), "-",
                          hundredthsText(p.firstYearHundredths + 400), ") อายุจีน ", p.startText,
                          " - ", hundredthsText(startHundredths + 400), " ปัจจุบัน ",
                          std::to_string(currentYearBE), " อายุจีน ", std::to_string(chineseAge),
                          " ปี"});
  // The next half begins in the year after the whole part of the last one.
  p.nextStartYear = (p.firstYearHundredths + 400) / 100 + 1;
  p.elementName = std::string(elementThaiName(rulingElement(*p.half, pillars)));
  return p;
}

}  // namespace vesprin
