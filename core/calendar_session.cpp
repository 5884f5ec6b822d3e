#include "core/calendar_session.h"

#include "core/text.h"
#include "core/text_file.h"

namespace vesprin {

CalendarSession::IndexLoad CalendarSession::LoadCalendarIndex(
    const std::vector<std::string>& searchDirs, const std::string& firstDir) {
  IndexLoad r;
  r.path = searchFile("HOROSCOPE.INI", firstDir, searchDirs);
  if (r.path.empty()) {
    r.error = "calendar index HOROSCOPE.INI not found";
    return r;
  }
  auto lines = readTextLines(r.path);
  if (!lines) {
    r.error = "cannot read calendar index " + r.path;
    return r;
  }
  auto parsed = CalendarIndex::parse(*lines);
  if (!parsed.index) {
    r.error = "calendar index " + r.path + " is unusable: " + parsed.error;
    return r;
  }
  r.index = std::move(parsed.index);
  return r;
}

CalendarSession::CalendarSession(CalendarIndex index, std::vector<std::string> searchDirs,
                                 const Clock& clock, UserInterface& ui)
    : index_(std::move(index)),
      searchDirs_(std::move(searchDirs)),
      clock_(clock),
      ui_(ui),
      nothingLoaded_(std::make_shared<const CalendarFile>()),
      loaded_(nothingLoaded_),
      files_(std::make_shared<CalendarFileStore>()) {}

std::unique_ptr<CalendarSession> CalendarSession::sibling(UserInterface& ui) const {
  auto s = std::make_unique<CalendarSession>(index_, searchDirs_, clock_, ui);
  s->firstDir_ = firstDir_;
  s->rememberFound_ = rememberFound_;
  s->currentYearLineOnly_ = currentYearLineOnly_;
  s->found_ = found_;
  s->kept_ = kept_;
  s->files_ = files_;
  return s;
}

void CalendarSession::startFreshRun() {
  loaded_ = nothingLoaded_;
  cache_ = {};
}

std::string CalendarSession::search(const std::string& fileName) {
  if (!rememberFound_) return searchFile(fileName, firstDir_, searchDirs_);
  if (auto it = found_.find(fileName); it != found_.end()) return it->second;
  std::string path = searchFile(fileName, firstDir_, searchDirs_);
  if (!path.empty()) found_.emplace(fileName, path);
  return path;
}

DataFileLoad CalendarSession::EnsureDataFileLoaded(const std::string& fileName,
                                                   PromptButtons buttons) {
  DataFileLoad r;
  ui_.busyCursor(false);
  ui_.calendarState(CalendarState::Searching);
  std::string path = search(fileName);
  while (path.empty()) {
    r.prompted = true;
    if (!ui_.askForDataDisk(fileName, buttons)) break;
    path = search(fileName);
  }
  if (path.empty()) {
    r.outcome = DataFileLoad::Outcome::GaveUp;
  } else if (path == loaded_->path()) {
    r.outcome = DataFileLoad::Outcome::Loaded;  // the lines in memory serve as they are
    r.path = path;
  } else {
    ui_.busyCursor(true);
    const CalendarFileStore::Entry& entry = files_->get(path);
    ui_.busyCursor(false);
    if (entry.file) {
      loaded_ = entry.file;
      r.outcome = DataFileLoad::Outcome::Loaded;
      r.path = path;
    } else {
      // A damaged file is not kept in memory: nothing may be read from it.
      r.error = entry.error;
      loaded_ = nothingLoaded_;
      r.outcome = DataFileLoad::Outcome::Unusable;
    }
  }
  ui_.calendarState(CalendarState::Ready);
  return r;
}

CurrentYearPillar CalendarSession::currentYearPillar(const BirthInput& in) {
  const CivilDate today = clock_.today();
  int year = buddhistEraYear(today.year);
  // January and February are looked up in March of the same year, so that the
  // Chinese new year of early February never splits the calendar year.
  BirthDate lookUp{today.day, today.month <= 2 ? 3 : today.month, year};
  // A birth after today (a chart cast ahead) looks up its own date instead.
  const bool castAhead = year < in.date.year;
  if (castAhead) {
    lookUp = in.date;
    year = in.date.year;
  }
  if (cache_.year == year) return cache_;
  std::string date = dateTextOf(lookUp);
  if (kept_ && kept_->date == date) return cache_ = kept_->pillar;

  const std::string fileName = index_.DataFileForYear(year);
  if (currentYearLineOnly_) {
    if (const std::string path = search(fileName); !path.empty() && path != loaded_->path() &&
                                                   !files_->known(path)) {
      if (const std::optional<CalendarDay> line = readDayLine(path, date))
        return cache_ = CurrentYearPillar{year, line->year, {}};
    }
  }
  const DataFileLoad load = EnsureDataFileLoaded(fileName, PromptButtons::Ok);
  CurrentYearPillar result{year, {}, {}};
  if (loaded_->empty()) {
    ui_.castError();
    if (load.outcome == DataFileLoad::Outcome::Unusable) result.fileError = load.error;
  } else if (auto pos = loaded_->findDate(date)) {
    result.pillar = loaded_->day(*pos).year;
  }
  cache_ = result;  // also when the file was given up: the year is not asked again
  // Only a lookup that showed nothing is kept beyond this run, one that asked
  // for the data disk or reported an error must do so in every run; and only
  // where found files are remembered, so that no run would look again. A
  // chart cast ahead does not displace today's lookup, which most casts share.
  if (rememberFound_ && !castAhead && load.outcome == DataFileLoad::Outcome::Loaded && !load.prompted &&
      !loaded_->empty())
    kept_ = KeptYear{std::move(date), result};
  return cache_;
}

}  // namespace vesprin
