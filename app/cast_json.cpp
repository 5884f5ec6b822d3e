#include "app/cast_json.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif


#include "core/text.h"
#include "present/texts/birth_texts.h"
#include "present/texts/cycle_texts.h"

namespace vesprin {
namespace {

// Length of the valid UTF-8 sequence at s[i]; 0 when the byte there does not
// begin one. The second byte's range excludes overlong forms, surrogates and
// code points above U+10FFFF.
std::size_t utf8Length(std::string_view s, std::size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return 1;
  const std::size_t n = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                        : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto t = static_cast<unsigned char>(s[i + k]);
    const unsigned char lo = k > 1 ? 0x80 : c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
    const unsigned char hi = k > 1 ? 0xBF : c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
    if (t < lo || t > hi) return 0;
  }
  return n;
}

bool isValidUtf8(std::string_view s) {
  for (std::size_t i = 0, n; i < s.size(); i += n) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      n = 1;
    } else if ((n = utf8Length(s, i)) == 0) {
      return false;
    }
  }
  return true;
}

// Text that is not valid UTF-8 (a damaged input line echoed in an error) has
// each bad byte replaced by U+FFFD, so that every line written is valid UTF-8.
std::string validUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 8);
  for (std::size_t i = 0; i < s.size();) {
    if (const std::size_t n = utf8Length(s, i)) {
      out.append(s.substr(i, n));
      i += n;
    } else {
      out.append("\xEF\xBF\xBD");
      ++i;
    }
  }
  return out;
}

// The writer with the calls a chart needs, appending straight to the line:
// keys are the program's own literals, written as they stand; numbers in
// decimal; texts between quotes with '"', '\\' and the control characters
// escaped ("\n", "\r", "\t", "\b", "\f", else "\u00XX"). A text that can
// carry bytes of the input (`value`) is also made valid UTF-8 first; the
// program's own texts, built from its tables (`text`), are not checked again.
// Keys of an object must come in ascending byte order; a key out of order is
// a fault of this file and stops the program rather than writing a chart
// whose text differs from run to run.
class JsonOut {
 public:
  explicit JsonOut(std::string& out) : out_(out) {}
  JsonOut(const JsonOut&) = delete;
  JsonOut& operator=(const JsonOut&) = delete;
  ~JsonOut() { flush(); }

  template <std::size_t N>
  [[gnu::always_inline]] JsonOut& key(const char (&k)[N]) {
    return key(std::string_view(k, N - 1));
  }
  // Inlined where it is called: with a literal key the first eight bytes
  // fold into a constant, and the key's piece into a few stores.
  [[gnu::always_inline]] JsonOut& key(std::string_view k) {
    // The order is told by the first eight bytes as one number, read most
    // significant first; the whole keys are compared only when those agree.
    LastKey& last = lastKey_[depth_];
    const std::uint64_t head = headOf(k);
    if (!last.open && (head < last.head || (head == last.head && !(last.key < k))))
      throw std::logic_error("JSON key \"" + std::string(k) + "\" written after \"" +
                             std::string(last.key) + "\"");
    last = {k, head, false};
    // The comma, the quoted key and the colon in one piece.
    char piece[kShortKey + 4];
    if (k.size() > kShortKey) {
      separate();
      put('"');
      put(k.data(), k.size());
      put("\":", 2);
    } else {
      std::size_t n = 0;
      if (comma_) piece[n++] = ',';
      piece[n++] = '"';
      std::memcpy(piece + n, k.data(), k.size());
      n += k.size();
      piece[n++] = '"';
      piece[n++] = ':';
      put(piece, n);
    }
    comma_ = false;
    return *this;
  }
  void beginObject() {
    separate();
    put('{');
    comma_ = false;
    if (++depth_ >= kMaxDepth) throw std::logic_error("JSON objects nested too deep");
    lastKey_[depth_] = {};
  }
  void endObject() {
    put('}');
    --depth_;
    comma_ = true;
  }
  void beginArray() {
    separate();
    put('[');
    comma_ = false;
  }
  void endArray() {
    put(']');
    comma_ = true;
  }

  // A text that may hold bytes of the input.
  void value(std::string_view s) {
    if (isValidUtf8(s)) text(s);
    else text(validUtf8(s));
  }
  void value(const char* s) { value(std::string_view(s)); }
  void value(const std::string& s) { value(std::string_view(s)); }
  // A text of the program's own, valid UTF-8 by construction.
  void text(std::string_view s) {
    // Written straight into the buffer, a piece at a time with room for the
    // piece escaped at worst: sixteen bytes are checked and stored at once
    // when none needs an escape, which is nearly always.
    constexpr std::size_t kPiece = 512, kRoom = 6 * kPiece + 2;
    const char* p = s.data();
    const char* const end = p + s.size();
    bool first = true;
    do {
      if (kBufferSize - used_ < kRoom) flush();
      char* o = buffer_ + used_;
      if (first) {
        if (comma_) *o++ = ',';
        *o++ = '"';
        first = false;
      }
      const char* const stop = p + std::min<std::size_t>(kPiece, static_cast<std::size_t>(end - p));
      for (; stop - p >= 16; p += 16) {
        Bytes b;
        std::memcpy(&b, p, 16);
        if (!needsEscape(b)) {
          std::memcpy(o, &b, 16);
          o += 16;
        } else {
          // Each half on its own: an escape (a line break, say) seldom
          // comes twice in sixteen bytes.
          for (int half = 0; half < 16; half += 8) {
            std::uint64_t w;
            std::memcpy(&w, p + half, 8);
            if (!wordNeedsEscape(w)) {
              std::memcpy(o, &w, 8);
              o += 8;
            } else {
              for (int i = half; i < half + 8; ++i) o = escaped(o, static_cast<unsigned char>(p[i]));
            }
          }
        }
      }
      // The last bytes, fewer than sixteen: as two words that overlap,
      // checked and stored at once when neither needs an escape.
      if (const std::size_t n = static_cast<std::size_t>(stop - p); n >= 8) {
        std::uint64_t a, b;
        std::memcpy(&a, p, 8);
        std::memcpy(&b, stop - 8, 8);
        if (!wordNeedsEscape(a) && !wordNeedsEscape(b)) {
          std::memcpy(o, &a, 8);
          std::memcpy(o + n - 8, &b, 8);
          o += n;
          p = stop;
        }
      } else if (n >= 4) {
        std::uint32_t a, b;
        std::memcpy(&a, p, 4);
        std::memcpy(&b, stop - 4, 4);
        if (!wordNeedsEscape(std::uint64_t{a} | std::uint64_t{b} << 32)) {
          std::memcpy(o, &a, 4);
          std::memcpy(o + n - 4, &b, 4);
          o += n;
          p = stop;
        }
      }
      for (; p < stop; ++p) o = escaped(o, static_cast<unsigned char>(*p));
      used_ = static_cast<std::size_t>(o - buffer_);
    } while (p < end);
    put('"');
    comma_ = true;
  }
  void value(int v) { number(v); }
  void value(long long v) { number(v); }
  void value(bool v) {
    separate();
    if (v) put("true", 4);
    else put("false", 5);
    comma_ = true;
  }
  void null() {
    separate();
    put("null", 4);
    comma_ = true;
  }
  template <class T>
  void value(const std::optional<T>& v) {
    if (v) value(*v);
    else null();
  }
  // A sign as its number (0 for no sign).
  template <int N>
  void value(CyclicSign<N> s) {
    number(s.number());
  }
  void value(const Pillar& p) {
    // "[s,b]" from a table: signs are small numbers (0 for no sign).
    const PillarText& t = kPillarTexts[static_cast<std::size_t>(p.stem.number())][static_cast<std::size_t>(p.branch.number())];
    if (kBufferSize - used_ < 9) flush();
    char* o = buffer_ + used_;
    if (comma_) *o++ = ',';
    std::memcpy(o, t.text, 8);
    used_ = static_cast<std::size_t>(o + t.size - buffer_);
    comma_ = true;
  }
  // Any range: arrays of numbers, texts or pillars.
  template <class Range>
    requires requires(const Range& r) { r.begin(); r.end(); } &&
             (!std::is_convertible_v<const Range&, std::string_view>)
  void value(const Range& items) {
    beginArray();
    for (const auto& item : items) value(item);
    endArray();
  }

  template <std::size_t N, class T>
  [[gnu::always_inline]] void field(const char (&k)[N], const T& v) {
    key(k);
    value(v);
  }
  // A field whose text (or texts) the program wrote itself.
  template <std::size_t N>
  [[gnu::always_inline]] void textField(const char (&k)[N], std::string_view v) {
    key(k);
    text(v);
  }
  template <std::size_t N>
  [[gnu::always_inline]] void textsField(const char (&k)[N], const std::vector<std::string>& v) {
    key(k);
    beginArray();
    for (const std::string& s : v) text(s);
    endArray();
  }

 private:
  static constexpr int kMaxDepth = 8;

  void separate() {
    if (comma_) put(',');
  }
  static constexpr std::size_t kShortKey = 40;

  template <class Int>
  void number(Int v) {
    // Ages, years and counts: their text from a table, in one store.
    if (v >= 0 && v < static_cast<Int>(kNumberTexts.size()) && kBufferSize - used_ >= 8) {
      const NumberText& t = kNumberTexts[static_cast<std::size_t>(v)];
      char* o = buffer_ + used_;
      if (comma_) *o++ = ',';
      std::memcpy(o, t.digits, 4);
      used_ = static_cast<std::size_t>(o + t.size - buffer_);
      comma_ = true;
      return;
    }
    char digits[24];
    std::size_t n = 0;
    if (comma_) digits[n++] = ',';
    const auto r = std::to_chars(digits + n, digits + sizeof digits, v);
    putSmall(digits, static_cast<std::size_t>(r.ptr - digits));
    comma_ = true;
  }
  [[gnu::always_inline]] static std::uint64_t headOf(std::string_view k) {
    unsigned char b[8] = {};
    std::memcpy(b, k.data(), std::min<std::size_t>(k.size(), 8));
    std::uint64_t h = 0;
    for (unsigned char c : b) h = h << 8 | c;
    return h;
  }
  // The texts of 0..9999, each in four bytes and its length.
  struct NumberText {
    char digits[4];
    std::uint8_t size;
  };
  static constexpr std::array<NumberText, 10000> kNumberTexts = [] {
    std::array<NumberText, 10000> t{};
    for (int v = 0; v < 10000; ++v) {
      char d[4];
      int n = 0;
      for (int x = v; n == 0 || x != 0; x /= 10) d[n++] = static_cast<char>('0' + x % 10);
      NumberText& e = t[static_cast<std::size_t>(v)];
      for (int i = 0; i < n; ++i) e.digits[i] = d[n - 1 - i];
      e.size = static_cast<std::uint8_t>(n);
    }
    return t;
  }();
  // "[s,b]" of every stem 0..10 and branch 0..12, in eight bytes and its length.
  struct PillarText {
    char text[8];
    std::uint8_t size;
  };
  static constexpr auto kPillarTexts = [] {
    std::array<std::array<PillarText, kBranchCount + 1>, kStemCount + 1> t{};
    for (int stem = 0; stem <= kStemCount; ++stem)
      for (int branch = 0; branch <= kBranchCount; ++branch) {
        PillarText& e = t[static_cast<std::size_t>(stem)][static_cast<std::size_t>(branch)];
        std::size_t n = 0;
        e.text[n++] = '[';
        if (stem >= 10) e.text[n++] = static_cast<char>('0' + stem / 10);
        e.text[n++] = static_cast<char>('0' + stem % 10);
        e.text[n++] = ',';
        if (branch >= 10) e.text[n++] = static_cast<char>('0' + branch / 10);
        e.text[n++] = static_cast<char>('0' + branch % 10);
        e.text[n++] = ']';
        e.size = static_cast<std::uint8_t>(n);
      }
    return t;
  }();
  // Sixteen bytes as one vector (SSE2 or NEON where there are, else words).
  using Bytes = unsigned char __attribute__((vector_size(16)));
  // Whether any of the sixteen is a control character, '"' or '\\'.
  static bool needsEscape(Bytes b) {
    const Bytes hit = (b < 0x20) | (b == '"') | (b == '\\');
#ifdef __SSE2__
    return _mm_movemask_epi8(reinterpret_cast<__m128i>(hit)) != 0;
#else
    std::uint64_t w[2];
    std::memcpy(w, &hit, 16);
    return (w[0] | w[1]) != 0;
#endif
  }
  // The same of eight bytes in a word (the tests of a word for a byte below
  // n, and for a zero byte).
  static bool wordNeedsEscape(std::uint64_t w) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL, kHigh = 0x8080808080808080ULL;
    const auto hasZero = [](std::uint64_t v) { return ((v - kOnes) & ~v & kHigh) != 0; };
    const bool control = ((w - kOnes * 0x20) & ~w & kHigh) != 0;
    return control || hasZero(w ^ (kOnes * '"')) || hasZero(w ^ (kOnes * '\\'));
  }
  // One byte of a text at `o`, escaped where JSON needs it; the end.
  static char* escaped(char* o, unsigned char c) {
    if (c >= 0x20 && c != '"' && c != '\\') {
      *o = static_cast<char>(c);
      return o + 1;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    char e = 0;
    switch (c) {
      case '"': e = '"'; break;
      case '\\': e = '\\'; break;
      case '\b': e = 'b'; break;
      case '\f': e = 'f'; break;
      case '\n': e = 'n'; break;
      case '\r': e = 'r'; break;
      case '\t': e = 't'; break;
      default:
        std::memcpy(o, "\\u00", 4);
        o[4] = kHex[c >> 4];
        o[5] = kHex[c & 0xF];
        return o + 6;
    }
    o[0] = '\\';
    o[1] = e;
    return o + 2;
  }


  // Pieces gather here and go to the line a few kilobytes at a time: most
  // pieces are a few bytes, and a string's append is a call each.
  static constexpr std::size_t kBufferSize = 4096;
  void put(const char* s, std::size_t n) {
    if (n > kBufferSize - used_) return spill(s, n);
    std::memcpy(buffer_ + used_, s, n);
    used_ += n;
  }
  // A piece of a local array of sixteen bytes or more, of at most sixteen:
  // one copy of a fixed size rather than a call.
  template <std::size_t N>
  [[gnu::always_inline]] void putSmall(const char (&piece)[N], std::size_t n) {
    static_assert(N >= 16);
    if (kBufferSize - used_ < 16) return put(piece, n);
    std::memcpy(buffer_ + used_, piece, 16);
    used_ += n;
  }
  [[gnu::always_inline]] void put(char c) {
    if (used_ == kBufferSize) flush();
    buffer_[used_++] = c;
  }
  [[gnu::noinline]] void spill(const char* s, std::size_t n) {
    flush();
    if (n >= kBufferSize) {
      out_.append(s, n);
    } else {
      std::memcpy(buffer_, s, n);
      used_ = n;
    }
  }
  void flush() {
    out_.append(buffer_, used_);
    used_ = 0;
  }

  std::string& out_;
  char buffer_[kBufferSize];
  std::size_t used_ = 0;
  bool comma_ = false;  // a value stands before: the next one needs a comma
  int depth_ = 0;
  struct LastKey {
    std::string_view key;
    std::uint64_t head = 0;
    bool open = true;  // no key yet
  };
  LastKey lastKey_[kMaxDepth];  // per open object
};

const char* festivalKindName(FestivalKind k) {
  switch (k) {
    case FestivalKind::Large: return "large";
    case FestivalKind::Small: return "small";
    case FestivalKind::None: break;
  }
  return "none";
}

// Elements by name in key order; powers and counts are always whole and are
// written as integers.
void writePowers(JsonOut& j, const ElementPowerTable& t) {
  static constexpr Element kByName[] = {Element::Fire, Element::Gold, Element::Ground,
                                        Element::Water, Element::Wood};
  j.beginObject();
  for (Element e : kByName) {
    j.key(elementName(e));
    j.beginObject();
    j.textField("amount", amountText(t.powerOf(e) / t.weightOf(e)));
    j.field("count", static_cast<long long>(std::llround(t.countOf(e))));
    j.field("power", static_cast<long long>(std::llround(t.powerOf(e))));
    j.field("weight", t.weightOf(e));
    j.endObject();
  }
  j.endObject();
}

void writeRoles(JsonOut& j, const ElementPowerTable& t) {
  j.beginArray();
  for (Element e : t.roleElement) j.text(elementName(e));
  j.endArray();
}

void writeLuck(JsonOut& j, const LuckCycle& l) {
  j.beginObject();
  j.field("belowAges", l.belowAges);
  j.textField("direction", directionText(l.direction));
  j.field("festivalDays", l.festivalDays);
  j.field("monthStrengthDays", l.monthStrengthDays);
  j.field("onAges", l.onAges);
  j.textField("parity", parityText(l.parity));
  j.field("pillars", l.pillars);
  j.field("startMonthCode", l.startMonthCode);
  j.textField("startMonthName", startMonthName(l.startMonthCode));
  j.textField("startText", luckStartText({l.startYears, l.startMonthCode}));
  j.field("startYears", l.startYears);
  j.endObject();
}

void writeTransits(JsonOut& j, const AnnualTransits& t) {
  j.beginObject();
  j.field("ages", t.ages);
  j.field("chineseAge", t.chineseAge);
  j.field("currentColumn", t.currentColumn);
  j.field("firstAge", t.firstAge);
  j.field("offset", t.offset);
  j.field("pillars", t.pillars);
  j.field("transitAscendants", t.transitAscendants);
  j.field("years", t.years);
  j.endObject();
}

void writeCurrentPeriod(JsonOut& j, const CurrentPeriod& p, const ChartResult& r) {
  const CurrentPeriodTexts texts = currentPeriodTexts(p, {r.luck->startYears, r.luck->startMonthCode},
                                                      r.transits->chineseAge, r.currentYear.year);
  j.beginObject();
  j.textField("elementName", texts.elementName);
  j.key("half");
  if (p.half) {
    j.beginObject();
    j.textField("part", halfPartText(p.half->part));
    j.field("pillar", p.half->pillar);
    j.endObject();
  } else {
    j.null();
  }
  j.field("nextStartYear", p.nextStartYear);
  j.textField("periodText", texts.periodText);
  j.textField("startText", texts.startText);
  j.endObject();
}

// `ownTexts`: the birth has no name, so every owner text is the program's
// own and valid UTF-8 as it stands (a name, from the input, may not be).
void writeOwner(JsonOut& j, const OwnerTexts& o, bool ownTexts) {
  const StarPictures& s = o.stars;
  j.beginObject();
  const auto owner = [&]<std::size_t N>(const char (&k)[N], const std::string& v) {
    if (ownTexts) j.textField(k, v);
    else j.field(k, v);
  };
  owner("ageLine", o.ageLine);
  owner("birthText", o.birthText);
  owner("castDate", o.castDate);
  owner("castDateHint", o.castDateHint);
  j.field("englishDate", o.englishDate);  // ASCII or null
  owner("ownerLine", o.ownerLine);
  j.key("stars");
  j.beginObject();
  j.field("bc", s.bc);
  j.field("ng", s.ng);
  j.field("te1", s.te1);
  j.field("te2", s.te2);
  j.field("tg", s.tg);
  j.field("tgTop", s.tgTop);
  j.field("tu", s.tu);
  j.endObject();
  j.endObject();
}

// The normalised birth in the words and two-digit texts the input fields use.
void writeInput(JsonOut& j, const BirthInput& in) {
  j.beginObject();
  // Only the name comes from the input; the rest are the program's texts.
  j.textField("day", padded(in.date.day, 2));
  j.textField("gender", genderThaiWord(in.gender));
  j.textField("hour", padded(in.hour, 2));
  j.textField("minute", padded(in.minute, 2));
  j.textField("month", padded(in.date.month, 2));
  j.field("name", in.name);
  j.textField("toBeBorn", padded(in.pregnancyMonths, 2));
  j.textField("weekday", in.weekday ? weekdayThaiName(*in.weekday) : "");
  j.textField("year", padded(in.date.year, 4));
  j.endObject();
}

const char* boundaryKindName(BoundaryKind k) { return k == BoundaryKind::Festival ? "festival" : "hour"; }

void writeWarnings(JsonOut& j, const std::vector<BoundaryWarning>& warnings) {
  j.beginArray();
  for (const BoundaryWarning& w : warnings) {
    j.beginObject();
    j.textField("at", w.at);
    j.textField("kind", boundaryKindName(w.kind));
    j.field("minutes", w.minutes);
    j.key("other");
    j.beginObject();
    j.field("day", w.other.day);
    j.field("month", w.other.month);
    j.field("time", w.other.time);
    j.field("year", w.other.year);
    j.endObject();
    j.endObject();
  }
  j.endArray();
}

}  // namespace

void appendErrorJson(std::string& out, std::string_view reason,
                     const std::vector<std::string>& messages) {
  JsonOut j(out);
  j.beginObject();
  j.field("error", reason);
  if (!messages.empty()) j.field("messages", messages);
  j.key("warnings");  // every line has the key; nothing was cast, so nothing to warn about
  writeWarnings(j, {});
  j.endObject();
}

void appendCastJson(std::string& out, const CastOutcome& outcome,
                    const std::vector<std::string>& messages) {
  const bool cyclesUnknown = outcome.status == CastOutcome::Status::CyclesUnknown;
  if (outcome.status != CastOutcome::Status::Cast && !cyclesUnknown) {
    appendErrorJson(out, outcome.error, messages);
    return;
  }
  const ChartResult& r = outcome.result;
  const FourPillars& n = *r.natal;
  const DerivedPillars& d = *r.derived;
  JsonOut j(out);
  j.beginObject();
  if (r.analysis) j.textsField("analysisLines", r.analysis->lines);
  j.field("ascendant", d.ascendant);
  j.textField("birthLine", n.birthLineDate);
  j.field("birthYearCode", r.birthYearCode);
  if (r.patterns) j.textField("branchPolarity", polarityName(r.patterns->branchPolarity));
  j.field("childBranch", r.childBranch);
  j.field("childChanceShown", r.childChanceShown);
  j.field("conception", d.conception);
  j.textField("conceptionLabel", d.conceptionLabel);
  j.key("currentPeriod");
  if (r.currentPeriod) writeCurrentPeriod(j, *r.currentPeriod, r);
  else j.null();
  j.key("currentYear");
  // 0 0 when the year's pillar is unknown
  j.value(std::array{r.currentYear.year, r.currentYear.pillar.stem.number(), r.currentYear.pillar.branch.number()});
  j.field("day", n.day);
  j.textField("festivalKind", festivalKindName(d.festivalKind));
  j.textField("festivalStart", n.festivalStart ? clockText(*n.festivalStart) : std::string());
  if (r.patterns) j.textField("harmonyCaption", r.patterns->harmonyCaption);
  // A chart whose time cycles the calendar cannot give is sound in its natal
  // part; the reason says why the rest is missing.
  if (cyclesUnknown) j.field("incomplete", outcome.error);
  j.key("input");
  writeInput(j, r.input);
  j.key("luck");
  if (r.luck) writeLuck(j, *r.luck);
  else j.null();
  j.field("messages", messages);
  j.field("month", n.month);
  j.field("neighbour", d.neighbour);
  j.key("owner");  // owner and date texts
  if (r.owner) writeOwner(j, *r.owner, r.input.name.empty());
  else j.null();
  j.field("perfectAscendant", d.perfectAscendant);
  if (r.powers) {
    j.key("powers");
    writePowers(j, *r.powers);
  }
  if (r.analysis) j.textField("protectiveStars", r.analysis->protectiveStars);
  if (r.patterns) j.textField("ptCode", r.patterns->ptCode);
  if (r.powers) {
    j.key("roles");
    writeRoles(j, *r.powers);
    j.textField("season", r.powers->season);
  }
  if (r.patterns) j.field("specialChart", r.patterns->specialChart);
  if (r.powers) {
    j.textField("summaryHint", r.powers->summaryHint);
    j.textField("summaryLine", r.powers->summaryLine);
  }
  j.field("time", n.time);
  j.key("transits");
  if (r.transits) writeTransits(j, *r.transits);
  else j.null();
  j.key("warnings");
  writeWarnings(j, r.warnings);
  j.field("year", n.year);
  j.endObject();
}

}  // namespace vesprin
