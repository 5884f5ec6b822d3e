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

}  // namespace

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
