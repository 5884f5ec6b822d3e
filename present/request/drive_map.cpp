#include "present/request/drive_map.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace vesprin {
namespace fs = std::filesystem;
namespace {

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// The search order of the drive roots: the removable and network drives
// first, the system drive last.
constexpr char kRootOrder[] = {'D', 'E', 'F', 'G', 'H', 'C'};

}  // namespace

DriveMap::Parse DriveMap::parse(std::string_view text) {
  Parse out;
  while (!text.empty()) {
    const std::size_t end = text.find(';');
    const std::string_view item = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (item.find_first_not_of(' ') == std::string_view::npos) continue;
    const bool letter = item.size() >= 3 && std::isalpha(static_cast<unsigned char>(item[0])) &&
                        item[1] == '=';
    if (!letter) {
      out.errors.push_back("VESPRIN_DRIVES item \"" + std::string(item) +
                           "\": expected a drive letter, \"=\" and a folder, as in D=/media/usb0");
      continue;
    }
    out.map.folders_[upper(item[0])] = std::string(item.substr(2));
  }
  return out;
}

DriveMap::Parse DriveMap::fromEnvironment() {
  const char* env = std::getenv("VESPRIN_DRIVES");
  return parse(env ? env : "");
}

std::string DriveMap::folder(char letter) const {
  const auto it = folders_.find(upper(letter));
  return it == folders_.end() ? std::string{} : it->second;
}

std::vector<std::string> DriveMap::searchRoots() const {
  std::vector<std::string> roots;
  for (char letter : kRootOrder)
    if (std::string dir = folder(letter); !dir.empty()) roots.push_back(std::move(dir));
  return roots;
}

std::string findIgnoringCase(const std::string& folder, std::string_view name) {
  std::error_code ec;
  const fs::path exact = fs::path(folder) / std::string(name);
  if (fs::is_regular_file(exact, ec)) return exact.string();
  const auto same = [&](const std::string& other) {
    if (other.size() != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
      if (upper(other[i]) != upper(name[i])) return false;
    return true;
  };
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (same(it->path().filename().string()) && it->is_regular_file(ec)) return it->path().string();
  return {};
}

}  // namespace vesprin
