#pragma once
// The current period: the luck half-period (the On half ruled by a luck
// pillar's upper sign, the Below half by its lower sign) that holds the
// person's Chinese age, with the years it spans and when the next one begins.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/sign.h"
#include "cycles/luck_cycle.h"

namespace vesprin {

enum class HalfPart { On, Below };

std::string_view halfPartText(HalfPart p);  // "On", "Below"

struct HalfPeriod {
  int pillar = 0;  // 1..10
  HalfPart part = HalfPart::On;
  friend constexpr bool operator==(const HalfPeriod&, const HalfPeriod&) = default;
};

// Start ages and the years built on them can carry the month part of the
// first start age (3.05: three years and month code 5), so they are held
// exactly, in hundredths: the month code is the hundredths of the first.
struct CurrentPeriod {
  std::optional<HalfPeriod> half;
  // The age lies before the first luck pillar begins: no half-period, and the
  // worksheet's line is emptied rather than left as it was.
  bool beforeFirstPillar = false;
  int startHundredths = 0;      // start age S; 0 without a half
  int firstYearHundredths = 0;  // Buddhist-Era year in which S was reached
  std::optional<int> nextStartYear;
  std::optional<Element> element;  // of the ruling sign; none without a half
};

// pillars are the luck pillars, whose signs rule the halves; `first` the
// start age of the first.
CurrentPeriod findCurrentPeriod(const std::array<int, kLuckPillarCount>& onAges,
                                const std::array<int, kLuckPillarCount>& belowAges, LuckStart first,
                                int chineseAge, int currentYearBE,
                                const std::array<Pillar, kLuckPillarCount>& pillars);

}  // namespace vesprin
