#pragma once
// Output files that appear whole or not at all, and never through something
// planted in their place. The bytes go to a temporary file created
// exclusively, under a unique name, beside the target; every write and the
// final flush to the disk are checked; only then is the file renamed into
// place. A target that exists and is not a regular file (a device, a FIFO,
// a folder, a symbolic link), or a regular file nobody may write, is refused
// and left as it is. A full disk leaves no file at all.
#include <filesystem>
#include <string>
#include <string_view>

namespace vesprin {

struct SafeWrite {
  bool ok = false;
  std::filesystem::path path;  // the file written
  std::string error;           // why not, with the system's reason
};

// Writes `bytes` to `target`, replacing a regular file of that name.
SafeWrite writeFileSafely(const std::filesystem::path& target, std::string_view bytes);

// Writes `bytes` under the first free name of `dir`/`stem``extension`,
// `stem`-2`extension`, ...; never replaces a file, so that runs saving into
// one folder at once each get a name of their own.
SafeWrite writeNewFile(const std::filesystem::path& dir, const std::string& stem, const std::string& extension,
                       std::string_view bytes);

}  // namespace vesprin
