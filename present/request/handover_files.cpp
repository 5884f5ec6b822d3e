#include "present/request/handover_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "core/cp874.h"
#include "core/text.h"
#include "core/text_file.h"
#include "present/request/folder_lock.h"
#include "present/request/print_request.h"

namespace vesprin {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kClaimMark = ".claimed-";

std::string shownPath(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : (fs::path(folder) / name).string();
}

std::string claimedName(const std::string& name, const std::string& tag) {
  return concat({".", name, kClaimMark, tag});
}

// What a file that is not a regular file is, in the words of a refusal.
const char* kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISLNK(mode)) return "a symbolic link";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

// Renames within one folder without replacing what is there; false with
// errno set when it cannot.
bool renameNoReplace(int dir, const std::string& from, const std::string& to) {
  if (::renameat2(dir, from.c_str(), dir, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without RENAME_NOREPLACE: the folder's lock keeps writers
  // that take it out of the way; look first.
  struct stat st;
  if (::fstatat(dir, to.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
    errno = EEXIST;
    return false;
  }
  return ::renameat(dir, from.c_str(), dir, to.c_str()) == 0;
}

bool exists(int dir, const std::string& name) {
  struct stat st;
  return ::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// A unique tag of this run's claim: its process and a count.
std::string newTag() {
  static std::atomic<unsigned> count{0};
  return concat({std::to_string(::getpid()), "-", std::to_string(++count)});
}

void claimDelay() {
  const char* env = std::getenv(kClaimDelayVariable);
  if (!env || !*env) return;
  const long ms = std::strtol(env, nullptr, 10);
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Claims left by runs that died (their flock is gone) go back under the bare
// names, when those are free; otherwise they wait for a later start.
void takeBackStaleClaims(const std::string& folder, std::vector<std::string>& notes) {
  const FolderLock lock(folder);
  if (!lock.held()) return;
  const std::string prefix = concat({".", kRecordFileName, kClaimMark});
  std::vector<std::string> tags;
  const int listFd = ::openat(lock.fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listFd < 0) return;
  if (DIR* dir = ::fdopendir(listFd)) {
    while (const dirent* e = ::readdir(dir)) {
      const std::string_view name = e->d_name;
      if (name.substr(0, prefix.size()) == prefix) tags.emplace_back(name.substr(prefix.size()));
    }
    ::closedir(dir);
  } else {
    ::close(listFd);
  }
  for (const std::string& tag : tags) {
    const std::string record = claimedName(kRecordFileName, tag), marks = claimedName(kMarksFileName, tag);
    const int fd = ::openat(lock.fd(), record.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    const bool alive = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    if (alive) continue;
    // A run that died between taking the record and the marks left the
    // marks under their bare name: they belong to this claim.
    const bool marksClaimed = exists(lock.fd(), marks);
    if (exists(lock.fd(), kRecordFileName) || (marksClaimed && exists(lock.fd(), kMarksFileName))) {
      notes.push_back(concat({"the request ", shownPath(folder, record), " of a run that ended stays claimed until ",
                              shownPath(folder, kRecordFileName), " is served"}));
      continue;
    }
    if (marksClaimed) renameNoReplace(lock.fd(), marks, kMarksFileName);
    renameNoReplace(lock.fd(), record, kRecordFileName);
    notes.push_back(concat({"a request claimed by a run that ended is taken back as ",
                            shownPath(folder, kRecordFileName)}));
  }
}

// Reads an opened request file whole: a regular file of at most the limit.
// The error for the caller's refusal otherwise; `tooLarge` when it is the size.
std::optional<std::string> readOpened(int fd, const std::string& shown, std::string& error, bool& tooLarge) {
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    error = concat({shown, " cannot be read: ", std::strerror(errno)});
    return std::nullopt;
  }
  if (!S_ISREG(st.st_mode)) {
    error = concat({shown, " is ", kindOf(st.st_mode), ", not read; left as it is"});
    return std::nullopt;
  }
  if (static_cast<std::uintmax_t>(st.st_size) > kRequestFileLimit) {
    tooLarge = true;
    error = concat({shown, " is ", std::to_string(st.st_size), " bytes, more than a request file holds (at most ",
                    std::to_string(kRequestFileLimit), ")"});
    return std::nullopt;
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      error = concat({shown, " cannot be read: ", std::strerror(errno)});
      return std::nullopt;
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
    if (bytes.size() > kRequestFileLimit) {  // grew while read
      tooLarge = true;
      error = concat({shown, " is more than ", std::to_string(kRequestFileLimit),
                      " bytes, more than a request file holds"});
      return std::nullopt;
    }
  }
  return bytes;
}

}  // namespace

std::vector<std::string> handoverPlaces(const DriveMap& drives) {
  std::vector<std::string> places{""};
  for (const std::string& root : drives.searchRoots()) places.push_back(root);
  return places;
}

RequestFileText readRequestText(std::string_view bytes, const std::string& shown) {
  RequestFileText out;
  if (!bytes.empty() && bytes.back() != '\n') {
    out.fault = concat({shown, ": the last line has no line end: the file is cut short"});
    return out;
  }
  out.lines = decodeRequestFile(bytes);
  return out;
}

ClaimedRequest::~ClaimedRequest() { finish(RequestEnd::Kept); }

std::string ClaimedRequest::finish(RequestEnd end) {
  if (finished_) return {};
  finished_ = true;
  std::string problem;
  const FolderLock lock(folder_);
  const int dir = lock.held() ? lock.fd() : AT_FDCWD;
  if (end == RequestEnd::Kept) {
    if (exists(dir, record_.name) || exists(dir, marks_.name)) {
      problem = concat({"a newer request is in its place: this one stays as ", shownPath(folder_, record_.claimed),
                        " and is taken back at a later start"});
    } else if (!renameNoReplace(dir, marks_.claimed, marks_.name) ||
               !renameNoReplace(dir, record_.claimed, record_.name)) {
      problem = concat({"cannot put the request back as ", record_.shown, ": ", std::strerror(errno),
                        "; it stays as ", shownPath(folder_, record_.claimed)});
    }
  } else {
    // The record first: a claim without its record is never served again.
    for (const File* f : {&record_, &marks_})
      if (::unlinkat(dir, f->claimed.c_str(), 0) != 0 && problem.empty())
        problem = concat({"cannot delete ", shownPath(folder_, f->claimed), ": ", std::strerror(errno)});
  }
  if (lockFd_ >= 0) ::close(lockFd_);
  lockFd_ = -1;
  return problem;
}

RequestSearch claimRequest(const DriveMap& drives) {
  RequestSearch out;
  const std::vector<std::string> places = handoverPlaces(drives);
  for (const std::string& place : places) takeBackStaleClaims(place, out.notes);

  for (const std::string& place : places) {
    std::optional<FolderLock> lock;
    lock.emplace(place);
    if (!lock->held()) {
      // A mapped drive that is not there holds nothing; a folder that cannot
      // be opened may hold a request that cannot be taken.
      struct stat st;
      if (::lstat(shownPath(place, kRecordFileName).c_str(), &st) != 0) continue;
      out.found = true;
      out.refusal = concat({shownPath(place, kRecordFileName), " cannot be taken: its folder cannot be opened (",
                            std::strerror(lock->error()), "); left as it is"});
      return out;
    }
    const int dir = lock->fd();
    const std::string record = shownPath(place, kRecordFileName), marks = shownPath(place, kMarksFileName);
    struct stat st;
    if (::fstatat(dir, kRecordFileName, &st, AT_SYMLINK_NOFOLLOW) != 0) {
      if (const int why = errno; why != ENOENT) {
        out.found = true;
        out.refusal = concat({record, " cannot be looked at: ", std::strerror(why), "; left as it is"});
        return out;
      }
      if (exists(dir, kMarksFileName))
        out.notes.push_back(concat({marks, " has no birth record ", kRecordFileName, " beside it; left as it is"}));
      continue;
    }
    // The birth record decides the place, whatever it is.
    out.found = true;
    if (!S_ISREG(st.st_mode)) {
      out.refusal = concat({record, " is ", kindOf(st.st_mode), ", not read; left as it is"});
      return out;
    }
    if (::fstatat(dir, kMarksFileName, &st, AT_SYMLINK_NOFOLLOW) != 0) {
      const int why = errno;
      out.refusal = concat({record, " has no analysis marks ", kMarksFileName, " beside it",
                            why == ENOENT ? "" : concat({" (", std::strerror(why), ")"}), "; left as it is"});
      return out;
    }
    if (!S_ISREG(st.st_mode)) {
      out.refusal = concat({marks, " is ", kindOf(st.st_mode), ", not read; both files left as they are"});
      return out;
    }

    // The claim: the record, then (after the test hook's pause) the marks.
    std::unique_ptr<ClaimedRequest> claim(new ClaimedRequest);
    const std::string tag = newTag();
    claim->folder_ = place;
    claim->record_ = {record, kRecordFileName, claimedName(kRecordFileName, tag), {}};
    claim->marks_ = {marks, kMarksFileName, claimedName(kMarksFileName, tag), {}};
    if (::renameat(dir, kRecordFileName, dir, claim->record_.claimed.c_str()) != 0) {
      out.refusal = concat({"cannot take ", record, ": ", std::strerror(errno), "; left as it is"});
      claim->finished_ = true;
      return out;
    }
    const auto putBack = [&](std::string why) {
      renameNoReplace(dir, claim->record_.claimed, kRecordFileName);
      claim->finished_ = true;
      out.refusal = std::move(why);
      return std::move(out);
    };
    claim->lockFd_ = ::openat(dir, claim->record_.claimed.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (claim->lockFd_ < 0)
      return putBack(concat({record, " cannot be read: ", std::strerror(errno), "; left as it is"}));
    ::flock(claim->lockFd_, LOCK_EX | LOCK_NB);
    claimDelay();
    if (::renameat(dir, kMarksFileName, dir, claim->marks_.claimed.c_str()) != 0) {
      ::close(claim->lockFd_);
      claim->lockFd_ = -1;
      return putBack(concat({"cannot take ", marks, ": ", std::strerror(errno), "; both files left as they are"}));
    }
    const int marksFd = ::openat(dir, claim->marks_.claimed.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (marksFd < 0) {
      out.refusal = concat({marks, " cannot be read: ", std::strerror(errno), "; both files left as they are"});
      lock.reset();
      claim.reset();  // puts both back
      return out;
    }

    // Read, the folder free again for others.
    lock.reset();
    const int recordFd = ::dup(claim->lockFd_);
    std::string error;
    bool tooLarge = false;
    for (auto [fd, file] : {std::pair{recordFd, &claim->record_}, std::pair{marksFd, &claim->marks_}}) {
      if (!error.empty()) break;
      std::optional<std::string> bytes = readOpened(fd, file->shown, error, tooLarge);
      if (!bytes) break;
      RequestFileText text = readRequestText(*bytes, file->shown);
      if (!text.fault.empty()) {
        claim->fault_ = std::move(text.fault);
        break;
      }
      file->lines = std::move(text.lines);
    }
    ::close(recordFd);
    ::close(marksFd);
    if (!error.empty()) {
      if (tooLarge) {
        claim->fault_ = std::move(error);
      } else {
        out.refusal = std::move(error);
        claim.reset();  // not read: put back
        return out;
      }
    }
    out.claimed = std::move(claim);
    return out;
  }
  return out;
}

}  // namespace vesprin
