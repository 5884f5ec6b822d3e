#pragma once
// A print request as a person states it, and the two hand-over files that
// carry it to the engine: the analysis marks "VesprinPrintAnalyze.DAT" and
// the birth record "VesprinPrint.DAT", code page 874, one value per line.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "present/component.h"

namespace vesprin {

struct MarkStyle {
  bool white = false;
  bool dotted = false;
  int colour = 0;  // 0 unchanged (black), 1 maroon, 2 olive, 3 blue, 4 green, 5 red
};

struct PrintRequest {
  // Birth record.
  std::string day, month, year;  // "05", "03", "2530" (Buddhist Era)
  std::string hour = "00";
  bool male = true;
  std::string toBeBorn = "09";
  std::string name;  // UTF-8; empty writes "blank"
  bool preview = false;
  int stripYear = 0;             // Buddhist Era
  int stripStem = 0, stripBranch = 0;  // the strip's January pillar

  // Analysis marks.
  std::array<std::optional<MarkStyle>, 14> marks;  // yybon .. ddttlang; none given: "blank"
  std::array<bool, 3> clashes{};
  std::optional<std::pair<int, int>> balance;  // day-master and entourage figures
  std::string climate = "B";
  std::vector<std::string> shares;  // up to two, "H…" or "C…"
  std::optional<std::array<int, 5>> powers;  // Ground, Gold, Water, Wood, Fire
  int dayMaster = 0;                         // 0 Ground .. 4 Fire
  std::string analysis;                      // UTF-8; "\n" is a line break; empty writes "blank"
};

// The January pillar of a Buddhist-Era year: the Ox month of the Chinese year
// before it, its stem by the year-stem rule.
std::pair<int, int> januaryPillar(int beYear);

struct RequestFiles {
  std::vector<std::string> marks;   // lines, code page 874
  std::vector<std::string> record;
  std::string error;  // a text that code page 874 cannot hold
};

RequestFiles writeRequest(const PrintRequest& r);

// The lines joined with CR LF, as the companion's own files end their lines.
std::string joinLines(const std::vector<std::string>& lines);

}  // namespace vesprin
