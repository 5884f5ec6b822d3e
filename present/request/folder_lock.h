#pragma once
// The lock of a hand-over folder: whoever writes a request into the folder
// or takes one out of it holds it, so that an engine never takes one file of
// a request and the other of the next, and of several engines started
// together only one takes a request. It is an flock(2) of the folder itself,
// which needs no file of its own and no right to write there, and which the
// system releases when its holder dies.
#include <string>

namespace vesprin {

class FolderLock {
 public:
  // Waits for the lock of `folder`. A folder that cannot be opened is not
  // locked (held() is false): it holds no request to take anyway, and a
  // writer reports its own failure to write there.
  explicit FolderLock(const std::string& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool held() const { return fd_ >= 0; }
  // Why the folder could not be opened (an errno value), when not held.
  int error() const { return error_; }
  // The folder's descriptor, for *at() calls relative to it.
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
  int error_ = 0;
};

}  // namespace vesprin
