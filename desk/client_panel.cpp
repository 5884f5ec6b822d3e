#include "desk/client_panel.h"

#include <algorithm>

#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
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

QString rowText(const ClientSummary& f) {
  QString text = qs(f.name);
  if (!f.nickname.empty()) text += QStringLiteral(" (%1)").arg(qs(f.nickname));
  text += QStringLiteral("  %1 %2").arg(qs(birthDateText(f.birth)), qs(birthTimeText(f.birth)));
  if (!f.phone.empty()) text += QStringLiteral("  ") + qs(f.phone);
  return text;
}

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

  auto* open = new QPushButton(tr("Open"));
  auto* remove = new QPushButton(tr("Delete"));
  undo_ = new QPushButton(tr("Undo delete"));
  undo_->setEnabled(false);
  auto* again = new QPushButton(tr("Print again"));
  auto* family = new QPushButton(tr("Print household"));

  auto* details = new QFormLayout;
  details->addRow(tr("Nickname"), nickname_);
  details->addRow(tr("Phone"), phone_);
  details->addRow(tr("Note"), note_);
  details->addRow(tr("Household"), household_);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {open, remove, undo_}) buttons->addWidget(b);
  auto* prints = new QHBoxLayout;
  for (QPushButton* b : {again, family}) prints->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(search_);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  layout->addLayout(details);
  layout->addLayout(prints);
  layout->addWidget(status_);

  connect(search_, &QLineEdit::textChanged, this, &ClientPanel::filter);
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    if (list_->count() > 0) {
      if (!list_->currentItem()) list_->setCurrentRow(0);
      openSelected();
    }
  });
  connect(list_, &QListWidget::itemActivated, this, &ClientPanel::openSelected);
  connect(open, &QPushButton::clicked, this, &ClientPanel::openSelected);
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
  lookForChanges_ = new QTimer(this);
  lookForChanges_->setInterval(kLookForChangesMs);
  connect(lookForChanges_, &QTimer::timeout, this, &ClientPanel::lookForChanges);
  lookForChanges_->start();
}

ClientPanel::~ClientPanel() {
  for (const ClientId id : deleted_) book_->purge(id);
}

QString ClientPanel::status() const { return status_->text(); }

void ClientPanel::say(const QString& text) { status_->setText(text); }

bool ClientPanel::report(const std::optional<BookError>& error) {
  if (error) say(qs(error->message));
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
