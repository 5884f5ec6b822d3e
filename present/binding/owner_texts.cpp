#include "present/binding/owner_texts.h"

#include <array>

#include "core/text.h"
#include "interpret/stars.h"
#include "present/model/layouts.h"
#include "present/pictures/pictures.h"
#include "present/texts/birth_texts.h"
#include "present/texts/sign_names.h"

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

// The platform's date may count its years in the Buddhist Era, as a Thai
// system calendar does (the same test as for the reference year); the long
// date names its weekday and month in English and so counts in the Christian Era.
std::string longDate(CivilDate d) {
  d.year = buddhistEraYear(d.year) - kBuddhistEraOffset;
  if (!isValid(d)) return {};
  const auto weekday = static_cast<std::size_t>(weekdayOf(d));
  return concat({kLongWeekdays[weekday], ", ", kLongMonths[static_cast<std::size_t>(d.month - 1)], " ",
                 std::to_string(d.day), ", ", std::to_string(d.year)});
}

}  // namespace

std::string_view timeRangeText(int hour) {
  if (hour < 0 || hour > 23) return {};
  return kTimeRanges[static_cast<std::size_t>(hour)];
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
  const BirthDate& entered = b.entered.date;

  // 1. The birth text shows the date and hour as entered.
  out.birthText = concat({"เกิดวัน", b.weekday ? weekdayThaiName(*b.weekday) : "", "ที่ ",
                          padded(entered.day, 2), "/", padded(entered.month, 2), "/",
                          padded(entered.year, 4), " เวลา ", timeRangeText(b.entered.time.hour),
                          " เพศ", genderThaiWord(b.gender)});

  // 2. Owner line: an empty name leaves room to write it by hand.
  const std::string_view name = trimmed(b.name);
  out.ownerLine = name.empty() ? concat({kNoName, out.birthText, " ", in.yearAnimal})
                               : concat({"ชื่อ ", name, " ", out.birthText, " ", in.yearAnimal});
  out.ownerLineTail = out.birthText.size() + 1 + in.yearAnimal.size() + (name.empty() ? 0 : 1);

  // 3. Age line.
  const std::string reference = std::to_string(in.referenceYear);
  out.ageLine = concat({"พ.ศ. ", reference, "  ", in.chineseAge});

  // 4. Cast date, with today's day and month and the reference year.
  out.castDay = concat({padded(in.today.day, 2), "/", padded(in.today.month, 2), "/", reference});
  out.castDate = "ผูกดวงวันที่ " + out.castDay;
  out.castDateHint = longDate(in.today);

  // 5. English date of birth: the normalised date, so a birth in hour 00
  // belongs to the day before.
  if (b.date.month >= 1 && b.date.month <= 12)
    out.englishDate = concat({kEnglishMonths[static_cast<std::size_t>(b.date.month - 1)], padded(b.date.day, 2),
                              ", ", std::to_string(b.date.civil().year)});

  // 6. Star pictures.
  out.stars = FindStarPictures(in.monthBranch, in.dayStem);
  return out;
}

}  // namespace vesprin
