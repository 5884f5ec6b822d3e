#include "app/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/text_file.h"

namespace vesprin {
namespace fs = std::filesystem;
namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
    s.remove_suffix(1);
  return s;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// A line "[name]": its name, or none.
std::optional<std::string_view> sectionName(std::string_view line) {
  line = trimmed(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  return trimmed(line.substr(1, line.size() - 2));
}

bool isKeyLine(std::string_view line, std::string_view key) {
  const std::size_t eq = line.find('=');
  return eq != std::string_view::npos && sameIgnoringCase(trimmed(line.substr(0, eq)), key);
}

std::string errnoText(const std::string& what) { return what + ": " + std::strerror(errno); }

}  // namespace

std::string settingsFilePath() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && xdg[0] == '/')
    return (fs::path(xdg) / "talven.ini").string();
  const char* home = std::getenv("HOME");
  return (fs::path(home && *home ? home : ".") / ".config" / "talven.ini").string();
}

std::string withIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value) {
  // The lines with their own ends, so that what is kept is kept byte for byte.
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t nl = text.find('\n', start);
    const std::size_t end = nl == std::string_view::npos ? text.size() : nl + 1;
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  const std::string eol = !lines.empty() && lines[0].ends_with("\r\n") ? "\r\n" : "\n";
  const std::string entry = std::string(key) + "=" + std::string(value) + eol;

  std::optional<std::size_t> insertAt;  // after the section's last line that is not blank
  bool inSection = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (auto name = sectionName(lines[i])) {
      if (inSection) break;
      inSection = sameIgnoringCase(*name, section);
      if (inSection) insertAt = i + 1;
      continue;
    }
    if (!inSection) continue;
    if (isKeyLine(lines[i], key)) {
      std::string out;
      for (std::size_t j = 0; j < lines.size(); ++j) {
        if (j != i) {
          out += lines[j];
        } else {
          out += entry;
          if (!lines[j].ends_with('\n')) out.resize(out.size() - eol.size());  // it was the last line
        }
      }
      return out;
    }
    if (!trimmed(lines[i]).empty()) insertAt = i + 1;
  }

  std::string out;
  const auto endLine = [&] {
    if (!out.empty() && out.back() != '\n') out += eol;
  };
  if (insertAt) {
    for (std::size_t j = 0; j < lines.size(); ++j) {
      if (j == *insertAt) {
        endLine();
        out += entry;
      }
      out += lines[j];
    }
    if (*insertAt == lines.size()) {
      endLine();
      out += entry;
    }
    return out;
  }
  out = std::string(text);
  endLine();
  out += "[" + std::string(section) + "]" + eol + entry;
  return out;
}

std::string writeRunFalse(const std::string& path) {
  const fs::path file(path);
  std::error_code ec;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  if (ec) return "cannot create the folder " + file.parent_path().string() + ": " + ec.message();

  std::string old;
  mode_t mode = 0644;
  if (fileExists(path)) {
    auto bytes = readWholeFile(path);
    if (!bytes) return "cannot read " + path;
    old = std::move(*bytes);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
  }
  const std::string text = withIniValue(old, "Application", "Run", "False");

  // A new file beside the old one, then renamed over it: readers see the old
  // file or the new one, never a mixture.
  std::string tmp = path + ".XXXXXX";
  const int fd = ::mkstemp(tmp.data());
  if (fd < 0) return errnoText("cannot create a file beside " + path);
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const std::string why = errnoText("cannot write " + tmp);
      ::close(fd);
      ::unlink(tmp.c_str());
      return why;
    }
    done += static_cast<std::size_t>(n);
  }
  ::fchmod(fd, mode);
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const std::string why = errnoText("cannot write " + tmp);
    ::unlink(tmp.c_str());
    return why;
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    const std::string why = errnoText("cannot replace " + path);
    ::unlink(tmp.c_str());
    return why;
  }
  return {};
}

}  // namespace vesprin
