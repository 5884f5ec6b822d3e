#pragma once
// The calendar data files parsed in a run, by path: each file is parsed once
// however many casts (and threads casting) ask for it, and a damaged file
// keeps its reason and is not read again. Files do not change while a run
// lasts, so what one cast found holds for every other.
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "core/calendar_file.h"

namespace vesprin {

class CalendarFileStore {
 public:
  struct Entry {
    std::shared_ptr<const CalendarFile> file;  // none when the file cannot be used
    std::string error;                         // why, when it cannot
  };

  // The file at `path`, parsed on the first ask. Safe to call from several
  // threads: one parses while the others asking for the same file wait.
  const Entry& get(const std::string& path);
  // Whether the file has been asked for already (parsed or found damaged).
  bool known(const std::string& path);

 private:
  struct Slot {
    std::once_flag once;
    Entry entry;
  };
  std::mutex mutex_;
  std::map<std::string, std::unique_ptr<Slot>, std::less<>> slots_;
};

}  // namespace vesprin
