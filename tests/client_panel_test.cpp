// The desk's client list on its own, offscreen: typing filters the list,
// opening hands the client's request out, save, save as new, delete and its
// undo, print again and the household.
#include "desk/client_panel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "book/client_request.h"

namespace vesprin {

class ClientPanelTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::string path_;
  std::unique_ptr<ClientPanel> panel_;
  ClientId somchai_ = 0, namfon_ = 0, lek_ = 0;

  static ClientFields person(const char* name, const char* nickname, const char* phone, ClientBirth birth) {
    ClientFields f;
    f.name = name;
    f.nickname = nickname;
    f.phone = phone;
    f.birth = birth;
    return f;
  }
  // Types one character after the other, as a Thai keyboard sends them
  // (QTest::keyClicks takes Latin-1 only).
  void type(const QString& text) {
    panel_->searchField()->clear();
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(panel_->searchField(), &press);
      QApplication::sendEvent(panel_->searchField(), &release);
    }
  }
  QStringList listed() const {
    QStringList names;
    for (int k = 0; k < panel_->list()->count(); ++k)
      names << panel_->list()->item(k)->text().section(QLatin1Char('\n'), 0, 0).section(QLatin1Char(' '), 0, 0);
    return names;
  }
  void select(ClientId id) {
    for (int k = 0; k < panel_->list()->count(); ++k)
      if (panel_->list()->item(k)->data(Qt::UserRole).toLongLong() == id) panel_->list()->setCurrentRow(k);
  }

 private slots:
  void init() {
    static int serial = 0;  // a fresh book for every test and every row of data
    path_ = (dir_.path() + QStringLiteral("/%1.sqlite").arg(++serial)).toStdString();
    auto book = ClientBook::open(path_);
    QVERIFY(book.value);
    ClientBook& b = **book.value;
    somchai_ = *b.add(person("สมชาย", "ชาย", "081-234-5678", {5, 3, 2530, 7, 30})).value;
    namfon_ = *b.add(person("น้ำฝน", "ฝน", "", {29, 2, 2531, 0, 10})).value;
    lek_ = *b.add(person("เล็ก", "", "", {1, 1, 2560, 12, 0})).value;
    QVERIFY(!b.joinHousehold(somchai_, lek_));
    panel_ = std::make_unique<ClientPanel>(std::move(*book.value));
  }
  void cleanup() { panel_.reset(); }

  void filters_as_one_types_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("everyone") << QString() << QStringList{QStringLiteral("น้ำฝน"), QStringLiteral("สมชาย"), QStringLiteral("เล็ก")};
    QTest::newRow("tone mark left out") << QStringLiteral("นำ") << QStringList{QStringLiteral("น้ำฝน")};
    QTest::newRow("nickname") << QStringLiteral("ฝน") << QStringList{QStringLiteral("น้ำฝน")};
    QTest::newRow("phone") << QStringLiteral("0812") << QStringList{QStringLiteral("สมชาย")};
    QTest::newRow("date BE") << QStringLiteral("05/03/2530") << QStringList{QStringLiteral("สมชาย")};
    QTest::newRow("date CE") << QStringLiteral("29/02/1988") << QStringList{QStringLiteral("น้ำฝน")};
    QTest::newRow("nobody") << QStringLiteral("xyz") << QStringList{};
  }
  void filters_as_one_types() {
    QFETCH(QString, typed);
    QFETCH(QStringList, names);
    type(typed);
    QCOMPARE(listed(), names);
  }

  // The list is searched in memory: it follows the panel's own changes at
  // once and another program's at its next look.
  void follows_changes_to_the_book() {
    type(QStringLiteral("ไก่"));
    QCOMPARE(listed(), QStringList{});
    auto other = ClientBook::open(path_);
    QVERIFY(other.value);
    ClientFields f = person("ไก่", "", "", {2, 2, 2540, 9, 0});
    QVERIFY((*other.value)->add(f).value);
    QCOMPARE(listed(), QStringList{});
    panel_->lookForChanges();
    QCOMPARE(listed(), QStringList{QStringLiteral("ไก่")});

    select(somchai_);
    panel_->openSelected();
    type(QStringLiteral("สมหญิง"));
    panel_->save(clientRequest([&] {
      ClientFields renamed = panel_->book().client(somchai_).value->fields;
      renamed.name = "สมหญิง";
      return renamed;
    }(), 2569));
    QCOMPARE(listed(), QStringList{QStringLiteral("สมหญิง")});
  }

  void opens_a_client_into_the_form() {
    QSignalSpy opened(panel_.get(), &ClientPanel::clientOpened);
    type(QStringLiteral("สมชาย"));
    QTest::keyClick(panel_->searchField(), Qt::Key_Return);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened[0][0].toLongLong(), somchai_);
    const auto request = opened[0][1].value<PrintRequest>();
    QCOMPARE(request.birth.name, std::string("สมชาย"));
    QCOMPARE(request.birth.day, 5);
    QCOMPARE(request.birth.hour, 7);
    QCOMPARE(panel_->current(), std::optional<ClientId>(somchai_));
  }

  void saves_into_the_open_client_or_a_new_one() {
    select(somchai_);
    panel_->openSelected();
    PrintRequest r = clientRequest(panel_->book().client(somchai_).value->fields, 2569);
    r.birth.name = "สมชาย ใจดี";
    r.marks.clashes = {true, false, false};
    panel_->save(r);
    const Client saved = *panel_->book().client(somchai_).value;
    QCOMPARE(saved.fields.name, std::string("สมชาย ใจดี"));
    QCOMPARE(saved.fields.marks.clashes[0], true);
    QCOMPARE(saved.fields.birth.minute, 30);
    QCOMPARE(saved.fields.phone, std::string("081-234-5678"));

    r.birth.name = "สมชาย คนใหม่";
    panel_->saveAsNew(r);
    QCOMPARE(*panel_->book().count().value, 4);
    QVERIFY(panel_->current() != std::optional<ClientId>(somchai_));

    r.birth.name = "Zoë";  // code page 874 cannot hold it: refused, said, nothing changed
    panel_->save(r);
    QVERIFY(panel_->statusDetail().contains(QStringLiteral("code page 874")));
    QCOMPARE(*panel_->book().count().value, 4);
  }

  void delete_is_undone_until_the_desk_closes() {
    select(namfon_);
    panel_->deleteCurrent();
    QVERIFY(!listed().contains(QStringLiteral("น้ำฝน")));
    panel_->undoDelete();
    QVERIFY(listed().contains(QStringLiteral("น้ำฝน")));
    select(namfon_);
    panel_->deleteCurrent();
    panel_.reset();  // the desk closes
    auto book = ClientBook::open(path_);
    QVERIFY(book.value);
    QVERIFY((*book.value)->restore(namfon_).has_value());  // gone for good
    QCOMPARE(*(*book.value)->count().value, 2);
  }

  void prints_again_and_records_the_sheet() {
    QSignalSpy print(panel_.get(), &ClientPanel::printRequested);
    select(somchai_);
    panel_->openSelected();
    panel_->printAgain();
    QCOMPARE(print.count(), 1);
    const auto requests = print[0][1].value<QList<PrintRequest>>();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].birth.name, std::string("สมชาย"));
    panel_->recordSheet(requests[0], QStringLiteral("/tmp/สมชาย.pdf"), QStringLiteral("a4"));
    const auto prints = panel_->book().prints(somchai_);
    QCOMPARE(prints.value->size(), std::size_t(1));
    QCOMPARE(prints.value->front().where, std::string("/tmp/สมชาย.pdf"));
    QCOMPARE(prints.value->front().paper, std::string("a4"));

    panel_->printHousehold();
    QCOMPARE(print.count(), 2);
    QCOMPARE(print[1][0].value<QList<qint64>>().size(), 2);  // สมชาย and เล็ก
  }
};

}  // namespace vesprin

Q_DECLARE_METATYPE(vesprin::PrintRequest)

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vesprin::ClientPanelTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "client_panel_test.moc"
