#include "core/text.h"

#include <charconv>

namespace vesprin {

int toInt(std::string_view t) {
  int v = 0;
  const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return ec == std::errc() && p == t.data() + t.size() ? v : 0;
}

std::string padded(int v, std::size_t width) {
  std::string s = std::to_string(v);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return s;
}

std::string_view trimTrailingBlanks(std::string_view t) {
  const std::size_t end = t.find_last_not_of(" \t\r");
  return end == std::string_view::npos ? std::string_view() : t.substr(0, end + 1);
}

std::string quotedExcerpt(std::string_view t, std::size_t maxChars) {
  // Counts UTF-8 characters, cutting only between them. A character has at
  // most three continuation bytes; any more count as characters of their own,
  // so that damaged text cannot make one "character" of a megabyte.
  std::size_t chars = 0, cut = 0, continuation = 0;
  for (; cut < t.size(); ++cut) {
    if ((static_cast<unsigned char>(t[cut]) & 0xC0) == 0x80 && chars > 0 && continuation < 3) {
      ++continuation;
      continue;
    }
    if (chars == maxChars) break;
    ++chars;
    continuation = 0;
  }
  if (cut == t.size()) return concat({"\"", t, "\""});
  return concat({"\"", t.substr(0, cut), "...\" (", std::to_string(t.size()), " bytes)"});
}

}  // namespace vesprin
