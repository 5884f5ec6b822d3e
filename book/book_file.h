#pragma once
// The book's file on disk: everything that knows the database is SQLite lives
// here (opening and checking the file, its pragmas, the schema version in
// PRAGMA user_version, the write lock taken at the start of a transaction, the
// online backup), so that the statements elsewhere stay portable SQL and a
// shop could later keep one book on a database server.
#include <functional>
#include <optional>
#include <string>

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

#include "book/book_error.h"

namespace vesprin {

// $VESPRIN_BOOK when set, else $XDG_DATA_HOME/vesprin/clients.sqlite
// (~/.local/share when XDG_DATA_HOME is unset or empty).
std::string defaultBookPath();

inline constexpr int kDefaultBusyTimeoutMs = 5000;

enum class BookAccess { ReadWrite, ReadOnly };

// The schema the program knows, and how to bring a book of an older version
// forward: `migrate(db, from)` runs inside the write transaction that then
// records the new version, so the step happens wholly or not at all.
struct BookSchema {
  int version = 0;
  std::function<std::optional<QSqlError>(QSqlDatabase& db, int from)> migrate;
};

struct OpenedBook {
  QString connection;  // the Qt SQL connection's name (QSqlDatabase::database)
  QString beginWrite;  // the statement that starts a write transaction
  // An expression true when the text column `%1` holds the bound text: a
  // plain substring search, no pattern (LIKE would read each character
  // as a possible wildcard and case-fold it, several times slower).
  QString contains;
  // A number that changes when another connection has committed a change
  // since this one last asked; this connection's own changes leave it.
  QString changeCounter;
};

// Opens (ReadWrite: creates when missing, with its folder) and checks the book:
// a folder, a file that is not SQLite, one shorter than its header says, a
// read-only file, an SQLite database that is not a client book, or a book of
// a newer schema is refused before anything is written to it. Foreign keys
// on, WAL journal, full sync, the busy timeout; an older schema is migrated.
BookResult<OpenedBook> openBookFile(const std::string& path, BookAccess access, int busyTimeoutMs,
                                    const BookSchema& schema);
void closeBookFile(const QString& connection);

// The error of a statement as the book reports it, naming `path`.
BookError bookErrorOf(const QSqlError& error, const std::string& path, const std::string& doing);

// A consistent copy of the open book into `target`, taken in one read
// transaction while other programs go on writing; written beside `target`
// and renamed, so the copy appears whole or not at all.
std::optional<BookError> backupBookFile(QSqlDatabase& db, const std::string& path, const std::string& target);

// "ok", or what SQLite's integrity check found.
std::string integrityCheck(QSqlDatabase& db);

}  // namespace vesprin
