#pragma once
// The calendar state of a run: the index read at start-up, the one data file
// held in memory, and the current year's pillar, cached by year.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/birth_input.h"
#include "core/calendar_file.h"
#include "core/calendar_file_store.h"
#include "core/calendar_index.h"
#include "core/clock.h"
#include "core/user_interface.h"

namespace vesprin {

struct CurrentYearPillar {
  int year = 0;   // Buddhist Era; 0 until the first cast
  Pillar pillar;  // 0/0 when the calendar holds no line for the date looked up
  // Why the pillar is 0/0 when its calendar file is damaged (the file, the
  // line and what was expected); empty otherwise.
  std::string fileError;
};

// What a search for a data file ended with.
struct DataFileLoad {
  enum class Outcome { Loaded, GaveUp, Unusable } outcome = Outcome::GaveUp;
  std::string path;   // the file now in memory, when Loaded
  std::string error;  // why the file found cannot be used, when Unusable
  bool prompted = false;  // the data-disk prompt was shown
};

class CalendarSession {
 public:
  struct IndexLoad;
  // Finds HOROSCOPE.INI on the search path (in firstDir before all else,
  // when given) and reads it.
  static IndexLoad LoadCalendarIndex(const std::vector<std::string>& searchDirs,
                                     const std::string& firstDir = {});

  CalendarSession(CalendarIndex index, std::vector<std::string> searchDirs, const Clock& clock,
                  UserInterface& ui);

  const CalendarIndex& index() const { return index_; }

  // Data files are looked for in this directory before the usual search path
  // (vesprin-cast with an explicit data directory).
  void lookFirstIn(std::string dir) { firstDir_ = std::move(dir); }
  // A file once found is not searched for again: for a process that casts
  // many births, each as a fresh run, while the files stay where they are.
  void rememberFoundFiles() { rememberFound_ = true; }
  // The current year's pillar is read from its one line (readDayLine) rather
  // than from its file loaded whole, unless that file is the one in memory:
  // for a run that casts one birth, whose current year's file is then parsed
  // for one line. Where the line cannot be read so, the file is loaded whole
  // as otherwise, with its prompts and messages.
  void readCurrentYearLineOnly() { currentYearLineOnly_ = true; }
  const Clock& clock() const { return clock_; }
  // The parsed files, which sessions casting side by side (one a thread) share.
  const std::shared_ptr<CalendarFileStore>& files() const { return files_; }
  void shareFiles(std::shared_ptr<CalendarFileStore> files) { files_ = std::move(files); }
  // A session for a cast on another thread: the same index, search path,
  // clock and settings, the files found and parsed so far shared, and its
  // own user interface; nothing in memory, as a fresh run.
  std::unique_ptr<CalendarSession> sibling(UserInterface& ui) const;

  // Searches the file, prompting for the data disk while it cannot be found
  // (OK for the current-year lookup, Yes/No for the birth year). A file whose
  // path differs from the one in memory replaces it. A file is parsed once
  // per run: a damaged file keeps its reason and is not read again.
  DataFileLoad EnsureDataFileLoaded(const std::string& fileName, PromptButtons buttons);

  // The data file in memory (empty before the first load).
  const CalendarFile& loaded() const { return *loaded_; }

  // The current year's pillar for a cast of this (normalised) birth.
  CurrentYearPillar currentYearPillar(const BirthInput& in);
  const CurrentYearPillar& cachedCurrentYear() const { return cache_; }

  // Back to the state of a new run: nothing in memory, no cached year. Files
  // already parsed stay parsed, since their contents do not change a result;
  // so does, where found files are remembered, a current year's pillar read
  // without a message, for the same date looked up: a new run would read it
  // again from the same file, as silently.
  void startFreshRun();

 private:
  CalendarIndex index_;
  std::vector<std::string> searchDirs_;
  std::string firstDir_;
  bool rememberFound_ = false;
  bool currentYearLineOnly_ = false;
  std::map<std::string, std::string> found_;  // file name -> path, when remembered
  const Clock& clock_;
  UserInterface& ui_;
  std::shared_ptr<const CalendarFile> nothingLoaded_;
  std::shared_ptr<const CalendarFile> loaded_;
  CurrentYearPillar cache_;
  struct KeptYear {
    std::string date;  // the date looked up, "YYYY MM DD"
    CurrentYearPillar pillar;
  };
  std::optional<KeptYear> kept_;
  std::shared_ptr<CalendarFileStore> files_;

  std::string search(const std::string& fileName);
};

struct CalendarSession::IndexLoad {
  std::optional<CalendarIndex> index;
  std::string path;
  std::string error;
};

}  // namespace vesprin
