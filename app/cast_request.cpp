#include "app/cast_request.h"

#include <sstream>
#include <vector>

namespace vesprin {
namespace {

// A whole number of one or two digits within [lo, hi], written back with two.
std::optional<std::string> twoDigitField(const std::string& t, int lo, int hi) {
  if (t.empty() || t.size() > 2 || t.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const int v = std::stoi(t);
  if (v < lo || v > hi) return std::nullopt;
  return (v < 10 ? "0" : "") + std::to_string(v);
}

}  // namespace

CastRequestParse parseCastRequest(std::string_view line) {
  CastRequestParse r;
  std::istringstream in{std::string(line)};
  std::vector<std::string> f;
  for (std::string word; in >> word;) f.push_back(word);
  if (f.size() != 7) {
    r.error = "expected 7 fields \"DD MM YYYY HH MM G P\", got " + std::to_string(f.size());
    return r;
  }
  BirthFields b;
  const auto day = twoDigitField(f[0], 1, 31);
  const auto month = twoDigitField(f[1], 1, 12);
  const auto hour = twoDigitField(f[3], 0, 23);
  const auto minute = twoDigitField(f[4], 0, 59);
  const auto toBeBorn = twoDigitField(f[6], 7, 10);
  const bool year = f[2].size() == 4 && f[2].find_first_not_of("0123456789") == std::string::npos;
  if (!day) r.error = "day \"" + f[0] + "\": expected 01-31";
  else if (!month) r.error = "month \"" + f[1] + "\": expected 01-12";
  else if (!year) r.error = "year \"" + f[2] + "\": expected a four-digit Buddhist-Era year";
  else if (!hour) r.error = "hour \"" + f[3] + "\": expected 00-23";
  else if (!minute) r.error = "minute \"" + f[4] + "\": expected 00-59";
  else if (!toBeBorn) r.error = "pregnancy months \"" + f[6] + "\": expected 07-10";
  if (!r.error.empty()) return r;

  if (f[5] == "m" || f[5] == "M" || f[5] == "ชาย") b.gender = "ชาย";
  else if (f[5] == "f" || f[5] == "F" || f[5] == "หญิง") b.gender = "หญิง";
  else {
    r.error = "gender \"" + f[5] + "\": expected m, f, ชาย or หญิง";
    return r;
  }
  b.day = *day;
  b.month = std::string(monthItemText(std::stoi(*month)));
  b.year = f[2];
  b.hour = *hour;
  b.minute = *minute;
  b.toBeBorn = *toBeBorn;
  r.fields = b;
  return r;
}

}  // namespace vesprin
