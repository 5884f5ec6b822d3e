#include "desk/sheet_builder.h"

#include "core/text.h"
#include "present/binding/print_steps.h"

namespace vesprin {

namespace {

// The name changes no result of the cast the builder keeps.
bool sameBirth(const Birth& a, const Birth& b) {
  return a.gender == b.gender && a.date == b.date && a.time == b.time && a.pregnancyMonths == b.pregnancyMonths;
}

}  // namespace

SheetBuilder::SheetBuilder(std::vector<std::string> searchDirs, const Clock& clock, DriveMap pictureRoots)
    : searchDirs_(std::move(searchDirs)), clock_(clock), pictureRoots_(std::move(pictureRoots)) {
  auto index = CalendarSession::LoadCalendarIndex(searchDirs_);
  if (!index.index) {
    indexError_ = index.error;
    return;
  }
  years_ = index.index->yearList();
  calendar_ = std::make_unique<CalendarSession>(std::move(*index.index), searchDirs_, clock_, ui_);
}

const CastOutcome* SheetBuilder::castOf(const BirthRecord& record) {
  if (!calendar_) return nullptr;
  const Birth birth = birthOf(record);
  if (castBirth_ && sameBirth(*castBirth_, birth)) return &cast_;
  // As a fresh run casts it: nothing carried over but the files already read.
  calendar_->startFreshRun();
  ui_.messages.clear();
  cast_ = CastChart(*calendar_, ui_, birth, std::nullopt, boundaries_);
  castBirth_ = birth;
  return &cast_;
}

void SheetBuilder::setBoundaryRule(const BoundaryRule& rule) {
  boundaries_ = rule;
  castBirth_.reset();  // the kept cast has the old rule's warnings
}

BuiltSheet SheetBuilder::build(const PrintRequest& request) const {
  BuiltSheet built;
  auto forms = std::make_unique<Forms>(makeForms());
  ScriptedUserInterface ui;
  PrintRun run(*forms, ui, clock_, pictureRoots_, searchDirs_);
  run.setBoundaryRule(boundaries_);
  built.outcome = run.StartUp(request);
  built.messages = ui.messages;
  if (built.outcome.kind != RunOutcome::Kind::Print) return built;
  prepareChartSheetForPrint(*forms);
  built.forms = std::move(forms);
  return built;
}

}  // namespace vesprin
