#include "book/client_csv.h"

#include <array>
#include <optional>

#include "book/client_rules.h"
#include "book/marks_text.h"
#include "core/text.h"

namespace vesprin {
namespace {

constexpr std::array<std::string_view, 10> kColumns = {"name",   "nickname", "phone", "date",        "time",
                                                       "gender", "pregnancy", "note", "decorations", "analysis_note"};
enum Column { kName, kNickname, kPhone, kDate, kTime, kGender, kPregnancy, kNote, kDecorations, kAnalysisNote };
constexpr std::array<Column, 4> kNeeded = {kName, kDate, kTime, kGender};

std::string quoted(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string out = "\"";
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

// One record of the file: its fields and the line it starts on.
struct Record {
  std::vector<std::string> fields;
  std::size_t line = 0;
};

// Splits the text into records; an error names the line of an unclosed quote
// or of a quote in the middle of a field.
std::string splitRecords(std::string_view text, std::vector<Record>& out) {
  std::size_t line = 1, pos = 0;
  while (pos < text.size()) {
    Record r;
    r.line = line;
    std::string field;
    bool done = false;
    while (!done) {
      if (pos < text.size() && text[pos] == '"') {
        const std::size_t opened = line;
        ++pos;
        for (;;) {
          if (pos >= text.size()) return concat({"line ", std::to_string(opened), ": a quoted field is never closed"});
          const char c = text[pos++];
          if (c == '"') {
            if (pos < text.size() && text[pos] == '"') {
              field += '"';
              ++pos;
              continue;
            }
            break;
          }
          if (c == '\n') ++line;
          field += c;
        }
        if (pos < text.size() && text[pos] != ',' && text[pos] != '\r' && text[pos] != '\n')
          return concat({"line ", std::to_string(line), ": text after a closing quote"});
      } else {
        while (pos < text.size() && text[pos] != ',' && text[pos] != '\r' && text[pos] != '\n') {
          if (text[pos] == '"') return concat({"line ", std::to_string(line), ": a quote inside an unquoted field"});
          field += text[pos++];
        }
      }
      r.fields.push_back(std::move(field));
      field.clear();
      if (pos < text.size() && text[pos] == ',') {
        ++pos;
        continue;
      }
      if (pos < text.size() && text[pos] == '\r') ++pos;
      if (pos < text.size() && text[pos] == '\n') ++pos;
      ++line;
      done = true;
    }
    // Blank lines (a trailing line feed, say) hold no client.
    if (!(r.fields.size() == 1 && r.fields[0].empty())) out.push_back(std::move(r));
  }
  return {};
}

}  // namespace

std::string writeClientsCsv(const std::vector<Client>& clients) {
  std::string out;
  for (std::size_t k = 0; k < kColumns.size(); ++k) out += concat({k ? "," : "", kColumns[k]});
  out += "\r\n";
  for (const Client& c : clients) {
    const ClientFields& f = c.fields;
    const StoredMarks marks = storeMarks(f.marks);
    const std::string decorations = f.marks == ClientFields::noDecorations() ? std::string() : marks.lines;
    const std::array<std::string, 10> row = {f.name,
                                             f.nickname,
                                             f.phone,
                                             birthDateText(f.birth),
                                             birthTimeText(f.birth),
                                             genderWord(f.gender),
                                             padded(f.pregnancy, 2),
                                             f.note,
                                             decorations,
                                             marks.note.value_or("")};
    for (std::size_t k = 0; k < row.size(); ++k) out += concat({k ? "," : "", quoted(row[k])});
    out += "\r\n";
  }
  return out;
}

CsvClients readClientsCsv(std::string_view bytes, const YearList& years, const std::string& path) {
  CsvClients result;
  const auto fail = [&](std::size_t line, const std::string& why) {
    result.clients.clear();
    result.lines.clear();
    result.error = concat({path, " line ", std::to_string(line), ": ", why});
    return result;
  };
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);  // a spreadsheet's byte-order mark
  std::vector<Record> records;
  if (std::string e = splitRecords(bytes, records); !e.empty()) {
    result.error = concat({path, " ", e});
    return result;
  }
  if (records.empty()) return fail(1, "no header row (expected " + std::string(kColumns[0]) + ",... )");

  // The header: which column holds what.
  std::array<std::optional<std::size_t>, kColumns.size()> where;
  const Record& header = records.front();
  for (std::size_t k = 0; k < header.fields.size(); ++k) {
    std::string name = header.fields[k];
    while (!name.empty() && name.back() == ' ') name.pop_back();
    std::size_t c = 0;
    while (c < kColumns.size() && kColumns[c] != name) ++c;
    if (c == kColumns.size())
      return fail(header.line, "the header has an unknown column " + quotedExcerpt(name) +
                                   " (columns: name, nickname, phone, date, time, gender, pregnancy, note, "
                                   "decorations, analysis_note)");
    if (where[c]) return fail(header.line, "the header names the column " + name + " twice");
    where[c] = k;
  }
  for (const Column c : kNeeded)
    if (!where[c]) return fail(header.line, concat({"the header has no column ", kColumns[c]}));

  for (std::size_t r = 1; r < records.size(); ++r) {
    const Record& rec = records[r];
    if (rec.fields.size() != header.fields.size())
      return fail(rec.line, concat({std::to_string(rec.fields.size()), " fields, the header has ",
                                    std::to_string(header.fields.size())}));
    const auto field = [&](Column c) -> std::string { return where[c] ? rec.fields[*where[c]] : std::string(); };
    ClientFields f;
    f.name = field(kName);
    f.nickname = field(kNickname);
    f.phone = field(kPhone);
    f.note = field(kNote);
    std::string e = parseBirthDate(field(kDate), f.birth);
    if (e.empty()) e = parseBirthTime(field(kTime), f.birth);
    if (e.empty()) e = parseGender(field(kGender), f.gender);
    if (e.empty() && !field(kPregnancy).empty()) e = parsePregnancy(field(kPregnancy), f.pregnancy);
    if (e.empty() && !field(kDecorations).empty()) {
      std::string lines = field(kDecorations);
      std::erase(lines, '\r');
      const auto marks = loadMarks({lines, std::nullopt});
      if (marks.error) e = "the decorations are not the book's: " + marks.error->message();
      else f.marks = *marks.value;
    }
    if (e.empty() && !field(kAnalysisNote).empty()) f.marks.analysisNote = field(kAnalysisNote);
    if (e.empty()) e = clientFieldsError(f, years);
    if (!e.empty()) return fail(rec.line, e);
    result.clients.push_back(std::move(f));
    result.lines.push_back(rec.line);
  }
  return result;
}

}  // namespace vesprin
