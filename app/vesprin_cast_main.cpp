// vesprin-cast: casts births read from standard input, one per line
// "DD MM YYYY HH MM G P", and writes one JSON object per line.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cast_request.h"
#include "app/scripted_ui.h"
#include "core/calendar_session.h"
#include "core/clock.h"
#include "core/text.h"
#include "core/text_file.h"
#include "present/paper.h"
#include "present/user_messages.h"
#ifdef VESPRIN_WITH_PDF
#include "app/sheet_pdf.h"
#else
#include <filesystem>
#include <unistd.h>
#endif

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitSomeRefused = 2;
constexpr int kExitNoIndex = 4;
[[maybe_unused]] constexpr int kExitPdfNotWritten = 5;  // only a build with the PDF helper writes one

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kFlushSize = 1 << 16;

void usage(std::ostream& out) {
  out << R"(usage: vesprin-cast [--data-dir DIR] [--today YYYY-MM-DD] [--margin MIN]
                    [--pdf FILE [--paper a4|letter] [--analysis-page]] < births

Casts each birth line of standard input and writes one JSON object per line.
Each line: DD MM YYYY HH MM G P (day, month, Buddhist-Era year, hour 00-23,
minute, gender m/f or ชาย/หญิง, pregnancy months 07-10); blank lines and lines
starting with # are skipped.

  --data-dir DIR       the data directory (HOROSCOPE.INI and the calendar files)
  --today YYYY-MM-DD   today's date, for the current year of the chart
  --margin MIN         warn of a birth within MIN minutes (0-120, default 30) of a
                       large festival or a double-hour edge ("warnings" key)
  --pdf FILE           exactly one birth line; its chart sheet is written to FILE
  --analysis-page      with --pdf: the analysis page (A4) follows as a second page
  --paper letter|a4    the PDF's paper: letter as the sheet is laid out (default),
                       or a4 with the Letter page scaled to fit and centred
  --help               this text

Environment:
  VESPRIN_DATA_DIR     the data directory when --data-dir is not given
  VESPRIN_TODAY        today's date when --today is not given
  QT_QPA_PLATFORM      the Qt platform of --pdf (default offscreen)

Files: HOROSCOPE.INI and the calendar files CAL*.DAT, looked up under their
name, in the current directory, then in the data directory, now )";
  out << vesprin::dataDirectory() << R"(
(with --data-dir or VESPRIN_DATA_DIR, that directory first); its pictures/ for --pdf.

Exit status: 0 every line cast (and the PDF written); 1 bad options; 2 at least
one line gave an error object (with --pdf: no PDF written, also for a day its
month does not have, whose JSON carries the notice); 4 the calendar index
missing or unusable; 5 the PDF could not be written.
)";
}

void writeOut(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

#ifndef VESPRIN_WITH_PDF
// The chart sheet needs Qt, which a cast without --pdf must not pay for at
// start: the PDF path is its own program, vesprin-cast-pdf (this source with
// the renderer), beside this one or in the installed libexec folder. It runs
// in place of this process with the same arguments, before any input is read.
int runPdfProgram(char** argv) {
  // Beside this program (a build tree), in the libexec folder beside its
  // bin/ (an installed tree under any prefix, or moved whole), last in the
  // libexec folder of the prefix configured at build time.
  std::vector<std::filesystem::path> candidates;
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    candidates.push_back(self.parent_path() / "vesprin-cast-pdf");
    candidates.push_back((self.parent_path() / VESPRIN_RELATIVE_LIBEXEC_DIR / "vesprin-cast-pdf").lexically_normal());
  }
  candidates.emplace_back(VESPRIN_LIBEXEC_DIR "/vesprin-cast-pdf");
  for (const auto& program : candidates) {
    if (::access(program.c_str(), X_OK) != 0) continue;
    ::execv(program.c_str(), argv);
    std::cerr << "vesprin-cast: --pdf: cannot run " << program.string() << "\n";
    return kExitUsage;
  }
  std::cerr << "vesprin-cast: --pdf: this build has no PDF output (built without Qt 6)\n";
  return kExitUsage;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  using namespace vesprin;
  std::ios::sync_with_stdio(false);
  std::optional<std::string> dataDir;
  std::optional<CivilDate> today;
  std::optional<std::string> pdf;
  BoundaryRule boundaries;
  bool analysisPage = false;
  [[maybe_unused]] Paper paper = Paper::Letter;
  bool paperGiven = false;
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--data-dir" || a == "--today" || a == "--pdf" || a == "--paper" || a == "--margin") &&
        i + 1 < args.size()) {
      const std::string& v = args[++i];
      if (a == "--margin") {
        const bool digits = !v.empty() && v.size() <= 3 && v.find_first_not_of("0123456789") == std::string::npos;
        if (!digits || toInt(v) > kMaxBoundaryMargin) {
          std::cerr << "vesprin-cast: --margin " << quotedExcerpt(v) << ": expected minutes 0-"
                    << kMaxBoundaryMargin << "\n";
          return kExitUsage;
        }
        boundaries.marginMinutes = toInt(v);
      } else if (a == "--pdf") {
        pdf = v;
      } else if (a == "--paper") {
        const std::optional<Paper> named = parsePaper(v);
        if (!named) {
          std::cerr << "vesprin-cast: --paper " << quotedExcerpt(v) << ": expected letter or a4\n";
          return kExitUsage;
        }
        paper = *named;
        paperGiven = true;
      } else if (a == "--data-dir") {
        dataDir = v;
      } else if (!(today = parseIsoDate(v))) {
        std::cerr << "vesprin-cast: --today " << quotedExcerpt(v) << ": expected a date YYYY-MM-DD\n";
        return kExitUsage;
      }
    } else if (a == "--analysis-page") {
      analysisPage = true;
    } else if (a == "--help" || a == "-h") {
      usage(std::cout);
      return kExitOk;
    } else {
      std::cerr << "vesprin-cast: unknown argument " << quotedExcerpt(a) << "\n";
      usage(std::cerr);
      return kExitUsage;
    }
  }
  if (analysisPage && !pdf) {
    std::cerr << "vesprin-cast: --analysis-page needs --pdf FILE\n";
    return kExitUsage;
  }
  if (paperGiven && !pdf) {
    std::cerr << "vesprin-cast: --paper is for the chart sheet of --pdf\n";
    return kExitUsage;
  }
#ifndef VESPRIN_WITH_PDF
  if (pdf) return runPdfProgram(argv);
#endif
  if (!today) {
    if (const char* env = std::getenv("VESPRIN_TODAY"); env && *env && !parseIsoDate(env)) {
      std::cerr << "vesprin-cast: VESPRIN_TODAY " << quotedExcerpt(env)
                << ": expected a date YYYY-MM-DD\n";
      return kExitUsage;
    }
  }

  // A data directory asked for by name is searched before the current
  // directory, so that stale files left there cannot replace it.
  std::vector<std::string> dirs = defaultSearchDirs();
  if (dataDir) dirs.back() = *dataDir;
  std::string firstDir;
  if (dataDir) firstDir = *dataDir;
  else if (const char* env = std::getenv("VESPRIN_DATA_DIR"); env && *env) firstDir = env;

  auto indexLoad = CalendarSession::LoadCalendarIndex(dirs, firstDir);
  if (!indexLoad.index) {
    std::cerr << "vesprin-cast: " << indexLoad.error << " (" << kProgramCannotRun << ")\n";
    return kExitNoIndex;
  }
  const YearList years = indexLoad.index->yearList();

  SystemClock systemClock;
  std::unique_ptr<Clock> fixedClock;
  if (today) fixedClock = std::make_unique<FixedClock>(*today);
  const Clock& clock = fixedClock ? *fixedClock : static_cast<const Clock&>(systemClock);

  ScriptedUserInterface ui;
  CalendarSession calendar(std::move(*indexLoad.index), dirs, clock, ui);
  calendar.lookFirstIn(firstDir);
  calendar.rememberFoundFiles();

  if (pdf) {
#ifdef VESPRIN_WITH_PDF
    // The chart sheet of exactly one birth.
    std::vector<std::string> births;
    bool first = true;
    std::string input;
    while (std::getline(std::cin, input)) {
      std::string_view text = input;
      if (first && text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
      first = false;
      text = trimTrailingBlanks(text);
      if (isBirthLine(text)) births.emplace_back(text);
    }
    if (births.size() != 1) {
      std::cerr << "vesprin-cast: --pdf takes exactly one birth line; standard input holds "
                << births.size() << "\n";
      return kExitUsage;
    }
    std::string json;
    const SheetPdf sheet = castLineToPdf(births.front(), calendar, ui, years, *pdf, json, std::cerr,
                                         {paper, boundaries, analysisPage});
    writeOut(json + '\n');
    std::fflush(stdout);
    return sheet == SheetPdf::Written ? kExitOk : sheet == SheetPdf::NotCast ? kExitSomeRefused : kExitPdfNotWritten;
#endif
  }

  bool refused = false;
  bool firstLine = true;
  std::string line;
  std::string out;
  out.reserve(kFlushSize + (1 << 12));
  while (std::getline(std::cin, line)) {
    std::string_view text = line;
    if (firstLine && text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    firstLine = false;
    text = trimTrailingBlanks(text);
    if (!isBirthLine(text)) continue;
    refused = !castLineToJson(text, calendar, ui, years, out, boundaries) || refused;
    out += '\n';
    if (out.size() >= kFlushSize) {
      writeOut(out);
      out.clear();
    }
  }
  writeOut(out);
  std::fflush(stdout);
  return refused ? kExitSomeRefused : kExitOk;
}
