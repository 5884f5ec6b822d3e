#include "present/render/safe_output.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace vesprin {
namespace fs = std::filesystem;
namespace {

std::string systemError(int err) { return std::strerror(err); }

// Why an existing target may not be replaced; empty when it may (or when
// there is none).
std::string refusedTarget(const fs::path& target) {
  struct stat st;
  if (::lstat(target.c_str(), &st) != 0) return {};
  const char* kind = S_ISDIR(st.st_mode)    ? "a folder"
                     : S_ISLNK(st.st_mode)  ? "a symbolic link"
                     : S_ISFIFO(st.st_mode) ? "a FIFO"
                     : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "a device"
                     : S_ISSOCK(st.st_mode) ? "a socket"
                     : nullptr;
  if (!S_ISREG(st.st_mode))
    return "cannot write " + target.string() + ": it exists and is " + (kind ? kind : "not a regular file") +
           "; left as it is";
  // Root may write any file; a file without any write permission is still
  // one its owner meant to keep.
  if ((st.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
    return "cannot write " + target.string() + ": it is a read-only file; left as it is";
  return {};
}

struct TempFile {
  fs::path path;
  int fd = -1;
};

// A new file beside the target, under a name no one else has: created with
// O_EXCL, which neither opens an existing file nor follows a link there.
TempFile createBeside(const fs::path& target, std::string& error) {
  // One generator a thread: sheets are written from several threads at once.
  thread_local std::mt19937_64 random{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())};
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    TempFile t{dir / ("." + target.filename().string() + "." + suffix + ".part")};
    t.fd = ::open(t.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (t.fd >= 0) return t;
    if (errno != EEXIST) {
      error = "cannot write " + target.string() + ": " + systemError(errno);
      return {};
    }
  }
  error = "cannot write " + target.string() + ": no free temporary name beside it";
  return {};
}

// Every byte written and on the disk; the reason when not.
std::string writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return systemError(errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  if (::fsync(fd) != 0 && errno != EINVAL) return systemError(errno);
  return {};
}

// The temporary file written and closed; otherwise removed, with the reason.
bool fill(TempFile& t, const fs::path& target, std::string_view bytes, std::string& error) {
  std::string why = writeAll(t.fd, bytes);
  if (::close(t.fd) != 0 && why.empty()) why = systemError(errno);
  t.fd = -1;
  if (why.empty()) return true;
  ::unlink(t.path.c_str());
  error = "cannot write " + target.string() + ": " + why;
  return false;
}

}  // namespace

SafeWrite writeFileSafely(const fs::path& target, std::string_view bytes) {
  SafeWrite out;
  if (out.error = refusedTarget(target); !out.error.empty()) return out;
  TempFile t = createBeside(target, out.error);
  if (t.fd < 0 || !fill(t, target, bytes, out.error)) return out;
  // Looked at again: something may have been put there meanwhile.
  if (out.error = refusedTarget(target); !out.error.empty() ||
                                          ::rename(t.path.c_str(), target.c_str()) != 0) {
    if (out.error.empty()) out.error = "cannot write " + target.string() + ": " + systemError(errno);
    ::unlink(t.path.c_str());
    return out;
  }
  out.ok = true;
  out.path = target;
  return out;
}

SafeWrite writeNewFile(const fs::path& dir, const std::string& stem, const std::string& extension,
                       std::string_view bytes) {
  SafeWrite out;
  const fs::path first = dir / (stem + extension);
  TempFile t = createBeside(first, out.error);
  if (t.fd < 0 || !fill(t, first, bytes, out.error)) return out;
  for (int n = 1; n < 10000; ++n) {
    const fs::path name = n == 1 ? first : dir / (stem + "-" + std::to_string(n) + extension);
    if (::renameat2(AT_FDCWD, t.path.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0) {
      out.ok = true;
      out.path = name;
      return out;
    }
    if (errno == EINVAL || errno == ENOSYS) {
      // No RENAME_NOREPLACE here: a hard link is created only under a free name.
      if (::link(t.path.c_str(), name.c_str()) == 0) {
        ::unlink(t.path.c_str());
        out.ok = true;
        out.path = name;
        return out;
      }
    }
    if (errno != EEXIST) {
      out.error = "cannot write " + name.string() + ": " + systemError(errno);
      break;
    }
  }
  if (out.error.empty()) out.error = "cannot write " + first.string() + ": no free name";
  ::unlink(t.path.c_str());
  return out;
}

}  // namespace vesprin
