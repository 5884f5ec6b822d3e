#pragma once
// Files are read whole into lines and never kept open. Text is code page 874
// on disk and UTF-8 in memory.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesprin {

// The lines of a file, decoded from code page 874, without line ends (LF or
// CRLF). Empty optional when the file cannot be opened.
std::optional<std::vector<std::string>> readTextLines(const std::string& path);

// Same, without decoding (for files known to be ASCII, like calendar data).
std::optional<std::vector<std::string>> readRawLines(const std::string& path);

// The whole file as it is on disk; empty optional when it cannot be opened.
std::optional<std::string> readWholeFile(const std::string& path);

// A file's bytes mapped read-only for as long as the value lives: a large
// file read once front to back costs no buffer to fill and no copy. Falls
// back to reading the file where it cannot be mapped.
class MappedFile {
 public:
  static std::optional<MappedFile> open(const std::string& path);
  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&&) = delete;
  MappedFile(const MappedFile&) = delete;
  ~MappedFile();
  std::string_view text() const { return {data_, size_}; }

 private:
  MappedFile() = default;
  const char* data_ = nullptr;
  std::size_t size_ = 0;
  void* mapping_ = nullptr;  // what to unmap; null when read into copy_
  std::string copy_;
};

// Calls f(line) for every line of a text (LF or CRLF ends, none kept).
template <class F>
void forEachLine(std::string_view text, F&& f) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    f(text.substr(start, stop - start));
    start = end + 1;
  }
}

bool fileExists(const std::string& path);

// The name itself, then each directory in turn; the path under which the file
// was found, or an empty text.
std::string searchFile(const std::string& name, const std::vector<std::string>& dirs);
// The same with a directory searched before the name itself: an explicit data
// directory wins over stale copies in the current directory.
std::string searchFile(const std::string& name, const std::string& firstDir,
                       const std::vector<std::string>& dirs);

// The engine's data directory: $VESPRIN_DATA_DIR when set, else the installed
// data directory when it holds HOROSCOPE.INI (first share/vesprin beside the
// running program's bin/, then the one of the configured prefix), else the
// source tree's data/.
std::string dataDirectory();

// The current directory followed by the data directory: where the calendar
// index and data files are looked for after the name itself.
std::vector<std::string> defaultSearchDirs();

}  // namespace vesprin
