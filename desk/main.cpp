// vesprin-desk: the companion on the astrologer's desk. A birth typed into
// the form shows its chart sheet at once; decorations are added by hand or
// taken from the chart; the sheet is printed, saved as a PDF, or handed over
// to an engine on another machine as the two request files.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTranslator>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "core/calendar_session.h"
#include "core/clock.h"
#include "core/text_file.h"
#include "desk/desk_window.h"
#ifdef VESPRIN_DESK_BOOK
#include "book/book_file.h"
#include "desk/desk_with_book.h"
#endif
#include "present/request/drive_map.h"
#include "present/texts/user_messages.h"

namespace {
using namespace vesprin;

constexpr int kExitDone = 0;
constexpr int kExitUsage = 1;
constexpr int kExitNoIndex = 4;

void usage(std::ostream& out) {
  out << R"(usage: vesprin-desk [--book FILE] [--help]

The astrologer's desk: type a birth, see its chart sheet, decorate it, print it
on the default printer (Ctrl+P) or another (Ctrl+Shift+P), save it as a PDF
(Ctrl+Shift+S), write the two hand-over files for an engine on another machine
(Ctrl+Shift+H). Enter refreshes, Ctrl+S saves the client, Ctrl+Q quits.

  --book FILE   the client book listed at the side (default $VESPRIN_BOOK,
                else $XDG_DATA_HOME/vesprin/clients.sqlite)

Environment:
  VESPRIN_DATA_DIR   the data directory (calendar index, calendar files, pictures)
  VESPRIN_TODAY      today's date YYYY-MM-DD (the current year of the chart)
  VESPRIN_BOOK       the client book when --book is not given (default
                     $XDG_DATA_HOME/vesprin/clients.sqlite)
  LANGUAGE, LC_ALL, LANG   Thai unless the locale asks for English
Data directory now: )" << dataDirectory() << R"(

Exit status: 0 closed; 1 bad arguments; 4 calendar index missing or unusable.
)";
}

// Thai unless the locale is English: the desk is written for Thai astrologers.
void installTranslations(QApplication& app) {
  if (QLocale().language() == QLocale::English) return;
  auto* desk = new QTranslator(&app);
  if (desk->load(QStringLiteral(":/i18n/vesprin-desk_th.qm"))) app.installTranslator(desk);
  auto* qt = new QTranslator(&app);
  if (qt->load(QStringLiteral("qtbase_th"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(qt);
}


}  // namespace

int main(int argc, char** argv) {
  std::string book;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      usage(std::cout);
      return kExitDone;
    }
    if (a == "--book" && i + 1 < argc && *argv[i + 1]) {
      book = argv[++i];
      continue;
    }
    std::cerr << "vesprin-desk: unknown argument \"" << a << "\"\n";
    usage(std::cerr);
    return kExitUsage;
  }
  if (const char* env = std::getenv("VESPRIN_TODAY"); env && *env && !parseIsoDate(env)) {
    std::cerr << "vesprin-desk: VESPRIN_TODAY \"" << env << "\": expected a date YYYY-MM-DD\n";
    return kExitUsage;
  }
  QApplication app(argc, argv);
  // The desk's settings (the paper): $XDG_CONFIG_HOME/Vesprin/vesprin-desk.conf.
  QApplication::setOrganizationName(QStringLiteral("Vesprin"));
  QApplication::setApplicationName(QStringLiteral("vesprin-desk"));
  installTranslations(app);

  SystemClock clock;
  // The balance panel's pictures come from the drive roots in a driven run;
  // on the desk they are the data directory's own.
  const std::string pictures = (std::filesystem::path(dataDirectory()) / "pictures").string();
  SheetBuilder builder(defaultSearchDirs(), clock, DriveMap::parse("D=" + pictures).map);
  if (!builder.indexError().empty()) {
    std::cerr << "vesprin-desk: " << builder.indexError() << '\n';
    QMessageBox::critical(nullptr, QStringLiteral("Vesprin"),
                          QString::fromUtf8(kProgramCannotRun) + QStringLiteral("\n") +
                              QString::fromStdString(builder.indexError()));
    return kExitNoIndex;
  }
  DeskWindow window(builder);
#ifdef VESPRIN_DESK_BOOK
  // The client book at the left of the form; without it the desk works on,
  // and says why on standard error.
  QString bookError;
  if (auto opened = ClientPanel::open(book.empty() ? defaultBookPath() : book, bookError)) {
    attachClientPanel(window, opened.release());  // the window owns it
  } else {
    std::cerr << "vesprin-desk: no client book: " << bookError.toStdString() << '\n';
  }
#else
  if (!book.empty()) std::cerr << "vesprin-desk: built without the client book; --book ignored\n";
#endif
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect free = screen->availableGeometry();
    window.resize(free.width() * 9 / 10, free.height() * 9 / 10);
    window.move(free.center() - window.rect().center());
  }
  window.show();
  return app.exec();
}
