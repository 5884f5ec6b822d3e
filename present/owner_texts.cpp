#include "present/owner_texts.h"

#include <array>

#include "core/text.h"
#include "interpret/stars.h"
#include "present/layouts.h"
#include "present/pictures.h"
#include "present/sign_names.h"

namespace vesprin {
namespace {

// The range of each hour 00..23. Hour 00 and hour 23 have their own hour;
// every other range is two hours long and starts at an odd hour, so an even
// hour lies in the range that starts the hour before it.
constexpr std::array<std::string_view, 24> kTimeRanges = {
    "00.00-00.59 น.", "01.00-02.59 น.", "01.00-02.59 น.", "03.00-04.59 น.", "03.00-04.59 น.",
    "05.00-06.59 น.", "05.00-06.59 น.", "07.00-08.59 น.", "07.00-08.59 น.", "09.00-10.59 น.",
    "09.00-10.59 น.", "11.00-12.59 น.", "11.00-12.59 น.", "13.00-14.59 น.", "13.00-14.59 น.",
    "15.00-16.59 น.", "15.00-16.59 น.", "17.00-18.59 น.", "17.00-18.59 น.", "19.00-20.59 น.",
    "19.00-20.59 น.", "21.00-22.59 น.", "21.00-22.59 น.", "23.00-23.59 น."};

constexpr std::array<std::string_view, 12> kEnglishMonths = {"Jan ", "Feb ", "Mar ", "Apr ",
                                                             "May ", "Jun ", "Jul ", "Aug ",
                                                             "Sep ", "Oct ", "Nov ", "Dec "};
constexpr std::array<std::string_view, 12> kLongMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kLongWeekdays = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// The room left on the owner line to write a name by hand.
constexpr std::string_view kNoName = "ชื่อ                                   ";

bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// "01".."12" as 1..12; 0 for any other text.
int monthOf(std::string_view month) {
  const int m = month.size() == 2 ? toInt(month) : 0;
  return m >= 1 && m <= 12 ? m : 0;
}

// The platform's date may count its years in the Buddhist Era, as a Thai
// system calendar does (the same test as for the reference year); the long
// date names its weekday and month in English and so counts in the Christian Era.
std::string longDate(CivilDate d) {
  if (d.year >= 2400) d.year -= kBuddhistEraOffset;
  if (!isValid(d)) return {};
  const auto weekday = static_cast<std::size_t>(weekdayOf(d));
  return concat({kLongWeekdays[weekday], ", ", kLongMonths[static_cast<std::size_t>(d.month - 1)], " ",
                 std::to_string(d.day), ", ", std::to_string(d.year)});
}

}  // namespace

std::string_view timeRangeText(std::string_view hour) {
  if (hour.size() != 2) return {};
  const int h = toInt(hour);
  if (h < 0 || h > 23 || (h == 0 && hour != "00")) return {};
  return kTimeRanges[static_cast<std::size_t>(h)];
}

std::string chineseAgeText(int chineseAge) {
  return concat({"อายุจีน ", chineseAge >= 1 ? std::to_string(chineseAge) : "-", " ปี"});
}

std::string yearAnimalText(Branch yearBranch) { return concat({"ปี", branchThaiName(yearBranch)}); }

StarPictures FindStarPictures(Branch monthBranch, Stem dayStem) {
  StarPictures s;
  const StarSigns stars = FindStarSigns(monthBranch, dayStem);
  if (monthBranch.ok()) {
    s.tg = stars.tianDe.upper ? CapitalPicture(stars.tianDe.stem) : CapitalPicture(stars.tianDe.branch);
    s.tgTop = stars.tianDe.upper ? sheet::kStarUpperRowTop : sheet::kStarLowerRowTop;
    s.ng = CapitalPicture(stars.yueDe);
    s.tu = CapitalPicture(stars.tianYiUi);
  }
  if (dayStem.ok()) {
    s.te1 = CapitalPicture(stars.tianYi[0]);
    s.te2 = CapitalPicture(stars.tianYi[1]);
    s.bc = CapitalPicture(stars.wenChang);
  }
  return s;
}

OwnerTexts ComputeOwnerTexts(const OwnerInputs& in) {
  OwnerTexts out;
  const BirthInput& b = in.input;
  const std::string month = monthNumberText(b.enteredMonth);

  // 1. The birth text shows the date and hour as entered.
  out.birthText = concat({"เกิดวัน", b.weekday, "ที่ ", b.enteredDay, "/", month, "/", b.enteredYear,
                          " เวลา ", timeRangeText(b.enteredHour), " เพศ", b.gender});

  // 2. A birth in hour 00 belongs to the day before; only the English date
  // (step 6) reads the date from here on.
  std::string day = b.enteredDay;
  int monthNumber = monthOf(month);
  int yearBE = toInt(b.enteredYear);
  if (b.enteredHour == "00" && monthNumber != 0) {
    const CivilDate before = previousDay({yearBE - kBuddhistEraOffset, monthNumber, toInt(day)});
    day = padded(before.day, 2);
    monthNumber = before.month;
    yearBE = before.year + kBuddhistEraOffset;
  }

  // 3. Owner line: an empty name leaves room to write it by hand.
  const std::string_view name = trimmed(b.name);
  out.ownerLine = name.empty() ? concat({kNoName, out.birthText, " ", in.yearAnimal})
                               : concat({"ชื่อ ", name, " ", out.birthText, " ", in.yearAnimal});
  out.ownerLineTail = out.birthText.size() + 1 + in.yearAnimal.size() + (name.empty() ? 0 : 1);

  // 4. Age line.
  const std::string reference = std::to_string(in.referenceYear);
  out.ageLine = concat({"พ.ศ. ", reference, "  ", in.chineseAge});

  // 5. Cast date, with today's day and month and the reference year.
  out.castDay = concat({padded(in.today.day, 2), "/", padded(in.today.month, 2), "/", reference});
  out.castDate = "ผูกดวงวันที่ " + out.castDay;
  out.castDateHint = longDate(in.today);

  // 6. English date of birth.
  if (monthNumber != 0)
    out.englishDate = concat({kEnglishMonths[static_cast<std::size_t>(monthNumber - 1)], day, ", ",
                              std::to_string(yearBE - kBuddhistEraOffset)});

  // 7. Star pictures.
  out.stars = FindStarPictures(in.monthBranch, in.dayStem);
  return out;
}

}  // namespace vesprin
