#pragma once
// The client list beside the desk's form: a search field that filters as one
// types, the clients it finds, and what the astrologer does with one: open it
// into the form, save the form back (or as a new client), delete it (undone
// until the desk closes), print it again, print its household.
//
// The panel knows the book, not the form: it hands requests out by signals
// and takes them in by slots, so the desk wires it with a few connections:
//   panel.clientOpened      -> desk.setRequest
//   desk.saveClientRequested -> panel.save
//   desk.sheetPrinted       -> panel.recordSheet
//   panel.saveAsNewRequested -> panel.saveAsNew(desk.request())
//   panel.printRequested    -> the desk prints each request, the panel's
//                              setSheetOwner naming whose it is
#include <memory>
#include <optional>
#include <vector>

#include <QListWidget>
#include <QTimer>
#include <QWidget>

#include "book/client_book.h"
#include "book/client_index.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vesprin {

class ClientPanel : public QWidget {
  Q_OBJECT
 public:
  // Opens the book at `path` (created when missing); none, with why, when it
  // cannot be used.
  static std::unique_ptr<ClientPanel> open(const std::string& path, QString& error, QWidget* parent = nullptr);
  explicit ClientPanel(std::unique_ptr<ClientBook> book, QWidget* parent = nullptr);
  // Clients deleted in this session are gone for good now.
  ~ClientPanel() override;

  ClientBook& book() { return *book_; }
  // The client open in the form, none for a new one.
  std::optional<ClientId> current() const { return current_; }
  QLineEdit* searchField() const { return search_; }
  QListWidget* list() const { return list_; }
  // What the last action said (saved, deleted, the reason it failed), and
  // the book's own words when it failed.
  QString status() const;
  QString statusDetail() const;

  // At most this many clients are listed for a search; the rest wait for a
  // narrower one.
  static constexpr int kListed = 100;
  // How often the book is asked whether another program (vesprin-book,
  // another desk) changed it, for the list to follow.
  static constexpr int kLookForChangesMs = 2000;

 public slots:
  // Ctrl+S: the form into the open client, or a new client when none is open.
  void save(const vesprin::PrintRequest& request);
  void saveAsNew(const vesprin::PrintRequest& request);
  // Opens the client of the list's current row.
  void openSelected();
  // No client open: the next save adds a new one.
  void startNewClient();
  // The client chosen in the list joins the open client's household; the
  // open client leaves theirs.
  void joinSelectedToHousehold();
  void leaveHousehold();
  void deleteCurrent();
  void undoDelete();
  // A sheet left the desk: recorded in the print history of the client it
  // was printed for (see setSheetOwner), else of the open client when the
  // sheet bears their name.
  void recordSheet(const vesprin::PrintRequest& request, const QString& where, const QString& paper);
  // While a household is printed one member after the other: whose sheet
  // the next recordSheet is. None: the open client's.
  void setSheetOwner(std::optional<vesprin::ClientId> id) { sheetOwner_ = id; }
  void printAgain();
  void printHousehold();
  // Reads the client list from the book again and lists the search anew.
  void refresh();
  // Refreshes when another program has changed the book.
  void lookForChanges();

 signals:
  // A client to show in the form: their request with this year's month strip.
  void clientOpened(qint64 id, const vesprin::PrintRequest& request);
  // Print these (print again: one; a household: all of them).
  void printRequested(const QList<qint64>& ids, const QList<vesprin::PrintRequest>& requests);
  // "Save as new client": the desk answers with saveAsNew(its request).
  void saveAsNewRequested();

 private:
  // The list for the search field's text, from the index in memory.
  void filter(const QString& text);
  // The client as it now stands in the book into the index (gone when the
  // book no longer lists them).
  void reindex(ClientId id);
  void say(const QString& text);
  bool report(const std::optional<BookError>& error);
  static QString reasonOf(const BookError& error);
  void showCurrent();
  ClientFields fieldsFrom(const PrintRequest& request) const;
  PrintRequest requestOf(const Client& client) const;

  std::unique_ptr<ClientBook> book_;
  std::optional<ClientId> current_;
  std::optional<Client> currentClient_;
  std::optional<ClientId> sheetOwner_;
  std::vector<ClientId> deleted_;  // the undo stack, last deleted at the back
  ClientIndex index_;
  QTimer* lookForChanges_;

  QLineEdit* search_;
  QListWidget* list_;
  QLineEdit* nickname_;
  QLineEdit* phone_;
  QPlainTextEdit* note_;
  QLabel* client_;
  QLabel* household_;
  QLabel* status_;
  QPushButton* undo_;
};

}  // namespace vesprin
