#pragma once
// The decorations of a client's chart sheet as the book stores them: the
// lines 0 to 22 of the analysis-marks file "VesprinPrintAnalyze.DAT" in
// UTF-8, joined by line feeds (balance panel, the fourteen relationship
// marks, the three clash pictures, the element-group powers; the README
// tables them), and the analysis note apart as plain UTF-8 text. The file's
// own reader and writer do the work, so a client's decorations mean exactly
// what a hand-over of them means.
#include <optional>
#include <string>

#include "present/request/print_request.h"

namespace vesprin {

struct StoredMarks {
  std::string lines;                 // lines 0..22, "\n" between them
  std::optional<std::string> note;   // none: no analysis note
};

StoredMarks storeMarks(const AnalysisMarks& marks);

// The decorations back; an error that names what is wrong when `lines` is not
// what storeMarks writes.
HandoverParse<AnalysisMarks> loadMarks(const StoredMarks& stored);

}  // namespace vesprin
