// The desk driven as an astrologer drives it, offscreen, over the shipped
// calendar: what typing a birth gives, what the form refuses, the clashes it
// suggests and never applies by itself, and that its sheet is the sheet the
// engine prints from the hand-over files of the same birth.
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

#include "app/print_run.h"
#include "app/scripted_ui.h"
#include "desk/desk_window.h"
#include "present/print_steps.h"
#include "tests/run_program.h"

namespace vesprin {
namespace {

const std::string kData = VESPRIN_SOURCE_DATA_DIR;
const std::string kPictures = kData + "/pictures";

// Types into a field as the keyboard would: a spin box or line edit is
// emptied first; a combo box finds its item by the typed text. Thai text
// (which the test's key events cannot carry) goes in as an input method
// would put it.
void type(QWidget* field, const QString& text) {
  // A list takes quick keys as one search: a list typed into again waits
  // until its last search is over, as a person's typing would.
  static QHash<QWidget*, QElapsedTimer> typedAt;
  if (qobject_cast<QComboBox*>(field) && typedAt.contains(field)) {
    const qint64 left = QApplication::keyboardInputInterval() + 50 - typedAt[field].elapsed();
    if (left > 0) QTest::qWait(static_cast<int>(left));
  }
  typedAt[field].start();
  field->setFocus();
  auto* edit = qobject_cast<QLineEdit*>(field);
  if (edit) edit->clear();
  if (auto* box = qobject_cast<QAbstractSpinBox*>(field)) box->selectAll();
  if (edit && text.toLatin1() != text.toUtf8()) {
    edit->insert(text);
    return;
  }
  QTest::keyClicks(field, text);
}

}  // namespace

class DeskTest : public QObject {
  Q_OBJECT

 private:
  FixedClock clock_{{2026, 12, 9}};
  std::unique_ptr<SheetBuilder> builder_;
  std::unique_ptr<DeskWindow> desk_;

  void typeBirth(const QString& name, const QString& day, const QString& month, const QString& year,
                 const QString& hour, const QString& minute, int gender) {
    BirthForm* e = desk_->entry();
    type(e->nameField(), name);
    type(e->dayField(), day);
    type(e->monthField(), month);
    type(e->yearField(), year);
    type(e->hourField(), hour);
    type(e->minuteField(), minute);
    e->genderField()->setCurrentIndex(gender);
    desk_->refreshNow();
  }

 private slots:
  void initTestCase() {
    // The paper setting goes to a test folder, never the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Vesprin"));
    QCoreApplication::setApplicationName(QStringLiteral("desk_test"));
    QSettings().clear();
  }

  void init() {
    builder_ = std::make_unique<SheetBuilder>(std::vector<std::string>{kData}, clock_,
                                              DriveMap::parse("D=" + kPictures).map);
    desk_ = std::make_unique<DeskWindow>(*builder_);
  }
  void cleanup() {
    desk_.reset();
    builder_.reset();
  }

  void a_typed_birth_is_the_request_and_the_sheet_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("hour");
    QTest::addColumn<int>("gender");
    QTest::addColumn<int>("expectedYear");
    QTest::addColumn<QString>("dumpLine");
    QTest::newRow("Buddhist Era") << QStringLiteral("สมชาย ใจดี") << "05" << "03" << "2530" << "07" << 0 << 2530
                                  << QStringLiteral("ComboBoxyy \"2530\"");
    // A Christian-Era year becomes its Buddhist-Era year.
    QTest::newRow("Christian Era converted") << QStringLiteral("ดวงใจ") << "23" << "11" << "1998" << "10" << 1
                                             << 2541 << QStringLiteral("ComboBoxmm \"11 = พฤศจิกายน\"");
    // Hour 00 belongs to the day before; the form shows it as typed.
    QTest::newRow("hour 00") << QStringLiteral("ก") << "01" << "01" << "2500" << "00" << 0 << 2500
                             << QStringLiteral("ComboBoxth \"00\"");
  }
  void a_typed_birth_is_the_request_and_the_sheet() {
    QFETCH(QString, name);
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QString, hour);
    QFETCH(int, gender);
    QFETCH(int, expectedYear);
    QFETCH(QString, dumpLine);
    typeBirth(name, day, month, year, hour, QStringLiteral("30"), gender);
    QVERIFY2(desk_->canPrint(), qPrintable(desk_->entry()->problem()));
    const PrintRequest r = desk_->request();
    QCOMPARE(QString::fromStdString(r.birth.name), name);
    QCOMPARE(r.birth.day, day.toInt());
    QCOMPARE(r.birth.month, month.toInt());
    QCOMPARE(r.birth.year, expectedYear);
    QCOMPARE(r.birth.hour, hour.toInt());
    QCOMPARE(r.birth.minute, 30);
    QCOMPARE(r.birth.gender, gender == 0 ? Gender::Male : Gender::Female);
    QCOMPARE(r.birth.pregnancy, 9);
    QCOMPARE(r.birth.strip.beYearText, std::string("2569"));
    // The power line and the balance figures are the chart's own.
    QVERIFY(r.marks.powers && r.marks.balance);
    const QString dump = QString::fromStdString(printedStateDump(*desk_->sheetForms()));
    QVERIFY2(dump.contains(dumpLine), qPrintable(dump.right(400)));
    QVERIFY(dump.contains(QStringLiteral("EditName \"") + name + QStringLiteral("\"")));
    QVERIFY(dump.contains(QStringLiteral("กลุ่มดิถี ธาตุ")));
    QVERIFY(desk_->windowTitle().startsWith(QStringLiteral("Vesprin")));
  }

  void an_impossible_date_is_marked_and_cannot_go_out_data() {
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::newRow("31 February") << "31" << "02" << "2530";
    QTest::newRow("29 February of a common year") << "29" << "02" << "2542";
    QTest::newRow("31 April") << "31" << "04" << "2500";
    // CE 1900 is no leap year, though its number ends in 00.
    QTest::newRow("29 February 2443") << "29" << "02" << "2443";
    QTest::newRow("a year the calendar lacks") << "01" << "01" << "2800";
  }
  void an_impossible_date_is_marked_and_cannot_go_out() {
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    typeBirth(QStringLiteral("ก"), day, month, year, QStringLiteral("10"), QStringLiteral("00"), 0);
    QVERIFY(!desk_->canPrint());
    QVERIFY(!desk_->entry()->record());
    QVERIFY(!desk_->entry()->problem().isEmpty());
    QTemporaryDir dir;
    const std::filesystem::path pdf = dir.filePath(QStringLiteral("x.pdf")).toStdString();
    QCOMPARE(desk_->savePdfTo(pdf).result, PrintResult::Failed);
    QVERIFY(!std::filesystem::exists(pdf));
    QVERIFY(!desk_->writeHandoverTo(dir.path()).isEmpty());
    QVERIFY(!std::filesystem::exists(dir.filePath(QStringLiteral("VesprinPrint.DAT")).toStdString()));
    // 29 February of a leap year is a day.
    typeBirth(QStringLiteral("ก"), QStringLiteral("29"), QStringLiteral("02"), QStringLiteral("2543"),
              QStringLiteral("10"), QStringLiteral("00"), 0);
    QVERIFY2(desk_->canPrint(), qPrintable(desk_->entry()->problem() + desk_->entry()->dayField()->currentText()));
  }

  void a_clash_is_suggested_and_applied_only_when_accepted() {
    // 14/05/2530 at 10 h: 丁卯 year, 乙巳 month, 癸亥 day, 丁巳 time: 巳 and 亥
    // clash between month and day and between day and time.
    typeBirth(QStringLiteral("ก"), QStringLiteral("14"), QStringLiteral("05"), QStringLiteral("2530"),
              QStringLiteral("10"), QStringLiteral("00"), 0);
    DecorationsPanel* d = desk_->decorationsPanel();
    QCOMPARE(d->pendingSuggestions(), (std::array<bool, 3>{false, true, true}));
    QCOMPARE(desk_->request().marks.clashes, (std::array<bool, 3>{false, false, false}));
    QVERIFY(!desk_->sheetForms()->chartSheet.at("QRImagechng2").picture.size());

    d->acceptSuggestion(1);
    d->ignoreSuggestion(2);
    desk_->refreshNow();
    QCOMPARE(desk_->request().marks.clashes, (std::array<bool, 3>{false, true, false}));
    QCOMPARE(d->pendingSuggestions(), (std::array<bool, 3>{false, false, false}));
    QCOMPARE(desk_->sheetForms()->chartSheet.at("QRImagechng2").picture, std::string("chng.bmp"));
    QVERIFY(desk_->sheetForms()->chartSheet.at("QRImagechng3").picture.empty());

    // The next day (甲子) clashes with nothing: nothing is suggested, what was
    // accepted stays the astrologer's.
    type(desk_->entry()->dayField(), QStringLiteral("15"));
    desk_->refreshNow();
    QCOMPARE(d->pendingSuggestions(), (std::array<bool, 3>{false, false, false}));
    QCOMPARE(desk_->request().marks.clashes, (std::array<bool, 3>{false, true, false}));
  }

  // 6 March 2530: the large festival at 09:53 (CAL2493.DAT). Typed to the
  // minute, the birth is warned of beside the form and on the sheet, with
  // the other side's month pillar; a narrower margin says nothing.
  void a_birth_near_a_festival_is_warned_of_with_the_other_chart() {
    typeBirth(QStringLiteral("ก"), QStringLiteral("06"), QStringLiteral("03"), QStringLiteral("2530"),
              QStringLiteral("09"), QStringLiteral("40"), 0);
    BoundaryPanel* panel = desk_->boundaryPanel();
    QCOMPARE(panel->warnings().size(), std::size_t(1));
    const BoundaryWarning& w = panel->warnings().front();
    QCOMPARE(w.kind, BoundaryKind::Festival);
    QCOMPARE(w.minutes, 13);
    QCOMPARE(w.at, std::string("09:53"));
    QVERIFY(!panel->isHidden());
    QVERIFY2(panel->lines().front().contains(QStringLiteral("13 min before the large festival at 09.53")),
             qPrintable(panel->lines().front()));
    const QString onSheet = QString::fromStdString(desk_->sheetForms()->chartSheet.caption("QRLabelBoundary"));
    QVERIFY2(onSheet.contains(QStringLiteral("09.53")) && onSheet.contains(QStringLiteral("13 นาที")), qPrintable(onSheet));

    std::unique_ptr<QDialog> dialog(panel->otherChartDialog(0));
    // Columns time, day, month, year: the month turns, the day stays. The
    // chart counts the festival from the start of its double hour (09:00),
    // so the birth has the new month and the other side the old one.
    const auto cell = [&](int row, int column) {
      return dialog->findChild<QLabel*>(QStringLiteral("pillar_%1_%2").arg(row).arg(column))->text();
    };
    QVERIFY2(cell(0, 2).startsWith(QStringLiteral("癸卯")), qPrintable(cell(0, 2)));
    QVERIFY2(cell(1, 2).startsWith(QStringLiteral("壬寅")), qPrintable(cell(1, 2)));
    QCOMPARE(cell(0, 1), cell(1, 1));

    desk_->setBoundaryMargin(10);
    QVERIFY(panel->warnings().empty());
    QVERIFY(panel->isHidden());
    QVERIFY(desk_->sheetForms()->chartSheet.caption("QRLabelBoundary").empty());
    desk_->setBoundaryMargin(kDefaultBoundaryMargin);
    QCOMPARE(panel->warnings().size(), std::size_t(1));
  }

  void the_desk_sheet_is_the_engines_sheet_of_the_same_files() {
    typeBirth(QStringLiteral("นางสาวดวงใจ ตัวอย่าง"), QStringLiteral("23"), QStringLiteral("11"),
              QStringLiteral("2541"), QStringLiteral("10"), QStringLiteral("00"), 1);
    QVERIFY(desk_->canPrint());
    const std::string fromDesk = printedStateDump(*desk_->sheetForms());

    QTemporaryDir dir;
    const auto made = testing::runProgram(MAKE_REQUEST,
                                          {"--date", "23/11/2541", "--hour", "10", "--gender", "female",
                                           "--name", "นางสาวดวงใจ ตัวอย่าง", "--strip-year", "2569",
                                           "--from-cast", "--dir", dir.path().toStdString()},
                                          dir.path().toStdString(),
                                          {{"VESPRIN_TODAY", "2026-12-09"}, {"VESPRIN_DATA_DIR", kData}});
    QVERIFY2(made.status == 0, made.err.c_str());
    Forms forms = makeForms();
    ScriptedUserInterface ui;
    const std::string old = std::filesystem::current_path();
    std::filesystem::current_path(dir.path().toStdString());
    PrintRun run(forms, ui, clock_, DriveMap::parse("D=" + kPictures).map, {kData});
    const RunOutcome out = run.StartUp();
    std::filesystem::current_path(old);
    QVERIFY2(out.kind == RunOutcome::Kind::Print, out.cause.c_str());
    prepareChartSheetForPrint(forms);
    QCOMPARE(QString::fromStdString(printedStateDump(forms)), QString::fromStdString(fromDesk));
  }

  void a_saved_pdf_is_one_page_with_the_name() {
    // Tone marks included: the text layer gives the name back as typed.
    const QString name = QStringLiteral("นายก้องเกียรติ ศรีสุข");
    typeBirth(name, QStringLiteral("05"), QStringLiteral("03"), QStringLiteral("2530"), QStringLiteral("07"),
              QStringLiteral("00"), 1);
    QVERIFY(desk_->defaultPdfPath().endsWith(name + QStringLiteral(" 05-03-2530.pdf")));
    QTemporaryDir dir;
    const std::filesystem::path pdf = dir.filePath(QStringLiteral("sheet.pdf")).toStdString();
    QSignalSpy printed(desk_.get(), &DeskWindow::sheetPrinted);
    QCOMPARE(desk_->savePdfTo(pdf).result, PrintResult::WrittenToPdf);
    QCOMPARE(printed.count(), 1);
    const auto info = testing::runProgram("/usr/bin/pdfinfo", {pdf.string()}, dir.path().toStdString(), {});
    QVERIFY2(info.out.find("Pages:           1\n") != std::string::npos, info.out.c_str());
    const auto text = testing::runProgram("/usr/bin/pdftotext", {pdf.string(), "-"}, dir.path().toStdString(), {});
    QVERIFY2(QString::fromStdString(text.out).contains(name), text.out.c_str());
    QVERIFY2(info.out.find("(letter)") != std::string::npos, info.out.c_str());

    // A4, kept for the next desk.
    desk_->setPaper(Paper::A4);
    QCOMPARE(DeskWindow(*builder_).paper(), Paper::A4);
    const std::filesystem::path a4 = dir.filePath(QStringLiteral("a4.pdf")).toStdString();
    QCOMPARE(desk_->savePdfTo(a4).result, PrintResult::WrittenToPdf);
    const auto a4info = testing::runProgram("/usr/bin/pdfinfo", {a4.string()}, dir.path().toStdString(), {});
    QVERIFY2(a4info.out.find("(A4)") != std::string::npos, a4info.out.c_str());
    desk_->setPaper(Paper::Letter);
  }

  void a_request_loads_into_the_form_and_comes_back() {
    typeBirth(QStringLiteral("ก"), QStringLiteral("10"), QStringLiteral("05"), QStringLiteral("2530"),
              QStringLiteral("10"), QStringLiteral("15"), 0);
    PrintRequest typed = desk_->request();
    // Typed figures and a note: kept as typed, not replaced by the chart's.
    typed.birth.name = "ข";
    typed.marks.powers = ElementGroupPowers{{1, 2, 3, 4, 5}, 2};
    typed.marks.marks[4] = MarkCode{false, true, colours::kRed};
    typed.marks.marksBlank = false;
    typed.marks.analysisNote = "หนึ่ง\rสอง";
    typed.marks.clashes = {true, false, false};
    desk_->setRequest(typed);
    QCOMPARE(desk_->request(), typed);
    // A request with the chart's own figures follows the chart on a new birth.
    DeskWindow other(*builder_);
    other.setRequest(desk_->request());
    QVERIFY(other.request() == desk_->request());
    // Without a power line and a balance panel: none is added.
    typed.marks.powers.reset();
    typed.marks.balance.reset();
    desk_->setRequest(typed);
    const PrintRequest back = desk_->request();
    QVERIFY(!back.marks.powers);
    QVERIFY(!back.marks.balance);
    QCOMPARE(back, typed);

    // The month strip as the request has it, even one the year list cannot
    // show, until the astrologer chooses its year anew.
    typed.birth.strip = MonthStripStart{Stem{1}, Branch{2}, "2599", "2056"};
    desk_->setRequest(typed);
    QCOMPARE(desk_->request().birth.strip, typed.birth.strip);
    QCOMPARE(desk_->sheetForms()->chartSheet.caption("QRLabel6"), std::string("2599"));
    desk_->entry()->stripYearField()->setValue(2530);
    QCOMPARE(desk_->request().birth.strip, (MonthStripStart{Stem{8}, Branch{2}, "2530", "1987"}));
  }

  void decorations_switched_off_leave_the_sheet() {
    typeBirth(QStringLiteral("ก"), QStringLiteral("05"), QStringLiteral("03"), QStringLiteral("2530"),
              QStringLiteral("07"), QStringLiteral("00"), 0);
    const Form& on = desk_->sheetForms()->chartSheet;
    const QString printed = QString::fromStdString(on.caption("QRLabelPowerElements"));
    QVERIFY(printed.startsWith(QStringLiteral("กลุ่มดิถี ธาตุ")));
    QVERIFY(!on.caption("QRLabelA1").empty());
    const QLabel* preview = desk_->decorationsPanel()->powerTextLabel();
    QCOMPARE(preview->text(), QString(printed).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    desk_->decorationsPanel()->powersBox()->setChecked(false);
    desk_->decorationsPanel()->balanceBox()->setChecked(false);
    desk_->refreshNow();
    const PrintRequest r = desk_->request();
    QVERIFY(!r.marks.powers);
    QVERIFY(!r.marks.balance);
    const Form& off = desk_->sheetForms()->chartSheet;
    // The program's title where the powers were, and an empty panel.
    QCOMPARE(off.caption("QRLabelPowerElements"), desk_->sheetForms()->main.caption("LabelTitle"));
    QVERIFY(!QString::fromStdString(off.caption("QRLabelPowerElements")).startsWith(QStringLiteral("กลุ่มดิถี")));
    QVERIFY(off.caption("QRLabelA1").empty());
    // Beside the boxes the text keeps the chart's figures, greyed, never zeros.
    QCOMPARE(preview->text(), QString(printed).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    QVERIFY(!preview->isEnabled());
  }

  void save_client_hands_the_request_to_whoever_listens() {
    typeBirth(QStringLiteral("ก"), QStringLiteral("05"), QStringLiteral("03"), QStringLiteral("2530"),
              QStringLiteral("07"), QStringLiteral("00"), 0);
    QSignalSpy saved(desk_.get(), &DeskWindow::saveClientRequested);
    desk_->show();
    QVERIFY(QTest::qWaitForWindowActive(desk_.get()));
    QTest::keyClick(desk_.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(saved.count(), 1);
    QCOMPARE(saved.at(0).at(0).value<PrintRequest>(), desk_->request());
  }

  void the_keyboard_walks_the_form_in_order() {
    // Tab from field to field, typing over what each holds.
    desk_->show();
    QVERIFY(QTest::qWaitForWindowActive(desk_.get()));
    desk_->entry()->nameField()->setFocus();
    for (const char* typed : {"05", "03", "1987", "07", "30"}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QTest::qWait(20);
      QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(typed));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), desk_->entry()->genderField());
    const std::optional<BirthRecord> r = desk_->entry()->record();
    QVERIFY2(r, qPrintable(desk_->entry()->problem()));
    QCOMPARE(r->day, 5);
    QCOMPARE(r->month, 3);
    QCOMPARE(r->year, 2530);
    QCOMPARE(r->hour, 7);
    QCOMPARE(r->minute, 30);
  }

  void enter_refreshes_at_once() {
    desk_->show();
    QVERIFY(QTest::qWaitForWindowActive(desk_.get()));
    type(desk_->entry()->yearField(), QStringLiteral("2530"));
    type(desk_->entry()->dayField(), QStringLiteral("12"));
    QTest::keyClick(desk_->entry()->dayField(), Qt::Key_Return);
    QVERIFY(desk_->canPrint());
    QCOMPARE(desk_->sheetForms()->main.caption("ComboBoxdd"), std::string("12"));
  }
};

}  // namespace vesprin

Q_DECLARE_METATYPE(vesprin::PrintRequest)
QTEST_MAIN(vesprin::DeskTest)
#include "desk_test.moc"
