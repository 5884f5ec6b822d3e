#pragma once
// The one source of "today" for the engine. $VESPRIN_TODAY=YYYY-MM-DD fixes it
// for tests and reproducible runs.
#include <optional>
#include <string>
#include <string_view>

#include "core/civil_date.h"

namespace vesprin {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual CivilDate today() const = 0;  // Christian Era
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(CivilDate d) : date_(d) {}
  CivilDate today() const override { return date_; }

 private:
  CivilDate date_;
};

// The system date, or $VESPRIN_TODAY when it is set.
class SystemClock final : public Clock {
 public:
  CivilDate today() const override;
};

// "YYYY-MM-DD" as a real civil date; none otherwise.
std::optional<CivilDate> parseIsoDate(std::string_view text);

}  // namespace vesprin
