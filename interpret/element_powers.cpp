#include "interpret/element_powers.h"

#include "core/text.h"

#include <cmath>
#include <cstdlib>

namespace vesprin {
namespace {

// Weight of an element by how many generating steps it lies after the season
// element S: S itself 5, what S generates 4, what S controls 1, what controls
// S 2, what generates S 3.
constexpr std::array<int, 5> kWeightBySteps = {5, 4, 1, 2, 3};

// Calendar season by month branch. These are not the element seasons of the
// weights: branch 2 is a Ground month but a cold one.
constexpr std::array<std::string_view, 12> kSeasonName = {
    "หนาว",   "หนาว", "ใบไม้ผลิ", "ใบไม้ผลิ", "ใบไม้ผลิ", "ร้อน",
    "ร้อน", "ร้อน", "ใบไม้ร่วง", "ใบไม้ร่วง", "ใบไม้ร่วง", "หนาว"};

constexpr std::string_view kCr = "\r";  // captions and tooltips break lines with a carriage return alone

}  // namespace

int SeasonWeight(Branch monthBranch, Element e) {
  const int season = elementIndex(BranchElement(monthBranch));
  const int steps = wrapInto(elementIndex(e) - season + 1, 5) - 1;
  return kWeightBySteps[static_cast<std::size_t>(steps)];
}

std::string_view SeasonName(Branch monthBranch) {
  return monthBranch.ok() ? kSeasonName[monthBranch.index()] : "";
}

std::string powerText(double power) { return std::to_string(std::llround(power)); }

std::string amountText(double amount) {
  const long long tenths = std::llround(amount * 10.0);  // llround: halves away from zero
  const long long whole = std::llabs(tenths) / 10;
  const long long decimal = std::llabs(tenths) % 10;
  std::string text = tenths < 0 ? "-" : "";
  if (whole != 0) text += std::to_string(whole);
  if (decimal != 0) text += "." + std::to_string(decimal);
  return tenths == 0 ? "0" : text;
}

ElementPowerTable ComputeElementPowers(const NatalPillars& pillars) {
  ElementPowerTable t;
  // A sign outside its range (a "none" pillar) has no element and counts nowhere.
  const auto countSign = [&](Element e) {
    if (e != Element::None) t.count[elementIndex(e)] += 1;
  };
  for (const Pillar& p : pillars.inOrder()) {
    countSign(StemElement(p.stem));
    countSign(BranchElement(p.branch));
  }
  const Branch mb = pillars.month.branch;
  for (Element e : kElements) {
    const int i = elementIndex(e);
    t.weight[i] = SeasonWeight(mb, e);
    t.power[i] = t.count[i] * t.weight[i];
  }

  for (const ThreeHarmony& trio : kThreeHarmonies) {
    if (!trio.completeIn(pillars)) continue;
    const int into = elementIndex(trio.element);
    for (Branch m : trio.others) {
      const int from = elementIndex(BranchElement(m));
      // The month branch always moves with 5 on both sides; a member in another
      // pillar moves one weighted sign. Each member moves once, however often it stands.
      if (m == mb) {
        t.power[from] -= 5;
        t.power[into] += 5;
      } else if (pillars.holdsBranch(m)) {
        t.power[from] -= t.weight[from];
        t.power[into] += t.weight[into];
      }
    }
    break;  // four branches can complete at most one trio
  }

  const Element dayMaster = StemElement(pillars.day.stem);
  for (int k = 0; k < 5; ++k) t.roleElement[k] = elementStep(dayMaster, k);
  t.season = std::string(SeasonName(mb));

  using R = ElementRole;
  const auto name = [&](R r) { return elementThaiName(t.elementOf(r)); };
  const auto power = [&](R r) { return t.powerOf(t.elementOf(r)); };
  const std::string support = powerText(power(R::Support));
  const std::string master = powerText(power(R::DayMaster));
  const std::string drain = powerText(power(R::Drain));
  const std::string wealth = powerText(power(R::Wealth));
  const std::string officer = powerText(power(R::Officer));
  const std::string masterGroup = powerText(power(R::Support) + power(R::DayMaster));
  const std::string retinue = powerText(power(R::Drain) + power(R::Wealth) + power(R::Officer));

  // The tooltip names the support element before the day master; the print
  // caption the other way round.
  t.summaryHint = concat({"กลุ่มดิถี", kCr,
                          "  ส่งเสริม ธาตุ", name(R::Support), "  กำลัง ", support, kCr,
                          "  ดิถี ธาตุ", name(R::DayMaster), "  กำลัง ", master, kCr,
                          "  รวมกำลัง: ", masterGroup, kCr,
                          "กลุ่มบริวาร", kCr,
                          "  ถ่ายเท ธาตุ", name(R::Drain), "  กำลัง ", drain, kCr,
                          "  ลาภ ธาตุ", name(R::Wealth), "  กำลัง ", wealth, kCr,
                          "  ขุนนาง ธาตุ", name(R::Officer), "  กำลัง ", officer, kCr,
                          "  รวมกำลัง: ", retinue});
  t.summaryLine = concat({"กลุ่มดิถี ธาตุ", name(R::DayMaster), " กำลัง ", master,
                          " ธาตุ", name(R::Support), " กำลัง ", support,
                          " (รวมกำลัง ", masterGroup, ")", kCr,
                          "กลุ่มบริวาร ธาตุ", name(R::Drain), " กำลัง ", drain,
                          " ธาตุ", name(R::Wealth), " กำลัง ", wealth,
                          " ธาตุ", name(R::Officer), " กำลัง ", officer,
                          " (รวมกำลัง ", retinue, ")"});
  return t;
}

}  // namespace vesprin
