#pragma once
// Where the pictures of the chart are found. The cast names pictures by bare
// file name, in whatever letter case its callers use ("O3.bmp" and "o3.bmp"
// are one file); the store finds the file in the current directory first,
// then in the data directory's pictures/. There is no substitute picture: a
// name that is nowhere leaves its image empty and is reported once on
// standard error.
#include <filesystem>
#include <optional>
#include <ostream>
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace vesprin {

class PictureStore {
 public:
  // The current directory (as it is at each lookup), then dataDir/pictures.
  // Each folder is listed once, at its first lookup; a file added later is
  // found under its exact spelling only.
  explicit PictureStore(std::filesystem::path dataDir, std::ostream& report);
  // Same, with the engine's data directory and standard error.
  PictureStore();

  // The file the name stands for, or none (reported on the first miss of
  // that name, whatever its case). A name that is not a bare file name
  // (empty, or holding a directory separator) is never found, except a whole
  // (absolute) path to a file: the hand-over's drive-root pictures.
  std::optional<std::filesystem::path> find(std::string_view name);

  // The folders searched after the current directory.
  const std::filesystem::path& picturesDir() const { return picturesDir_; }

 private:
  // The regular files of a folder by lower-cased name, read once per folder:
  // a sheet asks for a few hundred pictures, mostly not in the current directory.
  using Listing = std::map<std::string, std::filesystem::path>;
  const Listing& listing(const std::filesystem::path& dir);
  std::optional<std::filesystem::path> findIn(const std::filesystem::path& dir, std::string_view name);

  std::filesystem::path picturesDir_;
  std::ostream& report_;
  std::map<std::filesystem::path, Listing> listings_;
  std::set<std::string> reported_;  // lower-cased names already reported missing
};

// The name folded to lower case (ASCII letters only; picture names are ASCII).
std::string foldCase(std::string_view name);

}  // namespace vesprin
