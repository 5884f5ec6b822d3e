// The hand-over reader as the engine runs it: both request files written onto
// a mapped drive root, taken (read, decoded from code page 874, deleted),
// parsed against the shipped calendar's years and bound onto fresh forms.
// The request is claimed as the engine claims it, then deleted.
// The input is the analysis-marks file, a line "--8<--", then the birth
// record; without that line the whole input is the marks file and the record
// is missing (no request: the lone file stays). Whatever the bytes, the reader
// either refuses with a file and a cause or gives values the forms accept, and
// every file it claims is gone once the claim is finished.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/calendar_session.h"
#include "present/binding/bind_handover.h"
#include "present/model/forms.h"
#include "present/request/handover_files.h"
#include "present/request/print_request.h"

using namespace vesprin;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCut = "--8<--\n";

struct Scene {
  YearList years;
  fs::path root = fs::temp_directory_path() / ("vesprin-fuzz-handover-" + std::to_string(::getpid()));
  DriveMap drives = DriveMap::parse("D=" + root.string()).map;
  Scene() {
    auto load = CalendarSession::LoadCalendarIndex({VESPRIN_SOURCE_DATA_DIR});
    if (!load.index) std::abort();
    years = load.index->yearList();
    fs::create_directories(root);
  }
  ~Scene() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  fs::path at(const char* name) const { return root / name; }
};

void write(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Scene scene;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find(kCut);
  // Each file ends its last line, as the companion's do: a file cut short is
  // refused before it is parsed, and the parsers are what is fuzzed here.
  const auto ended = [](std::string_view bytes) {
    return std::string(bytes) + (bytes.empty() || bytes.back() == '\n' ? "" : "\n");
  };
  write(scene.at(kMarksFileName), ended(input.substr(0, cut)));
  if (cut != std::string_view::npos) write(scene.at(kRecordFileName), ended(input.substr(cut + kCut.size())));

  RequestSearch search = claimRequest(scene.drives);
  if (cut == std::string_view::npos) {
    // A lone marks file: no request, and the file is left as it is.
    check(!search.found && !search.claimed && fs::exists(scene.at(kMarksFileName)));
    fs::remove(scene.at(kMarksFileName));
    return 0;
  }
  check(search.claimed != nullptr);
  ClaimedRequest& claim = *search.claimed;
  if (!claim.fault().empty()) {
    check(claim.finish(RequestEnd::Refused).empty() && fs::is_empty(scene.root));
    return 0;
  }
  Forms forms = makeForms();
  const auto marks = parseAnalysisMarks(claim.marksLines(), claim.marksPath());
  check(marks.value.has_value() != marks.error.has_value());
  if (marks.error) check(marks.error->file == scene.at(kMarksFileName) && !marks.error->message().empty());
  if (marks.value) bindAnalysisMarks(forms, *marks.value, {});
  const auto record = parseBirthRecord(claim.recordLines(), claim.recordPath(), scene.years);
  check(record.value.has_value() != record.error.has_value());
  if (record.error) check(record.error->file == scene.at(kRecordFileName) && !record.error->message().empty());
  if (record.value) {
    const BirthRecord& b = *record.value;
    check(b.month >= 1 && b.month <= 12 && b.day >= 1 && b.day <= 31 && b.hour >= 0 && b.hour <= 23 &&
          b.pregnancy >= 7 && b.pregnancy <= 10);
    bindBirthRecord(forms.main, b);
    // What was read, written again, reads back the same (unless it holds a
    // character that code page 874 has no code for, which no writer sends).
    if (marks.value) {
      const PrintRequest request{b, *marks.value};
      const RequestFiles again = writePrintRequest(request);
      if (again.error.empty()) {
        const auto m = parseAnalysisMarks(decodeRequestFile(again.marks), "m");
        const auto r = parseBirthRecord(decodeRequestFile(again.record), "r", scene.years);
        check(m.value && r.value && PrintRequest{*r.value, *m.value} == request);
      }
    }
  }
  check(claim.finish(RequestEnd::Refused).empty() && fs::is_empty(scene.root));
  return 0;
}
