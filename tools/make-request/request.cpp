#include "tools/make-request/request.h"

#include "core/cp874.h"
#include "core/sign.h"
#include "core/text.h"
#include "present/handover_files.h"

namespace vesprin {
namespace {

// One line per character, its code-page-874 code; the text's first
// character that the code page cannot hold is the error.
std::string characterCodes(const std::string& utf8, const char* what, std::vector<std::string>& out) {
  std::string text = utf8;
  for (std::size_t p; (p = text.find('\n')) != std::string::npos;) text[p] = '\r';
  const Cp874Encoding enc = utf8ToCp874(text);
  if (!enc.ok())
    return concat({what, " \"", utf8, "\": the character \"", enc.badChar, "\" (byte ",
                   std::to_string(enc.badOffset), ") has no code in code page 874"});
  for (unsigned char c : enc.bytes) out.push_back(std::to_string(c));
  return {};
}

std::string markCode(const MarkStyle& m) {
  return concat({m.white ? "F" : "T", m.dotted ? "D" : "S", std::string(1, static_cast<char>('0' + m.colour))});
}

}  // namespace

std::pair<int, int> januaryPillar(int beYear) {
  const int chineseYear = beYear - 543 - 1;        // January lies before the year's first festival
  const ZodiacOn yearStem = stemAdd(chineseYear - 3, 0);  // CE 4 was the first stem
  constexpr ZodiacBelow kOx = 2;
  return {yearStemRule(yearStem, kOx), kOx};
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

RequestFiles writeRequest(const PrintRequest& r) {
  RequestFiles f;
  std::vector<std::string>& m = f.marks;
  if (r.balance) {
    m.push_back(std::to_string(r.balance->first));
    m.push_back(std::to_string(r.balance->second));
    m.push_back(r.climate);
    for (std::size_t k = 0; k < 2; ++k) {
      const std::string share = k < r.shares.size() ? r.shares[k] : "";
      const Cp874Encoding enc = utf8ToCp874(share);
      if (!enc.ok()) {
        f.error = "climate share \"" + share + "\": the character \"" + enc.badChar +
                  "\" has no code in code page 874";
        return f;
      }
      m.push_back(enc.bytes);
    }
  } else {
    m.insert(m.end(), {"blank", "blank", "blank", "blank", "blank"});
  }
  bool anyMark = false;
  for (const auto& mark : r.marks) anyMark = anyMark || mark.has_value();
  for (const auto& mark : r.marks)
    m.push_back(!anyMark ? "blank" : markCode(mark.value_or(MarkStyle{true, false, 0})));
  for (bool clash : r.clashes) m.push_back(clash ? "T" : "F");
  if (r.powers) {
    std::string line;
    for (int v : *r.powers) line += padded(v, 3);
    m.push_back(line + std::to_string(r.dayMaster));
  } else {
    m.push_back("blank");
  }
  if (r.analysis.empty()) {
    m.push_back("blank");
  } else if (std::string e = characterCodes(r.analysis, "analysis text", m); !e.empty()) {
    f.error = e;
    return f;
  }

  std::vector<std::string>& b = f.record;
  b = {kRecordMarker, r.day, r.month, r.year, r.hour, r.toBeBorn, r.male ? "0" : "1",
       r.preview ? "prev" : "print", padded(r.stripStem, 2) + padded(r.stripBranch, 2),
       std::to_string(r.stripYear), std::to_string(r.stripYear - 543)};
  if (r.name.empty()) {
    b.push_back("blank");
  } else if (std::string e = characterCodes(r.name, "name", b); !e.empty()) {
    f.error = e;
  }
  return f;
}

}  // namespace vesprin
