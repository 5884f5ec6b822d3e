#pragma once
// The client book: every client, their birth and decorations, and the chart
// sheets printed for them, in one file shared by the desk and the command
// line. Every change is one transaction: it is in the book whole, or not at
// all, whatever happens to the program on the way.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QSqlDatabase>
#include <QString>

#include "book/book_error.h"
#include "book/book_file.h"
#include "book/client.h"
#include "book/client_index.h"
#include "core/calendar_index.h"

namespace vesprin {

class ClientBook {
 public:
  static BookResult<std::unique_ptr<ClientBook>> open(const std::string& path,
                                                      BookAccess access = BookAccess::ReadWrite,
                                                      int busyTimeoutMs = kDefaultBusyTimeoutMs);
  ~ClientBook();
  ClientBook(const ClientBook&) = delete;
  ClientBook& operator=(const ClientBook&) = delete;

  const std::string& path() const { return path_; }
  // The calendar's selectable years: a birth outside them is refused. Without
  // them only the date itself is checked.
  void setCalendarYears(YearList years) { years_ = std::move(years); }

  BookResult<ClientId> add(const ClientFields& fields);
  // All or none, in one transaction (an import). On a refused client the error
  // names its index in `clients`, counted from 0, in `failedIndex`.
  BookResult<std::vector<ClientId>> addAll(const std::vector<ClientFields>& clients,
                                           std::size_t* failedIndex = nullptr);
  std::optional<BookError> update(ClientId id, const ClientFields& fields);
  BookResult<Client> client(ClientId id);

  // Clients that match a typed search (see client_search.h), in the order of
  // their names; at most `limit` of them (none: all). An empty text: everyone.
  BookResult<std::vector<Client>> search(const QString& typed, std::optional<int> limit = std::nullopt);
  BookResult<int> count();
  // Every client not deleted, as the list shows them and a search as one
  // types tests them (client_index.h), read in one statement.
  BookResult<ClientIndex> index();
  // Whether another program has changed the book since the last call (the
  // first call: since it was opened); this program's own changes do not count.
  BookResult<bool> changedElsewhere();

  // A deleted client is hidden from every search but can be restored until it
  // is purged; purging takes its print history with it.
  std::optional<BookError> remove(ClientId id);
  std::optional<BookError> restore(ClientId id);
  std::optional<BookError> purge(ClientId id);
  // Purges the clients deleted before `when` (a timestamp as bookTimestamp
  // writes them): those a desk deleted and never purged, having ended
  // without closing.
  std::optional<BookError> purgeDeletedBefore(const std::string& when);

  // Households: `other` joins the household of `id` (one is made when `id`
  // has none; a household left empty goes).
  std::optional<BookError> joinHousehold(ClientId id, ClientId other);
  std::optional<BookError> leaveHousehold(ClientId id);
  // The client and the others of their household, by name.
  BookResult<std::vector<Client>> household(ClientId id);

  // A sheet printed or written as a PDF; `when` empty: now.
  std::optional<BookError> recordPrint(ClientId id, PrintRecord record);
  BookResult<std::vector<PrintRecord>> prints(ClientId id);

  std::optional<BookError> backup(const std::string& target);
  std::string integrityCheck();

  QSqlDatabase database() const;

 private:
  ClientBook(std::string path, OpenedBook opened);
  template <class Body>
  std::optional<BookError> write(const std::string& doing, Body&& body);
  std::optional<BookError> checked(const ClientFields& fields) const;
  BookError failed(const class QSqlQuery& query, const std::string& doing) const;

  std::string path_;
  OpenedBook opened_;
  YearList years_;
  std::optional<qint64> changeCount_;
};

// Now, as the book writes its times: UTC, ISO 8601 with milliseconds.
std::string bookTimestamp();

}  // namespace vesprin
