#include "present/request/print_request.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/birth_input.h"
#include "core/cp874.h"
#include "core/sign.h"
#include "core/text.h"
#include "core/text_file.h"
#include "cycles/month_strip.h"
#include "present/request/folder_lock.h"
#include "present/texts/birth_texts.h"

namespace vesprin {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kBlank = "blank";

bool allDigits(std::string_view t) {
  return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A two-digit text within lo..hi ("07".."10").
bool twoDigitsWithin(std::string_view t, int lo, int hi) {
  if (t.size() != 2 || !allDigits(t)) return false;
  const int v = toInt(t);
  return v >= lo && v <= hi;
}

// A decimal integer, optionally negative; none for anything else.
std::optional<int> decimal(std::string_view t) {
  const bool negative = !t.empty() && t.front() == '-';
  const std::string_view digits = negative ? t.substr(1) : t;
  if (!allDigits(digits) || digits.size() > 9) return std::nullopt;
  const int v = toInt(digits);
  return negative ? -v : v;
}

std::string quoted(std::string_view t) { return concat({"\"", t, "\""}); }

// What a refused line holds, for the message: a short excerpt (a line may be
// a megabyte long), its control characters written as \xNN so that binary
// garbage cannot disturb the terminal or the log it is written to.
std::string foundText(std::string_view t) {
  std::string out;
  for (const char c : quotedExcerpt(t)) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b != 0x7F) {
      out += c;
      continue;
    }
    constexpr char kHex[] = "0123456789abcdef";
    out += {'\\', 'x', kHex[b >> 4], kHex[b & 15]};
  }
  return out;
}

class Refusal {
 public:
  explicit Refusal(const std::string& path) : path_(path) {}
  HandoverError at(std::size_t line, std::string_view expected, std::string_view found) const {
    return {path_, line, concat({"expected ", expected, ", found ", foundText(found)})};
  }
  HandoverError whole(std::string expected) const { return {path_, std::nullopt, std::move(expected)}; }

 private:
  const std::string& path_;
};


}  // namespace

std::vector<std::string> decodeRequestFile(std::string_view bytes) {
  std::vector<std::string> lines;
  forEachLine(bytes, [&](std::string_view line) { lines.push_back(cp874ToUtf8(line)); });
  return lines;
}

MarkCode parseMarkCode(std::string_view line) {
  MarkCode m;
  if (!line.empty() && line[0] == 'F') {
    m.white = true;
    return m;
  }
  m.dotted = line.size() > 1 && line[1] == 'D';
  if (line.size() > 2 && line[2] >= '1' && line[2] <= '5') m.colour = kMarkColours[line[2] - '1'];
  return m;
}

std::string HandoverError::message() const {
  std::string where = file;
  if (line) where += concat({", line ", std::to_string(*line), " (lines count from 0)"});
  return concat({where, ": ", expected});
}

CharacterCodes decodeCharacterCodes(const std::vector<std::string>& lines, std::size_t first) {
  CharacterCodes out;
  for (std::size_t i = first; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (!allDigits(line)) {
      out.badLine = i;
      out.text.clear();
      return out;
    }
    unsigned code = 0;  // the number modulo 256, digit by digit, so no length overflows
    for (char c : line) code = (code * 10 + static_cast<unsigned>(c - '0')) % 256;
    out.text += cp874Char(static_cast<unsigned char>(code));
  }
  return out;
}

HandoverParse<AnalysisMarks> parseAnalysisMarks(const std::vector<std::string>& lines,
                                                const std::string& path) {
  const Refusal refuse(path);
  if (lines.size() < kMarksMinLines)
    return {{}, refuse.whole(concat({"expected at least ", std::to_string(kMarksMinLines),
                                     " lines of analysis marks, found ",
                                     std::to_string(lines.size())}))};
  AnalysisMarks m;

  // Lines 0 to 4: the balance panel; its figures are read only when it is on.
  if (lines[0] != kBlank) {
    const auto dayMaster = decimal(lines[0]), entourage = decimal(lines[1]);
    if (!dayMaster) return {{}, refuse.at(0, "the day-master group figure or \"blank\"", lines[0])};
    if (!entourage) return {{}, refuse.at(1, "the entourage group figure", lines[1])};
    m.balance = BalancePanel{*dayMaster, *entourage, lines[2], lines[3], lines[4]};
  }

  // Lines 5 to 18: the relationship marks.
  m.marksBlank = lines[5] == kBlank;
  for (int k = 0; k < kMarkCount; ++k) m.marks[static_cast<std::size_t>(k)] = parseMarkCode(lines[5 + k]);

  // Lines 19 to 21: the clash pictures.
  for (std::size_t k = 0; k < 3; ++k) m.clashes[k] = !lines[19 + k].empty() && lines[19 + k][0] == 'T';

  // Line 22: the powers count only with a group code "0".."4" in character 16.
  const std::string& power = lines[22];
  if (power.size() >= 16 && power[15] >= '0' && power[15] <= '4') {
    if (!allDigits(std::string_view(power).substr(0, 15)))
      return {{}, refuse.at(22, "five three-digit powers and a group code 0..4", power)};
    ElementGroupPowers p;
    for (std::size_t k = 0; k < 5; ++k) p.powers[k] = toInt(std::string_view(power).substr(3 * k, 3));
    p.dayMaster = power[15] - '0';
    m.powers = p;
  }

  // Lines 23 to the last: the analysis note in character codes.
  if (lines[23] != kBlank) {
    CharacterCodes note = decodeCharacterCodes(lines, 23);
    if (note.badLine)
      return {{}, refuse.at(*note.badLine, "a character code 0..255 of the analysis note",
                            lines[*note.badLine])};
    m.analysisNote = std::move(note.text);
  }
  return {std::move(m), std::nullopt};
}

HandoverParse<BirthRecord> parseBirthRecord(const std::vector<std::string>& lines,
                                            const std::string& path, const YearList& years) {
  const Refusal refuse(path);
  if (lines.size() < kRecordMinLines)
    return {{}, refuse.whole(concat({"expected at least ", std::to_string(kRecordMinLines),
                                     " lines of birth record, found ",
                                     std::to_string(lines.size())}))};
  if (lines[0] != kRecordMarker)
    return {{}, refuse.at(0, concat({"the marker ", quoted(kRecordMarker)}), lines[0])};
  BirthRecord r;
  if (!twoDigitsWithin(lines[1], 1, 31)) return {{}, refuse.at(1, "the day of birth \"01\"..\"31\"", lines[1])};
  if (!twoDigitsWithin(lines[2], 1, 12))
    return {{}, refuse.at(2, "the month of birth \"01\"..\"12\"", lines[2])};
  const int year = lines[3].size() == 4 && allDigits(lines[3]) ? toInt(lines[3]) : 0;
  if (std::find(years.years.begin(), years.years.end(), year) == years.years.end()) {
    const std::string range =
        years.years.empty() ? std::string("(the calendar offers none)")
                            : concat({std::to_string(years.years.front()), "..",
                                      std::to_string(years.years.back())});
    return {{}, refuse.at(3, concat({"a Buddhist-Era year of birth ", range}), lines[3])};
  }
  if (!twoDigitsWithin(lines[4], 0, 23)) return {{}, refuse.at(4, "the hour of birth \"00\"..\"23\"", lines[4])};
  if (!twoDigitsWithin(lines[5], 7, 10))
    return {{}, refuse.at(5, "the pregnancy length \"07\"..\"10\"", lines[5])};
  const std::optional<MonthStrip> strip = readMonthStrip(lines);
  if (!strip)
    return {{}, refuse.at(8, "the month strip's first pillar: stem 01..10 and branch 01..12, as 0102",
                          lines[8])};
  r.day = toInt(lines[1]);
  r.month = toInt(lines[2]);
  r.year = year;
  // The input rules would cast the last day of the month instead, and print
  // another day's chart under the person's name.
  if (!birthDateExists(r.day, r.month, r.year))
    return {{}, refuse.at(1, concat({"a day that ", lines[2], "/", lines[3], " has (", kInvalidBirthDate, " ",
                                     lines[1], "/", lines[2], "/", lines[3], ")"}),
                          lines[1])};
  r.hour = toInt(lines[4]);
  r.pregnancy = toInt(lines[5]);
  r.gender = lines[6] == "0" ? Gender::Male : Gender::Female;
  r.preview = lines[7] == "prev";
  r.strip = {strip->stems[0], strip->branches[0], strip->beYearText, strip->ceYearText};
  if (lines[11] != kBlank) {
    CharacterCodes name = decodeCharacterCodes(lines, 11);
    if (name.badLine)
      return {{}, refuse.at(*name.badLine, "a character code 0..255 of the name", lines[*name.badLine])};
    r.name = std::move(name.text);
  }
  return {std::move(r), std::nullopt};
}

namespace {

// One line per character, its code-page-874 code; the text's first character
// that the code page cannot hold is the error.
std::string appendCharacterCodes(std::string_view utf8, const char* what, std::vector<std::string>& out) {
  const Cp874Encoding enc = utf8ToCp874(utf8);
  if (!enc.ok())
    return concat({what, " \"", utf8, "\": the character \"", enc.badChar, "\" (byte ",
                   std::to_string(enc.badOffset), ") has no code in code page 874"});
  for (const unsigned char c : enc.bytes) out.push_back(std::to_string(c));
  return {};
}

std::string markCodeLine(const MarkCode& m) {
  char colour = '0';
  for (std::size_t k = 0; k < std::size(kMarkColours); ++k)
    if (m.colour == kMarkColours[k]) colour = static_cast<char>('1' + k);
  return {m.white ? 'F' : 'T', m.dotted ? 'D' : 'S', colour};
}

}  // namespace

RequestLines requestLines(const PrintRequest& r) {
  RequestLines out;
  const AnalysisMarks& a = r.marks;
  std::vector<std::string>& m = out.marks;
  if (a.balance) {
    m.insert(m.end(), {std::to_string(a.balance->dayMasterGroup), std::to_string(a.balance->entourageGroup),
                       a.balance->verdict, a.balance->firstShare, a.balance->secondShare});
  } else {
    m.insert(m.end(), 5, std::string(kBlank));
  }
  for (int k = 0; k < kMarkCount; ++k)
    m.push_back(k == 0 && a.marksBlank ? std::string(kBlank) : markCodeLine(a.marks[static_cast<std::size_t>(k)]));
  for (const bool clash : a.clashes) m.push_back(clash ? "T" : "F");
  if (a.powers) {
    std::string line;
    for (const int v : a.powers->powers) line += padded(v, 3);
    m.push_back(line + std::to_string(a.powers->dayMaster));
  } else {
    m.emplace_back(kBlank);
  }
  if (!a.analysisNote || a.analysisNote->empty()) {
    m.emplace_back(kBlank);
  } else if (std::string e = appendCharacterCodes(*a.analysisNote, "analysis note", m); !e.empty()) {
    out.error = std::move(e);
  }

  const BirthRecord& b = r.birth;
  out.record = {kRecordMarker,
                padded(b.day, 2),
                padded(b.month, 2),
                std::to_string(b.year),
                padded(b.hour, 2),
                padded(b.pregnancy, 2),
                b.gender == Gender::Male ? "0" : "1",
                b.preview ? "prev" : "print",
                padded(b.strip.stem.number(), 2) + padded(b.strip.branch.number(), 2),
                b.strip.beYearText,
                b.strip.ceYearText};
  if (b.name.empty()) {
    out.record.emplace_back(kBlank);
  } else if (std::string e = appendCharacterCodes(b.name, "name", out.record); !e.empty() && out.error.empty()) {
    out.error = std::move(e);
  }
  return out;
}

RequestFiles writePrintRequest(const PrintRequest& r) {
  const RequestLines lines = requestLines(r);
  RequestFiles files;
  if (!lines.error.empty()) {
    files.error = lines.error;
    return files;
  }
  const auto encode = [&](const std::vector<std::string>& from, std::string& to) {
    for (const std::string& line : from) {
      const Cp874Encoding enc = utf8ToCp874(line);
      if (!enc.ok()) {
        files.error = concat({"the text \"", line, "\": the character \"", enc.badChar,
                              "\" has no code in code page 874"});
        return false;
      }
      to += enc.bytes;
      to += "\r\n";
    }
    return true;
  };
  if (!encode(lines.marks, files.marks) || !encode(lines.record, files.record)) {
    files.marks.clear();
    files.record.clear();
  }
  return files;
}

namespace {

bool writeBeside(const fs::path& path, const std::string& bytes, std::string& error) {
  const fs::path tmp = path.string() + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!(out << bytes) || !out.flush()) {
      error = concat({"cannot write ", tmp.string()});
      return false;
    }
  }
  std::error_code ec;
  fs::rename(tmp, path, ec);
  if (ec) error = concat({"cannot rename ", tmp.string(), " to ", path.string(), ": ", ec.message()});
  return !ec;
}

}  // namespace

std::string saveRequestFiles(const RequestFiles& files, const std::string& dir) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  // Under the folder's lock, which the engine takes to claim a request: it
  // finds both files of this request or neither.
  const FolderLock lock(dir);
  std::string error;
  if (!writeBeside(fs::path(dir) / kMarksFileName, files.marks, error) ||
      !writeBeside(fs::path(dir) / kRecordFileName, files.record, error))
    return error;
  return {};
}

Birth birthOf(const BirthRecord& r) {
  return {r.name, r.gender, {r.day, r.month, r.year}, {r.hour, r.minute}, r.pregnancy};
}

BirthRecord recordOf(const Birth& b) {
  BirthRecord r;
  r.day = b.date.day;
  r.month = b.date.month;
  r.year = b.date.year;
  r.hour = b.time.hour;
  r.minute = b.time.minute;
  r.pregnancy = b.pregnancyMonths;
  r.gender = b.gender;
  r.name = b.name;
  return r;
}

}  // namespace vesprin
