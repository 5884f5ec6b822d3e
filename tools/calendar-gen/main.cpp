// calendar-gen: writes the calendar index HOROSCOPE.INI and the calendar data files.
//
//   calendar-gen [--only NAME] OUTDIR
//   calendar-gen --terms FIRST LAST
//
// With --only, just the one named file (a data file or HOROSCOPE.INI) is written. --terms lists
// the solar terms of the Christian-Era years FIRST..LAST with their instants to the millisecond,
// for comparison with other ephemerides (crosscheck.py).
#include "calendar_file.h"
#include "solar_term.h"
#include "thai_time.h"

#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

using namespace calendar_gen;

namespace {

constexpr const char* kIndexName = "HOROSCOPE.INI";

void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);  // binary: the CRLF line ends are written as they are
  out << text;
  out.close();
  if (!out) throw std::runtime_error("cannot write file " + path.string());
}

// One line per term: longitude, UT instant, Delta T in seconds, Thai civil date and minute.
void printTerms(int firstYear, int lastYear) {
  for (const SolarTerm& t : solarTerms(firstYear, lastYear)) {
    const double utSeconds = (t.jdUt - kUnixEpochJd) * 86400.0;
    const auto day = static_cast<std::int64_t>(std::floor(utSeconds / 86400.0));
    const double secondOfDay = utSeconds - static_cast<double>(day) * 86400.0;
    const CivilDate ut = civilFromDays(day);
    const ThaiMinute thai = thaiMinute(t.jdUt);
    const CivilDate thaiDate = civilFromDays(thai.day);
    std::printf("%3d %04d-%02d-%02dT%02d:%02d:%06.3f %8.3f %04d-%02d-%02d %02d:%02d\n", t.longitude, ut.year, ut.month,
                ut.day, static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60) % 60,
                std::fmod(secondOfDay, 60.0), (t.jdTt - t.jdUt) * 86400.0, thaiDate.year, thaiDate.month,
                thaiDate.day, thai.hour, thai.minute);
  }
}

int usage() {
  std::cerr << "usage: calendar-gen [--only NAME] OUTDIR\n"
               "       calendar-gen --terms FIRST LAST   (Christian-Era years)\n"
               "  writes " << kIndexName << " and the calendar data files into OUTDIR;\n"
               "  --only NAME writes only that one file (" << kIndexName << " or a data file such as "
            << calendarFiles().front().name() << ")\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string only;
  std::filesystem::path outDir;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--terms" && i + 2 < argc) {
      try {
        printTerms(std::stoi(argv[i + 1]), std::stoi(argv[i + 2]));
      } catch (const std::exception& e) {
        std::cerr << "calendar-gen: " << e.what() << "\n";
        return 1;
      }
      return 0;
    }
    if (arg == "--only" && i + 1 < argc) only = argv[++i];
    else if (!arg.empty() && arg[0] != '-' && outDir.empty()) outDir = arg;
    else return usage();
  }
  if (outDir.empty()) return usage();

  try {
    const std::vector<CalendarFile> files = calendarFiles();
    std::vector<CalendarFile> wanted;
    for (const CalendarFile& f : files)
      if (only.empty() || only == f.name()) wanted.push_back(f);
    const bool wantIndex = only.empty() || only == kIndexName;
    if (!wantIndex && wanted.empty()) {
      std::cerr << "calendar-gen: no file named " << only << "\n";
      return usage();
    }
    if (!tzDatabaseAvailable())
      std::cerr << "calendar-gen: note: no Asia/Bangkok zone in the system's tz database; "
                   "Thai civil time comes from the built-in offsets unchecked\n";

    std::filesystem::create_directories(outDir);
    if (wantIndex) writeFile(outDir / kIndexName, indexText(files));
    if (!wanted.empty()) {
      // One walk over the days of all wanted files; the terms start a year before the first day so
      // that the walk begins at a New Year term with the year and month pillars known.
      const std::int64_t first = wanted.front().firstDay(), last = wanted.back().lastDay();
      const std::vector<SolarTerm> terms = solarTerms(civilFromDays(first).year - 1, civilFromDays(last).year + 1);
      const std::vector<CalendarDay> days = calendarDays(terms, first, last);
      for (const CalendarFile& f : wanted) writeFile(outDir / f.name(), dataFileText(f, days));
    }
    swe_close();
  } catch (const std::exception& e) {
    std::cerr << "calendar-gen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
