#include "app/cast_json.h"

#include <cmath>

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

// Powers and counts are always whole; they are written as integers.
json powersJson(const ElementPowerTable& t) {
  json j = json::object();
  for (Element e : kElements)
    j[std::string(elementName(e))] = {{"count", std::llround(t.countOf(e))},
                                      {"weight", t.weightOf(e)},
                                      {"power", std::llround(t.powerOf(e))},
                                      {"amount", amountText(t.powerOf(e) / t.weightOf(e))}};
  return j;
}

json rolesJson(const ElementPowerTable& t) {
  json j = json::array();
  for (Element e : t.roleElement) j.push_back(std::string(elementName(e)));
  return j;
}

json pillarsJson(const auto& pillars) {
  json a = json::array();
  for (const Pillar& p : pillars) a.push_back(pillarJson(p));
  return a;
}

json luckJson(const LuckCycle& l) {
  return {{"parity", parityText(l.parity)},
          {"direction", directionText(l.direction)},
          {"pillars", pillarsJson(l.pillars)},
          {"monthStrengthDays", l.monthStrengthDays},
          {"festivalDays", l.festivalDays},
          {"startYears", l.startYears},
          {"startMonthCode", l.startMonthCode},
          {"startText", l.startText},
          {"startMonthName", l.startMonthName},
          {"onAges", l.onAges},
          {"belowAges", l.belowAges}};
}

json transitsJson(const AnnualTransits& t) {
  return {{"chineseAge", t.chineseAge},
          {"firstAge", t.firstAge},
          {"offset", t.offset},
          {"years", t.years},
          {"ages", t.ages},
          {"pillars", pillarsJson(t.pillars)},
          {"transitAscendants", pillarsJson(t.transitAscendants)},
          {"currentColumn", t.currentColumn ? json(*t.currentColumn) : json(nullptr)}};
}

json currentPeriodJson(const CurrentPeriod& p) {
  return {{"half", p.half ? json{{"pillar", p.half->pillar}, {"part", halfPartText(p.half->part)}}
                          : json(nullptr)},
          {"startText", p.startText},
          {"periodText", p.periodText},
          {"nextStartYear", p.nextStartYear ? json(*p.nextStartYear) : json(nullptr)},
          {"elementName", p.elementName}};
}

json ownerJson(const OwnerTexts& o) {
  const StarPictures& s = o.stars;
  return {{"birthText", o.birthText},
          {"ownerLine", o.ownerLine},
          {"ageLine", o.ageLine},
          {"castDate", o.castDate},
          {"castDateHint", o.castDateHint},
          {"englishDate", o.englishDate ? json(*o.englishDate) : json(nullptr)},
          {"stars", {{"tg", s.tg},
                     {"tgTop", s.tgTop},
                     {"ng", s.ng},
                     {"te1", s.te1},
                     {"te2", s.te2},
                     {"tu", s.tu},
                     {"bc", s.bc}}}};
}

}  // namespace

json errorJson(const std::string& reason, const std::vector<std::string>& messages) {
  json j = {{"error", reason}};
  if (!messages.empty()) j["messages"] = messages;
  return j;
}

json castToJson(const CastOutcome& outcome, const std::vector<std::string>& messages) {
  const bool cyclesUnknown = outcome.status == CastOutcome::Status::CyclesUnknown;
  if (outcome.status != CastOutcome::Status::Cast && !cyclesUnknown)
    return errorJson(outcome.error, messages);
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
  // Chart interpretation.
  if (r.powers) {
    j["powers"] = powersJson(*r.powers);
    j["roles"] = rolesJson(*r.powers);
    j["season"] = r.powers->season;
    j["summaryHint"] = r.powers->summaryHint;
    j["summaryLine"] = r.powers->summaryLine;
  }
  if (r.patterns) {
    j["harmonyCaption"] = r.patterns->harmonyCaption;
    j["specialChart"] = r.patterns->specialChart;
    j["branchPolarity"] = polarityName(r.patterns->branchPolarity);
    j["ptCode"] = r.patterns->ptCode;
  }
  j["birthYearCode"] = r.birthYearCode ? json(*r.birthYearCode) : json(nullptr);
  if (r.analysis) {
    j["analysisLines"] = r.analysis->lines;
    j["protectiveStars"] = r.analysis->protectiveStars;
  }
  j["childBranch"] = r.childBranch ? json(*r.childBranch) : json(nullptr);
  j["childChanceShown"] = r.childChanceShown ? json(*r.childChanceShown) : json(nullptr);
  // Time cycles.
  j["luck"] = r.luck ? luckJson(*r.luck) : json(nullptr);
  j["transits"] = r.transits ? transitsJson(*r.transits) : json(nullptr);
  j["currentPeriod"] = r.currentPeriod ? currentPeriodJson(*r.currentPeriod) : json(nullptr);
  // Owner and date texts.
  j["owner"] = r.owner ? ownerJson(*r.owner) : json(nullptr);
  // A chart whose time cycles the calendar cannot give is sound in its natal
  // part; the reason says why the rest is missing.
  if (cyclesUnknown) j["incomplete"] = outcome.error;

  j["messages"] = messages;
  return j;
}

}  // namespace vesprin
