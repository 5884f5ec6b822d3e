#include "core/cp874.h"

#include <array>

namespace vesprin {
namespace {

// Code points of 0x80..0xFF; 0 marks a code the code page does not define.
constexpr std::array<char32_t, 128> kHigh = [] {
  std::array<char32_t, 128> t{};
  t[0x80 - 0x80] = 0x20AC;
  t[0x85 - 0x80] = 0x2026;
  t[0x91 - 0x80] = 0x2018;
  t[0x92 - 0x80] = 0x2019;
  t[0x93 - 0x80] = 0x201C;
  t[0x94 - 0x80] = 0x201D;
  t[0x95 - 0x80] = 0x2022;
  t[0x96 - 0x80] = 0x2013;
  t[0x97 - 0x80] = 0x2014;
  t[0xA0 - 0x80] = 0x00A0;
  for (unsigned c = 0xA1; c <= 0xDA; ++c) t[c - 0x80] = 0x0E01 + (c - 0xA1);  // ก .. ฺ
  for (unsigned c = 0xDF; c <= 0xFB; ++c) t[c - 0x80] = 0x0E3F + (c - 0xDF);  // ฿ .. ๛
  return t;
}();

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t codePoint(unsigned char c) {
  if (c < 0x80) return c;
  char32_t cp = kHigh[c - 0x80];
  return cp ? cp : 0xFFFD;
}

// The code of a code point, or -1 when the code page has none.
int codeOf(char32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  for (unsigned c = 0x80; c <= 0xFF; ++c)
    if (kHigh[c - 0x80] == cp) return static_cast<int>(c);
  return -1;
}

// Decodes one UTF-8 sequence at `i`; its length in `len`, or 0 when invalid.
char32_t nextCodePoint(std::string_view s, std::size_t i, std::size_t& len) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char c = b(0);
  len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (len == 0 || i + len > s.size()) return len = 0, 0;
  char32_t cp = len == 1 ? c : c & (0x7F >> len);
  for (std::size_t k = 1; k < len; ++k) {
    if ((b(k) & 0xC0) != 0x80) return len = 0, 0;
    cp = (cp << 6) | (b(k) & 0x3F);
  }
  return cp;
}

}  // namespace

Cp874Encoding utf8ToCp874(std::string_view utf8) {
  Cp874Encoding out;
  out.bytes.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t len = 0;
    const char32_t cp = nextCodePoint(utf8, i, len);
    const int code = len ? codeOf(cp) : -1;
    if (code < 0) {
      out.badChar = std::string(utf8.substr(i, len ? len : 1));
      out.badOffset = i;
      out.bytes.clear();
      return out;
    }
    out.bytes += static_cast<char>(code);
    i += len;
  }
  return out;
}

std::string cp874ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char c : bytes) appendUtf8(out, codePoint(c));
  return out;
}

std::string cp874Char(unsigned char code) {
  std::string out;
  appendUtf8(out, codePoint(code));
  return out;
}

}  // namespace vesprin
