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

}  // namespace vesprin
