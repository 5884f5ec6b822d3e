#pragma once
// Where the engine finds the two hand-over files of a request and how it
// takes them, so that a request is served once, whole, by one run.
//
// The places are the current directory, then the drive roots (D..H, then C).
// The birth record decides the place: the first place where
// "VesprinPrint.DAT" exists in any form. The analysis marks must be beside
// it; a lone file elsewhere is left as it is.
//
// Under the folder's lock (FolderLock) both files are renamed to names of
// this run in the same folder (".VesprinPrint.DAT.claimed-<pid>-<n>"): of
// several runs started together exactly one claims a request, the others
// find none, and a request written while a run reads lands under the bare
// names again for the next start. Only then are the claimed files opened, without
// following links and without blocking, and read when the opened file is a
// regular file of at most kRequestFileLimit bytes. The claim holds an flock
// on the claimed record while the run lives; a claim whose run died is taken
// back (renamed to the bare names) at the next start.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "present/request/drive_map.h"

namespace vesprin {

// A name of 120 characters takes about 600 bytes; anything near a megabyte
// is no request the companion wrote.
inline constexpr std::uintmax_t kRequestFileLimit = 1 << 20;

// Test hook: VESPRIN_TEST_CLAIM_DELAY_MS makes a run wait that long, holding
// the folder's lock, between taking the birth record and taking the marks,
// so that tests of concurrent starts and writes hit that moment for certain.
inline constexpr const char* kClaimDelayVariable = "VESPRIN_TEST_CLAIM_DELAY_MS";

// How a claimed request leaves the run.
enum class RequestEnd {
  Served,   // the sheet is out (printed, previewed or saved): the files are deleted
  Refused,  // refused for its own content: deleted, so that it is not served again
  Kept,     // the run ended without a sheet for another cause: put back where found
};

struct RequestSearch;
RequestSearch claimRequest(const DriveMap& drives);

class ClaimedRequest {
 public:
  ~ClaimedRequest();  // puts the files back unless finish() was called
  ClaimedRequest(const ClaimedRequest&) = delete;
  ClaimedRequest& operator=(const ClaimedRequest&) = delete;

  // The files as they were found, for messages ("VesprinPrint.DAT" in the
  // current directory, "/media/usb0/VesprinPrint.DAT" on a drive).
  const std::string& recordPath() const { return record_.shown; }
  const std::string& marksPath() const { return marks_.shown; }
  // Decoded from code page 874, without line ends.
  const std::vector<std::string>& recordLines() const { return record_.lines; }
  const std::vector<std::string>& marksLines() const { return marks_.lines; }
  // A fault of the files themselves (too large, cut short): the request is
  // refused for it, like a malformed one. Empty when both were read whole.
  const std::string& fault() const { return fault_; }

  // Deletes the files or puts them back; a text for standard error when that
  // failed, else empty. Only the first call counts.
  std::string finish(RequestEnd end);

 private:
  friend RequestSearch claimRequest(const DriveMap& drives);
  struct File {
    std::string shown;    // as found, for messages
    std::string name;     // the bare name
    std::string claimed;  // its name while claimed, in the same folder
    std::vector<std::string> lines;
  };
  ClaimedRequest() = default;

  std::string folder_;  // "" for the current directory
  File record_, marks_;
  int lockFd_ = -1;     // the claimed record, flock'ed while this run lives
  std::string fault_;
  bool finished_ = false;
};

struct RequestSearch {
  // The request this run claimed and read; none when there is none, or when
  // its place was refused (then `refusal` says why and nothing was touched).
  std::unique_ptr<ClaimedRequest> claimed;
  bool found = false;     // a birth record exists somewhere (false: "no request")
  std::string refusal;    // why none was claimed
  std::vector<std::string> notes;  // lone files left as they are, stale claims taken back
};

RequestSearch claimRequest(const DriveMap& drives);

// The places searched, in order: "" (the current directory), then the roots.
std::vector<std::string> handoverPlaces(const DriveMap& drives);

// The bytes of a request file split into lines and decoded, or why the file
// is refused as a whole (its last line without its line end: cut short).
struct RequestFileText {
  std::vector<std::string> lines;
  std::string fault;
};
RequestFileText readRequestText(std::string_view bytes, const std::string& shown);

}  // namespace vesprin
