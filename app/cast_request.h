#pragma once
// One birth of vesprin-cast's input: "DD MM YYYY HH MM G P" (day, month
// number, Buddhist-Era year, hour 00-23, minute, gender m/f or ชาย/หญิง,
// pregnancy months 07-10).
#include <optional>
#include <string>
#include <string_view>

#include "core/birth_input.h"

namespace vesprin {

struct CastRequestParse {
  std::optional<BirthFields> fields;
  std::string error;
};

CastRequestParse parseCastRequest(std::string_view line);

}  // namespace vesprin
