// vesprin-print: the engine. Started by the companion program (or by hand)
// in a folder where the two hand-over files were written; reads them, casts
// the chart they ask for, prints it on the default printer, previews it or
// writes it to a PDF, and ends.
#ifdef VESPRIN_PRINT_WINDOW
#include <QApplication>
#include <QScreen>
#else
#include <QGuiApplication>
#endif

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#ifdef VESPRIN_PRINT_WINDOW
#include "app/main_window.h"
#endif
#include "app/print_run.h"
#include "app/print_step.h"
#include "app/qt_user_interface.h"
#include "app/sibling_program.h"
#include "app/settings_file.h"
#include "core/clock.h"
#include "core/text_file.h"
#include "present/model/forms.h"
#include "present/model/paper.h"

namespace {
using namespace vesprin;

constexpr int kExitDone = 0;  // printed, previewed or written as asked
constexpr int kExitUsage = 1;
constexpr int kExitRefused = 2;
constexpr int kExitNoIndex = 4;  // the installation cannot serve a request

void usage(std::ostream& out) {
  out << R"(usage: vesprin-print [--pdf FILE] [--paper letter|a4] [--analysis-page]

Claims the print request that the companion program wrote, VesprinPrintAnalyze.DAT
and VesprinPrint.DAT, from the first place that holds VesprinPrint.DAT: the
current directory, else the drive roots of VESPRIN_DRIVES (D, E, F, G, H, then C);
casts the chart and prints the chart sheet on the default printer (or shows the
page preview when the request asks for it), deletes the request, then ends. A
request the installation or the output could not serve is put back.

  --pdf FILE             write the chart sheet to FILE instead of printing or previewing
  --paper letter|a4      the paper: letter as the sheet is laid out (default), or a4
                         with the Letter page scaled to fit and centred
  --analysis-page        the analysis page (A4) follows the chart sheet as a second page
  --help                 this text

Environment:
  VESPRIN_DRIVES      drive roots of the companion's machine, e.g. "D=/media/usb0;C=/srv/handover"
  VESPRIN_DATA_DIR    the data directory (calendar index, calendar files, pictures)
  VESPRIN_TODAY       today's date YYYY-MM-DD (reproducible runs)
  XDG_CONFIG_HOME     where talven.ini is written at the end (default ~/.config)
  XDG_CACHE_HOME      where the pictures' compressed data is kept between runs (default ~/.cache)
  VESPRIN_SHEET_DUMP  a file to receive the printed sheet's values as text
  VESPRIN_TEST_CLAIM_DELAY_MS  test hook: wait that long at the claim (tests of concurrent runs)
  QT_QPA_PLATFORM     offscreen (or no DISPLAY/WAYLAND_DISPLAY): unattended, messages on standard error

Files:
  VesprinPrintAnalyze.DAT, VesprinPrint.DAT   the request (code page 874, at most 1 MiB each), claimed
                                              as .NAME.claimed-PID-N while served, then deleted
  balance.bmp, thermometer.bmp                the balance panel's pictures, on the drive roots
  DATA/HOROSCOPE.INI, DATA/CAL*.DAT           the calendar index and data files
  DATA/pictures/                              the chart sheet's pictures
  chart-sheet.pdf                             the sheet saved in the current directory without a printer
  libexec/vesprin/vesprin-print-window        run in this program's place with a display: its windows
  $XDG_CONFIG_HOME/talven.ini                 Run=False in [Application] at the end
  $XDG_CACHE_HOME/vesprin/pictures/           the pictures' compressed data (may be deleted at any time)
where DATA is the data directory, now )";
  out << dataDirectory() << R"(

Exit status: 0 printed (the queue took the job), previewed or written; 1 bad
arguments; 2 request refused (malformed, too large, cut short, wrong marker, a
birth day its month does not have, no calendar line for the birth: deleted; no
request, or a place without both files as regular files: nothing deleted; with
a display also shown in a message box); 3 the chart sheet saved as a PDF in the
current directory, its path and the cause on standard error (no usable printer,
a queue that did not take the job, or a preview asked for without a display);
4 the installation cannot serve the request (calendar index, a calendar data
file, a sign picture, the program with windows), the request kept; 5 the chart sheet could be neither
printed nor written, the request put back.
)";
}

// Serves the request with the run's start-up, prints, previews or writes
// the sheet, and says why nothing was printed when it was not; the request's
// files are then deleted (the sheet is out, or the request was refused for
// its content) or put back (the run ended without a sheet for another
// cause); the exit status.
// `box`: where a person at the display is shown a refusal; none unattended.
// `analysisPage`: the analysis page follows the chart sheet.
int serveRequest(PrintRun& run, Forms& forms, const std::optional<std::filesystem::path>& pdf, Paper paper,
                 bool analysisPage, UserInterface* box) {
  const bool unattended = box == nullptr;
  const RunOutcome out = run.StartUp();
  for (const std::string& w : out.warnings) std::cerr << "vesprin-print: " << w << '\n';
  int status = kExitRefused;
  RequestEnd end = RequestEnd::Kept;
  bool keptNote = false;
  switch (out.kind) {
    case RunOutcome::Kind::Print: {
      const PrintOutcome printed =
          runPrintStep(forms, out.birth, out.preview, pdf, unattended, std::cerr, paper, analysisPage);
      if (const char* dump = std::getenv("VESPRIN_SHEET_DUMP");
          dump && *dump && printed.result != PrintResult::Failed && printed.result != PrintResult::MissingPictures)
        std::ofstream(dump, std::ios::binary) << printedStateDump(forms);
      status = exitStatusOf(printed);
      const bool sheetOut = printed.result != PrintResult::Failed && printed.result != PrintResult::MissingPictures;
      end = sheetOut ? RequestEnd::Served : RequestEnd::Kept;
      keptNote = !sheetOut;
      break;
    }
    case RunOutcome::Kind::NoIndex:
      std::cerr << "vesprin-print: " << out.cause << '\n';
      status = kExitNoIndex;
      break;
    case RunOutcome::Kind::Installation:
      std::cerr << "vesprin-print: the installation cannot serve the request: " << out.cause << '\n';
      status = kExitNoIndex;
      keptNote = true;
      break;
    case RunOutcome::Kind::Refused:
      reportRefusal(out.cause, std::cerr, box);
      end = RequestEnd::Refused;
      break;
  }
  if (keptNote)
    std::cerr << "vesprin-print: the request is kept where it was found, to be served at the next start\n";
  if (const std::string problem = run.EndRequest(end); !problem.empty())
    std::cerr << "vesprin-print: " << problem << '\n';
  return status;
}

// Qt's own diagnostics are not the administrator's business; what goes
// wrong in a run is said in the run's own words. A fatal message still ends
// the run with its text.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg || type == QtCriticalMsg) std::cerr << "vesprin-print: " << text.toStdString() << '\n';
}

#ifndef VESPRIN_PRINT_WINDOW
// A run with a display shows the main window and message boxes, which need
// Qt Widgets and the print support: those are in vesprin-print-window (this
// source with the windows), beside this program or in the installed libexec
// folder, so that an unattended run does not load them. It runs in place of
// this process with the same arguments, before anything is read.
int runWindowProgram(char** argv) {
  if (const auto failed = runInstead("vesprin-print-window", argv, VESPRIN_RELATIVE_LIBEXEC_DIR, VESPRIN_LIBEXEC_DIR)) {
    std::cerr << "vesprin-print: cannot run " << *failed << " (the program with windows)\n";
    return kExitNoIndex;
  }
  std::cerr << "vesprin-print: the program with windows, vesprin-print-window, is not installed; "
               "set QT_QPA_PLATFORM=offscreen to run unattended\n";
  return kExitNoIndex;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::filesystem::path> pdf;
  Paper paper = Paper::Letter;
  bool analysisPage = false;
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--help" || args[i] == "-h") {
      usage(std::cout);
      return kExitDone;
    }
    if (args[i] == "--pdf" && i + 1 < args.size() && !args[i + 1].empty()) {
      pdf = args[++i];
      continue;
    }
    if (args[i] == "--analysis-page") {
      analysisPage = true;
      continue;
    }
    if (args[i] == "--paper" && i + 1 < args.size()) {
      if (const std::optional<Paper> named = parsePaper(args[i + 1])) {
        paper = *named;
        ++i;
        continue;
      }
    }
    std::cerr << "vesprin-print: "
              << (args[i] == "--pdf"     ? std::string("--pdf needs a file name")
                  : args[i] == "--paper" ? std::string("--paper: expected letter or a4")
                                         : "unknown argument \"" + args[i] + "\"")
              << '\n';
    usage(std::cerr);
    return kExitUsage;
  }
  if (const char* env = std::getenv("VESPRIN_TODAY"); env && *env && !parseIsoDate(env)) {
    std::cerr << "vesprin-print: VESPRIN_TODAY \"" << env << "\": expected a date YYYY-MM-DD\n";
    return kExitUsage;
  }

  // Nobody can answer a message box without a display: run on the offscreen
  // platform, with every message on standard error.
  choosePlatform();
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); !runtime || !*runtime) {
    // Qt wants a private runtime folder and complains on standard error
    // without one; the messages there are meant for the administrator.
    const std::string dir = "/tmp/runtime-" + std::to_string(::getuid());
    ::mkdir(dir.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
  qInstallMessageHandler(quietQt);
  int qtArgc = 1;
  // A run that can show no window needs no widgets: the GUI application
  // starts in a fraction of the widget one's time (no style, no widget
  // machinery), and this program does not even load them. A display that
  // only turns out to be unreachable at start still gets the widget
  // application (of the program with windows), and runs unattended all the same.
  const char* platform = std::getenv("QT_QPA_PLATFORM");
#ifdef VESPRIN_PRINT_WINDOW
  std::unique_ptr<QGuiApplication> app = platform && isUnattendedPlatform(platform)
                                             ? std::make_unique<QGuiApplication>(qtArgc, argv)
                                             : std::make_unique<QApplication>(qtArgc, argv);
#else
  if (!platform || !isUnattendedPlatform(platform)) return runWindowProgram(argv);
  QGuiApplication app(qtArgc, argv);
#endif
  QGuiApplication::setApplicationDisplayName(QString::fromUtf8(kApplicationTitle));
  const bool unattended = runsUnattended();

  // The four windows in their order: the main window, the chart sheet, the
  // analysis window, the analysis page. Only the main window is ever seen.
  Forms forms = makeForms();
  auto drives = DriveMap::fromEnvironment();
  for (const std::string& e : drives.errors) std::cerr << "vesprin-print: " << e << '\n';
  SystemClock clock;
  const auto writeSettings = [] {
    if (const std::string e = writeRunFalse(settingsFilePath()); !e.empty())
      std::cerr << "vesprin-print: settings not written: " << e << '\n';
  };

  if (unattended) {
    // Nobody can see a window here: the run starts at once, without the
    // main window, and ends as a closed window would.
    UnattendedUserInterface ui;
    PrintRun run(forms, ui, clock, std::move(drives.map), defaultSearchDirs());
    const int status = serveRequest(run, forms, pdf, paper, analysisPage, nullptr);
    writeSettings();
    return status;
  }

#ifdef VESPRIN_PRINT_WINDOW
  MainWindow window;
  QtUserInterface ui(window);
  PrintRun run(forms, ui, clock, std::move(drives.map), defaultSearchDirs());
  int status = kExitDone;
  QObject::connect(&window, &MainWindow::firstActivated, [&] {
    status = serveRequest(run, forms, pdf, paper, analysisPage, &ui);
    window.close();  // ends the program
  });
  QObject::connect(&window, &MainWindow::closing, writeSettings);

  if (const QScreen* screen = QGuiApplication::primaryScreen())
    window.move(screen->availableGeometry().center() - window.rect().center());
  window.show();
  const int loop = QGuiApplication::exec();
  return loop == 0 ? status : loop;
#else
  std::cerr << "vesprin-print: the " << QGuiApplication::platformName().toStdString()
            << " platform shows no window\n";  // an unattended platform is unattended
  return kExitNoIndex;
#endif
}
