// The JSON writer of vesprin-cast on texts of every length around its word
// and piece sizes, with the characters JSON escapes at every place: the
// result is what escaping byte by byte gives.
#include <gtest/gtest.h>

#include <string>

#include "app/cast_json.h"

namespace vesprin {
namespace {

std::string escapedByteByByte(const std::string& s) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const unsigned char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) out += std::string("\\u00") + kHex[c >> 4] + kHex[c & 0xF];
        else out += static_cast<char>(c);
    }
  }
  return out;
}

std::string errorLine(const std::string& reason) {
  std::string out;
  appendErrorJson(out, reason);
  return out;
}

TEST(CastJson, texts_of_every_length_with_escapes_anywhere) {
  // Thai letters (three bytes each) among ASCII ones, so that the words the
  // writer checks cut letters; every letter in turn replaced by a special.
  for (const char* special : {"\"", "\\", "\r", "\x01", "\x1F"}) {
    for (int letters = 0; letters <= 30; ++letters) {
      for (int at = 0; at <= letters; ++at) {
        std::string text;
        for (int i = 0; i < letters; ++i) text += i == at ? special : i % 3 == 0 ? "ก" : "a";
        SCOPED_TRACE(std::to_string(letters) + " letters, special at " + std::to_string(at));
        EXPECT_EQ(errorLine(text), "{\"error\":\"" + escapedByteByByte(text) + "\",\"warnings\":[]}");
      }
    }
  }
}

TEST(CastJson, a_long_text_across_the_writers_pieces) {
  // Longer than the pieces the writer escapes at once, with escapes on both
  // sides of each piece boundary and runs of them (each grows sixfold).
  std::string text;
  for (int i = 0; i < 3000; ++i) text += static_cast<char>(i % 97 == 0 ? '\x02' : i % 89 == 0 ? '"' : 'a' + i % 26);
  text += std::string(700, '\x03');
  const std::string line = errorLine(text);
  EXPECT_EQ(line, "{\"error\":\"" + escapedByteByByte(text) + "\",\"warnings\":[]}");
}

}  // namespace
}  // namespace vesprin
