#pragma once
// Every file the engine reads is Thai text in code page 874. It is decoded to
// UTF-8 once, at the boundary; inside the engine all text is UTF-8.
#include <string>
#include <string_view>

namespace vesprin {

// Decodes code-page-874 bytes to UTF-8. Bytes that the code page leaves
// undefined become U+FFFD so that a damaged file shows up instead of vanishing.
std::string cp874ToUtf8(std::string_view bytes);

// The UTF-8 text of one code-page-874 character code (0..255).
std::string cp874Char(unsigned char code);

// The other way, for writing hand-over files: UTF-8 text as code-page-874
// bytes. When a character has no code in the code page (or the text is not
// valid UTF-8), `bytes` is empty and `badChar` holds that character (or the
// offending bytes) and `badOffset` its byte offset in the text.
struct Cp874Encoding {
  std::string bytes;
  std::string badChar;
  std::size_t badOffset = 0;
  bool ok() const { return badChar.empty(); }
};
Cp874Encoding utf8ToCp874(std::string_view utf8);

}  // namespace vesprin
