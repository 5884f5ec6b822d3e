#include "app/print_run.h"

#include <filesystem>
#include <functional>

#include "app/cast_pipeline.h"
#include "core/birth_input.h"
#include "core/text.h"
#include "present/binding/bind_handover.h"
#include "present/model/form_dump.h"
#include "present/request/handover_files.h"
#include "present/request/print_request.h"
#include "present/texts/birth_texts.h"
#include "present/texts/boundary_texts.h"
#include "present/texts/user_messages.h"

namespace vesprin {
namespace {

constexpr const char* kVersionAtStartUp = "TALVEN Vesprin 3.00 PRO";

RunOutcome refused(std::string cause, std::vector<std::string> warnings = {}) {
  return {RunOutcome::Kind::Refused, std::move(cause), std::move(warnings), false, {}};
}

std::string notFound(const char* name, const DriveMap& drives) {
  std::string where = "the current directory";
  for (const std::string& root : drives.searchRoots()) where += ", " + root;
  return concat({name, " not found in ", where, drives.searchRoots().empty() ? " (VESPRIN_DRIVES maps no drive)" : ""});
}

// A cast that fails for want of a sound installation rather than for the
// request: the data file missing or damaged, or no calendar for today.
bool installationFault(const CastOutcome& out) {
  switch (out.status) {
    case CastOutcome::Status::GaveUp:
    case CastOutcome::Status::Unusable:
      return true;
    case CastOutcome::Status::CyclesUnknown:
      return !out.result.currentYear.pillar.ok() || !out.result.currentYear.fileError.empty();
    case CastOutcome::Status::Cast:
    case CastOutcome::Status::NoBirthLine:
      break;
  }
  return false;
}

// Why the request's chart cannot be printed, in English with the Thai message
// the cast showed for it.
std::string castRefusal(const CastOutcome& out, const std::string& birth) {
  std::string why = out.error;
  if (out.status == CastOutcome::Status::GaveUp && why.rfind("calendar data file ", 0) == 0)
    why += concat({" (", kInsertDataDisk, why.substr(19, why.find(' ', 19) - 19), ")"});
  return concat({"the chart of ", birth, " cannot be cast: ", why});
}

}  // namespace

std::string printedStateDump(const Forms& forms) {
  std::string out = dumpForm(forms.chartSheet);
  out += "[TFormHoroscope]\n";
  for (const char* field : {"EditName", "ComboBoxGender", "ComboBoxdd", "ComboBoxmm", "ComboBoxyy",
                            "ComboBoxth", "ComboBoxtm", "ComboBoxToBeBorn"})
    out += concat({field, " \"", forms.main.caption(field), "\"\n"});
  out += concat({"CheckBoxPagePreview ", forms.main.at("CheckBoxPagePreview").checked ? "checked" : "unchecked", "\n"});
  return out;
}

std::string birthText(const Birth& b) {
  return concat({padded(b.date.day, 2), "/", padded(b.date.month, 2), "/", padded(b.date.year, 4), " ",
                 padded(b.time.hour, 2), " h"});
}

PrintRun::PrintRun(Forms& forms, UserInterface& ui, const Clock& clock, DriveMap drives,
                   std::vector<std::string> searchDirs)
    : forms_(forms), ui_(ui), clock_(clock), drives_(std::move(drives)), searchDirs_(std::move(searchDirs)) {}

PrintRun::~PrintRun() = default;

RunOutcome PrintRun::StartUp() {
  return StartUpThen([this] { return ApplyPrintRequest(); });
}

RunOutcome PrintRun::StartUp(const PrintRequest& request) {
  return StartUpThen([&] { return ServeRequest(request); });
}

RunOutcome PrintRun::StartUpThen(const std::function<RunOutcome()>& serve) {
  Form& main = forms_.main;
  if (main.caption("LabelCurrentDataCalendar") != "CurrentDataCalendar")
    return refused("the start-up has already run");
  // 1. Hourglass; the chart sheet's margins are those of its page setup.
  ui_.busyCursor(true);

  // 2. Calendar index and year list; without an index the program cannot run.
  auto index = CalendarSession::LoadCalendarIndex(searchDirs_);
  if (!index.index) {
    ui_.busyCursor(false);
    ui_.error(kProgramCannotRun);
    return {RunOutcome::Kind::NoIndex, concat({index.error, " (", kProgramCannotRun, ")"}), {}, false, {}};
  }
  years_ = index.index->yearList();
  main["ComboBoxyy"].caption = std::to_string(years_.defaultYear);
  calendar_ = std::make_unique<CalendarSession>(std::move(*index.index), searchDirs_, clock_, ui_);
  // One request a run: the current year's pillar is all it reads of that
  // year's file, unless a cast loads the file anyway.
  calendar_->readCurrentYearLineOnly();

  // 3, 4. Panel hints, version label, no analysis note yet.
  main["PanelHoro"].hint = kBirthYearRule;
  main["Panelnnssddmmyyyytt"].hint = kMakerCredit;
  forms_.chartSheet["QRLabelVersion"].caption = kVersionAtStartUp;
  main["LabelAn"].caption.clear();

  // 5. The print request.
  RunOutcome out = serve();
  ui_.busyCursor(false);
  return out;
}

RunOutcome PrintRun::ApplyPrintRequest() {
  forms_.main["LabelAn"].caption.clear();
  RequestSearch search = claimRequest(drives_);
  std::vector<std::string> warnings = std::move(search.notes);
  if (!search.claimed)
    return refused(search.found ? search.refusal : "no request: " + notFound(kRecordFileName, drives_), warnings);

  // From here the request is this run's: judged on its content, it is
  // deleted when refused, so that a bad request is not served again.
  claim_ = std::move(search.claimed);
  if (!claim_->fault().empty()) return refused(claim_->fault(), warnings);
  auto marks = parseAnalysisMarks(claim_->marksLines(), claim_->marksPath());
  if (marks.error) return refused(marks.error->message(), warnings);
  auto record = parseBirthRecord(claim_->recordLines(), claim_->recordPath(), years_);
  if (record.error) return refused(record.error->message(), warnings);

  RunOutcome out = ServeRequest({*record.value, *marks.value}, claim_->recordLines());
  out.warnings.insert(out.warnings.begin(), warnings.begin(), warnings.end());
  return out;
}

std::string PrintRun::EndRequest(RequestEnd end) {
  if (!claim_) return {};
  std::string problem = claim_->finish(end);
  claim_.reset();
  return problem;
}

RunOutcome PrintRun::ServeRequest(const PrintRequest& request, std::vector<std::string> recordLines) {
  // A request given as a value has not been through the record's reader,
  // which refuses a day its month does not have.
  const BirthRecord& b = request.birth;
  if (!birthDateExists(b.day, b.month, b.year))
    return refused(concat({"the birth date ", padded(b.day, 2), "/", padded(b.month, 2), "/", std::to_string(b.year),
                           " does not exist (", kInvalidBirthDate, ")"}));
  // The memo holds the record file, as it came; a request that came as a
  // value gets the lines its file would hold. The cast takes the birth and
  // the month strip from the request itself.
  forms_.main["MemoVesprinPrint"].lines =
      recordLines.empty() ? requestLines(request).record : std::move(recordLines);
  // The marks onto the chart sheet.
  bindAnalysisMarks(forms_, request.marks, drives_.searchRoots());

  // The warm-up cast loads the data files the request is likely to need. Its
  // chart is never printed: the request's own cast must succeed or the
  // request is refused.
  // A birth record carries the hour alone: unless told otherwise, a large
  // festival inside the birth's double hour is the one boundary worth a warning.
  CastPipeline pipeline(*calendar_, forms_, ui_, boundaries_);
  pipeline.setAnalysisNote(request.marks.analysisNote.value_or(std::string()));
  setWarmUpInputs(forms_.main);
  pipeline.Cast(warmUpBirth(), b.strip);

  bindBirthRecord(forms_.main, b);
  const Birth birth = birthOf(b);
  const CastOutcome cast = pipeline.Cast(birth, b.strip);
  if (cast.status != CastOutcome::Status::Cast) {
    RunOutcome out = refused(castRefusal(cast, birthText(birth)));
    if (installationFault(cast)) out.kind = RunOutcome::Kind::Installation;
    return out;
  }
  // The sheet carries the warning; the administrator reads it here too.
  std::vector<std::string> warnings;
  for (const BoundaryWarning& w : cast.result.warnings) warnings.push_back(boundaryWarningReport(w));
  Birth shown = cast.result.input.entered;
  shown.name = cast.result.input.name;
  return {RunOutcome::Kind::Print, {}, std::move(warnings), request.birth.preview, std::move(shown)};
}

}  // namespace vesprin
