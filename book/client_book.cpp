#include "book/client_book.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QVariant>

#include "book/client_rules.h"
#include "book/client_search.h"
#include "book/marks_text.h"
#include "book/schema.h"
#include "core/civil_date.h"

namespace vesprin {
namespace {

constexpr const char* kColumns =
    "id, name, nickname, phone, note, birth_day, birth_month, birth_year, birth_hour, birth_minute, gender, "
    "pregnancy, marks, analysis_note, household_id, created_at, changed_at";

QString qs(const std::string& s) { return QString::fromStdString(s); }
std::string ss(const QVariant& v) { return v.toString().toStdString(); }

const char* genderText(Gender g) { return g == Gender::Male ? "male" : "female"; }

BookError notFound(ClientId id, const std::string& path) {
  return {BookError::Kind::NotFound, "there is no client " + std::to_string(id) + " in the book \"" + path + "\""};
}

// Binds a client's fields in the order of the column list of INSERT and UPDATE.
void bindFields(QSqlQuery& query, const ClientFields& f) {
  const StoredMarks marks = storeMarks(f.marks);
  query.addBindValue(qs(f.name));
  query.addBindValue(qs(f.nickname));
  query.addBindValue(qs(f.phone));
  query.addBindValue(qs(f.note));
  query.addBindValue(f.birth.day);
  query.addBindValue(f.birth.month);
  query.addBindValue(f.birth.year);
  query.addBindValue(f.birth.hour);
  query.addBindValue(f.birth.minute);
  query.addBindValue(QString::fromLatin1(genderText(f.gender)));
  query.addBindValue(f.pregnancy);
  query.addBindValue(qs(marks.lines));
  query.addBindValue(marks.note ? QVariant(qs(*marks.note)) : QVariant(QMetaType::fromType<QString>()));
  query.addBindValue(clientSearchText(f));
}

// A row of kColumns as a client; a row whose decorations do not read back
// keeps none, rather than hide the client.
Client clientOf(const QSqlQuery& q) {
  Client c;
  c.id = q.value(0).toLongLong();
  ClientFields& f = c.fields;
  f.name = ss(q.value(1));
  f.nickname = ss(q.value(2));
  f.phone = ss(q.value(3));
  f.note = ss(q.value(4));
  f.birth = {q.value(5).toInt(), q.value(6).toInt(), q.value(7).toInt(), q.value(8).toInt(), q.value(9).toInt()};
  f.gender = q.value(10).toString() == QLatin1String("male") ? Gender::Male : Gender::Female;
  f.pregnancy = q.value(11).toInt();
  StoredMarks stored{ss(q.value(12)), q.value(13).isNull() ? std::nullopt : std::optional(ss(q.value(13)))};
  if (auto marks = loadMarks(stored); marks.value) f.marks = *marks.value;
  if (!q.value(14).isNull()) c.household = q.value(14).toLongLong();
  c.created = ss(q.value(15));
  c.changed = ss(q.value(16));
  return c;
}

}  // namespace

std::string bookTimestamp() {
  return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toStdString();
}

BookResult<std::unique_ptr<ClientBook>> ClientBook::open(const std::string& path, BookAccess access,
                                                         int busyTimeoutMs) {
  BookResult<OpenedBook> opened = openBookFile(path, access, busyTimeoutMs, bookSchema());
  if (opened.error) return {nullptr, opened.error};
  std::unique_ptr<ClientBook> book(new ClientBook(path, *opened.value));
  book->changedElsewhere();  // the mark later changes are seen against
  return {std::move(book), std::nullopt};
}

ClientBook::ClientBook(std::string path, OpenedBook opened) : path_(std::move(path)), opened_(std::move(opened)) {}

ClientBook::~ClientBook() { closeBookFile(opened_.connection); }

QSqlDatabase ClientBook::database() const { return QSqlDatabase::database(opened_.connection, false); }

BookError ClientBook::failed(const QSqlQuery& query, const std::string& doing) const {
  return bookErrorOf(query.lastError(), path_, doing);
}

template <class Body>
std::optional<BookError> ClientBook::write(const std::string& doing, Body&& body) {
  QSqlDatabase db = database();
  {
    QSqlQuery begin(db);
    if (!begin.exec(opened_.beginWrite)) return failed(begin, doing);
  }
  std::optional<BookError> e = body(db);
  if (!e) {
    QSqlQuery commit(db);
    if (commit.exec(QStringLiteral("COMMIT"))) return std::nullopt;
    e = failed(commit, doing);
  }
  QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
  return e;
}

std::optional<BookError> ClientBook::checked(const ClientFields& fields) const {
  if (std::string e = clientFieldsError(fields, years_); !e.empty()) return BookError{BookError::Kind::Invalid, e};
  return std::nullopt;
}

BookResult<ClientId> ClientBook::add(const ClientFields& fields) {
  std::size_t bad = 0;
  BookResult<std::vector<ClientId>> added = addAll({fields}, &bad);
  if (added.error) return BookResult<ClientId>::fail(*added.error);
  return {added.value->front(), std::nullopt};
}

BookResult<std::vector<ClientId>> ClientBook::addAll(const std::vector<ClientFields>& clients,
                                                     std::size_t* failedIndex) {
  using R = BookResult<std::vector<ClientId>>;
  for (std::size_t k = 0; k < clients.size(); ++k)
    if (auto e = checked(clients[k])) {
      if (failedIndex) *failedIndex = k;
      return R::fail(*e);
    }
  std::vector<ClientId> ids;
  const std::string now = bookTimestamp();
  auto e = write("adding a client", [&](QSqlDatabase& db) -> std::optional<BookError> {
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO client (name, nickname, phone, note, birth_day, birth_month, birth_year, birth_hour, "
        "birth_minute, gender, pregnancy, marks, analysis_note, search_text, created_at, changed_at) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (std::size_t k = 0; k < clients.size(); ++k) {
      bindFields(query, clients[k]);
      query.addBindValue(qs(now));
      query.addBindValue(qs(now));
      if (!query.exec()) {
        if (failedIndex) *failedIndex = k;
        return failed(query, "adding a client");
      }
      ids.push_back(query.lastInsertId().toLongLong());
    }
    return std::nullopt;
  });
  if (e) return R::fail(*e);
  return {ids, std::nullopt};
}

std::optional<BookError> ClientBook::update(ClientId id, const ClientFields& fields) {
  if (auto e = checked(fields)) return e;
  return write("changing a client", [&](QSqlDatabase& db) -> std::optional<BookError> {
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "UPDATE client SET name = ?, nickname = ?, phone = ?, note = ?, birth_day = ?, birth_month = ?, "
        "birth_year = ?, birth_hour = ?, birth_minute = ?, gender = ?, pregnancy = ?, marks = ?, "
        "analysis_note = ?, search_text = ?, changed_at = ? WHERE id = ? AND deleted_at IS NULL"));
    bindFields(query, fields);
    query.addBindValue(qs(bookTimestamp()));
    query.addBindValue(id);
    if (!query.exec()) return failed(query, "changing a client");
    if (query.numRowsAffected() == 0) return notFound(id, path_);
    return std::nullopt;
  });
}

BookResult<Client> ClientBook::client(ClientId id) {
  QSqlQuery query(database());
  query.prepare(QStringLiteral("SELECT %1 FROM client WHERE id = ? AND deleted_at IS NULL")
                    .arg(QLatin1String(kColumns)));
  query.addBindValue(id);
  if (!query.exec()) return BookResult<Client>::fail(failed(query, "reading a client"));
  if (!query.next()) return BookResult<Client>::fail(notFound(id, path_));
  return {clientOf(query), std::nullopt};
}

BookResult<std::vector<Client>> ClientBook::search(const QString& typed, std::optional<int> limit) {
  using R = BookResult<std::vector<Client>>;
  const SearchQuery parsed = parseSearch(typed);
  if (parsed.impossible) return {std::vector<Client>{}, std::nullopt};
  QString sql = QStringLiteral("SELECT %1 FROM client WHERE deleted_at IS NULL").arg(QLatin1String(kColumns));
  QVariantList values;
  for (const QString& word : parsed.words) {
    sql += QStringLiteral(" AND ") + opened_.contains.arg(QStringLiteral("search_text"));
    values << word;
  }
  if (const auto& d = parsed.date) {
    sql += QStringLiteral(" AND birth_day = ?");
    values << d->day;
    if (d->month) {
      sql += QStringLiteral(" AND birth_month = ?");
      values << *d->month;
    }
    if (d->yearDigits) {
      if (d->yearLength == 4) {
        // A whole year, in either era.
        sql += QStringLiteral(" AND birth_year = ?");
        values << buddhistEraYear(*d->yearDigits);
      } else {
        // A year begun: every year whose Buddhist-Era or Christian-Era digits start so.
        int scale = 1;
        for (int k = d->yearLength; k < 4; ++k) scale *= 10;
        const int lo = *d->yearDigits * scale, hi = lo + scale - 1;
        sql += QStringLiteral(" AND (birth_year BETWEEN ? AND ? OR birth_year BETWEEN ? AND ?)");
        values << lo << hi << lo + kBuddhistEraOffset << hi + kBuddhistEraOffset;
      }
    }
  }
  sql += QStringLiteral(" ORDER BY search_text, id");  // the index's order, ties by id as ClientIndex has them
  if (limit) {
    sql += QStringLiteral(" LIMIT ?");
    values << *limit;
  }
  QSqlQuery query(database());
  query.setForwardOnly(true);
  query.prepare(sql);
  for (const QVariant& v : values) query.addBindValue(v);
  if (!query.exec()) return R::fail(failed(query, "searching"));
  std::vector<Client> out;
  while (query.next()) out.push_back(clientOf(query));
  return {std::move(out), std::nullopt};
}

BookResult<int> ClientBook::count() {
  QSqlQuery query(database());
  if (!query.exec(QStringLiteral("SELECT count(*) FROM client WHERE deleted_at IS NULL")) || !query.next())
    return BookResult<int>::fail(failed(query, "counting"));
  return {query.value(0).toInt(), std::nullopt};
}

BookResult<ClientIndex> ClientBook::index() {
  using R = BookResult<ClientIndex>;
  QSqlQuery query(database());
  query.setForwardOnly(true);
  if (!query.exec(QStringLiteral("SELECT id, name, nickname, phone, birth_day, birth_month, birth_year, birth_hour, "
                                 "birth_minute, search_text FROM client WHERE deleted_at IS NULL")))
    return R::fail(failed(query, "reading the client list"));
  std::vector<ClientSummary> clients;
  while (query.next())
    clients.push_back({query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString(),
                       query.value(3).toString(),
                       {query.value(4).toInt(), query.value(5).toInt(), query.value(6).toInt(),
                        query.value(7).toInt(), query.value(8).toInt()},
                       query.value(9).toString()});
  return {ClientIndex(std::move(clients)), std::nullopt};
}

BookResult<bool> ClientBook::changedElsewhere() {
  QSqlQuery query(database());
  if (!query.exec(opened_.changeCounter) || !query.next())
    return BookResult<bool>::fail(failed(query, "looking for changes"));
  const qint64 now = query.value(0).toLongLong();
  const bool changed = changeCount_ && *changeCount_ != now;
  changeCount_ = now;
  return {changed, std::nullopt};
}

std::optional<BookError> ClientBook::remove(ClientId id) {
  return write("deleting a client", [&](QSqlDatabase& db) -> std::optional<BookError> {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE client SET deleted_at = ? WHERE id = ? AND deleted_at IS NULL"));
    query.addBindValue(qs(bookTimestamp()));
    query.addBindValue(id);
    if (!query.exec()) return failed(query, "deleting a client");
    if (query.numRowsAffected() == 0) return notFound(id, path_);
    return std::nullopt;
  });
}

std::optional<BookError> ClientBook::restore(ClientId id) {
  return write("restoring a client", [&](QSqlDatabase& db) -> std::optional<BookError> {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE client SET deleted_at = NULL WHERE id = ? AND deleted_at IS NOT NULL"));
    query.addBindValue(id);
    if (!query.exec()) return failed(query, "restoring a client");
    if (query.numRowsAffected() == 0)
      return BookError{BookError::Kind::NotFound,
                       "there is no deleted client " + std::to_string(id) + " in the book \"" + path_ + "\""};
    return std::nullopt;
  });
}

std::optional<BookError> ClientBook::purge(ClientId id) {
  return write("deleting a client", [&](QSqlDatabase& db) -> std::optional<BookError> {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM client WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec()) return failed(query, "deleting a client");
    if (query.numRowsAffected() == 0) return notFound(id, path_);
    QSqlQuery empty(db);
    if (!empty.exec(QStringLiteral("DELETE FROM household WHERE id NOT IN "
                                   "(SELECT household_id FROM client WHERE household_id IS NOT NULL)")))
      return failed(empty, "deleting a client");
    return std::nullopt;
  });
}

std::optional<BookError> ClientBook::purgeDeletedBefore(const std::string& when) {
  return write("purging deleted clients", [&](QSqlDatabase& db) -> std::optional<BookError> {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM client WHERE deleted_at IS NOT NULL AND deleted_at < ?"));
    query.addBindValue(qs(when));
    if (!query.exec()) return failed(query, "purging deleted clients");
    QSqlQuery empty(db);
    if (!empty.exec(QStringLiteral("DELETE FROM household WHERE id NOT IN "
                                   "(SELECT household_id FROM client WHERE household_id IS NOT NULL)")))
      return failed(empty, "purging deleted clients");
    return std::nullopt;
  });
}

std::optional<BookError> ClientBook::joinHousehold(ClientId id, ClientId other) {
  return write("linking a household", [&](QSqlDatabase& db) -> std::optional<BookError> {
    const auto householdOf = [&](ClientId c, std::optional<BookError>& e) -> std::optional<std::optional<qint64>> {
      QSqlQuery query(db);
      query.prepare(QStringLiteral("SELECT household_id FROM client WHERE id = ? AND deleted_at IS NULL"));
      query.addBindValue(c);
      if (!query.exec()) {
        e = failed(query, "linking a household");
        return std::nullopt;
      }
      if (!query.next()) {
        e = notFound(c, path_);
        return std::nullopt;
      }
      return query.value(0).isNull() ? std::optional<qint64>() : std::optional<qint64>(query.value(0).toLongLong());
    };
    std::optional<BookError> e;
    auto mine = householdOf(id, e);
    if (e) return e;
    householdOf(other, e);
    if (e) return e;
    qint64 household = 0;
    if (*mine) {
      household = **mine;
    } else {
      QSqlQuery make(db);
      make.prepare(QStringLiteral("INSERT INTO household (created_at) VALUES (?)"));
      make.addBindValue(qs(bookTimestamp()));
      if (!make.exec()) return failed(make, "linking a household");
      household = make.lastInsertId().toLongLong();
    }
    QSqlQuery join(db);
    join.prepare(QStringLiteral("UPDATE client SET household_id = ? WHERE id IN (?, ?)"));
    join.addBindValue(household);
    join.addBindValue(id);
    join.addBindValue(other);
    if (!join.exec()) return failed(join, "linking a household");
    QSqlQuery empty(db);
    if (!empty.exec(QStringLiteral("DELETE FROM household WHERE id NOT IN "
                                   "(SELECT household_id FROM client WHERE household_id IS NOT NULL)")))
      return failed(empty, "linking a household");
    return std::nullopt;
  });
}

std::optional<BookError> ClientBook::leaveHousehold(ClientId id) {
  return write("leaving a household", [&](QSqlDatabase& db) -> std::optional<BookError> {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE client SET household_id = NULL WHERE id = ? AND deleted_at IS NULL"));
    query.addBindValue(id);
    if (!query.exec()) return failed(query, "leaving a household");
    if (query.numRowsAffected() == 0) return notFound(id, path_);
    QSqlQuery empty(db);
    if (!empty.exec(QStringLiteral("DELETE FROM household WHERE id NOT IN "
                                   "(SELECT household_id FROM client WHERE household_id IS NOT NULL)")))
      return failed(empty, "leaving a household");
    return std::nullopt;
  });
}

BookResult<std::vector<Client>> ClientBook::household(ClientId id) {
  using R = BookResult<std::vector<Client>>;
  BookResult<Client> self = client(id);
  if (self.error) return R::fail(*self.error);
  if (!self.value->household) return {std::vector<Client>{*self.value}, std::nullopt};
  QSqlQuery query(database());
  query.prepare(QStringLiteral("SELECT %1 FROM client WHERE household_id = ? AND deleted_at IS NULL "
                               "ORDER BY search_text, id")
                    .arg(QLatin1String(kColumns)));
  query.addBindValue(*self.value->household);
  if (!query.exec()) return R::fail(failed(query, "reading a household"));
  std::vector<Client> out;
  while (query.next()) out.push_back(clientOf(query));
  return {std::move(out), std::nullopt};
}

std::optional<BookError> ClientBook::recordPrint(ClientId id, PrintRecord record) {
  if (record.when.empty()) record.when = bookTimestamp();
  return write("recording a print", [&](QSqlDatabase& db) -> std::optional<BookError> {
    QSqlQuery exists(db);
    exists.prepare(QStringLiteral("SELECT 1 FROM client WHERE id = ?"));
    exists.addBindValue(id);
    if (!exists.exec()) return failed(exists, "recording a print");
    if (!exists.next()) return notFound(id, path_);
    exists.finish();
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO print_history (client_id, printed_at, destination, target, paper) VALUES (?, ?, ?, ?, ?)"));
    query.addBindValue(id);
    query.addBindValue(qs(record.when));
    query.addBindValue(record.destination == PrintRecord::Destination::Printer ? QStringLiteral("printer")
                                                                               : QStringLiteral("pdf"));
    query.addBindValue(qs(record.where));
    query.addBindValue(qs(record.paper));
    if (!query.exec()) return failed(query, "recording a print");
    return std::nullopt;
  });
}

BookResult<std::vector<PrintRecord>> ClientBook::prints(ClientId id) {
  using R = BookResult<std::vector<PrintRecord>>;
  QSqlQuery query(database());
  query.prepare(QStringLiteral("SELECT printed_at, destination, target, paper FROM print_history "
                               "WHERE client_id = ? ORDER BY printed_at, id"));
  query.addBindValue(id);
  if (!query.exec()) return R::fail(failed(query, "reading the print history"));
  std::vector<PrintRecord> out;
  while (query.next())
    out.push_back({ss(query.value(0)),
                   query.value(1).toString() == QLatin1String("printer") ? PrintRecord::Destination::Printer
                                                                         : PrintRecord::Destination::Pdf,
                   ss(query.value(2)), ss(query.value(3))});
  return {std::move(out), std::nullopt};
}

std::optional<BookError> ClientBook::backup(const std::string& target) {
  QSqlDatabase db = database();
  return backupBookFile(db, path_, target);
}

std::string ClientBook::integrityCheck() {
  QSqlDatabase db = database();
  return vesprin::integrityCheck(db);
}

}  // namespace vesprin
