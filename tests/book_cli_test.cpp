// vesprin-book as a process: nothing it reported as saved is lost when it is
// killed or when several programs write at once, a book it cannot use is
// refused and left as it was, and bad input is refused before anything is
// written.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <thread>

#include "book/client_book.h"
#include "tests/run_program.h"
#include "tests/scratch_folder.h"

namespace vesprin {
namespace {

namespace fs = std::filesystem;
using testing::readFile;

struct BookRun {
  int status = -1;  // exit status; 128 + signal when killed
  std::string out, err;
};

// A vesprin-book process whose output comes through pipes, so that a run can
// be killed at any moment and what it said before is still read.
class Child {
 public:
  explicit Child(const std::vector<std::string>& args) {
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) std::abort();
    std::vector<std::string> all{VESPRIN_BOOK};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], 1);
      ::dup2(err[1], 2);
      ::close(out[0]);
      ::close(err[0]);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    out_ = out[0];
    err_ = err[0];
  }
  void kill() { ::kill(pid_, SIGKILL); }
  BookRun finish() {
    BookRun r;
    r.out = drain(out_);
    r.err = drain(err_);
    int st = 0;
    ::waitpid(pid_, &st, 0);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
    return r;
  }

 private:
  static std::string drain(int fd) {
    std::string s;
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) s.append(buf, static_cast<std::size_t>(n));
    ::close(fd);
    return s;
  }
  pid_t pid_ = -1;
  int out_ = -1, err_ = -1;
};

BookRun book(const std::vector<std::string>& args) { return Child(args).finish(); }

std::vector<std::string> addArgs(const std::string& file, const std::string& name) {
  return {"--book", file, "add", "--name", name, "--date", "05/03/2530", "--time", "07:30", "--gender", "male"};
}

// The id a successful add printed, or none.
std::optional<ClientId> printedId(const BookRun& r) {
  if (r.out.empty() || r.out.back() != '\n') return std::nullopt;
  return std::stoll(r.out);
}

class BookCli : public testing::InScratchFolder {
 protected:
  std::unique_ptr<ClientBook> open(const std::string& file = "book.sqlite") {
    auto b = ClientBook::open(file);
    EXPECT_FALSE(b.error) << b.error->message;
    return b.value ? std::move(*b.value) : nullptr;
  }
};

TEST_F(BookCli, a_client_reported_saved_survives_a_kill_at_any_moment) {
  // The kills fall anywhere in the time a whole add takes on this machine.
  auto took = std::chrono::microseconds::max();
  for (int k = 0; k < 3; ++k) {
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(book(addArgs("book.sqlite", "ก")).status, 0);
    took = std::min(took, std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start));
  }
  // Two streams of adds at once, 100 kills each: the kills also land while
  // the other process waits for the lock.
  std::vector<std::map<ClientId, std::string>> saved(2);
  std::vector<int> completed(2);
  std::vector<std::thread> streams;
  for (int s = 0; s < 2; ++s)
    streams.emplace_back([&, s] {
      std::mt19937 random(20261210 + s);
      std::uniform_int_distribution<long> delayUs(0, took.count() * 5 / 4);
      for (int k = 0; k < 100; ++k) {
        const std::string name = "ลูกค้า " + std::to_string(s) + "-" + std::to_string(k);
        Child child(addArgs("book.sqlite", name));
        ::usleep(static_cast<useconds_t>(delayUs(random)));
        child.kill();
        const BookRun r = child.finish();
        if (const auto id = printedId(r)) saved[s][*id] = name;
        completed[s] += r.status == 0;
      }
    });
  for (auto& t : streams) t.join();
  auto b = open();
  ASSERT_TRUE(b);
  EXPECT_EQ(b->integrityCheck(), "ok");
  std::set<ClientId> ids;
  for (const auto& stream : saved)
    for (const auto& [id, name] : stream) {
      EXPECT_TRUE(ids.insert(id).second) << "id " << id << " given twice";
      const auto c = b->client(id);
      ASSERT_TRUE(c.value) << "client " << id << " reported saved is gone";
      EXPECT_EQ(c.value->fields.name, name);
    }
  // Both kinds of run happened: killed on the way and done before the kill.
  EXPECT_GT(ids.size(), 0u);
  EXPECT_LT(completed[0] + completed[1], 200);
  std::cout << ids.size() << " of 200 adds reported success before the kill (a whole add: "
            << took.count() / 1000 << " ms)\n";
}

TEST_F(BookCli, two_writers_and_a_desk_at_once_lose_nothing) {
  constexpr int kEach = 25;
  ASSERT_EQ(book(addArgs("book.sqlite", "ก")).status, 0);  // made once, so the desk below finds it
  auto desk = open();
  std::vector<std::vector<BookRun>> runs(2);
  std::vector<std::thread> writers;
  for (int w = 0; w < 2; ++w)
    writers.emplace_back([&, w] {
      for (int k = 0; k < kEach; ++k)
        runs[w].push_back(book(addArgs("book.sqlite", "w" + std::to_string(w) + " " + std::to_string(k))));
    });
  ClientFields f;
  f.birth = {5, 3, 2530, 7, 30};
  int deskAdded = 0;
  for (int k = 0; k < kEach; ++k) {
    f.name = "desk " + std::to_string(k);
    const auto id = desk->add(f);
    EXPECT_FALSE(id.error) << id.error->message;
    deskAdded += !id.error;
  }
  for (auto& t : writers) t.join();
  std::set<ClientId> ids;
  for (const auto& list : runs)
    for (const BookRun& r : list) {
      EXPECT_EQ(r.status, 0) << r.err;
      if (auto id = printedId(r)) ids.insert(*id);
    }
  EXPECT_EQ(ids.size(), 2u * kEach);
  EXPECT_EQ(deskAdded, kEach);
  EXPECT_EQ(*desk->count().value, 1 + 3 * kEach);
  EXPECT_EQ(desk->integrityCheck(), "ok");
}

TEST_F(BookCli, a_writer_that_cannot_get_the_lock_says_so) {
  ASSERT_EQ(book(addArgs("book.sqlite", "ก")).status, 0);
  auto desk = open();
  QSqlQuery hold(desk->database());
  ASSERT_TRUE(hold.exec(QStringLiteral("BEGIN IMMEDIATE")));
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::string> args = addArgs("book.sqlite", "ข");
  args.insert(args.begin(), {"--busy-timeout", "300"});
  const BookRun busy = book(args);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
  EXPECT_EQ(busy.status, 6);
  EXPECT_EQ(busy.out, "");
  EXPECT_NE(busy.err.find("the book \"book.sqlite\" is busy"), std::string::npos) << busy.err;
  // Readers are not held up by a writer.
  const BookRun list = book({"--book", "book.sqlite", "list"});
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_NE(list.out.find("ก"), std::string::npos);
  ASSERT_TRUE(QSqlQuery(desk->database()).exec(QStringLiteral("ROLLBACK")));
  EXPECT_EQ(book(args).status, 0);
}

TEST_F(BookCli, a_book_it_cannot_use_is_refused_and_left_as_it_was) {
  // A real book of some size, its end cut off.
  for (int k = 0; k < 3; ++k) ASSERT_EQ(book(addArgs("full.sqlite", std::string(100, 'a'))).status, 0);
  {
    auto b = open("full.sqlite");
    std::vector<ClientFields> many(300);
    for (auto& f : many) {
      f.name = std::string(100, 'b');
      f.birth = {5, 3, 2530, 7, 30};
    }
    ASSERT_FALSE(b->addAll(many).error);
  }
  ASSERT_FALSE(fs::exists("full.sqlite-wal") && fs::file_size("full.sqlite-wal") > 0);
  fs::copy_file("full.sqlite", "cut.sqlite");
  fs::resize_file("cut.sqlite", fs::file_size("full.sqlite") / 2);
  fs::copy_file("full.sqlite", "readonly.sqlite");
  fs::permissions("readonly.sqlite", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::copy_file("full.sqlite", "newer.sqlite");
  QSqlQuery(open("newer.sqlite")->database()).exec(QStringLiteral("PRAGMA user_version = 2"));
  std::ofstream("notes.sqlite") << "สมชาย 05/03/2530\n";
  fs::create_directory("folder.sqlite");

  struct Case {
    const char* file;
    const char* why;
  } const cases[] = {
      {"notes.sqlite", "is not a client book (not an SQLite database)"},
      {"cut.sqlite", "is damaged"},
      {"readonly.sqlite", "cannot be written (read-only)"},
      {"newer.sqlite", "was written by a newer program"},
      {"folder.sqlite", "is a folder"},
  };
  for (const Case& c : cases) {
    const std::string before = readFile(c.file);
    const BookRun r = book(addArgs(c.file, "ค"));
    EXPECT_EQ(r.status, 3) << c.file << ": " << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(std::string("the book \"") + c.file + "\" " + c.why), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("left as it is"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(c.file), before) << c.file;
  }
}

TEST_F(BookCli, bad_input_is_refused_before_anything_is_written) {
  struct Case {
    std::vector<std::string> args;
    const char* why;
  } const cases[] = {
      {{"add", "--name", "ก", "--date", "31/02/2530", "--time", "07:00", "--gender", "male"},
       "the date 31/02/2530 does not exist: February 2530 has 28 days"},
      {{"add", "--name", "Zoë", "--date", "05/03/2530", "--time", "07:00", "--gender", "male"}, "code page 874"},
      {{"add", "--name", std::string(121 * 3, '\xE0') , "--date", "05/03/2530", "--time", "07:00", "--gender", "male"},
       "the name"},
      {{"add", "--name", "ก", "--date", "05/03/2530", "--time", "07:00", "--gender", "male", "--pregnancy", "11"},
       "the pregnancy \"11\" is not 07..10"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"--book", "book.sqlite"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const BookRun r = book(args);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_NE(r.err.find(c.why), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists("book.sqlite"));
  }
  EXPECT_EQ(book({"--book", "book.sqlite", "add", "--name", "ก"}).status, 1);
  EXPECT_EQ(book({"--book", "book.sqlite", "frobnicate"}).status, 1);

  // An import is all or nothing and names the line at fault.
  ASSERT_EQ(book(addArgs("book.sqlite", "ก")).status, 0);
  std::ofstream("bad.csv") << "name,date,time,gender\nข,05/03/2530,07:00,male\nค,05/03/2530,7 h,male\n";
  const BookRun bad = book({"--book", "book.sqlite", "import", "--csv", "bad.csv"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("bad.csv line 3: the time \"7 h\""), std::string::npos) << bad.err;
  EXPECT_NE(bad.err.find("nothing imported"), std::string::npos) << bad.err;
  EXPECT_EQ(book({"--book", "book.sqlite", "list"}).out.find("ข"), std::string::npos);
}

TEST_F(BookCli, export_import_and_backup_keep_every_client) {
  ASSERT_EQ(book({"--book", "a.sqlite", "add", "--name", "น้ำฝน ดีใจ", "--nickname", "ฝน", "--phone", "081-234-5678",
                  "--date", "29/02/2531", "--time", "00:10", "--gender", "female", "--pregnancy", "08", "--note",
                  "มา, \"ทุกปี\""})
                .status,
            0);
  ASSERT_EQ(book(addArgs("a.sqlite", "สมชาย ใจดี")).status, 0);
  const BookRun json = book({"--book", "a.sqlite", "list", "--json", "--search", "นำฝน"});
  ASSERT_EQ(json.status, 0) << json.err;
  for (const char* key : {"\"id\":1", "\"name\":\"น้ำฝน ดีใจ\"", "\"nickname\":\"ฝน\"", "\"phone\":\"081-234-5678\"",
                          "\"birth\":{\"day\":29,\"hour\":0,\"minute\":10,\"month\":2,\"year\":2531}",
                          "\"gender\":\"female\"", "\"pregnancy\":8"})
    EXPECT_NE(json.out.find(key), std::string::npos) << key << " in " << json.out;

  ASSERT_EQ(book({"--book", "a.sqlite", "export", "--csv", "a.csv"}).status, 0);
  const BookRun imported = book({"--book", "b.sqlite", "import", "--csv", "a.csv"});
  ASSERT_EQ(imported.status, 0) << imported.err;
  ASSERT_EQ(book({"--book", "b.sqlite", "export", "--csv", "b.csv"}).status, 0);
  EXPECT_EQ(readFile("b.csv"), readFile("a.csv"));

  // A backup taken while the desk is in the middle of a change holds what was
  // saved before it, whole.
  auto desk = open("a.sqlite");
  QSqlQuery change(desk->database());
  ASSERT_TRUE(change.exec(QStringLiteral("BEGIN IMMEDIATE")));
  ASSERT_TRUE(change.exec(QStringLiteral("UPDATE client SET name = 'x'")));
  const BookRun backup = book({"--book", "a.sqlite", "backup", "copy.sqlite"});
  ASSERT_EQ(backup.status, 0) << backup.err;
  ASSERT_TRUE(change.exec(QStringLiteral("ROLLBACK")));
  ASSERT_EQ(book({"--book", "copy.sqlite", "export", "--csv", "copy.csv"}).status, 0);
  EXPECT_EQ(readFile("copy.csv"), readFile("a.csv"));
  EXPECT_EQ(book({"--book", "a.sqlite", "backup", "a.sqlite"}).status, 2);
}

#ifdef VESPRIN_BOOK_PRINTS
TEST_F(BookCli, prints_a_client_and_records_it) {
  ASSERT_EQ(book(addArgs("book.sqlite", "สมชาย ใจดี")).status, 0);
  ASSERT_EQ(book(addArgs("book.sqlite", "สมหญิง")).status, 0);
  const BookRun one = book({"--book", "book.sqlite", "print", "1", "--pdf", "one.pdf"});
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(readFile("one.pdf").substr(0, 5), "%PDF-");
  const BookRun all = book({"--book", "book.sqlite", "print", "--all", "--pdf-dir", "sheets"});
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_TRUE(fs::exists("sheets/สมชาย ใจดี 05-03-2530.pdf"));
  EXPECT_TRUE(fs::exists("sheets/สมหญิง 05-03-2530.pdf"));
  const BookRun shown = book({"--book", "book.sqlite", "show", "1", "--json"});
  EXPECT_NE(shown.out.find("\"target\":\"" + (dir_ / "one.pdf").string() + "\""), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("sheets/สมชาย ใจดี 05-03-2530.pdf"), std::string::npos) << shown.out;
  EXPECT_EQ(book({"--book", "book.sqlite", "print", "1", "--pdf", "x.pdf", "--paper", "b5"}).status, 1);
  EXPECT_EQ(book({"--book", "book.sqlite", "print", "9", "--pdf", "x.pdf"}).status, 2);
}
#endif

}  // namespace
}  // namespace vesprin
