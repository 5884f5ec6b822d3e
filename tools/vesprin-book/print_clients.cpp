#include "tools/vesprin-book/print_clients.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <set>

#include <QApplication>
#include <QPrinterInfo>

#include "app/chart_pdf.h"
#include "app/print_command.h"
#include "app/print_run.h"
#include "app/progress_bar.h"
#include "app/scripted_ui.h"
#include "book/client_book.h"
#include "book/client_request.h"
#include "book/client_rules.h"
#include "core/civil_date.h"
#include "core/clock.h"
#include "core/text.h"
#include "core/text_file.h"
#include "present/model/paper.h"
#include "present/pictures/picture_store.h"
#include "tools/vesprin-book/exit_status.h"

namespace vesprin {
namespace {

namespace fs = std::filesystem;

struct PrintArgs {
  std::optional<ClientId> id;
  bool all = false;
  std::optional<ClientId> household;  // --household ID: the members of ID's household
  std::optional<std::string> pdf, pdfDir, search;
  Paper paper = Paper::Letter;
};

// The arguments, or why not.
std::string parse(const std::vector<std::string>& args, PrintArgs& p) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&](std::optional<std::string>& into) {
      if (i + 1 >= args.size() || args[i + 1].empty()) return a + " needs a value";
      into = args[++i];
      return std::string();
    };
    std::string e;
    if (a == "--all") {
      p.all = true;
    } else if (a == "--household") {
      std::optional<std::string> id;
      e = value(id);
      if (e.empty() && (id->find_first_not_of("0123456789") != std::string::npos || id->size() > 18))
        e = "print --household \"" + *id + "\": expected a client id";
      if (e.empty()) p.household = std::stoll(*id);
    } else if (a == "--pdf") {
      e = value(p.pdf);
    } else if (a == "--pdf-dir") {
      e = value(p.pdfDir);
    } else if (a == "--search") {
      e = value(p.search);
    } else if (a == "--paper") {
      std::optional<std::string> paper;
      e = value(paper);
      if (e.empty()) {
        const std::optional<Paper> known = parsePaper(*paper);
        if (!known) e = "print --paper \"" + *paper + "\": expected letter or a4";
        else p.paper = *known;
      }
    } else if (!a.empty() && a.find_first_not_of("0123456789") == std::string::npos && a.size() < 19 && !p.id) {
      p.id = std::stoll(a);
    } else {
      e = "print: unexpected \"" + a + "\"";
    }
    if (!e.empty()) return e;
  }
  if (int(p.all) + int(p.id.has_value()) + int(p.household.has_value()) != 1)
    return "print: a client id, --all or --household ID";
  const bool many = p.all || p.household;
  if (many && !p.pdfDir) return "print --all, --household: --pdf-dir DIR is needed";
  if (!many && p.pdfDir) return "print ID: --pdf-dir goes with --all or --household";
  if (p.search && !p.all) return "print: --search goes with --all";
  if (many && p.pdf) return "print --all, --household: one PDF per client goes into --pdf-dir, not --pdf";
  return {};
}

// "สมชาย ใจดี 05-03-2530.pdf": the client's name and birth date, without the
// characters a file name cannot hold.
std::string pdfName(const Client& c) {
  std::string name = c.fields.name;
  for (char& ch : name)
    if (ch == '/' || ch == '\\' || static_cast<unsigned char>(ch) < 0x20) ch = '-';
  if (!name.empty() && name.front() == '.') name.front() = '_';
  const ClientBirth& b = c.fields.birth;
  return concat({name, " ", padded(b.day, 2), "-", padded(b.month, 2), "-", padded(b.year, 4)});
}

void prepareQt() {
  // Writing a PDF needs fonts, not a screen; a printer needs no screen either.
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); !runtime || !*runtime) {
    const std::string dir = "/tmp/runtime-" + std::to_string(::getuid());
    ::mkdir(dir.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
}

class Printer {
 public:
  explicit Printer(ClientBook& book)
      : book_(book),
        drives_(DriveMap::parse("D=" + (fs::path(dataDirectory()) / "pictures").string()).map),
        command_([this](std::string_view name) { return pictures_.find(name); }, std::cerr) {}

  // One client's sheet to `pdf`, or to the default printer; recorded in the
  // book. The exit status it earns.
  int print(const Client& c, const std::optional<fs::path>& pdf, Paper paper) {
    const int stripYear = clock_.today().year + kBuddhistEraOffset;
    Forms forms = makeForms();
    ScriptedUserInterface ui;
    PrintRun run(forms, ui, clock_, drives_, defaultSearchDirs());
    const RunOutcome out = run.StartUp(clientRequest(c.fields, stripYear));
    for (const std::string& w : out.warnings) std::cerr << "vesprin-book: " << w << '\n';
    if (out.kind == RunOutcome::Kind::NoIndex || out.kind == RunOutcome::Kind::Installation) {
      std::cerr << "vesprin-book: " << out.cause << '\n';
      return kExitNoIndex;
    }
    if (out.kind != RunOutcome::Kind::Print) {
      std::cerr << "vesprin-book: client " << c.id << " (" << c.fields.name << "): nothing printed: " << out.cause
                << '\n';
      return kExitRefused;
    }
    const QString printerName = QPrinterInfo::defaultPrinter().printerName();
    PrintChoice choice;
    choice.pdf = pdf;
    choice.paper = paper;
    choice.document = chartDocumentInfo(out.birth);
    const PrintOutcome printed = command_.run(forms, choice);
    PrintRecord record;
    record.paper = std::string(paperName(paper));
    int status = kExitOk;
    switch (printed.result) {
      case PrintResult::Printed:
        record.destination = PrintRecord::Destination::Printer;
        record.where = printerName.toStdString();
        break;
      case PrintResult::WrittenToPdf:
      case PrintResult::Previewed:
        record.where = printed.pdf.string();
        break;
      case PrintResult::SavedWithoutPrinter:
        record.where = printed.pdf.string();
        status = kExitSavedAsPdf;
        break;
      case PrintResult::Failed:
        return kExitNotWritten;
      case PrintResult::MissingPictures:  // the installation lacks a sign picture: said on standard error
        return kExitNoIndex;
    }
    if (const auto e = book_.recordPrint(c.id, record)) {
      std::cerr << "vesprin-book: the sheet of client " << c.id << " was printed, but not recorded: ";
      return report(*e);
    }
    return status;
  }

 private:
  ClientBook& book_;
  SystemClock clock_;
  DriveMap drives_;
  PictureStore pictures_;
  PrintCommand command_;
};

int printWith(const std::string& bookPath, int busyTimeoutMs, const PrintArgs& p) {
  auto book = ClientBook::open(bookPath, BookAccess::ReadWrite, busyTimeoutMs);
  if (book.error) return report(*book.error);
  ClientBook& b = **book.value;
  std::vector<Client> clients;
  if (p.id) {
    auto c = b.client(*p.id);
    if (c.error) return report(*c.error);
    clients.push_back(std::move(*c.value));
  } else {
    auto found = p.household ? b.household(*p.household) : b.search(QString::fromStdString(p.search.value_or("")));
    if (found.error) return report(*found.error);
    clients = std::move(*found.value);
    std::error_code ec;
    fs::create_directories(*p.pdfDir, ec);
    if (!fs::is_directory(*p.pdfDir)) {
      std::cerr << "vesprin-book: cannot make the folder " << *p.pdfDir << '\n';
      return kExitNotWritten;
    }
  }

  Printer printer(b);
  if (p.id) return printer.print(clients.front(), p.pdf ? std::optional<fs::path>(*p.pdf) : std::nullopt, p.paper);

  // Two clients of one name and birth date get their ids in their files' names.
  std::map<std::string, int> names;
  for (const Client& c : clients) ++names[pdfName(c)];
  const bool bar = ::isatty(STDERR_FILENO);
  int status = kExitOk;
  std::size_t printed = 0;
  for (std::size_t k = 0; k < clients.size(); ++k) {
    const Client& c = clients[k];
    std::string name = pdfName(c);
    if (names[name] > 1) name += " (" + std::to_string(c.id) + ")";
    const int s = printer.print(c, fs::path(*p.pdfDir) / (name + ".pdf"), p.paper);
    if (s == kExitNoIndex || s == kExitBusy || s == kExitUnusable) return s;  // the others would fail alike
    if (s == kExitOk) ++printed;
    else if (status == kExitOk) status = s;
    if (bar) drawProgressBar(std::cerr, k + 1, clients.size());
  }
  std::cerr << "vesprin-book: wrote " << printed << " of " << clients.size() << " chart sheets into " << *p.pdfDir
            << '\n';
  return status;
}

}  // namespace

int printClients(const std::string& bookPath, int busyTimeoutMs, const std::vector<std::string>& args,
                 char* program) {
  PrintArgs p;
  if (const std::string e = parse(args, p); !e.empty()) {
    std::cerr << "vesprin-book: " << e << "\n(vesprin-book --help shows the commands)\n";
    return kExitUsage;
  }
  prepareQt();
  int argc = 1;
  char* argv[] = {program, nullptr};
  QApplication app(argc, argv);  // outlives the book, the forms and the printer
  return printWith(bookPath, busyTimeoutMs, p);
}

}  // namespace vesprin
