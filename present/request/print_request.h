#pragma once
// One print request: the birth to cast and the decorations to draw on its
// chart sheet, as the companion program hands it over in two files, the
// analysis marks "VesprinPrintAnalyze.DAT" and the birth record
// "VesprinPrint.DAT" (code page 874, one value per line, lines counted from
// 0). The reader and the writer stand side by side here, so that whoever
// writes a request (make-request, the desk, the client book) and the engine
// that reads it share one value: writing a request and reading it back gives
// the same value. A file that does not hold what the engine needs is refused
// with its path, the line and what was expected, before anything is printed.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/birth.h"
#include "core/calendar_index.h"
#include "core/gender.h"
#include "cycles/month_strip.h"
#include "present/model/component.h"

namespace vesprin {

inline constexpr const char* kMarksFileName = "VesprinPrintAnalyze.DAT";
inline constexpr const char* kRecordFileName = "VesprinPrint.DAT";
inline constexpr const char* kRecordMarker = "KELMARD2";
inline constexpr std::size_t kMarksMinLines = 24;
inline constexpr std::size_t kRecordMinLines = 12;

// A relationship mark code: character 1 "F" draws the mark white; otherwise
// character 2 "D" makes it dotted and character 3 "1".."5" gives its colour.
struct MarkCode {
  bool white = false;
  bool dotted = false;
  std::optional<Colour> colour;  // none leaves the pen colour as it is
  friend bool operator==(const MarkCode&, const MarkCode&) = default;
};
MarkCode parseMarkCode(std::string_view line);
// The five colours a mark code can name, "1" to "5".
inline constexpr Colour kMarkColours[] = {colours::kMaroon, colours::kOlive, colours::kBlue,
                                          colours::kGreen, colours::kRed};

// The hot-and-cold balance panel (lines 0 to 4).
struct BalancePanel {
  int dayMasterGroup = 0;   // line 0
  int entourageGroup = 0;   // line 1
  std::string verdict;      // line 2: "B", "H", "VH", "C", "VC" (anything else is kept)
  std::string firstShare;   // line 3: "H" or "C", then text
  std::string secondShare;  // line 4
  friend bool operator==(const BalancePanel&, const BalancePanel&) = default;
};

// Element powers and the day-master group code of line 22. The powers are in
// the field order of the line: Ground, Gold, Water, Wood, Fire.
struct ElementGroupPowers {
  std::array<int, 5> powers{};  // each 0..999
  int dayMaster = 0;            // 0 Ground .. 4 Fire
  friend bool operator==(const ElementGroupPowers&, const ElementGroupPowers&) = default;
};

inline constexpr int kMarkCount = 14;

struct AnalysisMarks {
  std::optional<BalancePanel> balance;  // none: line 0 "blank", the panel off
  // Line 5 "blank": all marks white first. The "blank" line is then also the
  // first mark's code, which draws nothing of its own.
  bool marksBlank = false;
  // Lines 5..18: yy, mm, dd, tt, yymm, mmdd, ddtt "bon", then the same "lang".
  std::array<MarkCode, kMarkCount> marks{};
  std::array<bool, 3> clashes{};  // lines 19..21: year-month, month-day, day-time
  std::optional<ElementGroupPowers> powers;  // none leaves the program title
  std::optional<std::string> analysisNote;   // none: line 23 "blank"; never empty
  friend bool operator==(const AnalysisMarks&, const AnalysisMarks&) = default;
};

struct BirthRecord {
  int day = 1;        // 1..31 (the input rules correct a day past its month)
  int month = 1;      // 1..12
  int year = 0;       // Buddhist Era, one of the calendar's selectable years
  int hour = 0;       // 0..23
  // 0..59, as the desk and the client book keep it. The files carry the hour
  // alone and the engine reads the minute as 00; no rule of the cast looks
  // inside the hour (festivals begin on the hour), so the sheet is the same.
  int minute = 0;
  int pregnancy = 9;  // months, 7..10
  Gender gender = Gender::Male;  // line 6 exactly "0" is male
  bool preview = false;          // line 7 exactly "prev"
  std::string name;              // UTF-8, decoded from lines 11..; empty for "blank"
  MonthStripStart strip;
  friend bool operator==(const BirthRecord&, const BirthRecord&) = default;
};

struct PrintRequest {
  BirthRecord birth;
  AnalysisMarks marks;
  friend bool operator==(const PrintRequest&, const PrintRequest&) = default;
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

// --- Reading -------------------------------------------------------------

// A file's bytes as lines decoded from code page 874 (line ends CR LF or LF).
std::vector<std::string> decodeRequestFile(std::string_view bytes);

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

// --- Writing -------------------------------------------------------------

// The two files' lines in UTF-8, as the reader takes them back. The error
// names the first text that code page 874 cannot hold (the name and the note
// travel as code page 874 codes); the lines are then incomplete.
struct RequestLines {
  std::vector<std::string> marks;
  std::vector<std::string> record;
  std::string error;
};
RequestLines requestLines(const PrintRequest& r);

// The two files as the companion writes them: code page 874, every line ended
// by CR LF.
struct RequestFiles {
  std::string marks;
  std::string record;
  std::string error;  // as above; the files are then empty
};
RequestFiles writePrintRequest(const PrintRequest& r);

// Writes both files into `dir` (created when missing), each beside its final
// name first and then renamed, so that an engine never reads half a file; the
// marks first, since the record is what makes a request. An empty text when
// written, else why not.
std::string saveRequestFiles(const RequestFiles& files, const std::string& dir);

// The birth a record asks to cast: the files carry no minute, so the minute
// is the record's own (00 from the files).
Birth birthOf(const BirthRecord& record);
// The other way: the record that asks for a birth, without the preview and
// with the month strip left for the caller to set.
BirthRecord recordOf(const Birth& birth);

}  // namespace vesprin
