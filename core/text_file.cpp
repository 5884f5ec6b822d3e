#include "core/text_file.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/cp874.h"

namespace vesprin {
namespace fs = std::filesystem;

#ifndef VESPRIN_INSTALL_DATA_DIR
#define VESPRIN_INSTALL_DATA_DIR ""
#endif
#ifndef VESPRIN_RELATIVE_DATA_DIR
#define VESPRIN_RELATIVE_DATA_DIR ""
#endif
#ifndef VESPRIN_SOURCE_DATA_DIR
#define VESPRIN_SOURCE_DATA_DIR ""
#endif

std::optional<std::string> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string all;
  in.seekg(0, std::ios::end);
  const auto size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size > 0) {
    all.resize(static_cast<std::size_t>(size));
    in.read(all.data(), size);
    all.resize(static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return all;
}

std::optional<std::vector<std::string>> readRawLines(const std::string& path) {
  auto all = readWholeFile(path);
  if (!all) return std::nullopt;
  std::vector<std::string> lines;
  lines.reserve(all->size() / 32 + 1);
  forEachLine(*all, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::optional<std::vector<std::string>> readTextLines(const std::string& path) {
  auto lines = readRawLines(path);
  if (lines)
    for (auto& l : *lines) l = cp874ToUtf8(l);
  return lines;
}

bool fileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

std::string searchFile(const std::string& name, const std::vector<std::string>& dirs) {
  if (name.empty()) return {};
  if (fileExists(name)) return name;
  for (const auto& dir : dirs) {
    if (dir.empty()) continue;
    const std::string candidate = (fs::path(dir) / name).string();
    if (fileExists(candidate)) return candidate;
  }
  return {};
}

std::string searchFile(const std::string& name, const std::string& firstDir,
                       const std::vector<std::string>& dirs) {
  if (!name.empty() && !firstDir.empty()) {
    const std::string candidate = (fs::path(firstDir) / name).string();
    if (fileExists(candidate)) return candidate;
  }
  return searchFile(name, dirs);
}

std::string dataDirectory() {
  if (const char* env = std::getenv("VESPRIN_DATA_DIR"); env && *env) return env;
  const auto holdsIndex = [](const fs::path& dir) {
    return !dir.empty() && fileExists((dir / "HOROSCOPE.INI").string());
  };
  // An installed program finds its data beside it (bin/../share/vesprin), so
  // that a tree installed under any prefix, or moved, serves requests.
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  const std::string relative = VESPRIN_RELATIVE_DATA_DIR;
  if (!ec && !relative.empty()) {
    const fs::path beside = (program.parent_path() / relative).lexically_normal();
    if (holdsIndex(beside)) return beside.string();
  }
  const std::string installed = VESPRIN_INSTALL_DATA_DIR;
  if (holdsIndex(installed)) return installed;
  return VESPRIN_SOURCE_DATA_DIR;
}

std::vector<std::string> defaultSearchDirs() {
  std::error_code ec;
  return {fs::current_path(ec).string(), dataDirectory()};
}

}  // namespace vesprin
