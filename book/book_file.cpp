#include "book/book_file.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

namespace vesprin {
namespace {

namespace fs = std::filesystem;

// SQLite's primary result codes that a person can act on.
constexpr int kSqliteBusy = 5, kSqliteLocked = 6, kSqliteReadOnly = 8, kSqliteIoErr = 10, kSqliteCorrupt = 11,
              kSqliteFull = 13, kSqliteCantOpen = 14, kSqliteNotADb = 26;

std::string q(const std::string& path) { return "\"" + path + "\""; }

BookError unusable(const std::string& path, const std::string& why) {
  return {BookError::Kind::Unusable, "the book " + q(path) + " " + why + "; it is left as it is"};
}

std::uint32_t bigEndian(const unsigned char* p, int n) {
  std::uint32_t v = 0;
  for (int k = 0; k < n; ++k) v = v << 8 | p[k];
  return v;
}

// What the file's first bytes say, before SQLite sees it: an SQLite file
// shorter than the pages its header counts lost its end (copied half, or cut
// by a full disk), and SQLite would only notice when it reads there.
std::optional<BookError> checkHeader(const std::string& path, std::uintmax_t size) {
  if (size == 0) return std::nullopt;  // an empty file is a new book
  unsigned char header[100] = {};
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(header), sizeof header);
  const auto got = static_cast<std::size_t>(in.gcount());
  static constexpr char kMagic[] = "SQLite format 3";  // and its terminating zero
  if (got < sizeof kMagic || std::memcmp(header, kMagic, sizeof kMagic) != 0)
    return unusable(path, "is not a client book (not an SQLite database)");
  if (got < sizeof header) return unusable(path, "is damaged: it ends within its header");
  const std::uint32_t pageSize = bigEndian(header + 16, 2) == 1 ? 65536 : bigEndian(header + 16, 2);
  const std::uint32_t pages = bigEndian(header + 28, 4);
  const bool pagesValid = bigEndian(header + 92, 4) == bigEndian(header + 24, 4);
  // A write-ahead log not yet copied back may hold pages the file lacks.
  std::error_code ec;
  const auto wal = fs::file_size(path + "-wal", ec);
  const bool walPending = !ec && wal > 0;
  if (pagesValid && pageSize >= 512 && !walPending && static_cast<std::uintmax_t>(pages) * pageSize > size)
    return unusable(path, "is damaged: it holds " + std::to_string(size) + " bytes of the " +
                              std::to_string(static_cast<std::uintmax_t>(pages) * pageSize) +
                              " its header counts (truncated)");
  return std::nullopt;
}

BookResult<int> readVersion(QSqlDatabase& db, const std::string& path) {
  QSqlQuery query(db);
  if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
    return BookResult<int>::fail(bookErrorOf(query.lastError(), path, "reading"));
  return {query.value(0).toInt(), std::nullopt};
}

BookResult<bool> hasTables(QSqlDatabase& db, const std::string& path) {
  QSqlQuery query(db);
  if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next())
    return BookResult<bool>::fail(bookErrorOf(query.lastError(), path, "reading"));
  return {query.value(0).toInt() > 0, std::nullopt};
}

std::optional<BookError> exec(QSqlDatabase& db, const QString& sql, const std::string& path,
                              const std::string& doing) {
  QSqlQuery query(db);
  if (!query.exec(sql)) return bookErrorOf(query.lastError(), path, doing);
  return std::nullopt;
}

std::optional<BookError> migrate(QSqlDatabase& db, const std::string& path, const BookSchema& schema) {
  // The version is read again under the write lock: two programs opening a
  // new book at once must not both create it.
  if (auto e = exec(db, QStringLiteral("BEGIN IMMEDIATE"), path, "bringing its schema forward")) return e;
  const auto rollback = [&](BookError e) {
    exec(db, QStringLiteral("ROLLBACK"), path, "");
    return e;
  };
  const BookResult<int> version = readVersion(db, path);
  if (version.error) return rollback(*version.error);
  if (*version.value < schema.version) {
    if (auto e = schema.migrate(db, *version.value))
      return rollback(bookErrorOf(*e, path, "bringing its schema forward from version " +
                                                std::to_string(*version.value)));
    if (auto e = exec(db, QStringLiteral("PRAGMA user_version = %1").arg(schema.version), path,
                      "recording its schema version"))
      return rollback(*e);
  }
  if (auto e = exec(db, QStringLiteral("COMMIT"), path, "bringing its schema forward")) return rollback(*e);
  return std::nullopt;
}

}  // namespace

std::string defaultBookPath() {
  if (const char* env = std::getenv("VESPRIN_BOOK"); env && *env) return env;
  std::string data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    data = xdg;
  } else {
    const char* home = std::getenv("HOME");
    data = std::string(home && *home ? home : ".") + "/.local/share";
  }
  return data + "/vesprin/clients.sqlite";
}

BookError bookErrorOf(const QSqlError& error, const std::string& path, const std::string& doing) {
  const int code = error.nativeErrorCode().toInt() & 0xFF;
  const std::string text = error.databaseText().isEmpty() ? error.text().toStdString()
                                                          : error.databaseText().toStdString();
  const std::string when = doing.empty() ? "" : " while " + doing;
  switch (code) {
    case kSqliteBusy:
    case kSqliteLocked:
      return {BookError::Kind::Busy, "the book " + q(path) + " is busy: another program holds its lock" + when +
                                         "; nothing was changed, try again"};
    case kSqliteNotADb:
      return unusable(path, "is not a client book (not an SQLite database)");
    case kSqliteCorrupt:
      return unusable(path, "is damaged (" + text + ")");
    case kSqliteReadOnly:
      return unusable(path, "cannot be written (read-only)");
    case kSqliteCantOpen:
      return unusable(path, "cannot be opened (" + text + ")");
    case kSqliteFull:
    case kSqliteIoErr:
      return {BookError::Kind::Failed, "the book " + q(path) + " could not be written" + when + " (" + text +
                                           "); nothing was changed"};
    default:
      return {BookError::Kind::Failed, "the book " + q(path) + when + ": " + text};
  }
}

BookResult<OpenedBook> openBookFile(const std::string& path, BookAccess access, int busyTimeoutMs,
                                    const BookSchema& schema) {
  using R = BookResult<OpenedBook>;
  if (path.empty()) return R::fail({BookError::Kind::Invalid, "no book file named"});
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  const bool exists = fs::exists(status);
  if (exists && fs::is_directory(status)) return R::fail(unusable(path, "is a folder, not a client book"));
  if (exists && !fs::is_regular_file(status)) return R::fail(unusable(path, "is not a regular file"));
  if (!exists && access == BookAccess::ReadOnly)
    return R::fail({BookError::Kind::NotFound, "there is no book " + q(path)});
  if (exists) {
    if (::access(path.c_str(), R_OK) != 0) return R::fail(unusable(path, "cannot be read (no permission)"));
    // A file nobody may write is kept from writing also for root, whom the
    // permission bits do not stop: whoever took them away meant it.
    const bool writeBits = (status.permissions() & (fs::perms::owner_write | fs::perms::group_write |
                                                    fs::perms::others_write)) != fs::perms::none;
    if (access == BookAccess::ReadWrite && (::access(path.c_str(), W_OK) != 0 || !writeBits))
      return R::fail(unusable(path, "cannot be written (read-only)"));
    if (auto e = checkHeader(path, fs::file_size(path, ec))) return R::fail(*e);
  } else {
    const fs::path folder = fs::absolute(path).parent_path();
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder))
      return R::fail({BookError::Kind::Failed, "cannot make the folder " + q(folder.string()) + " for the book"});
  }
  // The journal and its index live beside the book: the folder must take them.
  const fs::path folder = fs::absolute(path).parent_path();
  if (access == BookAccess::ReadWrite && ::access(folder.c_str(), W_OK) != 0)
    return R::fail(unusable(path, "cannot be written: its folder " + q(folder.string()) +
                                      " is read-only (the journal is written beside the book)"));

  static std::atomic<int> serial{0};
  const QString name = QStringLiteral("vesprin-book-%1").arg(++serial);
  OpenedBook opened{name, QStringLiteral("BEGIN IMMEDIATE"), QStringLiteral("instr(%1, ?) > 0"),
                    QStringLiteral("PRAGMA data_version")};
  std::optional<BookError> failure;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    if (!db.isValid()) {
      failure = BookError{BookError::Kind::Failed,
                          "the Qt SQLite driver is missing (Debian package libqt6sql6-sqlite)"};
    } else {
      db.setDatabaseName(QString::fromStdString(path));
      QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
      if (access == BookAccess::ReadOnly) options += QStringLiteral(";QSQLITE_OPEN_READONLY");
      db.setConnectOptions(options);
      if (!db.open()) failure = bookErrorOf(db.lastError(), path, "opening");
    }
    // Judge the file before anything is written to it.
    if (!failure) {
      const BookResult<int> version = readVersion(db, path);
      if (version.error) {
        failure = version.error;
      } else if (*version.value > schema.version) {
        failure = unusable(path, "was written by a newer program (schema version " + std::to_string(*version.value) +
                                     "; this one knows up to " + std::to_string(schema.version) + ")");
      } else if (*version.value == 0) {
        const BookResult<bool> tables = hasTables(db, path);
        if (tables.error) failure = tables.error;
        else if (*tables.value) failure = unusable(path, "is an SQLite database but not a client book");
      }
      if (!failure && access == BookAccess::ReadOnly && *version.value < schema.version && *version.value != 0)
        failure = unusable(path, "has an older schema (version " + std::to_string(*version.value) +
                                     "); open it once for writing to bring it forward");
    }
    if (!failure) failure = exec(db, QStringLiteral("PRAGMA foreign_keys = ON"), path, "opening");
    if (!failure && access == BookAccess::ReadWrite) {
      QSqlQuery wal(db);
      if (!wal.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !wal.next())
        failure = bookErrorOf(wal.lastError(), path, "switching on its write-ahead journal");
      else if (wal.value(0).toString() != QLatin1String("wal"))
        failure = unusable(path, "cannot keep a write-ahead journal (journal mode " +
                                     wal.value(0).toString().toStdString() + ")");
      wal.finish();  // a statement left open would hold the transaction below open
      if (!failure) failure = exec(db, QStringLiteral("PRAGMA synchronous = FULL"), path, "opening");
      if (!failure) failure = migrate(db, path, schema);
    }
    if (failure) db.close();
  }
  if (failure) {
    QSqlDatabase::removeDatabase(name);
    return R::fail(*failure);
  }
  return {opened, std::nullopt};
}

void closeBookFile(const QString& connection) {
  {
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    if (db.isValid()) db.close();
  }
  QSqlDatabase::removeDatabase(connection);
}

std::optional<BookError> backupBookFile(QSqlDatabase& db, const std::string& path, const std::string& target) {
  std::error_code ec;
  if (fs::exists(target, ec) && fs::equivalent(target, path, ec))
    return BookError{BookError::Kind::Invalid, "the backup " + q(target) + " would replace the book itself"};
  if (fs::is_directory(target, ec))
    return BookError{BookError::Kind::Invalid, "the backup " + q(target) + " is a folder"};
  const std::string part = target + ".part-" + std::to_string(::getpid());
  fs::remove(part, ec);
  QSqlQuery query(db);
  query.prepare(QStringLiteral("VACUUM INTO ?"));
  query.addBindValue(QString::fromStdString(part));
  if (!query.exec()) {
    fs::remove(part, ec);
    BookError e = bookErrorOf(query.lastError(), path, "copying it");
    if (e.kind == BookError::Kind::Failed || e.kind == BookError::Kind::Unusable)
      e = {BookError::Kind::Failed, "cannot write the backup " + q(target) + ": " +
                                        query.lastError().databaseText().toStdString()};
    return e;
  }
  fs::rename(part, target, ec);
  if (ec) {
    const std::string why = ec.message();
    fs::remove(part, ec);
    return BookError{BookError::Kind::Failed, "cannot write the backup " + q(target) + ": " + why};
  }
  return std::nullopt;
}

std::string integrityCheck(QSqlDatabase& db) {
  QSqlQuery query(db);
  if (!query.exec(QStringLiteral("PRAGMA integrity_check"))) return query.lastError().text().toStdString();
  std::string out;
  while (query.next()) {
    if (!out.empty()) out += '\n';
    out += query.value(0).toString().toStdString();
  }
  return out;
}

}  // namespace vesprin
