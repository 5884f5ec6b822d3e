#include "core/clock.h"

#include <ctime>
#include <cstdlib>

namespace vesprin {

std::optional<CivilDate> parseIsoDate(std::string_view t) {
  if (t.size() != 10 || t[4] != '-' || t[7] != '-') return std::nullopt;
  auto num = [&](std::size_t from, std::size_t n) -> int {
    int v = 0;
    for (std::size_t i = from; i < from + n; ++i) {
      if (t[i] < '0' || t[i] > '9') return -1;
      v = v * 10 + (t[i] - '0');
    }
    return v;
  };
  const CivilDate d{num(0, 4), num(5, 2), num(8, 2)};
  if (d.year < 0 || !isValid(d)) return std::nullopt;
  return d;
}

CivilDate SystemClock::today() const {
  if (const char* env = std::getenv("VESPRIN_TODAY"); env && *env)
    if (auto d = parseIsoDate(env)) return *d;
  // The date as the user's own calendar on the wall shows it: local time.
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace vesprin
