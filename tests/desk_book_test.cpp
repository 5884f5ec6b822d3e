// The desk with its client book, driven offscreen as the astrologer drives
// it: a client found and opened fills the form, Ctrl+S keeps the form in the
// open client and never in another, a new client and "save as new" add one,
// households are linked from the list, and a sheet saved as a PDF is written
// into the client's print history with its paper.
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "desk/desk_with_book.h"

namespace vesprin {
namespace {

const std::string kData = VESPRIN_SOURCE_DATA_DIR;

ClientFields person(const char* name, ClientBirth birth) {
  ClientFields f;
  f.name = name;
  f.birth = birth;
  return f;
}

}  // namespace

class DeskBookTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  FixedClock clock_{{2026, 12, 10}};
  std::unique_ptr<SheetBuilder> builder_;
  std::unique_ptr<DeskWindow> desk_;
  ClientPanel* panel_ = nullptr;
  ClientId somchai_ = 0, namfon_ = 0;

  ClientBook& book() { return panel_->book(); }
  QPushButton* button(const char* text) {
    for (QPushButton* b : panel_->findChildren<QPushButton*>())
      if (b->text() == QLatin1String(text)) return b;
    return nullptr;
  }
  void find(const QString& text) {
    panel_->searchField()->setText(text);
    panel_->list()->setCurrentRow(0);
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Vesprin"));
    QCoreApplication::setApplicationName(QStringLiteral("desk_book_test"));
    QSettings().clear();
  }

  void init() {
    static int serial = 0;
    const std::string path = (dir_.path() + QStringLiteral("/%1.sqlite").arg(++serial)).toStdString();
    auto opened = ClientBook::open(path);
    QVERIFY(opened.value);
    somchai_ = *(*opened.value)->add(person("สมชาย ใจดี", {5, 3, 2530, 7, 30})).value;
    namfon_ = *(*opened.value)->add(person("น้ำฝน ใจดี", {29, 2, 2531, 0, 10})).value;
    builder_ = std::make_unique<SheetBuilder>(std::vector<std::string>{kData}, clock_,
                                              DriveMap::parse("D=" + kData + "/pictures").map);
    desk_ = std::make_unique<DeskWindow>(*builder_);
    panel_ = new ClientPanel(std::move(*opened.value));
    attachClientPanel(*desk_, panel_);
    desk_->show();
    QVERIFY(QTest::qWaitForWindowActive(desk_.get()));
  }
  void cleanup() {
    desk_.reset();
    builder_.reset();
  }

  void an_opened_client_fills_the_form_and_ctrl_s_keeps_it_there() {
    find(QStringLiteral("นำฝน"));
    QTest::keyClick(panel_->searchField(), Qt::Key_Return);
    BirthForm* form = desk_->entry();
    QCOMPARE(form->nameField()->text(), QStringLiteral("น้ำฝน ใจดี"));
    QCOMPARE(form->dayField()->value(), 29);
    QCOMPARE(form->minuteField()->value(), 10);
    QVERIFY(desk_->canPrint());
    form->hourField()->setValue(9);
    desk_->refreshNow();
    QTest::keyClick(desk_.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(book().client(namfon_).value->fields.birth.hour, 9);
    QCOMPARE(*book().count().value, 2);
  }

  void a_new_client_is_added_never_written_over_the_open_one() {
    find(QStringLiteral("สมชาย"));
    panel_->openSelected();
    button("New client")->click();
    desk_->entry()->nameField()->setText(QStringLiteral("เล็ก"));
    desk_->refreshNow();
    QTest::keyClick(desk_.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(*book().count().value, 3);
    QCOMPARE(book().client(somchai_).value->fields.name, std::string("สมชาย ใจดี"));
    // "Save as new client" adds one more, whichever client is open.
    desk_->entry()->nameField()->setText(QStringLiteral("ใหญ่"));
    desk_->refreshNow();
    button("Save as new client")->click();
    QCOMPARE(*book().count().value, 4);
    QCOMPARE(book().search(QStringLiteral("ใหญ่")).value->size(), std::size_t(1));
  }

  void households_are_linked_from_the_list() {
    find(QStringLiteral("สมชาย"));
    panel_->openSelected();
    find(QStringLiteral("น้ำฝน"));
    button("Add to household")->click();
    QCOMPARE(book().household(somchai_).value->size(), std::size_t(2));
    button("Leave household")->click();
    QCOMPARE(book().household(namfon_).value->size(), std::size_t(1));
  }

  void a_pdf_goes_into_the_print_history_with_its_paper() {
    find(QStringLiteral("สมชาย"));
    panel_->openSelected();
    desk_->setPaper(Paper::A4);
    const std::string pdf = (dir_.path() + QStringLiteral("/สมชาย.pdf")).toStdString();
    QCOMPARE(desk_->savePdfTo(pdf).result, PrintResult::WrittenToPdf);
    desk_->setPaper(Paper::Letter);
    const auto prints = book().prints(somchai_);
    QCOMPARE(prints.value->size(), std::size_t(1));
    QCOMPARE(prints.value->front().where, pdf);
    QCOMPARE(prints.value->front().paper, std::string("a4"));
    QCOMPARE(prints.value->front().destination, PrintRecord::Destination::Pdf);
  }
};

}  // namespace vesprin

QTEST_MAIN(vesprin::DeskBookTest)
#include "desk_book_test.moc"
