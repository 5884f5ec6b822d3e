// The client book as a library: what a search finds, what the book keeps and
// gives back, the CSV files, and the files it refuses.
#include "book/client_book.h"

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <filesystem>
#include <fstream>

#include "book/client_csv.h"
#include "book/client_index.h"
#include "book/client_request.h"
#include "book/client_search.h"
#include "book/marks_text.h"
#include "tests/run_program.h"
#include "tests/scratch_folder.h"

namespace vesprin {
namespace {

namespace fs = std::filesystem;
using testing::readFile;

const YearList kYears{{2344, 2530, 2742}, 2530};

ClientFields person(std::string name, std::string nickname = "", std::string phone = "",
                    ClientBirth birth = {5, 3, 2530, 7, 30}) {
  ClientFields f;
  f.name = std::move(name);
  f.nickname = std::move(nickname);
  f.phone = std::move(phone);
  f.birth = birth;
  return f;
}

// Decorations that use every part of the analysis-marks file.
AnalysisMarks fullMarks() {
  AnalysisMarks m;
  m.balance = BalancePanel{3, -2, "VH", "H55%", "C45%"};
  m.marks[0] = {false, true, colours::kBlue};
  m.marks[6] = {false, false, colours::kRed};
  m.marks[13] = {true, false, std::nullopt};
  m.clashes = {true, false, true};
  m.powers = ElementGroupPowers{{5, 10, 3, 7, 12}, 2};
  m.analysisNote = "ดวงนี้ดี\rมีโชค";
  return m;
}

TEST(book_search, folds_spellings_that_look_alike) {
  struct Case {
    const char* stored;
    const char* typed;
    bool found;
  } const cases[] = {
      {"น้ำฝน", "นำฝน", true},            // tone mark left out
      {"น้ำฝน", "น\u0E4D\u0E49าฝน", true},  // sara am typed as nikhahit, tone mark, sara aa
      {"กั้ง", "ก้ัง", true},             // tone mark typed before the vowel above
      {"สมชาย ใจดี", "ใจดี", true},        // any part of the name
      {"สมชาย ใจดี", "ใจดี สมชาย", true},  // words in any order
      {"สมชาย ใจดี", "สมหญิง", false},
      {"John Smith", "SMITH", true},     // Latin letters without regard to case
      {"100%_ok", "0%_", true},          // LIKE's wildcards are plain characters
      {"100%_ok", "0x_", false},
  };
  for (const Case& c : cases) {
    const QString text = clientSearchText(person(c.stored));
    bool all = true;
    for (const QString& w : parseSearch(QString::fromUtf8(c.typed)).words) all = all && text.contains(w);
    EXPECT_EQ(all, c.found) << c.stored << " / " << c.typed;
  }
}

TEST(book_search, dates_begun_or_whole_in_either_era) {
  const ClientBirth birth{5, 3, 2530, 7, 30};  // CE 1987
  struct Case {
    const char* typed;
    bool found;
  } const cases[] = {
      {"05/03/2530", true}, {"5/3/2530", true}, {"05/03/1987", true}, {"05/03/1988", false},
      {"05/03/2531", false}, {"05/03", true},   {"05/04", false},     {"05/", true},
      {"05/03/25", true},   {"05/03/19", true}, {"05/03/20", false},  {"06/03/2530", false},
  };
  for (const Case& c : cases) {
    const SearchQuery q = parseSearch(QString::fromUtf8(c.typed));
    ASSERT_TRUE(q.date) << c.typed;
    EXPECT_EQ(birthMatches(*q.date, birth), c.found) << c.typed;
  }
  EXPECT_TRUE(parseSearch(QStringLiteral("45/13/2530")).impossible);
  EXPECT_TRUE(parseSearch(QStringLiteral("05/03/2530/1")).impossible);
}

TEST(book_marks, every_decoration_comes_back) {
  AnalysisMarks blankMarks = ClientFields::noDecorations();
  AnalysisMarks noNote = fullMarks();
  noNote.analysisNote.reset();
  for (const AnalysisMarks& m : {blankMarks, fullMarks(), noNote}) {
    const auto back = loadMarks(storeMarks(m));
    ASSERT_TRUE(back.value) << back.error->message();
    EXPECT_EQ(*back.value, m);
  }
  EXPECT_TRUE(loadMarks({"blank\nblank", std::nullopt}).error);
}

TEST(book_request, a_client_prints_as_a_request_of_their_birth) {
  ClientFields f = person("สมชาย", "", "", {29, 2, 2531, 0, 10});
  f.gender = Gender::Female;
  f.pregnancy = 8;
  f.marks = fullMarks();
  const PrintRequest r = clientRequest(f, 2569);
  EXPECT_EQ(r.birth.day, 29);
  EXPECT_EQ(r.birth.month, 2);
  EXPECT_EQ(r.birth.year, 2531);
  EXPECT_EQ(r.birth.hour, 0);
  EXPECT_EQ(r.birth.minute, 10);
  EXPECT_EQ(r.birth.gender, Gender::Female);
  EXPECT_EQ(r.birth.pregnancy, 8);
  EXPECT_EQ(r.birth.name, "สมชาย");
  EXPECT_EQ(r.birth.strip.beYearText, "2569");
  EXPECT_EQ(r.birth.strip.ceYearText, "2026");
  EXPECT_EQ(r.marks, f.marks);
  EXPECT_EQ(writePrintRequest(r).error, "");
  EXPECT_EQ(clientFieldsOf(r, f), f);
}

class ClientBookTest : public testing::InScratchFolder {
 protected:
  std::unique_ptr<ClientBook> open(const std::string& path = "book.sqlite") {
    auto book = ClientBook::open(path);
    EXPECT_FALSE(book.error) << book.error->message;
    if (book.value) (*book.value)->setCalendarYears(kYears);
    return book.value ? std::move(*book.value) : nullptr;
  }
};

TEST_F(ClientBookTest, keeps_a_client_whole_and_finds_them) {
  auto book = open();
  ClientFields f = person("น้ำฝน ดีใจ", "ฝน", "081-234 5678", {29, 2, 2531, 23, 59});
  f.note = "มาทุกปี, \"ตรุษจีน\"";
  f.gender = Gender::Female;
  f.pregnancy = 10;
  f.marks = fullMarks();
  const auto id = book->add(f);
  ASSERT_FALSE(id.error) << id.error->message;
  ASSERT_FALSE(book->add(person("สมชาย ใจดี")).error);

  const auto back = book->client(*id.value);
  ASSERT_TRUE(back.value);
  EXPECT_EQ(back.value->fields, f);
  EXPECT_FALSE(back.value->created.empty());

  for (const char* typed : {"นำฝน", "ฝน", "0812345", "081-234", "29/02/2531", "29/02/1988", "ดีใจ"}) {
    const auto found = book->search(QString::fromUtf8(typed));
    ASSERT_FALSE(found.error);
    ASSERT_EQ(found.value->size(), 1u) << typed;
    EXPECT_EQ(found.value->front().id, *id.value) << typed;
  }
  EXPECT_EQ(book->search(QString()).value->size(), 2u);
  EXPECT_EQ(book->search(QString(), 1).value->size(), 1u);

  f.phone = "02-000";
  ASSERT_FALSE(book->update(*id.value, f));
  EXPECT_EQ(book->client(*id.value).value->fields.phone, "02-000");
  EXPECT_EQ(book->update(999, f)->kind, BookError::Kind::NotFound);
}

// The desk searches its list in memory, vesprin-book in SQL: both must find
// the same clients in the same order, also for letters outside ASCII and the
// Thai block (kept in the list's text as escapes) and for two clients whose
// search texts are alike.
TEST_F(ClientBookTest, the_list_in_memory_finds_what_the_book_finds) {
  auto book = open();
  const ClientFields clients[] = {
      person("น้ำฝน ดีใจ", "ฝน", "081-234 5678", {29, 2, 2531, 23, 59}),
      person("สมชาย ใจดี", "ชาย", "02-111", {5, 3, 2530, 7, 30}),
      person("สมชาย ใจดี", "ชาย", "02-111", {6, 3, 2530, 7, 30}),  // alike but for the birth: by id
      person("John Smith", "Zoë 小明", "", {15, 6, 2530, 0, 0}),
      person("กั้ง", "", "(089) 000", {15, 6, 2487, 12, 0}),
      person("สมชาติ", "", "", {1, 1, 2500, 1, 0}),  // its first four letters those of สมชาย
  };
  for (const ClientFields& f : clients) ASSERT_FALSE(book->add(f).error);
  const ClientIndex index = *book->index().value;
  EXPECT_EQ(index.size(), std::size(clients));
  const char* const typed[] = {"",     "นำฝน", "ใจดี สมชาย", "สมชาย 05/03",  "ชาย",   "zoë",     "ZOË 小",
                               "小明", "ë 小", "0812",        "(089)",        "15/06", "15/06/1987",
                               "15/06/2487", "15/06/19",  "1",          "x",     "45/13",  "ก ข"};
  for (const char* t : typed) {
    for (const std::optional<int> limit : {std::optional<int>(), std::optional<int>(1)}) {
      std::vector<ClientId> fromSql, fromMemory;
      const auto found = book->search(QString::fromUtf8(t), limit);
      for (const Client& c : *found.value) fromSql.push_back(c.id);
      for (const ClientSummary* c : index.find(QString::fromUtf8(t), limit)) fromMemory.push_back(c->id);
      EXPECT_EQ(fromMemory, fromSql) << t << " (limit " << limit.value_or(0) << ')';
    }
  }
  EXPECT_EQ(index.find(QStringLiteral("ë 小")).size(), 1u);
  EXPECT_TRUE(index.find(QStringLiteral("明小")).empty());  // the escapes match whole letters only

  // Kept up to date by the program that changes the book, in the names' order.
  ClientIndex kept = index;
  ClientFields renamed = clients[0];
  renamed.name = "ไก่";
  ASSERT_FALSE(book->update(1, renamed));
  kept.put(summaryOf(*book->client(1).value));
  ASSERT_FALSE(book->remove(2));
  kept.erase(2);
  ASSERT_FALSE(book->add(person("ขวัญ")).error);
  kept.put(summaryOf(*book->client(7).value));
  std::vector<ClientSummary> now, reread;
  for (const ClientSummary* c : kept.find(QString())) now.push_back(*c);
  const ClientIndex fresh = *book->index().value;
  for (const ClientSummary* c : fresh.find(QString())) reread.push_back(*c);
  EXPECT_EQ(now, reread);
  EXPECT_TRUE(kept.find(QStringLiteral("นำฝน")).empty());
  EXPECT_EQ(kept.find(QStringLiteral("ไก")).size(), 1u);
}

// Another program's change is seen by the next look; this program's own is not.
TEST_F(ClientBookTest, sees_what_another_program_changed) {
  auto mine = open();
  auto other = open();
  EXPECT_FALSE(*mine->changedElsewhere().value);
  ASSERT_FALSE(mine->add(person("ก")).error);
  EXPECT_FALSE(*mine->changedElsewhere().value);
  ASSERT_FALSE(other->add(person("ข")).error);
  EXPECT_TRUE(*mine->changedElsewhere().value);
  EXPECT_FALSE(*mine->changedElsewhere().value);
}

TEST_F(ClientBookTest, refuses_what_could_not_be_printed) {
  auto book = open();
  struct Case {
    ClientFields fields;
    const char* why;
  } const cases[] = {
      {person(""), "empty"},
      {person(std::string(121, 'a')), "121 characters"},
      {person("Zoë"), "code page 874"},
      {person("a\nb"), "control character"},
      {person("ก", "", "", {31, 2, 2530, 7, 0}), "does not exist"},
      {person("ก", "", "", {29, 2, 2530, 7, 0}), "does not exist"},  // CE 1987: no leap day
      {person("ก", "", "", {1, 1, 2800, 7, 0}), "outside the calendar"},
      {person("ก", "", "", {1, 1, 2530, 24, 0}), "hour"},
  };
  for (const Case& c : cases) {
    const auto id = book->add(c.fields);
    ASSERT_TRUE(id.error) << c.why;
    EXPECT_EQ(id.error->kind, BookError::Kind::Invalid);
    EXPECT_NE(id.error->message.find(c.why), std::string::npos) << id.error->message;
  }
  EXPECT_FALSE(book->add(person(std::string(120, 'a'))).error);
  EXPECT_EQ(*book->count().value, 1);
}

TEST_F(ClientBookTest, delete_restore_households_and_print_history) {
  auto book = open();
  const ClientId a = *book->add(person("พ่อ")).value, b = *book->add(person("แม่")).value,
                 c = *book->add(person("ลูก")).value;
  ASSERT_FALSE(book->joinHousehold(a, b));
  ASSERT_FALSE(book->joinHousehold(a, c));
  EXPECT_EQ(book->household(c).value->size(), 3u);
  ASSERT_FALSE(book->leaveHousehold(c));
  EXPECT_EQ(book->household(c).value->size(), 1u);
  EXPECT_EQ(book->household(a).value->size(), 2u);

  ASSERT_FALSE(book->recordPrint(a, {"", PrintRecord::Destination::Pdf, "/tmp/a.pdf", "letter"}));
  ASSERT_FALSE(book->recordPrint(a, {"", PrintRecord::Destination::Printer, "PDF", "a4"}));
  const auto prints = book->prints(a);
  ASSERT_EQ(prints.value->size(), 2u);
  EXPECT_EQ((*prints.value)[1].where, "PDF");
  EXPECT_EQ((*prints.value)[1].paper, "a4");
  EXPECT_EQ(book->recordPrint(99, {})->kind, BookError::Kind::NotFound);

  ASSERT_FALSE(book->remove(a));
  EXPECT_EQ(book->search(QString()).value->size(), 2u);
  EXPECT_EQ(book->household(b).value->size(), 1u);
  ASSERT_FALSE(book->restore(a));
  EXPECT_EQ(book->client(a).value->fields.name, "พ่อ");
  EXPECT_EQ(book->prints(a).value->size(), 2u);
  ASSERT_FALSE(book->remove(b));
  ASSERT_FALSE(book->purgeDeletedBefore("2000-01-01T00:00:00.000Z"));  // deleted since: kept
  ASSERT_FALSE(book->restore(b));
  ASSERT_FALSE(book->purge(a));
  EXPECT_EQ(book->client(a).error->kind, BookError::Kind::NotFound);
  EXPECT_EQ(book->prints(a).value->size(), 0u);  // the history goes with the client
  EXPECT_EQ(book->integrityCheck(), "ok");
}

TEST_F(ClientBookTest, an_import_is_all_or_nothing) {
  auto book = open();
  std::vector<ClientFields> clients{person("ก"), person("ข"), person("ค", "", "", {30, 2, 2530, 1, 0})};
  std::size_t bad = 0;
  const auto added = book->addAll(clients, &bad);
  ASSERT_TRUE(added.error);
  EXPECT_EQ(bad, 2u);
  EXPECT_EQ(*book->count().value, 0);
}

TEST(book_csv, export_then_import_gives_the_same_clients) {
  Client a{1, person("สมชาย, \"ชาย\" ใจดี", "ชาย", "081"), {}, {}, {}};
  a.fields.note = "บรรทัดหนึ่ง\nบรรทัดสอง";
  a.fields.marks = fullMarks();
  Client b{2, person("ก", "", "", {1, 1, 2344, 0, 0}), {}, {}, {}};
  b.fields.gender = Gender::Female;
  b.fields.pregnancy = 7;
  const std::string csv = writeClientsCsv({a, b});
  EXPECT_EQ(csv.substr(0, csv.find('\r')),
            "name,nickname,phone,date,time,gender,pregnancy,note,decorations,analysis_note");
  const CsvClients back = readClientsCsv(csv, kYears, "c.csv");
  ASSERT_EQ(back.error, "");
  ASSERT_EQ(back.clients.size(), 2u);
  EXPECT_EQ(back.clients[0], a.fields);
  EXPECT_EQ(back.clients[1], b.fields);
  EXPECT_EQ(back.lines, (std::vector<std::size_t>{2, 26}));  // a's note and decorations span 24 lines
}

TEST(book_csv, a_bad_file_is_refused_at_its_line) {
  const std::string header = "name,date,time,gender\n";
  struct Case {
    std::string csv;
    const char* error;
  } const cases[] = {
      {"name,birthday,time,gender\nก,05/03/2530,07:00,male\n", "c.csv line 1: the header has an unknown column"},
      {"name,time,gender\n", "c.csv line 1: the header has no column date"},
      {header + "ก,05/03/2530,07:00,male\nข,31/04/2530,07:00,male\n", "c.csv line 3: the date 31/04/2530 does not exist"},
      {header + "ก,05/03/1987,07:00,male\n", "c.csv line 2: the date \"05/03/1987\": 1987 looks like a Christian-Era"},
      {header + "ก,05-03-2530,07:00,male\n", "c.csv line 2: the date"},
      {header + "ก,05/03/2530,7h,male\n", "c.csv line 2: the time"},
      {header + "ก,05/03/2530,07:00,man\n", "c.csv line 2: the gender"},
      {header + "Zoë,05/03/2530,07:00,male\n", "c.csv line 2: the name \"Zoë\" holds \"ë\", which code page 874"},
      {header + std::string(121, 'a') + ",05/03/2530,07:00,male\n", "c.csv line 2: the name"},
      {header + "\"ก\nข\",05/03/2530,07:00,male\n\"ค,05/03/2530,07:00,male\n", "c.csv line 4: a quoted field is never closed"},
      {header + "ก,05/03/2530,07:00\n", "c.csv line 2: 3 fields, the header has 4"},
  };
  for (const Case& c : cases) {
    const CsvClients read = readClientsCsv(c.csv, kYears, "c.csv");
    EXPECT_EQ(read.error.rfind(c.error, 0), 0u) << read.error;
    EXPECT_TRUE(read.clients.empty());
  }
}

class BookFileTest : public testing::InScratchFolder {};

// A file the book refuses stays byte for byte as it was.
TEST_F(BookFileTest, refuses_what_is_no_client_book_and_leaves_it) {
  {
    auto made = ClientBook::open("newer.sqlite");
    ASSERT_TRUE(made.value);
    ASSERT_FALSE((*made.value)->add(person("ก")).error);
    QSqlQuery(( *made.value)->database()).exec(QStringLiteral("PRAGMA user_version = 99"));
  }
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    db.setDatabaseName(QStringLiteral("other.sqlite"));
    ASSERT_TRUE(db.open());
    QSqlQuery(db).exec(QStringLiteral("CREATE TABLE t (x)"));
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("other"));
  std::ofstream("text.sqlite") << "name,date\nสมชาย,05/03/2530\n";
  fs::create_directory("folder.sqlite");

  struct Case {
    const char* file;
    const char* why;
  } const cases[] = {
      {"text.sqlite", "is not a client book (not an SQLite database)"},
      {"newer.sqlite", "was written by a newer program (schema version 99; this one knows up to 1)"},
      {"other.sqlite", "is an SQLite database but not a client book"},
      {"folder.sqlite", "is a folder"},
  };
  for (const Case& c : cases) {
    const std::string before = readFile(c.file);
    const auto book = ClientBook::open(c.file);
    ASSERT_TRUE(book.error) << c.file;
    EXPECT_EQ(book.error->kind, BookError::Kind::Unusable);
    EXPECT_NE(book.error->message.find(std::string("\"") + c.file + "\" " + c.why), std::string::npos)
        << book.error->message;
    EXPECT_EQ(readFile(c.file), before) << c.file;
  }
}

}  // namespace
}  // namespace vesprin
