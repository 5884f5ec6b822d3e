#include "app/cast_json.h"

#include <cmath>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "core/text.h"
#include "present/birth_texts.h"
#include "present/cycle_texts.h"

namespace vesprin {
namespace {

// Length of the valid UTF-8 sequence at s[i]; 0 when the byte there does not
// begin one. The second byte's range excludes overlong forms, surrogates and
// code points above U+10FFFF.
std::size_t utf8Length(std::string_view s, std::size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return 1;
  const std::size_t n = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                        : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto t = static_cast<unsigned char>(s[i + k]);
    const unsigned char lo = k > 1 ? 0x80 : c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
    const unsigned char hi = k > 1 ? 0xBF : c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
    if (t < lo || t > hi) return 0;
  }
  return n;
}

bool isValidUtf8(std::string_view s) {
  for (std::size_t i = 0, n; i < s.size(); i += n) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      n = 1;
    } else if ((n = utf8Length(s, i)) == 0) {
      return false;
    }
  }
  return true;
}

// Text that is not valid UTF-8 (a damaged input line echoed in an error) has
// each bad byte replaced by U+FFFD, so that every line written is valid UTF-8.
std::string validUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 8);
  for (std::size_t i = 0; i < s.size();) {
    if (const std::size_t n = utf8Length(s, i)) {
      out.append(s.substr(i, n));
      i += n;
    } else {
      out.append("\xEF\xBF\xBD");
      ++i;
    }
  }
  return out;
}

// The writer with the calls a chart needs. Keys of an object must come in
// ascending byte order; a key out of order is a fault of this file and stops
// the program rather than writing a chart whose text differs from run to run.
class JsonOut {
 public:
  explicit JsonOut(std::string& text) : text_(text), w_(buffer()) { buffer().Clear(); }
  // The finished object goes to the text.
  ~JsonOut() { text_.append(buffer().GetString(), buffer().GetSize()); }

  JsonOut& key(std::string_view k) {
    if (!lastKey_.empty() && lastKey_.back() && !(*lastKey_.back() < k))
      throw std::logic_error("JSON key \"" + std::string(k) + "\" written after \"" +
                             std::string(*lastKey_.back()) + "\"");
    lastKey_.back() = k;
    w_.Key(k.data(), static_cast<rapidjson::SizeType>(k.size()));
    return *this;
  }
  void beginObject() {
    w_.StartObject();
    lastKey_.emplace_back();
  }
  void endObject() {
    w_.EndObject();
    lastKey_.pop_back();
  }
  void beginArray() { w_.StartArray(); }
  void endArray() { w_.EndArray(); }

  void value(std::string_view s) {
    if (isValidUtf8(s)) {
      w_.String(s.data(), static_cast<rapidjson::SizeType>(s.size()));
    } else {
      const std::string valid = validUtf8(s);
      w_.String(valid.data(), static_cast<rapidjson::SizeType>(valid.size()));
    }
  }
  void value(const char* s) { value(std::string_view(s)); }
  void value(const std::string& s) { value(std::string_view(s)); }
  void value(int v) { w_.Int(v); }
  void value(long long v) { w_.Int64(v); }
  void value(bool v) { w_.Bool(v); }
  void null() { w_.Null(); }
  template <class T>
  void value(const std::optional<T>& v) {
    if (v) value(*v);
    else null();
  }
  void value(const Pillar& p) {
    w_.StartArray();
    w_.Int(p.stem);
    w_.Int(p.branch);
    w_.EndArray();
  }
  // Any range: arrays of numbers, texts or pillars.
  template <class Range>
    requires requires(const Range& r) { r.begin(); r.end(); } &&
             (!std::is_convertible_v<const Range&, std::string_view>)
  void value(const Range& items) {
    w_.StartArray();
    for (const auto& item : items) value(item);
    w_.EndArray();
  }

  template <class T>
  void field(std::string_view k, const T& v) {
    key(k);
    value(v);
  }
  void nullField(std::string_view k) {
    key(k);
    null();
  }

 private:
  // One buffer for every line of a run, grown once to the size of a chart.
  static rapidjson::StringBuffer& buffer() {
    thread_local rapidjson::StringBuffer b;
    return b;
  }
  std::string& text_;
  rapidjson::Writer<rapidjson::StringBuffer> w_;
  std::vector<std::optional<std::string_view>> lastKey_;  // per open object
};

const char* festivalKindName(FestivalKind k) {
  switch (k) {
    case FestivalKind::Large: return "large";
    case FestivalKind::Small: return "small";
    case FestivalKind::None: break;
  }
  return "none";
}

// Elements by name in key order; powers and counts are always whole and are
// written as integers.
void writePowers(JsonOut& j, const ElementPowerTable& t) {
  static constexpr Element kByName[] = {Element::Fire, Element::Gold, Element::Ground,
                                        Element::Water, Element::Wood};
  j.beginObject();
  for (Element e : kByName) {
    j.key(elementName(e));
    j.beginObject();
    j.field("amount", amountText(t.powerOf(e) / t.weightOf(e)));
    j.field("count", static_cast<long long>(std::llround(t.countOf(e))));
    j.field("power", static_cast<long long>(std::llround(t.powerOf(e))));
    j.field("weight", t.weightOf(e));
    j.endObject();
  }
  j.endObject();
}

void writeRoles(JsonOut& j, const ElementPowerTable& t) {
  j.beginArray();
  for (Element e : t.roleElement) j.value(elementName(e));
  j.endArray();
}

void writeLuck(JsonOut& j, const LuckCycle& l) {
  j.beginObject();
  j.field("belowAges", l.belowAges);
  j.field("direction", directionText(l.direction));
  j.field("festivalDays", l.festivalDays);
  j.field("monthStrengthDays", l.monthStrengthDays);
  j.field("onAges", l.onAges);
  j.field("parity", parityText(l.parity));
  j.field("pillars", l.pillars);
  j.field("startMonthCode", l.startMonthCode);
  j.field("startMonthName", startMonthName(l.startMonthCode));
  j.field("startText", luckStartText({l.startYears, l.startMonthCode}));
  j.field("startYears", l.startYears);
  j.endObject();
}

void writeTransits(JsonOut& j, const AnnualTransits& t) {
  j.beginObject();
  j.field("ages", t.ages);
  j.field("chineseAge", t.chineseAge);
  j.field("currentColumn", t.currentColumn);
  j.field("firstAge", t.firstAge);
  j.field("offset", t.offset);
  j.field("pillars", t.pillars);
  j.field("transitAscendants", t.transitAscendants);
  j.field("years", t.years);
  j.endObject();
}

void writeCurrentPeriod(JsonOut& j, const CurrentPeriod& p, const ChartResult& r) {
  const CurrentPeriodTexts texts = currentPeriodTexts(p, {r.luck->startYears, r.luck->startMonthCode},
                                                      r.transits->chineseAge, r.currentYear.year);
  j.beginObject();
  j.field("elementName", texts.elementName);
  j.key("half");
  if (p.half) {
    j.beginObject();
    j.field("part", halfPartText(p.half->part));
    j.field("pillar", p.half->pillar);
    j.endObject();
  } else {
    j.null();
  }
  j.field("nextStartYear", p.nextStartYear);
  j.field("periodText", texts.periodText);
  j.field("startText", texts.startText);
  j.endObject();
}

void writeOwner(JsonOut& j, const OwnerTexts& o) {
  const StarPictures& s = o.stars;
  j.beginObject();
  j.field("ageLine", o.ageLine);
  j.field("birthText", o.birthText);
  j.field("castDate", o.castDate);
  j.field("castDateHint", o.castDateHint);
  j.field("englishDate", o.englishDate);
  j.field("ownerLine", o.ownerLine);
  j.key("stars");
  j.beginObject();
  j.field("bc", s.bc);
  j.field("ng", s.ng);
  j.field("te1", s.te1);
  j.field("te2", s.te2);
  j.field("tg", s.tg);
  j.field("tgTop", s.tgTop);
  j.field("tu", s.tu);
  j.endObject();
  j.endObject();
}

// The normalised birth in the words and two-digit texts the input fields use.
void writeInput(JsonOut& j, const BirthInput& in) {
  j.beginObject();
  j.field("day", padded(in.date.day, 2));
  j.field("gender", genderThaiWord(in.gender));
  j.field("hour", padded(in.hour, 2));
  j.field("minute", padded(in.minute, 2));
  j.field("month", padded(in.date.month, 2));
  j.field("name", in.name);
  j.field("toBeBorn", padded(in.pregnancyMonths, 2));
  j.field("weekday", in.weekday ? weekdayThaiName(*in.weekday) : "");
  j.field("year", padded(in.date.year, 4));
  j.endObject();
}

const char* boundaryKindName(BoundaryKind k) { return k == BoundaryKind::Festival ? "festival" : "hour"; }

void writeWarnings(JsonOut& j, const std::vector<BoundaryWarning>& warnings) {
  j.beginArray();
  for (const BoundaryWarning& w : warnings) {
    j.beginObject();
    j.field("at", w.at);
    j.field("kind", boundaryKindName(w.kind));
    j.field("minutes", w.minutes);
    j.key("other");
    j.beginObject();
    j.field("day", w.other.day);
    j.field("month", w.other.month);
    j.field("time", w.other.time);
    j.field("year", w.other.year);
    j.endObject();
    j.endObject();
  }
  j.endArray();
}

}  // namespace

void appendErrorJson(std::string& out, std::string_view reason,
                     const std::vector<std::string>& messages) {
  JsonOut j(out);
  j.beginObject();
  j.field("error", reason);
  if (!messages.empty()) j.field("messages", messages);
  j.key("warnings");  // every line has the key; nothing was cast, so nothing to warn about
  writeWarnings(j, {});
  j.endObject();
}

void appendCastJson(std::string& out, const CastOutcome& outcome,
                    const std::vector<std::string>& messages) {
  const bool cyclesUnknown = outcome.status == CastOutcome::Status::CyclesUnknown;
  if (outcome.status != CastOutcome::Status::Cast && !cyclesUnknown) {
    appendErrorJson(out, outcome.error, messages);
    return;
  }
  const ChartResult& r = outcome.result;
  const FourPillars& n = *r.natal;
  const DerivedPillars& d = *r.derived;
  JsonOut j(out);
  j.beginObject();
  if (r.analysis) j.field("analysisLines", r.analysis->lines);
  j.field("ascendant", d.ascendant);
  j.field("birthLine", n.birthLineDate);
  j.field("birthYearCode", r.birthYearCode);
  if (r.patterns) j.field("branchPolarity", polarityName(r.patterns->branchPolarity));
  j.field("childBranch", r.childBranch);
  j.field("childChanceShown", r.childChanceShown);
  j.field("conception", d.conception);
  j.field("conceptionLabel", d.conceptionLabel);
  j.key("currentPeriod");
  if (r.currentPeriod) writeCurrentPeriod(j, *r.currentPeriod, r);
  else j.null();
  j.key("currentYear");
  j.beginArray();
  j.value(r.currentYear.year);
  j.value(r.currentYear.pillar.stem);
  j.value(r.currentYear.pillar.branch);
  j.endArray();
  j.field("day", n.day);
  j.field("festivalKind", festivalKindName(d.festivalKind));
  j.field("festivalStart", n.festivalStart);
  if (r.patterns) j.field("harmonyCaption", r.patterns->harmonyCaption);
  // A chart whose time cycles the calendar cannot give is sound in its natal
  // part; the reason says why the rest is missing.
  if (cyclesUnknown) j.field("incomplete", outcome.error);
  j.key("input");
  writeInput(j, r.input);
  j.key("luck");
  if (r.luck) writeLuck(j, *r.luck);
  else j.null();
  j.field("messages", messages);
  j.field("month", n.month);
  j.field("neighbour", d.neighbour);
  j.key("owner");  // owner and date texts
  if (r.owner) writeOwner(j, *r.owner);
  else j.null();
  j.field("perfectAscendant", d.perfectAscendant);
  if (r.powers) {
    j.key("powers");
    writePowers(j, *r.powers);
  }
  if (r.analysis) j.field("protectiveStars", r.analysis->protectiveStars);
  if (r.patterns) j.field("ptCode", r.patterns->ptCode);
  if (r.powers) {
    j.key("roles");
    writeRoles(j, *r.powers);
    j.field("season", r.powers->season);
  }
  if (r.patterns) j.field("specialChart", r.patterns->specialChart);
  if (r.powers) {
    j.field("summaryHint", r.powers->summaryHint);
    j.field("summaryLine", r.powers->summaryLine);
  }
  j.field("time", n.time);
  j.key("transits");
  if (r.transits) writeTransits(j, *r.transits);
  else j.null();
  j.key("warnings");
  writeWarnings(j, r.warnings);
  j.field("year", n.year);
  j.endObject();
}

}  // namespace vesprin
