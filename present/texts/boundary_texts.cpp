#include "present/texts/boundary_texts.h"

#include <cstdlib>

#include "core/text.h"

namespace vesprin {
namespace {

std::string pillarText(Pillar p) { return std::to_string(p.stem.number()) + "/" + std::to_string(p.branch.number()); }

// "07:56" as the sheet writes times: "07.56".
std::string sheetTime(std::string at) {
  if (at.size() == 5 && at[2] == ':') at[2] = '.';
  return at;
}

}  // namespace

std::string boundaryWarningLine(const BoundaryWarning& w) {
  const std::string_view boundary = w.kind == BoundaryKind::Festival ? "สารทใหญ่ " : "เปลี่ยนยาม ";
  const std::string_view side = w.minutes > 0 ? "เกิดก่อน" : w.minutes < 0 ? "เกิดหลัง" : "เกิดตรง";
  const std::string distance = w.minutes == 0 ? "" : " " + std::to_string(std::abs(w.minutes)) + " นาที";
  return concat({side, boundary, sheetTime(w.at), " น.", distance, " · อีกด้าน ปี ", pillarText(w.other.year),
                 " เดือน ", pillarText(w.other.month), " วัน ", pillarText(w.other.day), " ยาม ",
                 pillarText(w.other.time)});
}

std::string boundaryWarningCaption(const std::vector<BoundaryWarning>& warnings) {
  std::string caption;
  for (const BoundaryWarning& w : warnings) {
    if (!caption.empty()) caption += '\r';
    caption += boundaryWarningLine(w);
  }
  return caption;
}

std::string boundaryWarningReport(const BoundaryWarning& w) {
  const std::string_view boundary = w.kind == BoundaryKind::Festival ? "the large festival" : "the double-hour edge";
  const std::string when =
      w.minutes == 0 ? "born at " : concat({"born ", std::to_string(std::abs(w.minutes)), w.minutes == 1 || w.minutes == -1 ? " minute " : " minutes ",
                                            w.minutes > 0 ? "before " : "after "});
  return concat({"warning: ", when, boundary, " at ", w.at, "; on the other side year ", pillarText(w.other.year),
                 ", month ", pillarText(w.other.month), ", day ", pillarText(w.other.day), ", time ",
                 pillarText(w.other.time), " (stem/branch)"});
}

std::string ruleStampText(std::string_view dataFile) {
  const std::size_t slash = dataFile.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? dataFile : dataFile.substr(slash + 1);
  return concat({"วันจีนเริ่ม 23.00 น. · ปฏิทิน ", name});
}

}  // namespace vesprin
