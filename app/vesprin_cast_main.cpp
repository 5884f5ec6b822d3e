// vesprin-cast: casts births read from standard input, one per line
// "DD MM YYYY HH MM G P", and writes one JSON object per line.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cast_lines.h"
#include "app/cast_request.h"
#include "app/scripted_ui.h"
#include "app/sibling_program.h"
#include "core/calendar_session.h"
#include "core/clock.h"
#include "core/text.h"
#include "core/text_file.h"
#include "present/model/paper.h"
#include "present/texts/user_messages.h"
#include <filesystem>
#include <unistd.h>
#ifdef VESPRIN_WITH_PDF
#include <algorithm>
#include <sstream>

#include "app/progress_bar.h"
#include "app/sheet_pdf.h"
#include "core/birth_input.h"
#endif

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitSomeRefused = 2;
constexpr int kExitNoIndex = 4;
[[maybe_unused]] constexpr int kExitPdfNotWritten = 5;  // only a build with the PDF helper writes one

// --pdf-dir: sheets in hand for each painting thread; the reports follow in order.
[[maybe_unused]] constexpr std::size_t kSheetsInHand = 4;
// --jobs: threads that cast, at most.
constexpr int kMostJobs = 16;  // a painting thread of --pdf-dir holds its own fonts and pictures

void usage(std::ostream& out) {
  out << R"(usage: vesprin-cast [--data-dir DIR] [--today YYYY-MM-DD] [--margin MIN] [--jobs N]
                    [--pdf FILE | --pdf-dir DIR] [--paper a4|letter] [--analysis-page] < births

Casts each birth line of standard input and writes one JSON object per line.
Each line: DD MM YYYY HH MM G P (day, month, Buddhist-Era year, hour 00-23,
minute, gender m/f or ชาย/หญิง, pregnancy months 07-10); blank lines and lines
starting with # are skipped.

  --data-dir DIR       the data directory (HOROSCOPE.INI and the calendar files)
  --today YYYY-MM-DD   today's date, for the current year of the chart
  --margin MIN         warn of a birth within MIN minutes (0-120, default 30) of a
                       large festival or a double-hour edge ("warnings" key)
  --jobs N             cast (with --pdf-dir: paint the sheets) on N threads (1-16;
                       default one a processor, at most 4); the output is the
                       same for any N
  --pdf FILE           exactly one birth line; its chart sheet is written to FILE
  --pdf-dir DIR        a chart sheet for every birth line, in one run, into DIR
                       (made when missing) as "LINE DD-MM-YYYY.pdf": the line's
                       number in the input, at least four digits, and the birth
                       date as given; a line that gives an error object gets no
                       PDF; a progress bar when standard error is a terminal
  --analysis-page      with --pdf or --pdf-dir: the analysis page (A4) follows
                       as a second page
  --paper letter|a4    the PDF's paper: letter as the sheet is laid out (default),
                       or a4 with the Letter page scaled to fit and centred
  --help               this text

Environment:
  VESPRIN_DATA_DIR     the data directory when --data-dir is not given
  VESPRIN_TODAY        today's date when --today is not given
  QT_QPA_PLATFORM      the Qt platform of --pdf and --pdf-dir (default offscreen)

Files: HOROSCOPE.INI and the calendar files CAL*.DAT, looked up under their
name, in the current directory, then in the data directory, now )";
  out << vesprin::dataDirectory() << R"(
(with --data-dir or VESPRIN_DATA_DIR, that directory first); its pictures/ for --pdf.

Exit status: 0 every line cast (and its PDF written); 1 bad options; 2 at least
one line gave an error object (with --pdf or --pdf-dir: no PDF written for it,
also for a day its month does not have, whose JSON carries the notice); 4 the
calendar index missing or unusable; 5 a PDF (or the folder of --pdf-dir) could
not be written.
)";
}

#ifdef VESPRIN_WITH_PDF
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kFlushSize = 1 << 16;

void writeOut(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// --pdf-dir: every birth line of standard input cast and its chart sheet
// written into `dir`, in one process; the JSON lines as without it.
int castLinesToPdfDir(const std::filesystem::path& dir, vesprin::CalendarSession& calendar,
                      vesprin::ScriptedUserInterface& ui, const vesprin::YearList& years,
                      const vesprin::SheetPdfOptions& options, unsigned threads) {
  using namespace vesprin;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (!std::filesystem::is_directory(dir, ec)) {
    std::cerr << "vesprin-cast: --pdf-dir: cannot make the folder " << dir.string() << "\n";
    return kExitPdfNotWritten;
  }
  // The lines are read first: the progress bar counts them, and the names'
  // line numbers take one width.
  struct BirthLine {
    std::size_t number;  // the line's number in the input, from 1
    std::string text;
  };
  std::vector<BirthLine> births;
  std::string input;
  for (std::size_t number = 1; std::getline(std::cin, input); ++number) {
    std::string_view text = input;
    if (number == 1 && text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    text = trimTrailingBlanks(text);
    if (isBirthLine(text)) births.push_back({number, std::string(text)});
  }
  const std::size_t width = std::max<std::size_t>(4, births.empty() ? 1 : std::to_string(births.back().number).size());
  const bool bar = ::isatty(STDERR_FILENO) == 1;
  // The births are cast here, one after another, and their sheets painted
  // and finished on `threads` threads (the casting takes little); one thread
  // paints here too.
  SheetPdfBatch batch(threads <= 1 ? 0 : threads);
  int status = kExitOk;
  std::size_t written = 0, done = 0;
  // Reports of a line, each naming it; on a terminal it takes the bar's line first.
  const auto report = [&](const SheetPdfBatch::Done& d) {
    const BirthLine& b = births[done++];
    if (d.sheet == SheetPdf::Written) ++written;
    else if (d.sheet == SheetPdf::NotWritten) status = kExitPdfNotWritten;
    else if (status == kExitOk) status = kExitSomeRefused;
    std::istringstream lines(d.report);
    for (std::string said; std::getline(lines, said);) {
      const std::string_view text = std::string_view(said).substr(said.starts_with("vesprin-cast: ") ? 14 : 0);
      std::cerr << (bar ? "\r\x1b[K" : "") << "vesprin-cast: line " << b.number << ": " << text << "\n";
    }
    if (bar) drawProgressBar(std::cerr, done, births.size());
  };
  std::string out;
  for (const BirthLine& b : births) {
    // The birth date as given names the file; a line whose fields cannot be
    // read is refused below and names none.
    const CastRequestParse request = parseCastRequest(b.text);
    std::string name = padded(static_cast<int>(b.number), width);
    if (request.birth) {
      const BirthDate& d = request.birth->date;
      name += concat({" ", padded(d.day, 2), "-", padded(d.month, 2), "-", padded(d.year, 4)});
    }
    batch.add(b.text, calendar, ui, years, dir / (name + ".pdf"), out, options);
    out += '\n';
    if (out.size() >= kFlushSize) {
      writeOut(out);
      out.clear();
    }
    while (batch.waiting() > kSheetsInHand * std::max(threads, 1u)) report(*batch.next());
  }
  while (const std::optional<SheetPdfBatch::Done> d = batch.next()) report(*d);
  writeOut(out);
  std::fflush(stdout);
  std::cerr << "vesprin-cast: wrote " << written << " of " << births.size() << " chart sheets into "
            << dir.string() << "\n";
  return status;
}
#endif

#ifndef VESPRIN_WITH_PDF
// The chart sheet needs Qt, which a cast without --pdf must not pay for at
// start: the PDF path is its own program, vesprin-cast-pdf (this source with
// the renderer), beside this one or in the installed libexec folder. It runs
// in place of this process with the same arguments, before any input is read.
int runPdfProgram(char** argv) {
  if (const auto failed = vesprin::runInstead("vesprin-cast-pdf", argv, VESPRIN_RELATIVE_LIBEXEC_DIR, VESPRIN_LIBEXEC_DIR)) {
    std::cerr << "vesprin-cast: --pdf: cannot run " << *failed << "\n";
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
  std::optional<std::string> pdfDir;
  BoundaryRule boundaries;
  bool analysisPage = false;
  std::optional<unsigned> jobs;
  [[maybe_unused]] Paper paper = Paper::Letter;
  bool paperGiven = false;
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--data-dir" || a == "--today" || a == "--pdf" || a == "--pdf-dir" || a == "--paper" ||
         a == "--margin" || a == "--jobs") &&
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
      } else if (a == "--jobs") {
        const bool digits = !v.empty() && v.size() <= 2 && v.find_first_not_of("0123456789") == std::string::npos;
        if (!digits || toInt(v) < 1 || toInt(v) > kMostJobs) {
          std::cerr << "vesprin-cast: --jobs " << quotedExcerpt(v) << ": expected a number of threads 1-"
                    << kMostJobs << "\n";
          return kExitUsage;
        }
        jobs = static_cast<unsigned>(toInt(v));
      } else if (a == "--pdf") {
        pdf = v;
      } else if (a == "--pdf-dir") {
        pdfDir = v;
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
  if (pdf && pdfDir) {
    std::cerr << "vesprin-cast: --pdf FILE and --pdf-dir DIR do not go together\n";
    return kExitUsage;
  }
  if (analysisPage && !pdf && !pdfDir) {
    std::cerr << "vesprin-cast: --analysis-page needs --pdf FILE or --pdf-dir DIR\n";
    return kExitUsage;
  }
  if (paperGiven && !pdf && !pdfDir) {
    std::cerr << "vesprin-cast: --paper is for the chart sheets of --pdf and --pdf-dir\n";
    return kExitUsage;
  }
#ifndef VESPRIN_WITH_PDF
  if (pdf || pdfDir) return runPdfProgram(argv);
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
#ifdef VESPRIN_WITH_PDF
  if (pdfDir)
    return castLinesToPdfDir(*pdfDir, calendar, ui, years, {paper, boundaries, analysisPage},
                             jobs.value_or(defaultCastThreads()));
#endif

  const bool allCast = castLinesToJson(std::cin, stdout, calendar, ui, years, boundaries,
                                       jobs.value_or(defaultCastThreads()));
  std::fflush(stdout);
  return allCast ? kExitOk : kExitSomeRefused;
}
