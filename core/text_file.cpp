#include "core/text_file.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The pages are read in with the mapping, in one call, rather than one fault
// at a time as the parse reaches them.
#ifdef MAP_POPULATE
constexpr int kPopulate = MAP_POPULATE;
#else
constexpr int kPopulate = 0;
#endif

std::optional<MappedFile> MappedFile::open(const std::string& path) {
  MappedFile m;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st{};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    void* p = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE | kPopulate, fd, 0);
    if (p != MAP_FAILED) {
      m.mapping_ = p;
      m.data_ = static_cast<const char*>(p);
      m.size_ = static_cast<std::size_t>(st.st_size);
    }
  }
  ::close(fd);
  if (!m.mapping_) {
    // An empty file has nothing to map; anything else unmappable is read.
    auto all = readWholeFile(path);
    if (!all) return std::nullopt;
    m.copy_ = std::move(*all);
    m.data_ = m.copy_.data();
    m.size_ = m.copy_.size();
  }
  return m;
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(other.data_), size_(other.size_), mapping_(other.mapping_), copy_(std::move(other.copy_)) {
  if (!mapping_) data_ = copy_.data();
  other.mapping_ = nullptr;
  other.data_ = nullptr;
  other.size_ = 0;
}

MappedFile::~MappedFile() {
  if (mapping_) ::munmap(mapping_, size_);
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
