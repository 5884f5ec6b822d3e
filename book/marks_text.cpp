#include "book/marks_text.h"

#include <vector>

namespace vesprin {
namespace {

constexpr std::size_t kStoredLines = kMarksMinLines - 1;  // the note's first line is not stored

}  // namespace

StoredMarks storeMarks(const AnalysisMarks& marks) {
  PrintRequest request;
  request.marks = marks;
  request.marks.analysisNote.reset();  // kept apart, as text
  const std::vector<std::string> lines = requestLines(request).marks;
  StoredMarks out;
  for (std::size_t k = 0; k < kStoredLines && k < lines.size(); ++k) {
    if (k) out.lines += '\n';
    out.lines += lines[k];
  }
  out.note = marks.analysisNote;
  return out;
}

HandoverParse<AnalysisMarks> loadMarks(const StoredMarks& stored) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t p; (p = stored.lines.find('\n', start)) != std::string::npos; start = p + 1)
    lines.push_back(stored.lines.substr(start, p - start));
  lines.push_back(stored.lines.substr(start));
  if (lines.size() != kStoredLines)
    return {{}, HandoverError{"decorations", std::nullopt,
                              std::to_string(kStoredLines) + " lines, found " + std::to_string(lines.size())}};
  lines.emplace_back("blank");
  HandoverParse<AnalysisMarks> parsed = parseAnalysisMarks(lines, "decorations");
  if (parsed.value && stored.note && !stored.note->empty()) parsed.value->analysisNote = stored.note;
  return parsed;
}

}  // namespace vesprin
