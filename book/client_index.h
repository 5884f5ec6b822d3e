#pragma once
// The client list as a search reads it, in memory: for every client not
// deleted, the folded text a search looks in, the birth, and the few fields a
// row of the list shows, in the order of the names. It is read from the book
// once and kept up to date by the program that changes it (and read again
// when another program has), so that a keystroke asks no database: a search
// is one pass of a fast substring search over prepared text.
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "book/client.h"
#include "book/client_search.h"

namespace vesprin {

// A client as the list shows and a search tests them.
struct ClientSummary {
  ClientId id = 0;
  QString name, nickname, phone;  // as typed
  ClientBirth birth;
  QString searchText;  // clientSearchText of the fields
  friend bool operator==(const ClientSummary&, const ClientSummary&) = default;
};

ClientSummary summaryOf(const Client& client);

class ClientIndex {
 public:
  ClientIndex() = default;
  // Any order; they are kept in the order of the names (then of the ids), as
  // the book lists them.
  explicit ClientIndex(std::vector<ClientSummary> clients);

  // The clients a typed search finds (see client_search.h), in the order of
  // their names; at most `limit` of them (none: all).
  std::vector<const ClientSummary*> find(const SearchQuery& query, std::optional<int> limit = std::nullopt) const;
  std::vector<const ClientSummary*> find(const QString& typed, std::optional<int> limit = std::nullopt) const {
    return find(parseSearch(typed), limit);
  }

  // A client added or changed (in its new place), or deleted.
  void put(ClientSummary client);
  void erase(ClientId id);

  std::size_t size() const { return clients_.size(); }
  const ClientSummary* byId(ClientId id) const;

 private:
  void rebuildText() const;

  std::vector<ClientSummary> clients_;  // by (searchText, id)
  // Every client's search text, one byte a letter (see client_index.cpp),
  // end to end in the order of clients_, each closed by a NUL; starts_[k] is
  // where client k's begins. Made again on the first search after a change.
  mutable std::string text_;
  mutable std::vector<std::size_t> starts_;
  mutable bool stale_ = true;
};

}  // namespace vesprin
