#pragma once
// The two hand-over files through which the companion program asks for one
// chart: the analysis marks "VesprinPrintAnalyze.DAT" (decorations for the
// chart sheet) and the birth record "VesprinPrint.DAT". Both are code page
// 874 text, one value per line, lines counted from 0. Each is read whole and
// deleted where it was found, so a request is served once, and parsed here,
// once, into typed values; a file that does not hold what the engine needs
// is refused with its path, the line and what was expected, before anything
// is printed.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar_index.h"
#include "present/component.h"
#include "present/drive_map.h"

namespace vesprin {

inline constexpr const char* kMarksFileName = "VesprinPrintAnalyze.DAT";
inline constexpr const char* kRecordFileName = "VesprinPrint.DAT";
inline constexpr const char* kRecordMarker = "KELMARD2";
inline constexpr std::size_t kMarksMinLines = 24;
inline constexpr std::size_t kRecordMinLines = 12;

// One hand-over file, taken: its lines decoded from code page 874, and the
// place it was found and deleted.
struct HandoverFile {
  std::string path;
  std::vector<std::string> lines;
  std::string deleteError;  // why it could not be deleted; empty when it was
};

// Looks for the file under its bare name in the current directory, then under
// the drive roots (D..H, then C); reads the first one found and deletes it
// there, and no other file. None when it exists nowhere.
std::optional<HandoverFile> takeHandoverFile(std::string_view name, const DriveMap& drives);

// A relationship mark code: character 1 "F" draws the mark white; otherwise
// character 2 "D" makes it dotted and character 3 "1".."5" gives its colour.
struct MarkCode {
  bool white = false;
  bool dotted = false;
  std::optional<Colour> colour;  // none leaves the pen colour as it is
  friend bool operator==(const MarkCode&, const MarkCode&) = default;
};
MarkCode parseMarkCode(std::string_view line);

// The hot-and-cold balance panel (lines 0 to 4).
struct BalancePanel {
  int dayMasterGroup = 0;   // line 0
  int entourageGroup = 0;   // line 1
  std::string verdict;      // line 2: "B", "H", "VH", "C", "VC" (anything else is kept)
  std::string firstShare;   // line 3: "H" or "C", then text
  std::string secondShare;  // line 4
};

// Element powers and the day-master group code of line 22. The powers are in
// the field order of the line: Ground, Gold, Water, Wood, Fire.
struct ElementGroupPowers {
  std::array<int, 5> powers{};
  int dayMaster = 0;  // 0 Ground .. 4 Fire
};

// The element-group power text that line 22 stands for: the day-master group
// and the entourage group with their powers, the lines joined by a carriage
// return.
std::string elementGroupPowerText(const ElementGroupPowers& p);

inline constexpr int kMarkCount = 14;

struct AnalysisMarks {
  std::vector<std::string> lines;      // the file, for MemoVesprinPrint
  std::optional<BalancePanel> balance;  // none: line 0 "blank", the panel off
  bool marksBlank = false;              // line 5 "blank": all marks white first
  // Lines 5..18: yy, mm, dd, tt, yymm, mmdd, ddtt "bon", then the same "lang".
  std::array<MarkCode, kMarkCount> marks{};
  std::array<bool, 3> clashes{};  // lines 19..21: year-month, month-day, day-time
  std::optional<ElementGroupPowers> powers;  // none leaves the program title
  std::optional<std::string> analysisNote;   // none: line 23 "blank"
};

struct BirthRecord {
  std::vector<std::string> lines;  // the file, for MemoVesprinPrint (the month strip reads 8..10)
  std::string day;                 // "01".."31"
  int month = 1;                   // 1..12
  std::string year;                // Buddhist Era, one of the calendar's years
  std::string hour;                // "00".."23"
  std::string toBeBorn;            // "07".."10"
  bool male = false;               // line 6 exactly "0"
  bool preview = false;            // line 7 exactly "prev"
  std::string name;                // decoded from lines 11..; empty for "blank"
};

// Why a hand-over file is refused: the file, the line (none for the whole
// file) and what was expected there.
struct HandoverError {
  std::string file;
  std::optional<std::size_t> line;
  std::string expected;
  std::string message() const;
};

template <class T>
struct HandoverParse {
  std::optional<T> value;
  std::optional<HandoverError> error;
};

// `path` names the file in messages. The years are those the year input
// offers (the calendar's selectable years).
HandoverParse<AnalysisMarks> parseAnalysisMarks(const std::vector<std::string>& lines,
                                                const std::string& path);
HandoverParse<BirthRecord> parseBirthRecord(const std::vector<std::string>& lines,
                                            const std::string& path, const YearList& years);

// The characters of a run of character-code lines (one decimal number per
// line, the code page 874 code of one character; a number above 255 counts
// modulo 256), from `first` to the last line. On a line that is not such a
// number, its index in `badLine`.
struct CharacterCodes {
  std::string text;
  std::optional<std::size_t> badLine;
};
CharacterCodes decodeCharacterCodes(const std::vector<std::string>& lines, std::size_t first);

}  // namespace vesprin
