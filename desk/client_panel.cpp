#include "desk/client_panel.h"

#include <algorithm>

#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "book/client_request.h"
#include "book/client_rules.h"
#include "book/client_search.h"
#include "core/civil_date.h"
#include "core/clock.h"

namespace vesprin {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Two lines: who, then the birth and the phone.
QString rowText(const ClientSummary& f) {
  QString text = f.name;
  if (!f.nickname.isEmpty()) text += QStringLiteral(" (%1)").arg(f.nickname);
  text += QStringLiteral("\n%1 %2").arg(qs(birthDateText(f.birth)), qs(birthTimeText(f.birth)));
  if (!f.phone.isEmpty()) text += QStringLiteral("  ") + f.phone;
  return text;
}

// Enter in the search field or the list opens the client, even in a window
// whose own Enter shortcut (the desk's refresh) would take the key first.
class EnterIsMine : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::ShortcutOverride) {
      const int key = static_cast<QKeyEvent*>(e)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        e->accept();
        return true;
      }
    }
    return QObject::eventFilter(watched, e);
  }
};

}  // namespace

std::unique_ptr<ClientPanel> ClientPanel::open(const std::string& path, QString& error, QWidget* parent) {
  auto book = ClientBook::open(path);
  if (book.error) {
    error = qs(book.error->message);
    return nullptr;
  }
  return std::make_unique<ClientPanel>(std::move(*book.value), parent);
}

ClientPanel::ClientPanel(std::unique_ptr<ClientBook> book, QWidget* parent)
    : QWidget(parent), book_(std::move(book)) {
  search_ = new QLineEdit;
  search_->setPlaceholderText(tr("Search: name, nickname, phone or DD/MM/YYYY"));
  search_->setClearButtonEnabled(true);
  list_ = new QListWidget;
  nickname_ = new QLineEdit;
  phone_ = new QLineEdit;
  note_ = new QPlainTextEdit;
  note_->setMaximumHeight(80);
  household_ = new QLabel;
  household_->setWordWrap(true);
  status_ = new QLabel;
  status_->setWordWrap(true);

  client_ = new QLabel;
  client_->setWordWrap(true);
  // The row's text wraps to a second line rather than run out of the list.
  list_->setWordWrap(true);
  list_->setTextElideMode(Qt::ElideNone);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  auto* open = new QPushButton(tr("Open"));
  auto* fresh = new QPushButton(tr("New client"));
  fresh->setToolTip(tr("Close the open client: Ctrl+S then keeps the form as a new client"));
  auto* remove = new QPushButton(tr("Delete"));
  undo_ = new QPushButton(tr("Undo delete"));
  undo_->setEnabled(false);
  auto* saveNew = new QPushButton(tr("Save as new client"));
  saveNew->setToolTip(tr("Keep the form as a new client, whichever client is open"));
  auto* join = new QPushButton(tr("Add to household"));
  join->setToolTip(tr("The client chosen in the list joins the open client's household"));
  auto* leave = new QPushButton(tr("Leave household"));
  leave->setToolTip(tr("The open client leaves their household"));
  auto* again = new QPushButton(tr("Print again"));
  auto* family = new QPushButton(tr("Print household"));

  auto* details = new QFormLayout;
  details->addRow(tr("Client"), client_);
  details->addRow(tr("Nickname"), nickname_);
  details->addRow(tr("Phone"), phone_);
  details->addRow(tr("Note"), note_);
  details->addRow(tr("Household"), household_);
  const auto rowOf = [](std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    for (QPushButton* b : buttons) row->addWidget(b);
    return row;
  };
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(search_);
  layout->addWidget(list_, 1);
  layout->addLayout(rowOf({open, fresh}));
  layout->addLayout(rowOf({remove, undo_}));
  layout->addLayout(details);
  layout->addLayout(rowOf({join, leave}));
  layout->addWidget(saveNew);
  layout->addLayout(rowOf({again, family}));
  layout->addWidget(status_);

  auto* enter = new EnterIsMine(this);
  search_->installEventFilter(enter);
  list_->installEventFilter(enter);
  connect(search_, &QLineEdit::textChanged, this, &ClientPanel::filter);
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    if (list_->count() > 0) {
      if (!list_->currentItem()) list_->setCurrentRow(0);
      openSelected();
    }
  });
  connect(list_, &QListWidget::itemActivated, this, &ClientPanel::openSelected);
  connect(open, &QPushButton::clicked, this, &ClientPanel::openSelected);
  connect(fresh, &QPushButton::clicked, this, &ClientPanel::startNewClient);
  connect(saveNew, &QPushButton::clicked, this, &ClientPanel::saveAsNewRequested);
  connect(join, &QPushButton::clicked, this, &ClientPanel::joinSelectedToHousehold);
  connect(leave, &QPushButton::clicked, this, &ClientPanel::leaveHousehold);
  connect(remove, &QPushButton::clicked, this, &ClientPanel::deleteCurrent);
  connect(undo_, &QPushButton::clicked, this, &ClientPanel::undoDelete);
  connect(again, &QPushButton::clicked, this, &ClientPanel::printAgain);
  connect(family, &QPushButton::clicked, this, &ClientPanel::printHousehold);
  // A desk that ended without closing (a crash, a power cut) left its
  // deletions undone-able; a day later nobody will undo them.
  const std::string dayAgo =
      QDateTime::currentDateTimeUtc().addDays(-1).toString(Qt::ISODateWithMs).toStdString();
  report(book_->purgeDeletedBefore(dayAgo));
  refresh();
  showCurrent();
  lookForChanges_ = new QTimer(this);
  lookForChanges_->setInterval(kLookForChangesMs);
  connect(lookForChanges_, &QTimer::timeout, this, &ClientPanel::lookForChanges);
  lookForChanges_->start();
}

ClientPanel::~ClientPanel() {
  for (const ClientId id : deleted_) book_->purge(id);
}

QString ClientPanel::status() const { return status_->text(); }

void ClientPanel::say(const QString& text) {
  status_->setText(text);
  status_->setToolTip({});
}

QString ClientPanel::statusDetail() const { return status_->toolTip(); }

QString ClientPanel::reasonOf(const BookError& error) {
  switch (error.kind) {
    case BookError::Kind::Invalid:
      return tr("Not kept: the form holds something the book cannot keep");
    case BookError::Kind::NotFound:
      return tr("That client is no longer in the book (deleted at another desk?)");
    case BookError::Kind::Unusable:
      return tr("The client book cannot be used");
    case BookError::Kind::Busy:
      return tr("The client book is busy: another program is writing to it. Nothing was changed; try again");
    case BookError::Kind::Failed:
      break;
  }
  return tr("The client book could not do it; nothing was changed");
}

bool ClientPanel::report(const std::optional<BookError>& error) {
  if (error) {
    // In the astrologer's words; the book's own, which name the file and
    // the cause, under the pointer.
    say(reasonOf(*error));
    status_->setToolTip(qs(error->message));
  }
  return !error;
}

void ClientPanel::refresh() {
  auto read = book_->index();
  if (report(read.error)) index_ = std::move(*read.value);
  filter(search_->text());
}

void ClientPanel::lookForChanges() {
  const auto changed = book_->changedElsewhere();
  if (changed.value && *changed.value) refresh();
}

void ClientPanel::reindex(ClientId id) {
  if (const auto c = book_->client(id); c.value)
    index_.put(summaryOf(*c.value));
  else
    index_.erase(id);
  filter(search_->text());
}

void ClientPanel::filter(const QString& text) {
  list_->clear();
  for (const ClientSummary* c : index_.find(text, kListed)) {
    auto* item = new QListWidgetItem(rowText(*c), list_);
    item->setData(Qt::UserRole, c->id);
    if (current_ && c->id == *current_) list_->setCurrentItem(item);
  }
}

PrintRequest ClientPanel::requestOf(const Client& c) const {
  // The chart as it was saved, read in this year: the month strip and the
  // cast date are today's.
  return clientRequest(c.fields, SystemClock().today().year + kBuddhistEraOffset);
}

void ClientPanel::openSelected() {
  const QListWidgetItem* item = list_->currentItem();
  if (!item) return;
  const auto c = book_->client(item->data(Qt::UserRole).toLongLong());
  if (c.error) {
    report(c.error);
    refresh();
    return;
  }
  current_ = c.value->id;
  currentClient_ = *c.value;
  showCurrent();
  say(tr("Opened %1").arg(qs(c.value->fields.name)));
  emit clientOpened(c.value->id, requestOf(*c.value));
}

void ClientPanel::showCurrent() {
  const ClientFields f = currentClient_ ? currentClient_->fields : ClientFields{};
  client_->setText(currentClient_ ? qs(f.name) : tr("(new: Ctrl+S adds the form as a new client)"));
  nickname_->setText(qs(f.nickname));
  phone_->setText(qs(f.phone));
  note_->setPlainText(qs(f.note));
  QStringList others;
  if (current_) {
    if (const auto members = book_->household(*current_); members.value)
      for (const Client& m : *members.value)
        if (m.id != *current_) others << qs(m.fields.name);
  }
  household_->setText(others.join(QStringLiteral(", ")));
}

ClientFields ClientPanel::fieldsFrom(const PrintRequest& request) const {
  ClientFields f = clientFieldsOf(request, currentClient_ ? currentClient_->fields : ClientFields{});
  f.nickname = nickname_->text().toStdString();
  f.phone = phone_->text().toStdString();
  f.note = note_->toPlainText().toStdString();
  return f;
}

void ClientPanel::save(const PrintRequest& request) {
  if (!current_) {
    saveAsNew(request);
    return;
  }
  const ClientFields f = fieldsFrom(request);
  if (!report(book_->update(*current_, f))) return;
  currentClient_ = book_->client(*current_).value;
  say(tr("Saved %1").arg(qs(f.name)));
  reindex(*current_);
}

void ClientPanel::saveAsNew(const PrintRequest& request) {
  const ClientFields f = fieldsFrom(request);
  const auto id = book_->add(f);
  if (!report(id.error)) return;
  current_ = *id.value;
  currentClient_ = book_->client(*id.value).value;
  say(tr("Saved %1 as a new client").arg(qs(f.name)));
  reindex(*id.value);
}

void ClientPanel::deleteCurrent() {
  const QListWidgetItem* item = list_->currentItem();
  const std::optional<ClientId> id =
      item ? std::optional<ClientId>(item->data(Qt::UserRole).toLongLong()) : current_;
  if (!id) return;
  if (!report(book_->remove(*id))) return;
  deleted_.push_back(*id);
  undo_->setEnabled(true);
  if (current_ == id) {
    current_.reset();
    currentClient_.reset();
    showCurrent();
  }
  say(tr("Deleted; Undo delete brings the client back until the desk closes"));
  reindex(*id);
}

void ClientPanel::undoDelete() {
  if (deleted_.empty()) return;
  const ClientId id = deleted_.back();
  if (!report(book_->restore(id))) return;
  deleted_.pop_back();
  undo_->setEnabled(!deleted_.empty());
  say(tr("Restored"));
  reindex(id);
}

void ClientPanel::startNewClient() {
  current_.reset();
  currentClient_.reset();
  list_->clearSelection();
  list_->setCurrentItem(nullptr);
  showCurrent();
  say(tr("New client: type the birth into the form, then Ctrl+S"));
}

void ClientPanel::joinSelectedToHousehold() {
  const QListWidgetItem* item = list_->currentItem();
  if (!current_ || !item) {
    say(tr("Open a client, then choose in the list who joins their household"));
    return;
  }
  const ClientId other = item->data(Qt::UserRole).toLongLong();
  if (other == *current_) {
    say(tr("Choose another client in the list"));
    return;
  }
  if (!report(book_->joinHousehold(*current_, other))) return;
  currentClient_ = book_->client(*current_).value;
  showCurrent();
  say(tr("%1 joined the household").arg(item->text().section(QLatin1Char('\n'), 0, 0)));
}

void ClientPanel::leaveHousehold() {
  if (!current_) {
    say(tr("Open a client first"));
    return;
  }
  if (!report(book_->leaveHousehold(*current_))) return;
  currentClient_ = book_->client(*current_).value;
  showCurrent();
  say(tr("Left the household"));
}

void ClientPanel::recordSheet(const PrintRequest& request, const QString& where, const QString& paper) {
  std::optional<ClientId> owner = sheetOwner_;
  if (!owner && current_ && currentClient_ && request.birth.name == currentClient_->fields.name) owner = current_;
  if (!owner) return;
  PrintRecord record;
  const bool pdf = where.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
  record.destination = pdf ? PrintRecord::Destination::Pdf : PrintRecord::Destination::Printer;
  record.where = where.toStdString();
  record.paper = paper.toStdString();
  report(book_->recordPrint(*owner, record));
}

void ClientPanel::printAgain() {
  if (!current_ || !currentClient_) {
    say(tr("Open a client first"));
    return;
  }
  emit printRequested({*current_}, {requestOf(*currentClient_)});
}

void ClientPanel::printHousehold() {
  if (!current_) {
    say(tr("Open a client first"));
    return;
  }
  const auto members = book_->household(*current_);
  if (!report(members.error)) return;
  QList<qint64> ids;
  QList<PrintRequest> requests;
  for (const Client& m : *members.value) {
    ids << m.id;
    requests << requestOf(m);
  }
  emit printRequested(ids, requests);
}

}  // namespace vesprin
