#pragma once
// Small text helpers shared by the rules that build Thai captions.
#include <initializer_list>
#include <string>
#include <string_view>

namespace vesprin {

// The pieces joined, with one allocation: captions are built from many short
// pieces on every cast.
inline std::string concat(std::initializer_list<std::string_view> parts) {
  std::size_t n = 0;
  for (std::string_view p : parts) n += p.size();
  std::string out;
  out.reserve(n);
  for (std::string_view p : parts) out.append(p);
  return out;
}

}  // namespace vesprin

namespace vesprin {

// A whole decimal number, the whole text; 0 when the text is anything else.
int toInt(std::string_view text);

// v with at least `width` digits, zero-padded: padded(5, 2) = "05".
std::string padded(int v, std::size_t width);

// The text without the blanks, tabs and carriage returns at its end: they
// never change what a line of a file or of the input means.
std::string_view trimTrailingBlanks(std::string_view text);

// A piece of input for an error message, in double quotes: the whole text
// when it is short, else its first `maxChars` characters, "..." and its size,
// so that a megabyte-long field does not bury the message.
std::string quotedExcerpt(std::string_view text, std::size_t maxChars = 32);

}  // namespace vesprin
