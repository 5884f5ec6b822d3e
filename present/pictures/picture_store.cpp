#include "present/pictures/picture_store.h"

#include <iostream>

#include "core/text_file.h"

namespace vesprin {
namespace fs = std::filesystem;

std::string foldCase(std::string_view name) {
  std::string s(name);
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

PictureStore::PictureStore(fs::path dataDir, std::ostream& report)
    : picturesDir_(std::move(dataDir) / "pictures"), report_(report) {}

PictureStore::PictureStore() : PictureStore(dataDirectory(), std::cerr) {}

const PictureStore::Listing& PictureStore::listing(const fs::path& dir) {
  auto [it, fresh] = listings_.try_emplace(dir);
  if (fresh) {
    std::error_code ec;
    for (fs::directory_iterator d(dir, ec), end; !ec && d != end; d.increment(ec))
      if (fs::is_regular_file(d->path(), ec))
        it->second.emplace(foldCase(d->path().filename().string()), d->path());
  }
  return it->second;
}

// The exact spelling first (callers mostly use the stored one), then any
// spelling of the name.
std::optional<fs::path> PictureStore::findIn(const fs::path& dir, std::string_view name) {
  std::error_code ec;
  const fs::path exact = dir / fs::path(std::string(name));
  if (fs::is_regular_file(exact, ec)) return exact;
  const Listing& files = listing(dir);
  if (auto it = files.find(foldCase(name)); it != files.end()) return it->second;
  return std::nullopt;
}

std::optional<fs::path> PictureStore::find(std::string_view name) {
  const bool bare = !name.empty() && name.find_first_of("/\\") == std::string_view::npos &&
                    name != "." && name != "..";
  const std::string folded = foldCase(name);
  // The two balance-panel pictures are found on the drive roots by the
  // hand-over, which names them by their whole path.
  if (const fs::path whole{std::string(name)}; whole.is_absolute()) {
    std::error_code ec;
    if (fs::is_regular_file(whole, ec)) return whole;
  }
  if (bare) {
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    if (!ec)
      if (auto p = findIn(here, name)) return p;
    if (auto p = findIn(picturesDir_, name)) return p;
  }
  if (reported_.insert(folded).second)
    report_ << "picture " << (name.empty() ? "(no name)" : std::string(name))
            << " not found in the current directory nor in " << picturesDir_.string() << "\n";
  return std::nullopt;
}

}  // namespace vesprin
