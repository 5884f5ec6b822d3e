#include "core/calendar_day.h"

#include <bit>
#include <cstring>

#include "core/text.h"

namespace vesprin {
namespace {

// Reads a two-digit decimal at 1-based column c; -1 when not two digits.
int twoDigits(std::string_view line, std::size_t c) {
  const char a = line[c - 1], b = line[c];
  if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
  return (a - '0') * 10 + (b - '0');
}

bool isDateText(std::string_view t) {
  for (std::size_t i = 0; i < 10; ++i) {
    const bool blank = i == 4 || i == 7;
    if (blank ? t[i] != ' ' : (t[i] < '0' || t[i] > '9')) return false;
  }
  return true;
}

}  // namespace

CalendarDayParse parseCalendarDay(std::string_view line) {
  CalendarDayParse r;
  if (line.size() < 28) {
    r.error = "a day line of at least 28 characters";
    return r;
  }
  if (!isDateText(line.substr(0, 10))) {
    r.error = "a date \"YYYY MM DD\" in columns 1-10";
    return r;
  }
  struct Field {
    std::size_t column;
    int max;
    const char* what;
  };
  static constexpr Field kFields[] = {
      {12, 10, "year stem 01-10 in columns 12-13"},   {14, 12, "year branch 01-12 in columns 14-15"},
      {17, 10, "month stem 01-10 in columns 17-18"},  {19, 12, "month branch 01-12 in columns 19-20"},
      {22, 10, "day stem 01-10 in columns 22-23"},    {24, 12, "day branch 01-12 in columns 24-25"},
  };
  int v[6];
  for (int i = 0; i < 6; ++i) {
    v[i] = twoDigits(line, kFields[i].column);
    if (v[i] < 1 || v[i] > kFields[i].max) {
      r.error = kFields[i].what;
      return r;
    }
  }
  const int hour = twoDigits(line, 27);
  if (hour < 0 || hour > 24) {
    r.error = "a festival hour 00-24 in columns 27-28";
    return r;
  }
  r.dateText = std::string(line.substr(0, 10));
  r.day.year = {v[0], v[1]};
  r.day.month = {v[2], v[3]};
  r.day.day = {v[4], v[5]};
  for (const Pillar& p : {r.day.year, r.day.month, r.day.day}) {
    if (!p.ok()) {
      r.error = "stem and branch of equal parity in every pillar";
      return r;
    }
  }
  r.day.festivalHour = hour;
  // Blanks and carriage returns after the mark do not change it: a data set
  // copied with other line ends keeps every festival.
  const std::string_view mark = trimTrailingBlanks(line);
  if (mark.size() >= 34 && mark.substr(32, 2) == "**")
    r.day.mark = FestivalMark::Large;
  else if (mark.size() == 33 && mark[32] == '*')
    r.day.mark = FestivalMark::Small;
  if (r.day.mark == FestivalMark::Large) {
    const int minute = twoDigits(line, 30);
    if (line[28] != ':' || minute < 0 || minute > 59) {
      r.error = "a festival time HH:MM with minute 00-59 in columns 27-31 on a large-festival day";
      return r;
    }
    r.day.festivalMinute = minute;
  }
  r.ok = true;
  return r;
}

bool parseWellFormedDay(std::string_view line, WellFormedDay& out) {
  // "YYYY MM DD SSBB SSBB SSBB HH:MM": blanks at 4, 7, 10, 15, 20, 25, the
  // colon at 28, digits everywhere else up to column 31. The 31 bytes are
  // checked eight at a time: a separator must be itself, a digit must have
  // the high half 3 and a low half that does not carry past 9 when 6 is added.
  static constexpr std::size_t kWidth = 31;
  // The words are read little-endian; elsewhere every line takes the full parse.
  if constexpr (std::endian::native != std::endian::little) return false;
  if (line.size() < kWidth) return false;
  static constexpr std::string_view kLayout = "9999 99 99 9999 9999 9999 99:99";
  struct Words {
    std::uint64_t separators[4]{}, isSeparator[4]{}, isDigit[4]{};
  };
  static constexpr Words kWords = [] {
    Words m;
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
      const int shift = static_cast<int>(8 * (i % 8));
      if (kLayout[i] == '9') {
        m.isDigit[i / 8] |= std::uint64_t{0xFF} << shift;
      } else {
        m.isSeparator[i / 8] |= std::uint64_t{0xFF} << shift;
        m.separators[i / 8] |= std::uint64_t(static_cast<unsigned char>(kLayout[i])) << shift;
      }
    }
    return m;
  }();
  static_assert(kLayout.size() == kWidth);
  unsigned char b[32] = {};
  std::memcpy(b, line.data(), kWidth);
  bool wellFormed = true;
#pragma GCC unroll 4
  for (std::size_t w = 0; w < 4; ++w) {
    std::uint64_t text;
    std::memcpy(&text, b + 8 * w, 8);
    const std::uint64_t isDigit = kWords.isDigit[w];
    wellFormed &= ((text ^ kWords.separators[w]) & kWords.isSeparator[w]) == 0;
    wellFormed &= (((text & 0xF0F0F0F0F0F0F0F0ULL) ^ 0x3030303030303030ULL) & isDigit) == 0;
    wellFormed &= (((text & 0x0F0F0F0F0F0F0F0FULL) + 0x0606060606060606ULL) & 0x1010101010101010ULL &
                   isDigit) == 0;
  }
  if (!wellFormed) return false;
  const std::string_view tail = line.substr(kWidth);
  FestivalMark mark;
  if (tail.empty()) mark = FestivalMark::None;
  else if (tail == " *") mark = FestivalMark::Small;
  else if (tail == " **") mark = FestivalMark::Large;
  else return false;
  const auto two = [&](std::size_t i) { return (b[i] - '0') * 10 + (b[i + 1] - '0'); };
  CalendarDay& d = out.day;
  d.year = {two(11), two(13)};
  d.month = {two(16), two(18)};
  d.day = {two(21), two(23)};
  d.festivalHour = two(26);
  d.festivalMinute = mark == FestivalMark::Large ? two(29) : 0;
  d.mark = mark;
  if (!d.year.ok() || !d.month.ok() || !d.day.ok() || d.festivalHour > 24 || d.festivalMinute > 59)
    return false;
  out.year = two(0) * 100 + two(2);
  out.month = two(5);
  out.dayOfMonth = two(8);
  return true;
}

}  // namespace vesprin
