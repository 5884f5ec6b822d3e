#include "present/request/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace vesprin {

FolderLock::FolderLock(const std::string& folder) {
  fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) {
    error_ = errno;
    return;
  }
  int r;
  do r = ::flock(fd_, LOCK_EX);
  while (r != 0 && errno == EINTR);
  // A file system without flock (some network mounts) still lets the run go
  // on: the folder is then only as safe as it always was.
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // releases the lock
}

}  // namespace vesprin
