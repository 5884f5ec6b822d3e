// make-request: writes the two hand-over files of one print request from
// readable arguments, as the companion program would, so that a person can
// ask the engine for a chart without knowing the line format.
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/cast_pipeline.h"
#include "app/scripted_ui.h"
#include "core/birth_input.h"
#include "core/calendar_session.h"
#include "core/clock.h"
#include "core/text.h"
#include "core/text_file.h"
#include "cycles/month_strip.h"
#include "present/request/computed_marks.h"
#include "present/request/print_request.h"
#include "present/texts/birth_texts.h"

namespace {
namespace fs = std::filesystem;
using namespace vesprin;

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitWrite = 2;
constexpr int kExitNotCast = 3;

void usage(std::ostream& out) {
  out << R"(usage: make-request --date DD/MM/YYYY --hour HH --gender male|female [options]

Writes VesprinPrintAnalyze.DAT and VesprinPrint.DAT (code page 874, CR LF) for
vesprin-print, into the current directory or --dir.

Birth record:
  --date DD/MM/YYYY     birth date, the year in the Buddhist Era (CE + 543)
  --hour HH             hour of birth 00..23 (the minute is always 00)
  --gender G            male or female (also m, f, ชาย, หญิง)
  --pregnancy NN        pregnancy length in months, 07..10 (default 09)
  --name TEXT           the person's name, UTF-8 Thai or Latin (default: none)
  --preview             ask for the page preview instead of printing
  --strip-year YYYY     Buddhist-Era year of the month strip (default: this year)
  --strip-pillar SS/BB  its January pillar, stem 01..10 / branch 01..12
                        (default: worked out from the year)
Analysis marks (all optional):
  --mark NAME=STYLE     a relationship mark; NAME is yybon, mmbon, ddbon, ttbon,
                        yymmbon, mmddbon, ddttbon (above the chart) or the same
                        with lang (below it); STYLE is a comma list of a colour
                        (black, maroon, olive, blue, green, red, white) and
                        "dotted". Repeat for more marks; marks not named stay
                        white. Without any --mark no mark is drawn.
  --clash PAIR          a clash picture: year-month, month-day or day-time
  --balance DM,ENT      switch the balance panel on with the day-master and the
                        entourage group figures
  --climate V           its verdict: B (balanced), H, VH (hot), C, VC (cold)
  --share KIND:TEXT     a climate share, hot:TEXT or cold:TEXT, at most twice
  --from-cast           cast the birth with the calendar and take the element
                        powers, the day master and the balance panel's two group
                        figures from the chart (switches the panel on); not with
                        --power, --day-master or --balance
  --power LIST          element powers 0..999, as ground=5,gold=10,water=3,wood=7,fire=12
  --day-master ELEMENT  the day-master element of the power text (ground, gold,
                        water, wood, fire; earth and metal also)
  --analysis TEXT       the analysis note (UTF-8; a newline breaks the line)
Other:
  --dir DIR             where to write the files (default: the current directory)
  --help                this text

Environment: VESPRIN_TODAY (YYYY-MM-DD) fixes today's date, whose year is the
month strip's default year (and, with --from-cast, the current year of the
cast); VESPRIN_DATA_DIR the data directory of the calendar (--from-cast).

Files: DIR/VesprinPrintAnalyze.DAT and DIR/VesprinPrint.DAT, replaced when
they exist; nothing is written when an argument is refused.

Exit status: 0 written, 1 bad arguments, 2 the files could not be written,
3 (--from-cast) the birth cannot be cast with the calendar.
)";
}

struct Usage {
  std::string message;
};

bool twoDigits(const std::string& t, int lo, int hi) {
  return t.size() == 2 && std::isdigit(static_cast<unsigned char>(t[0])) &&
         std::isdigit(static_cast<unsigned char>(t[1])) && toInt(t) >= lo && toInt(t) <= hi;
}

int number(const std::string& option, const std::string& t, int lo, int hi) {
  const int v = toInt(t);
  if (t.empty() || (v == 0 && t != "0" && t != "00" && t != "000") || v < lo || v > hi)
    throw Usage{option + " \"" + t + "\": expected a number " + std::to_string(lo) + ".." +
                std::to_string(hi)};
  return v;
}

std::vector<std::string> split(const std::string& t, char sep) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t p; (p = t.find(sep, start)) != std::string::npos; start = p + 1)
    out.push_back(t.substr(start, p - start));
  out.push_back(t.substr(start));
  return out;
}

int elementField(const std::string& option, const std::string& name) {
  static const std::map<std::string, int> kFields = {{"ground", 0}, {"earth", 0}, {"gold", 1},
                                                     {"metal", 1},  {"water", 2}, {"wood", 3},
                                                     {"fire", 4}};
  const auto it = kFields.find(name);
  if (it == kFields.end())
    throw Usage{option + " \"" + name + "\": expected ground, gold, water, wood or fire"};
  return it->second;
}

MarkCode markStyle(const std::string& text) {
  static const std::map<std::string, std::optional<Colour>> kColours = {
      {"black", std::nullopt},     {"maroon", colours::kMaroon}, {"olive", colours::kOlive},
      {"blue", colours::kBlue},    {"green", colours::kGreen},   {"red", colours::kRed}};
  MarkCode m;
  for (const std::string& word : split(text, ',')) {
    if (word == "dotted") {
      m.dotted = true;
    } else if (word == "white") {
      m.white = true;
    } else if (auto it = kColours.find(word); it != kColours.end()) {
      m.colour = it->second;
    } else {
      throw Usage{"--mark style \"" + word + "\": expected a colour (black, maroon, olive, blue, "
                  "green, red, white) or dotted"};
    }
  }
  return m;
}

int markIndex(const std::string& name) {
  static const char* kNames[] = {"yybon",  "mmbon",  "ddbon",  "ttbon",   "yymmbon",
                                 "mmddbon", "ddttbon", "yylang", "mmlang", "ddlang",
                                 "ttlang", "yymmlang", "mmddlang", "ddttlang"};
  for (int k = 0; k < 14; ++k)
    if (name == kNames[k]) return k;
  throw Usage{"--mark \"" + name + "\": expected yybon, mmbon, ddbon, ttbon, yymmbon, mmddbon, "
              "ddttbon or the same with lang"};
}

// A line break in a text typed on the command line is the carriage return
// that the sheet breaks its captions at.
std::string withCarriageReturns(std::string text) {
  for (char& c : text)
    if (c == '\n') c = '\r';
  return text;
}

PrintRequest parseArguments(const std::vector<std::string>& args, std::string& dir, bool& fromCast) {
  PrintRequest r;
  BirthRecord& b = r.birth;
  AnalysisMarks& m = r.marks;
  bool haveDate = false, haveHour = false, haveGender = false, havePillar = false;
  std::array<std::optional<MarkCode>, kMarkCount> marks;
  std::optional<std::pair<int, int>> balance;
  std::string climate = "B";
  std::vector<std::string> shares;
  std::optional<std::array<int, 5>> powers;
  std::optional<int> dayMaster;
  b.year = 0;
  int stripYear = SystemClock().today().year + 543;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--preview") {
      b.preview = true;
      continue;
    }
    if (a == "--from-cast") {
      fromCast = true;
      continue;
    }
    if (i + 1 >= args.size()) throw Usage{a.rfind("--", 0) == 0 ? a + " needs a value" : "unknown argument \"" + a + "\""};
    const std::string& v = args[++i];
    if (a == "--date") {
      const auto parts = split(v, '/');
      if (parts.size() != 3 || !twoDigits(parts[0], 1, 31) || !twoDigits(parts[1], 1, 12) ||
          parts[2].size() != 4 || toInt(parts[2]) < 2300)
        throw Usage{"--date \"" + v + "\": expected DD/MM/YYYY with a Buddhist-Era year (CE + 543)"};
      b.day = toInt(parts[0]);
      b.month = toInt(parts[1]);
      b.year = toInt(parts[2]);
      if (!birthDateExists(b.day, b.month, b.year))
        throw Usage{"--date \"" + v + "\": the month has no such day (" + kInvalidBirthDate + ")"};
      haveDate = true;
    } else if (a == "--hour") {
      if (!twoDigits(v, 0, 23)) throw Usage{"--hour \"" + v + "\": expected 00..23"};
      b.hour = toInt(v);
      haveHour = true;
    } else if (a == "--gender") {
      if (v == "male" || v == "m" || v == "ชาย") {
        b.gender = Gender::Male;
      } else if (v == "female" || v == "f" || v == "หญิง") {
        b.gender = Gender::Female;
      } else {
        throw Usage{"--gender \"" + v + "\": expected male or female"};
      }
      haveGender = true;
    } else if (a == "--pregnancy") {
      if (!twoDigits(v, 7, 10)) throw Usage{"--pregnancy \"" + v + "\": expected 07, 08, 09 or 10"};
      b.pregnancy = toInt(v);
    } else if (a == "--name") {
      b.name = withCarriageReturns(v);
    } else if (a == "--strip-year") {
      stripYear = number(a, v, 2300, 2999);
    } else if (a == "--strip-pillar") {
      const auto parts = split(v, '/');
      if (parts.size() != 2 || !twoDigits(parts[0], 1, 10) || !twoDigits(parts[1], 1, 12))
        throw Usage{"--strip-pillar \"" + v + "\": expected SS/BB, stem 01..10 and branch 01..12"};
      b.strip.stem = Stem(toInt(parts[0]));
      b.strip.branch = Branch(toInt(parts[1]));
      havePillar = true;
    } else if (a == "--mark") {
      const auto eq = v.find('=');
      if (eq == std::string::npos) throw Usage{"--mark \"" + v + "\": expected NAME=STYLE"};
      marks[static_cast<std::size_t>(markIndex(v.substr(0, eq)))] = markStyle(v.substr(eq + 1));
    } else if (a == "--clash") {
      const char* kPairs[] = {"year-month", "month-day", "day-time"};
      bool known = false;
      for (std::size_t k = 0; k < 3; ++k)
        if (v == kPairs[k]) m.clashes[k] = known = true;
      if (!known) throw Usage{"--clash \"" + v + "\": expected year-month, month-day or day-time"};
    } else if (a == "--balance") {
      const auto parts = split(v, ',');
      if (parts.size() != 2) throw Usage{"--balance \"" + v + "\": expected two figures DM,ENT"};
      balance = {number(a, parts[0], -99999, 99999), number(a, parts[1], -99999, 99999)};
    } else if (a == "--climate") {
      if (v != "B" && v != "H" && v != "VH" && v != "C" && v != "VC")
        throw Usage{"--climate \"" + v + "\": expected B, H, VH, C or VC"};
      climate = v;
    } else if (a == "--share") {
      const auto colon = v.find(':');
      const std::string kind = v.substr(0, colon);
      if (colon == std::string::npos || (kind != "hot" && kind != "cold"))
        throw Usage{"--share \"" + v + "\": expected hot:TEXT or cold:TEXT"};
      if (shares.size() == 2) throw Usage{"--share: at most two shares"};
      shares.push_back((kind == "hot" ? "H" : "C") + v.substr(colon + 1));
    } else if (a == "--power") {
      std::array<int, 5> p{};
      std::array<bool, 5> given{};
      for (const std::string& item : split(v, ',')) {
        const auto eq = item.find('=');
        if (eq == std::string::npos) throw Usage{"--power \"" + item + "\": expected ELEMENT=N"};
        const int k = elementField(a, item.substr(0, eq));
        p[static_cast<std::size_t>(k)] = number(a, item.substr(eq + 1), 0, 999);
        given[static_cast<std::size_t>(k)] = true;
      }
      for (bool g : given)
        if (!g) throw Usage{"--power \"" + v + "\": expected all five elements"};
      powers = p;
    } else if (a == "--day-master") {
      dayMaster = elementField(a, v);
    } else if (a == "--analysis") {
      if (!v.empty()) m.analysisNote = withCarriageReturns(v);
    } else if (a == "--dir") {
      dir = v;
    } else {
      throw Usage{"unknown argument \"" + a + "\""};
    }
  }
  if (!haveDate || !haveHour || !haveGender) throw Usage{"--date, --hour and --gender are needed"};
  if (fromCast && (powers || dayMaster || balance))
    throw Usage{"--from-cast takes the powers and the group figures from the chart: not with --power, "
                "--day-master or --balance"};
  if (powers.has_value() != dayMaster.has_value())
    throw Usage{"--power and --day-master go together"};
  if (powers) m.powers = ElementGroupPowers{*powers, *dayMaster};
  if (!balance && !fromCast && (climate != "B" || !shares.empty()))
    throw Usage{"--climate and --share need --balance or --from-cast"};
  if (balance || fromCast) {
    shares.resize(2);
    if (!balance) balance = {0, 0};  // the cast fills the figures
    m.balance = BalancePanel{balance->first, balance->second, climate, shares[0], shares[1]};
  }
  // Without any --mark no mark is drawn; with some, the marks not named stay white.
  bool anyMark = false;
  for (const auto& mark : marks) anyMark = anyMark || mark.has_value();
  m.marksBlank = !anyMark;
  if (anyMark)
    for (std::size_t k = 0; k < marks.size(); ++k) m.marks[k] = marks[k].value_or(MarkCode{true, false, {}});
  b.strip.beYearText = std::to_string(stripYear);
  b.strip.ceYearText = std::to_string(stripYear - 543);
  if (!havePillar) {
    const Pillar jan = januaryPillar(stripYear);
    b.strip.stem = jan.stem;
    b.strip.branch = jan.branch;
  }
  return r;
}

// The power line and the group figures from the birth's own chart, cast as
// the engine casts it (the current year from VESPRIN_TODAY). Empty when done,
// else why not.
std::string fillFromCast(PrintRequest& request) {
  auto index = CalendarSession::LoadCalendarIndex(defaultSearchDirs());
  if (!index.index) return index.error;
  SystemClock clock;
  ScriptedUserInterface ui;
  CalendarSession calendar(std::move(*index.index), defaultSearchDirs(), clock, ui);
  // An impossible date was refused with the arguments.
  const CastOutcome cast = CastChart(calendar, ui, birthOf(request.birth));
  if (cast.status != CastOutcome::Status::Cast || !cast.result.powers) return cast.error;
  fillComputedPowers(request.marks, *cast.result.powers);
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") {
      usage(std::cout);
      return kExitOk;
    }
  std::string dir = ".";
  PrintRequest request;
  bool fromCast = false;
  try {
    request = parseArguments(args, dir, fromCast);
  } catch (const Usage& u) {
    std::cerr << "make-request: " << u.message << "\n(make-request --help shows the options)\n";
    return kExitUsage;
  }
  if (fromCast) {
    if (const std::string why = fillFromCast(request); !why.empty()) {
      std::cerr << "make-request: --from-cast: the birth cannot be cast: " << why << '\n';
      return kExitNotCast;
    }
  }
  const RequestFiles files = writePrintRequest(request);
  if (!files.error.empty()) {
    std::cerr << "make-request: " << files.error << '\n';
    return kExitUsage;
  }
  if (std::string error = saveRequestFiles(files, dir); !error.empty()) {
    std::cerr << "make-request: cannot write the hand-over files into " << dir << ": " << error << '\n';
    return kExitWrite;
  }
  const fs::path marks = fs::path(dir) / kMarksFileName, record = fs::path(dir) / kRecordFileName;
  std::cerr << "make-request: wrote " << marks.string() << " and " << record.string() << '\n';
  return kExitOk;
}
