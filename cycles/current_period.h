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
// first start age (3.05), so they are held exactly, in hundredths.
struct CurrentPeriod {
  std::optional<HalfPeriod> half;
  // The age lies before the first luck pillar begins: no half-period, and the
  // worksheet's line is emptied rather than left as it was.
  bool beforeFirstPillar = false;
  int startHundredths = 0;      // start age S
  std::string startText;        // the first start age's text for On 1, else S
  int firstYearHundredths = 0;  // Buddhist-Era year in which S was reached
  std::string periodText;       // empty when there is no current period
  std::optional<int> nextStartYear;
  std::string elementName;  // Thai element of the ruling sign
};

// A number held in hundredths written in plain decimal: 305 -> "3.05",
// 310 -> "3.1", 700 -> "7".
std::string hundredthsText(int hundredths);

// pillars are the luck pillars, whose signs rule the halves.
CurrentPeriod findCurrentPeriod(const std::array<int, kLuckPillarCount>& onAges,
                                const std::array<int, kLuckPillarCount>& belowAges,
                                std::string_view startText, int chineseAge, int currentYearBE,
                                const std::array<Pillar, kLuckPillarCount>& pillars);

}  // namespace vesprin
