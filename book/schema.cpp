#include "book/schema.h"

#include <QSqlQuery>

namespace vesprin {
namespace {

// Each step takes the book from the version before it to its own; steps are
// only ever added, never changed, so that every older book can come forward.
constexpr const char* kVersion1[] = {
    R"(CREATE TABLE household (
         id INTEGER PRIMARY KEY,
         created_at TEXT NOT NULL))",
    // The birth as typed: numbers, the year in the Buddhist Era. `marks` holds
    // the decorations as lines 0..22 of the analysis-marks file, the note apart.
    // `search_text` is what a search looks in (folded name, nickname, phone
    // digits); `deleted_at` marks a client deleted but still restorable.
    R"(CREATE TABLE client (
         id INTEGER PRIMARY KEY,
         name TEXT NOT NULL,
         nickname TEXT NOT NULL,
         phone TEXT NOT NULL,
         note TEXT NOT NULL,
         birth_day INTEGER NOT NULL CHECK (birth_day BETWEEN 1 AND 31),
         birth_month INTEGER NOT NULL CHECK (birth_month BETWEEN 1 AND 12),
         birth_year INTEGER NOT NULL,
         birth_hour INTEGER NOT NULL CHECK (birth_hour BETWEEN 0 AND 23),
         birth_minute INTEGER NOT NULL CHECK (birth_minute BETWEEN 0 AND 59),
         gender TEXT NOT NULL CHECK (gender IN ('male', 'female')),
         pregnancy INTEGER NOT NULL CHECK (pregnancy BETWEEN 7 AND 10),
         marks TEXT NOT NULL,
         analysis_note TEXT,
         household_id INTEGER REFERENCES household (id) ON DELETE SET NULL,
         search_text TEXT NOT NULL,
         created_at TEXT NOT NULL,
         changed_at TEXT NOT NULL,
         deleted_at TEXT))",
    // A search scans this index, not the table: it holds all a search tests
    // (and the row id), in the order of the names; only the rows that match
    // are read from the table.
    "CREATE INDEX client_search ON client (search_text, deleted_at, birth_day, birth_month, birth_year)",
    "CREATE INDEX client_birth ON client (birth_year, birth_month, birth_day)",
    "CREATE INDEX client_household ON client (household_id)",
    R"(CREATE TABLE print_history (
         id INTEGER PRIMARY KEY,
         client_id INTEGER NOT NULL REFERENCES client (id) ON DELETE CASCADE,
         printed_at TEXT NOT NULL,
         destination TEXT NOT NULL CHECK (destination IN ('printer', 'pdf')),
         target TEXT NOT NULL,
         paper TEXT NOT NULL))",
    "CREATE INDEX print_history_client ON print_history (client_id, printed_at)",
};

}  // namespace

BookSchema bookSchema() {
  return {kBookSchemaVersion, [](QSqlDatabase& db, int from) -> std::optional<QSqlError> {
            if (from < 1) {
              for (const char* statement : kVersion1) {
                QSqlQuery query(db);
                if (!query.exec(QString::fromUtf8(statement))) return query.lastError();
              }
            }
            return std::nullopt;
          }};
}

}  // namespace vesprin
