#include "app/pdf_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <vector>
#include <system_error>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <zlib.h>

#include "core/text_file.h"
#include "present/render/safe_output.h"

namespace vesprin {
namespace {

// The Thai fonts' positioned forms, U+F700 onwards, and the character each
// one draws: consonants without their descender, marks lowered (for a short
// consonant) or moved left (beside a tall one).
constexpr char32_t kFirstPositionedForm = 0xF700;
constexpr std::array<char32_t, 27> kPositionedForms = {
    0x0E10,                                  // F700 ฐ without its descender
    0x0E34, 0x0E35, 0x0E36, 0x0E37,          // F701..F704 sara i, ii, ue, uee moved left
    0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C,  // F705..F709 tone marks lowered and moved left
    0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C,  // F70A..F70E tone marks lowered
    0x0E0D,                                  // F70F ญ without its descender
    0x0E31, 0x0E4D, 0x0E47,                  // F710..F712 mai han-akat, nikhahit, maitaikhu moved left
    0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C,  // F713..F717 tone marks moved left
    0x0E38, 0x0E39, 0x0E3A,                  // F718..F71A sara u, uu, phinthu lowered
};

// Four upper-case hex digits: one UTF-16 code unit.
std::string hex4(unsigned long unit) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04lX", unit & 0xFFFF);
  return buf;
}

bool isHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// A hex string of UTF-16 code units with each positioned form replaced. A
// string that is not whole code units is left as it is.
std::string mendedDestination(const std::string& hex) {
  if (hex.size() % 4 != 0) return hex;
  std::string out;
  for (std::size_t i = 0; i < hex.size(); i += 4) {
    const char32_t unit = static_cast<char32_t>(std::stoul(hex.substr(i, 4), nullptr, 16));
    const char32_t mended = thaiFromPositionedForm(unit);
    out += mended == unit ? hex.substr(i, 4) : hex4(mended);
  }
  return out;
}

// The tokens of a CMap that matter here: hex strings, array brackets and
// the words between them, each with the text that precedes it.
struct Token {
  enum Kind { Hex, Open, Close, Word, End } kind = End;
  std::string text;  // the hex digits, or the word
};

class CMapReader {
 public:
  explicit CMapReader(const std::string& text) : text_(text) {}

  // The next token; what lies before it is copied to `out` unchanged.
  Token next(std::string& out) {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '%') {  // a comment runs to the end of the line
        while (pos_ < text_.size() && text_[pos_] != '\n' && text_[pos_] != '\r') out += text_[pos_++];
        continue;
      }
      if (c == '<' && pos_ + 1 < text_.size() && text_[pos_ + 1] != '<') {
        std::size_t end = text_.find('>', pos_ + 1);
        if (end == std::string::npos) end = text_.size();
        std::string digits;
        for (std::size_t i = pos_ + 1; i < end; ++i)
          if (isHexDigit(text_[i])) digits += text_[i];
        pos_ = std::min(end + 1, text_.size());
        return {Token::Hex, digits};
      }
      if (c == '[' || c == ']') {
        ++pos_;
        return {c == '[' ? Token::Open : Token::Close, std::string(1, c)};
      }
      if (std::isalpha(static_cast<unsigned char>(c))) {
        std::string word;
        while (pos_ < text_.size() && std::isalnum(static_cast<unsigned char>(text_[pos_]))) word += text_[pos_++];
        return {Token::Word, word};
      }
      out += text_[pos_++];
    }
    return {};
  }

 private:
  const std::string& text_;
  std::size_t pos_ = 0;
};

std::string hexToken(const std::string& digits) { return "<" + digits + ">"; }

// A bfrange destination that starts a run of consecutive values: as it is,
// unless the run touches the positioned forms; then as an array of the
// mended values, one per source code.
std::string mendedRun(const std::string& first, const std::string& last, const std::string& start) {
  if (start.size() != 4 || first.empty() || last.empty() || first.size() > 8 || last.size() > 8)
    return hexToken(start);
  const unsigned long from = std::stoul(first, nullptr, 16), to = std::stoul(last, nullptr, 16);
  const unsigned long value = std::stoul(start, nullptr, 16);
  const unsigned long end = value + (to >= from ? to - from : 0);
  if (end < kFirstPositionedForm || value >= kFirstPositionedForm + kPositionedForms.size() || end > 0xFFFF)
    return hexToken(start);
  std::string out = "[";
  for (unsigned long v = value; v <= end; ++v) out += hexToken(mendedDestination(hex4(v))) + (v < end ? " " : "");
  return out + "]";
}

void appendUtf16(std::u32string& out, const std::string& hex) {
  std::u16string units;
  for (std::size_t i = 0; i + 4 <= hex.size(); i += 4)
    units += static_cast<char16_t>(std::stoul(hex.substr(i, 4), nullptr, 16));
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size()) {
      out += static_cast<char32_t>(0x10000 + ((u - 0xD800) << 10) + (units[++i] - 0xDC00));
    } else {
      out += u;
    }
  }
}

std::string utf16BigEndianHex(const std::u32string& text) {
  std::string out = "FEFF";
  for (char32_t c : text) {
    if (c >= 0x10000) {
      const char32_t v = c - 0x10000;
      out += hex4(0xD800 + (v >> 10)) + hex4(0xDC00 + (v & 0x3FF));
    } else {
      out += hex4(c);
    }
  }
  return out;
}

// What a font's codes stand for, from its ToUnicode map, and how many bytes
// a code takes in a shown string.
struct FontText {
  std::map<unsigned, std::u32string> codes;
  std::size_t codeBytes = 2;
};

// Marks each text object of a page's contents with the text its glyphs
// stand for, in the order typed (an ActualText span): extraction then reads
// the text whole instead of guessing words from where the marks were placed,
// which breaks a word after a tone mark set over its consonant. Fed token by
// token, each with the bytes it was written as; what it writes is those
// bytes with the spans around the text objects.
class TextObjectMarker {
 public:
  enum class Kind { Word, Name, String, Other };
  using Emit = std::function<void(std::string_view)>;

  TextObjectMarker(std::map<std::string, FontText, std::less<>> fonts, Emit emit)
      : fonts_(std::move(fonts)), emit_(std::move(emit)) {}

  // `value`: a word or name as read, a string's bytes; `raw`: as written.
  void token(Kind kind, std::string_view value, std::string_view raw) {
    if (!inText_) {
      if (kind == Kind::Word && value == "BT") {
        inText_ = true;
        // A text object already marked (a file finished twice) keeps its span.
        mapped_ = lastWord_ != "BDC";
        text_.clear();
        pending_.clear();
        buffered_.assign(raw);
        return;
      }
      if (kind == Kind::Word) lastWord_.assign(value);
      emit_(raw);
      return;
    }
    buffered_.append(raw);
    switch (kind) {
      case Kind::Name:
        lastName_.assign(value);
        break;
      case Kind::String:
        pending_.emplace_back(value);
        break;
      case Kind::Word: {
        const std::string_view op = value;
        if (op == "Tf") {
          const auto it = fonts_.find(lastName_);
          font_ = it == fonts_.end() ? nullptr : &it->second;
        } else if (op == "Tj" || op == "TJ" || op == "'" || op == "\"") {
          for (const std::string& shown : pending_) show(shown);
        } else if (op == "ET") {
          flush(true);
          return;
        }
        pending_.clear();
        break;
      }
      case Kind::Other:
        break;
    }
  }

  void end() { flush(false); }

 private:
  void show(const std::string& bytes) {
    if (!font_) {
      mapped_ = false;
      return;
    }
    for (std::size_t i = 0; i + font_->codeBytes <= bytes.size(); i += font_->codeBytes) {
      unsigned code = 0;
      for (std::size_t b = 0; b < font_->codeBytes; ++b) code = code << 8 | static_cast<unsigned char>(bytes[i + b]);
      const auto it = font_->codes.find(code);
      if (it == font_->codes.end()) {
        mapped_ = false;
        return;
      }
      text_ += it->second;
    }
  }

  void flush(bool ended) {
    if (!inText_) return;
    const std::u32string typed = typedOrder(text_);
    const bool span = ended && mapped_ && !typed.empty();
    if (span) emit_("/Span <</ActualText <" + utf16BigEndianHex(typed) + ">>> BDC\n");
    emit_(buffered_);
    if (span) emit_("\nEMC");
    buffered_.clear();
    inText_ = false;
    lastWord_ = "ET";
  }

  std::map<std::string, FontText, std::less<>> fonts_;
  Emit emit_;
  const FontText* font_ = nullptr;
  bool inText_ = false;
  bool mapped_ = true;
  std::string lastName_;
  std::string lastWord_;  // the last operator outside a text object
  std::vector<std::string> pending_;  // strings shown by the next text operator
  std::string buffered_;  // the text object so far, as written
  std::u32string text_;
};

// The marker fed by qpdf's tokenizer, for contents of any form.
class ActualTextFilter : public QPDFObjectHandle::TokenFilter {
 public:
  explicit ActualTextFilter(std::map<std::string, FontText, std::less<>> fonts)
      : marker_(std::move(fonts), [this](std::string_view bytes) { write(bytes.data(), bytes.size()); }) {}

  void handleToken(const QPDFTokenizer::Token& token) override {
    using T = QPDFTokenizer;
    const T::token_type_e type = token.getType();
    const TextObjectMarker::Kind kind = type == T::tt_word     ? TextObjectMarker::Kind::Word
                                        : type == T::tt_name   ? TextObjectMarker::Kind::Name
                                        : type == T::tt_string ? TextObjectMarker::Kind::String
                                                               : TextObjectMarker::Kind::Other;
    marker_.token(kind, kind == TextObjectMarker::Kind::Other ? std::string_view() : std::string_view(token.getValue()),
                  token.getRawValue());
  }

  void handleEOF() override { marker_.end(); }

 private:
  TextObjectMarker marker_;
};

// The same marking read straight from the bytes of contents as Qt writes
// them: numbers, names, hex strings, operators, brackets and blanks. Qt's
// text objects make most of a sheet's contents, and qpdf's general tokenizer
// takes several times as long over them. Anything else (a literal string, a
// comment, a dictionary, an inline image) gives none: the contents then go
// through qpdf's tokenizer, which reads them all.
std::optional<std::string> markedQtContents(std::string_view in, std::map<std::string, FontText, std::less<>> fonts) {
  std::string out;
  out.reserve(in.size() + in.size() / 4);
  TextObjectMarker marker(std::move(fonts), [&out](std::string_view bytes) { out.append(bytes); });
  const auto blank = [](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; };
  // Neither blank nor a delimiter, by a table: it is asked of every byte.
  static constexpr auto kRegular = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c) table[c] = true;
    for (unsigned char c : std::string_view(" \n\r\t\f()<>[]{}/%")) table[c] = false;
    table[0] = false;
    return table;
  }();
  const auto regular = [](char c) { return kRegular[static_cast<unsigned char>(c)]; };
  const auto hexValue = [](char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
  };
  std::string value;
  for (std::size_t i = 0; i < in.size();) {
    const char c = in[i];
    std::size_t j = i + 1;
    if (blank(c)) {
      while (j < in.size() && blank(in[j])) ++j;
      marker.token(TextObjectMarker::Kind::Other, {}, in.substr(i, j - i));
    } else if (c == '/') {
      while (j < in.size() && regular(in[j])) ++j;
      const std::string_view name = in.substr(i, j - i);
      if (name.find('#') != std::string_view::npos) return std::nullopt;
      marker.token(TextObjectMarker::Kind::Name, name, name);
    } else if (c == '<') {
      if (j < in.size() && in[j] == '<') return std::nullopt;
      value.clear();
      int high = -1;
      for (; j < in.size() && in[j] != '>'; ++j) {
        if (blank(in[j])) continue;
        const int digit = hexValue(in[j]);
        if (digit < 0) return std::nullopt;
        if (high < 0) {
          high = digit;
        } else {
          value += static_cast<char>(high << 4 | digit);
          high = -1;
        }
      }
      if (j == in.size()) return std::nullopt;
      if (high >= 0) value += static_cast<char>(high << 4);  // an odd last digit is followed by 0
      ++j;
      marker.token(TextObjectMarker::Kind::String, value, in.substr(i, j - i));
    } else if (c == '[' || c == ']') {
      marker.token(TextObjectMarker::Kind::Other, {}, in.substr(i, 1));
    } else if (regular(c)) {
      while (j < in.size() && regular(in[j])) ++j;
      const std::string_view word = in.substr(i, j - i);
      // A number: a sign, digits and at most one point, with a digit.
      std::size_t k = word[0] == '+' || word[0] == '-' ? 1 : 0;
      bool digits = false, point = false, number = k < word.size();
      for (; k < word.size() && number; ++k) {
        if (word[k] >= '0' && word[k] <= '9') digits = true;
        else if (word[k] == '.' && !point) point = true;
        else number = false;
      }
      if (number && digits) {
        marker.token(TextObjectMarker::Kind::Other, {}, word);
      } else {
        // An operator: letters, '*' and the two quote operators; an inline
        // image would need its binary data skipped.
        if (word == "BI" || word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz*'\"") !=
                                std::string_view::npos ||
            word == "true" || word == "false" || word == "null")
          return std::nullopt;
        marker.token(TextObjectMarker::Kind::Word, word, word);
      }
    } else {
      return std::nullopt;
    }
    i = j;
  }
  marker.end();
  return out;
}

// The fonts of a page's resources, by resource name ("/F9").
std::map<std::string, FontText, std::less<>> pageFonts(QPDFPageObjectHelper& page) {
  std::map<std::string, FontText, std::less<>> fonts;
  QPDFObjectHandle resources = page.getAttribute("/Resources", false);
  if (!resources.isDictionary() || !resources.hasKey("/Font")) return fonts;
  QPDFObjectHandle fontDict = resources.getKey("/Font");
  if (!fontDict.isDictionary()) return fonts;
  for (const std::string& name : fontDict.getKeys()) {
    QPDFObjectHandle font = fontDict.getKey(name);
    if (!font.isDictionary() || !font.hasKey("/ToUnicode") || !font.getKey("/ToUnicode").isStream()) continue;
    const std::shared_ptr<Buffer> data = font.getKey("/ToUnicode").getStreamData(qpdf_dl_generalized);
    FontText text;
    text.codes = readToUnicodeMap(std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize()));
    // Qt writes its fonts as Type0 with the two-byte identity encoding.
    text.codeBytes = font.getKey("/Subtype").isNameAndEquals("/Type0") ? 2 : 1;
    fonts.emplace(name, std::move(text));
  }
  return fonts;
}

}  // namespace

char32_t thaiFromPositionedForm(char32_t c) {
  if (c < kFirstPositionedForm || c >= kFirstPositionedForm + kPositionedForms.size()) return c;
  return kPositionedForms[c - kFirstPositionedForm];
}

std::string thaiToUnicodeMap(const std::string& cmap) {
  // Destinations follow their source codes: in a bfchar section every second
  // hex string, in a bfrange section every third entry, which is a hex
  // string (the first of a run of consecutive values) or an array of them.
  std::string out;
  out.reserve(cmap.size());
  CMapReader reader(cmap);
  enum class Section { None, Char, Range } section = Section::None;
  int position = 0;  // of the entry within its line of the section
  bool inArray = false;
  std::array<std::string, 2> run;  // the first and last source code of a bfrange line
  for (Token t = reader.next(out); t.kind != Token::End; t = reader.next(out)) {
    switch (t.kind) {
      case Token::Word:
        if (t.text == "beginbfchar") section = Section::Char;
        else if (t.text == "beginbfrange") section = Section::Range;
        else if (t.text == "endbfchar" || t.text == "endbfrange") section = Section::None;
        position = 0;
        out += t.text;
        break;
      case Token::Open:
        inArray = section == Section::Range && position == 2;
        out += t.text;
        break;
      case Token::Close:
        if (inArray) position = 0;
        inArray = false;
        out += t.text;
        break;
      case Token::Hex: {
        if (inArray) {
          out += hexToken(mendedDestination(t.text));
        } else if (section == Section::Char) {
          out += hexToken(position == 1 ? mendedDestination(t.text) : t.text);
          position = (position + 1) % 2;
        } else if (section == Section::Range) {
          if (position < 2) {
            run[position] = t.text;
            out += hexToken(t.text);
          } else {
            out += mendedRun(run[0], run[1], t.text);
          }
          position = (position + 1) % 3;
        } else {
          out += hexToken(t.text);
        }
        break;
      }
      case Token::End:
        break;
    }
  }
  return out;
}

std::map<unsigned, std::u32string> readToUnicodeMap(const std::string& cmap) {
  std::map<unsigned, std::u32string> codes;
  std::string skipped;
  CMapReader reader(cmap);
  enum class Section { None, Char, Range } section = Section::None;
  std::vector<std::string> entry;  // the hex strings of the current line of a section
  std::vector<std::string> array;
  bool inArray = false;
  const auto code = [](const std::string& hex) {
    return hex.empty() || hex.size() > 8 ? 0u : static_cast<unsigned>(std::stoul(hex, nullptr, 16));
  };
  for (Token t = reader.next(skipped); t.kind != Token::End; t = reader.next(skipped)) {
    if (t.kind == Token::Word) {
      section = t.text == "beginbfchar" ? Section::Char : t.text == "beginbfrange" ? Section::Range : Section::None;
      entry.clear();
      continue;
    }
    if (section == Section::None) continue;
    if (t.kind == Token::Open) {
      inArray = true;
      array.clear();
      continue;
    }
    if (t.kind == Token::Hex && inArray) {
      array.push_back(t.text);
      continue;
    }
    if (t.kind == Token::Close) {
      inArray = false;
      if (entry.size() == 2)
        for (unsigned c = code(entry[0]), i = 0; c <= code(entry[1]) && i < array.size(); ++c, ++i)
          appendUtf16(codes[c], array[i]);
      entry.clear();
      continue;
    }
    if (t.kind != Token::Hex) continue;
    entry.push_back(t.text);
    if (section == Section::Char && entry.size() == 2) {
      appendUtf16(codes[code(entry[0])], entry[1]);
      entry.clear();
    } else if (section == Section::Range && entry.size() == 3) {
      // A run of consecutive values: the last code unit steps on.
      std::string value = entry[2];
      for (unsigned c = code(entry[0]); c <= code(entry[1]) && value.size() >= 4; ++c) {
        appendUtf16(codes[c], value);
        value.replace(value.size() - 4, 4, hex4(std::stoul(value.substr(value.size() - 4), nullptr, 16) + 1));
      }
      entry.clear();
    }
  }
  return codes;
}

namespace {

// Marks set over or under a consonant.
constexpr bool isThaiMark(char32_t c) { return c == 0x0E31 || (c >= 0x0E34 && c <= 0x0E3A) || (c >= 0x0E47 && c <= 0x0E4E); }
// Tone marks and the thanthakhat, typed after the vowel marks of their consonant.
constexpr bool isToneMark(char32_t c) { return c >= 0x0E48 && c <= 0x0E4C; }

}  // namespace

std::u32string typedOrder(std::u32string glyphs) {
  std::u32string out;
  out.reserve(glyphs.size());
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const char32_t c = glyphs[i];
    // Sara am is set as a nikhahit over the consonant and a sara aa after
    // it, with the tone mark between them.
    if (c == 0x0E4D) {
      std::size_t next = i + 1;
      const bool tone = next < glyphs.size() && glyphs[next] >= 0x0E48 && glyphs[next] <= 0x0E4B;
      if (tone) ++next;
      if (next < glyphs.size() && glyphs[next] == 0x0E32) {
        if (tone) out += glyphs[i + 1];
        out += char32_t{0x0E33};
        i = next;
        continue;
      }
    }
    // The fonts draw a blank with the glyph they share with the tab.
    out += c == U'\t' ? U' ' : c;
  }
  // The marks of one consonant come in the order the font places them (a
  // tone mark may come before the vowel under it); typed, the vowel comes
  // first.
  for (std::size_t i = 0; i < out.size();) {
    std::size_t end = i;
    while (end < out.size() && isThaiMark(out[end])) ++end;
    if (end > i + 1)
      std::stable_partition(out.begin() + static_cast<std::ptrdiff_t>(i), out.begin() + static_cast<std::ptrdiff_t>(end),
                            [](char32_t m) { return !isToneMark(m); });
    i = end == i ? i + 1 : end;
  }
  return out;
}

namespace {

// The first `n` bytes that zlib data decodes to (fewer when it decodes to
// fewer, or is damaged).
std::string inflatedHead(std::string_view packed, std::size_t n) {
  std::string out(n, '\0');
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return {};
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  z.avail_in = static_cast<uInt>(packed.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(n);
  inflate(&z, Z_SYNC_FLUSH);
  out.resize(n - z.avail_out);
  inflateEnd(&z);
  return out;
}

// Puts the real pictures in place of their stand-ins: the images of every
// page's resources, each once. The number put in place.
std::size_t replaceStandIns(QPDF& pdf, const StandInData& standIns) {
  std::size_t replaced = 0;
  std::set<QPDFObjGen> seen;
  for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
    QPDFObjectHandle resources = page.getAttribute("/Resources", false);
    if (!resources.isDictionary() || !resources.getKey("/XObject").isDictionary()) continue;
    QPDFObjectHandle xobjects = resources.getKey("/XObject");
    for (const std::string& name : xobjects.getKeys()) {
      QPDFObjectHandle image = xobjects.getKey(name);
      if (!image.isStream() || !seen.insert(image.getObjGen()).second) continue;
      QPDFObjectHandle dict = image.getDict();
      if (!dict.getKey("/Subtype").isNameAndEquals("/Image") || !dict.getKey("/Filter").isNameAndEquals("/FlateDecode") ||
          dict.hasKey("/SMask") || dict.hasKey("/Mask") || dict.hasKey("/DecodeParms"))
        continue;
      if (!dict.getKey("/BitsPerComponent").isInteger() || dict.getKey("/BitsPerComponent").getIntValue() != 1 ||
          !dict.getKey("/ColorSpace").isNameAndEquals("/DeviceGray"))
        continue;
      // The stand-in's size from its dictionary and its first bytes alone:
      // a sheet holds dozens, and each decoded whole is all but a blank.
      QPDFObjectHandle width = dict.getKey("/Width"), height = dict.getKey("/Height");
      if (!width.isInteger() || !height.isInteger() || width.getIntValue() <= 0 || height.getIntValue() <= 0) continue;
      const std::size_t size = static_cast<std::size_t>((width.getIntValue() + 7) >> 3) *
                               static_cast<std::size_t>(height.getIntValue());
      const std::shared_ptr<Buffer> packed = image.getRawStreamData();
      const std::string head = inflatedHead(
          std::string_view(reinterpret_cast<const char*>(packed->getBuffer()), packed->getSize()), 8);
      const std::optional<RealPicture> real = standIns(head, size);
      if (!real) continue;
      image.replaceStreamData(*real->data, QPDFObjectHandle::newName("/FlateDecode"), QPDFObjectHandle::newNull());
      if (real->colour) {
        dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
        dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceRGB"));
      }
      ++replaced;
    }
  }
  return replaced;
}

}  // namespace

std::string finishPdfBytes(std::string& bytes, const PdfDocumentInfo& info, ContentReading reading,
                           const StandInData& standIns, std::size_t* replaced) {
  try {
    QPDF pdf;
    pdf.processMemoryFile("chart sheet", bytes.data(), bytes.size());
    if (standIns) {
      const std::size_t n = replaceStandIns(pdf, standIns);
      if (replaced) *replaced = n;
    }
    for (QPDFObjectHandle object : pdf.getAllObjects()) {
      if (!object.isDictionary() || !object.hasKey("/ToUnicode")) continue;
      QPDFObjectHandle map = object.getKey("/ToUnicode");
      if (!map.isStream()) continue;
      const std::shared_ptr<Buffer> data = map.getStreamData(qpdf_dl_generalized);
      const std::string text(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
      const std::string mended = thaiToUnicodeMap(text);
      if (mended != text) map.replaceStreamData(mended, QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
    }
    // The text objects are marked from the mended maps.
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
      QPDFObjectHandle contents = page.getObjectHandle().getKey("/Contents");
      if (reading == ContentReading::AsQtWrites && contents.isStream()) {
        const std::shared_ptr<Buffer> data = contents.getStreamData(qpdf_dl_generalized);
        if (std::optional<std::string> marked = markedQtContents(
                std::string_view(reinterpret_cast<const char*>(data->getBuffer()), data->getSize()), pageFonts(page))) {
          contents.replaceStreamData(*marked, QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
          continue;
        }
      }
      page.addContentTokenFilter(std::make_shared<ActualTextFilter>(pageFonts(page)));
    }
    QPDFObjectHandle trailer = pdf.getTrailer();
    if (!trailer.hasKey("/Info")) trailer.replaceKey("/Info", pdf.makeIndirectObject(QPDFObjectHandle::newDictionary()));
    QPDFObjectHandle documentInfo = trailer.getKey("/Info");
    if (!info.title.empty()) documentInfo.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(info.title));
    if (!info.subject.empty()) documentInfo.replaceKey("/Subject", QPDFObjectHandle::newUnicodeString(info.subject));
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    // The same file for the same sheet: no time-based identifier.
    writer.setDeterministicID(true);
    // The pictures' streams go through as Qt compressed them; only the
    // streams rewritten here are compressed anew.
    writer.setDecodeLevel(qpdf_dl_none);
    writer.write();
    const std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
    bytes.assign(reinterpret_cast<const char*>(out->getBuffer()), out->getSize());
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

std::string finishPdf(const std::filesystem::path& file, const PdfDocumentInfo& info) {
  std::optional<std::string> bytes = readWholeFile(file.string());
  if (!bytes) return "cannot read " + file.string();
  if (std::string error = finishPdfBytes(*bytes, info); !error.empty()) return error;
  const SafeWrite written = writeFileSafely(file, *bytes);
  return written.ok ? std::string() : written.error;
}

}  // namespace vesprin
