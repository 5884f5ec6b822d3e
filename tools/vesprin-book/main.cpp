// vesprin-book: the client book from the command line, for scripts, batch
// printing, import, export and backup. The same book the desk keeps.
//
// Printing needs the renderer and the print command (Qt Gui, Widgets and
// PrintSupport), which the other commands must not pay for at start: `print`
// runs vesprin-book-print, this source built with them, in place of this
// process.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "book/client_book.h"
#include "book/client_csv.h"
#include "book/client_rules.h"
#include "book/marks_text.h"
#include "core/calendar_session.h"
#include "core/text.h"
#include "core/text_file.h"
#include "tools/vesprin-book/exit_status.h"

#ifdef VESPRIN_BOOK_PRINT
#include "tools/vesprin-book/print_clients.h"
#endif

namespace {
namespace fs = std::filesystem;
using namespace vesprin;

void usage(std::ostream& out) {
  out << R"(usage: vesprin-book [--book FILE] [--busy-timeout MS] COMMAND [options]

The client book: every client with their birth and the decorations of their
chart sheet, and the sheets printed for them, in one SQLite file shared with
the desk.

Commands:
  add --name TEXT --date DD/MM/YYYY --time HH:MM --gender male|female
      [--nickname TEXT] [--phone TEXT] [--pregnancy NN] [--note TEXT]
                      adds a client (the year in the Buddhist Era, pregnancy
                      07..10, default 09) and prints the new id alone
  list [--search TEXT] [--json]
                      the clients by name, or those a search finds: part of
                      the name or the nickname (tone marks as they come), of
                      the phone number, or a birth date DD/MM/YYYY (BE or CE)
  show ID [--json]    one client, their household and print history
  print ID [--pdf FILE] [--paper letter|a4]
                      prints the client's chart sheet on the default printer,
                      or writes it to FILE; the print is recorded
  print --all --pdf-dir DIR [--search TEXT] [--paper letter|a4]
                      one PDF per client (or per client a search finds) in
                      DIR, named by name and birth date; a progress bar on a
                      terminal
  household ID OTHER  OTHER joins the household of ID
  household ID --leave
                      ID leaves their household
  delete ID           removes a client and their print history
  export --csv FILE   all clients as CSV (UTF-8, header row; FILE - is
                      standard output)
  import --csv FILE   adds the clients of a CSV file: all of them, or none
                      when a line is refused
  backup FILE         a consistent copy of the book, also while the desk
                      writes to it

Options:
  --book FILE         the book (default $VESPRIN_BOOK, else
                      $XDG_DATA_HOME/vesprin/clients.sqlite)
  --busy-timeout MS   how long to wait for another program's lock (5000)
  --help              this text

CSV columns: name,nickname,phone,date,time,gender,pregnancy,note,decorations,
analysis_note (name, date, time and gender needed; any order).

Exit status: 0 done; 1 bad arguments; 2 refused (a bad date, a name code page
874 cannot hold, a CSV line, no such client); 3 the book cannot be used (not a
client book, damaged, read-only, a folder, of a newer program); 4 the calendar
index missing or unusable; 5 output not written (a PDF, the CSV file, the
backup); 6 the book was busy (another program held its lock longer than the
busy timeout); 7 no usable printer: the sheet was saved as a PDF in the current
directory instead, its path on standard error.
)";
  out << "\nThe book now: " << defaultBookPath() << "\n";
}

struct Usage {
  std::string message;
};

// The options of a command: "--name value" pairs and flags.
struct Options {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;
  std::vector<std::string> flags;

  bool has(const std::string& flag) const {
    return std::find(flags.begin(), flags.end(), flag) != flags.end() || values.count(flag);
  }
  std::optional<std::string> value(const std::string& name) const {
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
};

Options parseOptions(const std::vector<std::string>& args, const std::vector<std::string>& withValue,
                     const std::vector<std::string>& flags) {
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (std::find(withValue.begin(), withValue.end(), a) != withValue.end()) {
      if (i + 1 >= args.size()) throw Usage{a + " needs a value"};
      if (o.values.count(a)) throw Usage{a + " given twice"};
      o.values[a] = args[++i];
    } else if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
      o.flags.push_back(a);
    } else if (a.rfind("--", 0) == 0) {
      throw Usage{"unknown option \"" + a + "\""};
    } else {
      o.positional.push_back(a);
    }
  }
  return o;
}

ClientId clientId(const std::string& text) {
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
    throw Usage{"\"" + text + "\" is not a client id (a whole number)"};
  return std::stoll(text);
}

// The calendar's selectable years, which a birth must fall in.
std::optional<YearList> calendarYears() {
  auto index = CalendarSession::LoadCalendarIndex(defaultSearchDirs());
  if (!index.index) {
    std::cerr << "vesprin-book: " << index.error << '\n';
    return std::nullopt;
  }
  return index.index->yearList();
}

struct Session {
  std::string path;
  int busyTimeoutMs = kDefaultBusyTimeoutMs;
};

QJsonObject clientJson(const Client& c) {
  const ClientFields& f = c.fields;
  const auto s = [](const std::string& t) { return QString::fromStdString(t); };
  QJsonObject birth{{QStringLiteral("day"), f.birth.day},
                    {QStringLiteral("month"), f.birth.month},
                    {QStringLiteral("year"), f.birth.year},
                    {QStringLiteral("hour"), f.birth.hour},
                    {QStringLiteral("minute"), f.birth.minute}};
  QJsonObject o{{QStringLiteral("id"), c.id},
                {QStringLiteral("name"), s(f.name)},
                {QStringLiteral("nickname"), s(f.nickname)},
                {QStringLiteral("phone"), s(f.phone)},
                {QStringLiteral("note"), s(f.note)},
                {QStringLiteral("birth"), birth},
                {QStringLiteral("gender"), QString::fromLatin1(genderWord(f.gender))},
                {QStringLiteral("pregnancy"), f.pregnancy},
                {QStringLiteral("household"), c.household ? QJsonValue(*c.household) : QJsonValue()},
                {QStringLiteral("created"), s(c.created)},
                {QStringLiteral("changed"), s(c.changed)}};
  const StoredMarks marks = storeMarks(f.marks);
  o.insert(QStringLiteral("decorations"), s(marks.lines));
  o.insert(QStringLiteral("analysisNote"), marks.note ? QJsonValue(s(*marks.note)) : QJsonValue());
  return o;
}

void writeJson(const QJsonValue& v) {
  const QByteArray bytes = v.isArray() ? QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact)
                                       : QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact);
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
  std::fputc('\n', stdout);
}

std::string clientLine(const Client& c) {
  const ClientFields& f = c.fields;
  return concat({std::to_string(c.id), "\t", f.name, "\t", f.nickname, "\t", f.phone, "\t", birthDateText(f.birth), " ",
                 birthTimeText(f.birth), "\t", genderWord(f.gender)});
}

// --- the commands ----------------------------------------------------------

int add(const Session& s, const std::vector<std::string>& args) {
  const Options o = parseOptions(
      args, {"--name", "--nickname", "--phone", "--date", "--time", "--gender", "--pregnancy", "--note"}, {});
  if (!o.positional.empty()) throw Usage{"add: unexpected \"" + o.positional.front() + "\""};
  for (const char* needed : {"--name", "--date", "--time", "--gender"})
    if (!o.value(needed)) throw Usage{std::string("add: ") + needed + " is needed"};
  ClientFields f;
  f.name = *o.value("--name");
  f.nickname = o.value("--nickname").value_or("");
  f.phone = o.value("--phone").value_or("");
  f.note = o.value("--note").value_or("");
  std::string e = parseBirthDate(*o.value("--date"), f.birth);
  if (e.empty()) e = parseBirthTime(*o.value("--time"), f.birth);
  if (e.empty()) e = parseGender(*o.value("--gender"), f.gender);
  if (e.empty() && o.value("--pregnancy")) e = parsePregnancy(*o.value("--pregnancy"), f.pregnancy);
  if (!e.empty()) return report({BookError::Kind::Invalid, e});
  const auto years = calendarYears();
  if (!years) return kExitNoIndex;
  if (std::string bad = clientFieldsError(f, *years); !bad.empty()) return report({BookError::Kind::Invalid, bad});

  auto book = ClientBook::open(s.path, BookAccess::ReadWrite, s.busyTimeoutMs);
  if (book.error) return report(*book.error);
  (*book.value)->setCalendarYears(*years);
  const BookResult<ClientId> id = (*book.value)->add(f);
  if (id.error) return report(*id.error);
  std::cout << *id.value << std::endl;  // flushed: the id is the promise that the client is kept
  return kExitOk;
}

// A book that does not exist yet lists no one.
BookResult<std::unique_ptr<ClientBook>> openToRead(const Session& s) {
  return ClientBook::open(s.path, BookAccess::ReadOnly, s.busyTimeoutMs);
}

int list(const Session& s, const std::vector<std::string>& args) {
  const Options o = parseOptions(args, {"--search"}, {"--json"});
  if (!o.positional.empty()) throw Usage{"list: unexpected \"" + o.positional.front() + "\""};
  auto book = openToRead(s);
  std::vector<Client> clients;
  if (book.error && book.error->kind != BookError::Kind::NotFound) return report(*book.error);
  if (!book.error) {
    auto found = (*book.value)->search(QString::fromStdString(o.value("--search").value_or("")));
    if (found.error) return report(*found.error);
    clients = std::move(*found.value);
  }
  if (o.has("--json")) {
    QJsonArray array;
    for (const Client& c : clients) array.append(clientJson(c));
    writeJson(array);
  } else {
    for (const Client& c : clients) std::cout << clientLine(c) << '\n';
  }
  return kExitOk;
}

int show(const Session& s, const std::vector<std::string>& args) {
  const Options o = parseOptions(args, {}, {"--json"});
  if (o.positional.size() != 1) throw Usage{"show: one client id expected"};
  const ClientId id = clientId(o.positional.front());
  auto book = openToRead(s);
  if (book.error) return report(*book.error);
  ClientBook& b = **book.value;
  const auto client = b.client(id);
  if (client.error) return report(*client.error);
  const auto household = b.household(id);
  if (household.error) return report(*household.error);
  const auto prints = b.prints(id);
  if (prints.error) return report(*prints.error);
  const Client& c = *client.value;
  if (o.has("--json")) {
    QJsonObject obj = clientJson(c);
    QJsonArray members, history;
    for (const Client& m : *household.value)
      if (m.id != c.id) members.append(m.id);
    for (const PrintRecord& p : *prints.value)
      history.append(QJsonObject{
          {QStringLiteral("when"), QString::fromStdString(p.when)},
          {QStringLiteral("destination"), p.destination == PrintRecord::Destination::Printer
                                              ? QStringLiteral("printer") : QStringLiteral("pdf")},
          {QStringLiteral("target"), QString::fromStdString(p.where)},
          {QStringLiteral("paper"), QString::fromStdString(p.paper)}});
    obj.insert(QStringLiteral("householdMembers"), members);
    obj.insert(QStringLiteral("prints"), history);
    writeJson(obj);
    return kExitOk;
  }
  const ClientFields& f = c.fields;
  std::cout << "id         " << c.id << "\nname       " << f.name << "\nnickname   " << f.nickname
            << "\nphone      " << f.phone << "\nbirth      " << birthDateText(f.birth) << " " << birthTimeText(f.birth)
            << "\ngender     " << genderWord(f.gender) << "\npregnancy  " << padded(f.pregnancy, 2)
            << "\nnote       " << f.note << "\ncreated    " << c.created << "\nchanged    " << c.changed << '\n';
  for (const Client& m : *household.value)
    if (m.id != c.id) std::cout << "household  " << m.id << '\t' << m.fields.name << '\n';
  for (const PrintRecord& p : *prints.value)
    std::cout << "printed    " << p.when << '\t'
              << (p.destination == PrintRecord::Destination::Printer ? "printer " : "pdf ") << p.where << '\t'
              << p.paper << '\n';
  return kExitOk;
}

int householdCommand(const Session& s, const std::vector<std::string>& args) {
  const Options o = parseOptions(args, {}, {"--leave"});
  if (o.has("--leave") ? o.positional.size() != 1 : o.positional.size() != 2)
    throw Usage{"household: ID OTHER, or ID --leave"};
  auto book = ClientBook::open(s.path, BookAccess::ReadWrite, s.busyTimeoutMs);
  if (book.error) return report(*book.error);
  const ClientId id = clientId(o.positional[0]);
  const auto e = o.has("--leave") ? (*book.value)->leaveHousehold(id)
                                  : (*book.value)->joinHousehold(id, clientId(o.positional[1]));
  return e ? report(*e) : kExitOk;
}

int deleteCommand(const Session& s, const std::vector<std::string>& args) {
  const Options o = parseOptions(args, {}, {});
  if (o.positional.size() != 1) throw Usage{"delete: one client id expected"};
  auto book = ClientBook::open(s.path, BookAccess::ReadWrite, s.busyTimeoutMs);
  if (book.error) return report(*book.error);
  const auto e = (*book.value)->purge(clientId(o.positional[0]));
  return e ? report(*e) : kExitOk;
}

// Writes beside the file and renames, so the file appears whole or not at all.
std::string writeWhole(const std::string& path, const std::string& bytes) {
  const std::string part = path + ".part-" + std::to_string(::getpid());
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.flush();
    if (!out) {
      std::error_code ec;
      fs::remove(part, ec);
      return "cannot write " + path;
    }
  }
  std::error_code ec;
  fs::rename(part, path, ec);
  if (ec) {
    const std::string why = ec.message();
    fs::remove(part, ec);
    return "cannot write " + path + ": " + why;
  }
  return {};
}

int exportCsv(const Session& s, const std::vector<std::string>& args) {
  const Options o = parseOptions(args, {"--csv"}, {});
  if (!o.value("--csv") || !o.positional.empty()) throw Usage{"export: --csv FILE expected"};
  auto book = openToRead(s);
  std::vector<Client> clients;
  if (book.error && book.error->kind != BookError::Kind::NotFound) return report(*book.error);
  if (!book.error) {
    auto all = (*book.value)->search(QString());
    if (all.error) return report(*all.error);
    clients = std::move(*all.value);
  }
  const std::string csv = writeClientsCsv(clients);
  const std::string file = *o.value("--csv");
  if (file == "-") {
    std::fwrite(csv.data(), 1, csv.size(), stdout);
    return kExitOk;
  }
  if (const std::string e = writeWhole(file, csv); !e.empty()) {
    std::cerr << "vesprin-book: " << e << '\n';
    return kExitNotWritten;
  }
  std::cerr << "vesprin-book: exported " << clients.size() << " clients to " << file << '\n';
  return kExitOk;
}

int importCsv(const Session& s, const std::vector<std::string>& args) {
  const Options o = parseOptions(args, {"--csv"}, {});
  if (!o.value("--csv") || !o.positional.empty()) throw Usage{"import: --csv FILE expected"};
  const std::string file = *o.value("--csv");
  std::ifstream in(file, std::ios::binary);
  if (!in || fs::is_directory(file)) {
    std::cerr << "vesprin-book: cannot read " << file << '\n';
    return kExitRefused;
  }
  std::stringstream bytes;
  bytes << in.rdbuf();
  const auto years = calendarYears();
  if (!years) return kExitNoIndex;
  const CsvClients read = readClientsCsv(bytes.str(), *years, file);
  if (!read.error.empty()) {
    std::cerr << "vesprin-book: " << read.error << "; nothing imported\n";
    return kExitRefused;
  }
  auto book = ClientBook::open(s.path, BookAccess::ReadWrite, s.busyTimeoutMs);
  if (book.error) return report(*book.error);
  (*book.value)->setCalendarYears(*years);
  std::size_t bad = 0;
  const auto added = (*book.value)->addAll(read.clients, &bad);
  if (added.error) {
    std::cerr << "vesprin-book: " << file << " line " << (bad < read.lines.size() ? read.lines[bad] : 0) << ": "
              << added.error->message << "; nothing imported\n";
    return statusOf(*added.error);
  }
  std::cerr << "vesprin-book: imported " << added.value->size() << " clients from " << file << '\n';
  return kExitOk;
}

int backup(const Session& s, const std::vector<std::string>& args) {
  const Options o = parseOptions(args, {}, {});
  if (o.positional.size() != 1) throw Usage{"backup: one FILE expected"};
  auto book = openToRead(s);
  if (book.error) return report(*book.error);
  if (const auto e = (*book.value)->backup(o.positional[0])) return report(*e);
  return kExitOk;
}

#ifndef VESPRIN_BOOK_PRINT
// The sheet needs Qt Gui and the print command: vesprin-book-print, beside
// this program or in the installed libexec folder, runs in place of this
// process with the same arguments.
int runPrintProgram(char** argv) {
  std::vector<fs::path> candidates;
  std::error_code ec;
  const auto self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    candidates.push_back(self.parent_path() / "vesprin-book-print");
    candidates.push_back(self.parent_path().parent_path() / "libexec" / "vesprin" / "vesprin-book-print");
  }
  candidates.emplace_back(VESPRIN_LIBEXEC_DIR "/vesprin-book-print");
  for (const auto& program : candidates) {
    if (::access(program.c_str(), X_OK) != 0) continue;
    ::execv(program.c_str(), argv);
    std::cerr << "vesprin-book: print: cannot run " << program.string() << "\n";
    return kExitUsage;
  }
  std::cerr << "vesprin-book: print: this build cannot print (built without Qt 6 PrintSupport)\n";
  return kExitUsage;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  Session session;
  std::optional<std::string> bookOption;
  std::size_t i = 0;
  try {
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
      if (args[i] == "--help") {
        usage(std::cout);
        return kExitOk;
      }
      if (args[i] == "--book" && i + 1 < args.size() && !args[i + 1].empty()) {
        bookOption = args[++i];
      } else if (args[i] == "--busy-timeout" && i + 1 < args.size()) {
        const std::string& v = args[++i];
        if (v.empty() || v.size() > 7 || v.find_first_not_of("0123456789") != std::string::npos)
          throw Usage{"--busy-timeout \"" + v + "\": expected milliseconds 0..9999999"};
        session.busyTimeoutMs = std::stoi(v);
      } else {
        throw Usage{args[i] == "--book" || args[i] == "--busy-timeout" ? args[i] + " needs a value"
                                                                        : "unknown option \"" + args[i] + "\""};
      }
    }
    if (i == args.size()) throw Usage{"no command"};
    for (std::size_t k = i; k < args.size(); ++k)
      if (args[k] == "--help") {
        usage(std::cout);
        return kExitOk;
      }
    session.path = bookOption.value_or(defaultBookPath());
    const std::string command = args[i];
    const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    if (command == "print") {
#ifdef VESPRIN_BOOK_PRINT
      return printClients(session.path, session.busyTimeoutMs, rest, argv[0]);
#else
      return runPrintProgram(argv);
#endif
    }
    int qtArgc = 1;
    QCoreApplication app(qtArgc, argv);
    if (command == "add") return add(session, rest);
    if (command == "list") return list(session, rest);
    if (command == "show") return show(session, rest);
    if (command == "household") return householdCommand(session, rest);
    if (command == "delete") return deleteCommand(session, rest);
    if (command == "export") return exportCsv(session, rest);
    if (command == "import") return importCsv(session, rest);
    if (command == "backup") return backup(session, rest);
    throw Usage{"unknown command \"" + command + "\""};
  } catch (const Usage& u) {
    std::cerr << "vesprin-book: " << u.message << "\n(vesprin-book --help shows the commands)\n";
    return kExitUsage;
  }
}
