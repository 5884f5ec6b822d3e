#include "present/texts/birth_texts.h"

#include <array>

#include "core/text.h"

namespace vesprin {
namespace {

constexpr std::array<std::string_view, 12> kMonthItems = {
    "01 = มกราคม",  "02 = กุมภาพันธ์", "03 = มีนาคม",   "04 = เมษายน",
    "05 = พฤษภาคม", "06 = มิถุนายน",  "07 = กรกฎาคม",  "08 = สิงหาคม",
    "09 = กันยายน", "10 = ตุลาคม",    "11 = พฤศจิกายน", "12 = ธันวาคม"};

constexpr std::array<std::string_view, 7> kWeekdays = {"อาทิตย์", "จันทร์", "อังคาร", "พุธ",
                                                       "พฤหัส",  "ศุกร์",  "เสาร์"};

}  // namespace

std::string_view monthItemText(int month) {
  return month >= 1 && month <= 12 ? kMonthItems[static_cast<std::size_t>(month - 1)] : "";
}

std::string_view monthThaiName(int month) {
  const std::string_view item = monthItemText(month);
  return item.empty() ? item : item.substr(item.find("= ") + 2);
}

std::string_view weekdayThaiName(int weekday) {
  return weekday >= 0 && weekday < 7 ? kWeekdays[static_cast<std::size_t>(weekday)] : "";
}

std::string_view genderThaiWord(Gender gender) { return gender == Gender::Male ? "ชาย" : "หญิง"; }

std::string clockText(ClockTime time) { return padded(time.hour, 2) + ":" + padded(time.minute, 2); }

}  // namespace vesprin
