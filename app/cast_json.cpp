#include "app/cast_json.h"

namespace vesprin {
namespace {

using nlohmann::json;

json pillarJson(const Pillar& p) { return json::array({p.stem, p.branch}); }

const char* festivalKindName(FestivalKind k) {
  switch (k) {
    case FestivalKind::Large: return "large";
    case FestivalKind::Small: return "small";
    case FestivalKind::None: break;
  }
  return "none";
}

}  // namespace

json errorJson(const std::string& reason, const std::vector<std::string>& messages) {
  json j = {{"error", reason}};
  if (!messages.empty()) j["messages"] = messages;
  return j;
}

json castToJson(const CastOutcome& outcome, const std::vector<std::string>& messages) {
  if (outcome.status != CastOutcome::Status::Cast) return errorJson(outcome.error, messages);
  const ChartResult& r = outcome.result;
  const BirthInput& in = r.input;
  const FourPillars& n = *r.natal;
  const DerivedPillars& d = *r.derived;
  json j;
  j["input"] = {{"name", in.name},     {"gender", in.gender}, {"year", in.year},
                {"month", in.month},   {"day", in.day},       {"hour", in.hour},
                {"minute", in.minute}, {"toBeBorn", in.toBeBorn}, {"weekday", in.weekday}};
  j["birthLine"] = n.birthLineDate;
  j["year"] = pillarJson(n.year);
  j["month"] = pillarJson(n.month);
  j["day"] = pillarJson(n.day);
  j["time"] = pillarJson(n.time);
  j["ascendant"] = pillarJson(d.ascendant);
  j["conception"] = pillarJson(d.conception);
  j["perfectAscendant"] = pillarJson(d.perfectAscendant);
  j["festivalKind"] = festivalKindName(d.festivalKind);
  j["festivalStart"] = n.festivalStart;
  j["conceptionLabel"] = d.conceptionLabel;
  j["neighbour"] = d.neighbour ? pillarJson(*d.neighbour) : json(nullptr);
  j["currentYear"] = json::array({r.currentYear.year, r.currentYear.pillar.stem,
                                  r.currentYear.pillar.branch});
  j["messages"] = messages;
  return j;
}

}  // namespace vesprin
