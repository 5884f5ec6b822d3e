#include "present/binding/bind_cycles.h"

#include <string>

#include "core/civil_date.h"
#include "core/text.h"
#include "present/binding/owner_texts.h"
#include "present/pictures/pictures.h"
#include "present/texts/cycle_texts.h"

namespace vesprin {
namespace {

constexpr int kScreenLuckPillars = 9;  // the main window has room for nine

void setPlain(Component& c) {
  c.fontColour = colours::kWindowText;
  c.bold = false;
}

void setMarked(Component& c) {
  c.fontColour = colours::kRed;
  c.bold = true;
}

// The tenth age labels of the main window are spelled with a small l.
std::string screenAgeName(HalfPart part, int k) {
  if (k == kLuckPillarCount) return part == HalfPart::On ? "labelAgeOn10" : "labelAgeBelow10";
  return numbered(part == HalfPart::On ? "LabelAgeOn" : "LabelAgeBelow", k);
}

std::string frameName(HalfPart part, int k) {
  return numbered(part == HalfPart::On ? "QRShapeAgeOnGo" : "QRShapeAgeBelowGo", k);
}

}  // namespace

void bindLuckCycle(Forms& forms, const LuckCycle& luck) {
  Form& main = forms.main;
  Form& sheet = forms.chartSheet;
  if (luck.direction != LuckDirection::Undetermined) {
    for (int k = 1; k <= kLuckPillarCount; ++k) {
      const Pillar& p = luck.pillars[static_cast<std::size_t>(k - 1)];
      if (k <= kScreenLuckPillars) {
        Component& on = main[numbered("ImageChineseOn", k)];
        on.picture = StemPicture(p.stem);
        on.hint = PrintElementName(elementName(StemElement(p.stem)));
        Component& below = main[numbered("ImageChineseBelow", k)];
        below.picture = BranchPicture(p.branch);
        below.hint = PrintElementName(elementName(BranchElement(p.branch)));
        main[numbered("ImageZodiacOn", k)].picture = SignNumberPicture(p.stem);
        main[numbered("ImageZodiacBelow", k)].picture = SignNumberPicture(p.branch);
      }
      sheet[numbered("QRImageChineseOn", k)].picture = StemPicture(p.stem);
      sheet[numbered("QRImageChineseBelow", k)].picture = BranchPicture(p.branch);
      sheet[numbered("QRImageZodiacOn", k)].picture = SignNumberPicture(p.stem);
      sheet[numbered("QRImageZodiacBelow", k)].picture = SignNumberPicture(p.branch);
    }
  }

  const std::string strength = "[ " + std::to_string(luck.monthStrengthDays) + " D ]";
  main["LabelFarBetweenFestival"].caption = strength;
  main["LabelFarBetweenFestival"].hint = "กำลังของเดือน";
  sheet["QRLabelFarBetweenFestival"].caption = strength;
  main["LabelFarFestival"].caption = std::to_string(luck.festivalDays);
  main["LabelFarFestival"].hint = "จำนวนวันห่างสารท";
  sheet["QRLabelFarFestival"].caption = std::to_string(luck.festivalDays);
  // Hidden until the first cast, shown from then on.
  for (const char* decoration :
       {"BevelLine", "BevelLine1", "BevelLine2", "ShapeBox", "ShapeDot", "ShapeFarFestival"})
    main[decoration].visible = true;

  // The first pillar begins at the start age with its month ("2.05"), the
  // others at whole years.
  main["LabelAgeOn1"].hint = "Age (Year.Month)";
  for (int k = 1; k <= kLuckPillarCount; ++k) {
    const auto i = static_cast<std::size_t>(k - 1);
    const std::string on =
        k == 1 ? luckStartText({luck.startYears, luck.startMonthCode}) : std::to_string(luck.onAges[i]);
    const std::string below = std::to_string(luck.belowAges[i]);
    main[screenAgeName(HalfPart::On, k)].caption = on;
    main[screenAgeName(HalfPart::Below, k)].caption = below;
    sheet[numbered("QRLabelAgeOn", k)].caption = on;
    sheet[numbered("QRLabelAgeBelow", k)].caption = below;
  }

  // The analysis page takes the month name alone, the screen and the chart
  // sheet the bracketed form.
  const std::string_view month = startMonthName(luck.startMonthCode);
  forms.analysisPage["QRLabelmonthdecimal"].caption = std::string(month);
  const std::string bracketed = concat({"( เริ่ม ", month, " )"});
  main["labelmonthdecimal"].caption = bracketed;
  sheet["QRlabelmonthdecimal"].caption = bracketed;
}

void bindAnnualTransits(Forms& forms, const AnnualTransits& t, Branch birthYearBranch) {
  Form& main = forms.main;
  Form& sheet = forms.chartSheet;
  main["LabelYears"].caption = yearAnimalText(birthYearBranch);
  main["LabelAge"].caption = std::to_string(t.chineseAge);
  main["LabelNameAge"].visible = true;

  // Only columns 6..10 are ever marked; the previous cast's mark goes first.
  for (int j = 6; j <= 10; ++j) {
    if (main[numbered("LabelYearGo", j)].bold) {
      setPlain(main[numbered("LabelYearGo", j)]);
      setPlain(main[numbered("LabelAge", j)]);
    }
  }

  for (int j = 1; j <= kTransitColumns; ++j) {
    const auto i = static_cast<std::size_t>(j - 1);
    const Pillar& p = t.pillars[i];
    const Pillar& a = t.transitAscendants[i];
    main[numbered("LabelYearGo", j)].caption = std::to_string(t.years[i]);
    main[numbered("ImageChineseOnyyGo", j)].picture = StemPicture(p.stem);
    main[numbered("ImageChineseBelowyyGo", j)].picture = BranchPicture(p.branch);
    // A column before age 1 shows its year and pillars but no age.
    const std::string age = t.ages[i] >= 1 ? std::to_string(t.ages[i]) : "";
    main[numbered("LabelAge", j)].caption = age;
    sheet[numbered("QRLabelYearGo", j)].caption = std::to_string(t.years[i]);
    sheet[numbered("QRLabelYearKSGo", j)].caption = std::to_string(t.years[i] - kBuddhistEraOffset);
    sheet[numbered("QRImageChineseOnyyGo", j)].picture = StemPicture(p.stem);
    sheet[numbered("QRImageChineseBelowyyGo", j)].picture = BranchPicture(p.branch);
    sheet[numbered("QRImageLakKaNaJornOn", j)].picture = StemPicture(a.stem);
    sheet[numbered("QRImageLakKaNaJornBelow", j)].picture = BranchPicture(a.branch);
    sheet[numbered("QRLabelAge", j)].caption = age;
  }

  if (t.currentColumn) {
    setMarked(main[numbered("LabelYearGo", *t.currentColumn)]);
    setMarked(main[numbered("LabelAge", *t.currentColumn)]);
  }
  // QRShapeyy i frames column i + 5; the analysis page shows the current year
  // and the two after it, and keeps what it held when no column 6..10 is current.
  for (int i = 1; i <= 5; ++i) {
    Component& frame = sheet[numbered("QRShapeyy", i)];
    frame.enabled = t.currentColumn == i + 5;
    if (!frame.enabled) continue;
    for (int n = 1; n <= 3; ++n) {
      const auto c = static_cast<std::size_t>(i + 5 + n - 2);  // column i + 5 + n - 1, from 0
      const Pillar& p = t.pillars[c];
      const Pillar& a = t.transitAscendants[c];
      Form& page = forms.analysisPage;
      page[numbered("QRImageyearon", n)].picture = StemPicture(p.stem);
      page[numbered("QRImageyearbelow", n)].picture = BranchPicture(p.branch);
      page[numbered("QRImageyearonJorn", n)].picture = StemPicture(a.stem);
      page[numbered("QRImageyearbelowJorn", n)].picture = BranchPicture(a.branch);
    }
  }
}

void bindCurrentPeriod(Forms& forms, const CurrentPeriod& period, const LuckCycle& luck, int chineseAge,
                       int currentYearBE) {
  Form& main = forms.main;
  Form& sheet = forms.chartSheet;
  Form& page = forms.analysisPage;
  // Take away the previous cast's frame and its screen mark.
  for (HalfPart part : {HalfPart::On, HalfPart::Below}) {
    for (int k = 1; k <= kLuckPillarCount; ++k) {
      Component& frame = sheet[frameName(part, k)];
      if (!frame.enabled) continue;
      frame.enabled = false;
      if (k <= kScreenLuckPillars) setPlain(main[screenAgeName(part, k)]);
    }
  }

  if (period.half) {
    const auto [k, part] = *period.half;
    sheet[frameName(part, k)].enabled = true;
    // The tenth pillar has no screen mark and leaves the analysis page's line as it was.
    if (k <= kScreenLuckPillars) {
      const Pillar& ruling = luck.pillars[static_cast<std::size_t>(k - 1)];
      const CurrentPeriodTexts texts =
          currentPeriodTexts(period, {luck.startYears, luck.startMonthCode}, chineseAge, currentYearBE);
      setMarked(main[screenAgeName(part, k)]);
      page["QRImageveijorn"].picture = part == HalfPart::On ? StemPicture(ruling.stem) : BranchPicture(ruling.branch);
      page["QRLabelelementveijorn"].caption = texts.elementName;
      page["QRLabel_r_u_jorn"].caption = texts.periodText;
      page["QRLabelEndYearJorn"].caption =
          period.nextStartYear ? std::to_string(*period.nextStartYear) : "";
    }
  } else if (period.beforeFirstPillar) {
    page["QRImageveijorn"].picture = "OS0.BMP";
    page["QRLabelelementveijorn"].caption.clear();
    page["QRLabel_r_u_jorn"].caption.clear();
    page["QRLabelEndYearJorn"].caption.clear();
  }

  main["LabelAge"].caption = chineseAgeText(chineseAge);
}

void bindLongYearTable(Forms& forms, const LongYearTable& table) {
  Form& sheet = forms.chartSheet;
  for (int c = 1; c <= 10; ++c)
    sheet[numbered("QRImageChineseOnyy", c)].picture = StemPicture(table.stems[static_cast<std::size_t>(c - 1)]);
  for (int k = 1; k <= 60; ++k)
    sheet[numbered("QRImageChineseBelowyy", k)].picture =
        BranchPicture(table.branches[static_cast<std::size_t>(k - 1)]);
  for (int r = 1; r <= 12; ++r) {
    const auto i = static_cast<std::size_t>(r - 1);
    sheet[numbered("QRLabelShowPS", r)].caption = std::to_string(table.beYears[i]);
    sheet[numbered("QRLabelShowKS", r)].caption = std::to_string(table.ceYears[i]);
  }
}

void bindMonthStrip(Forms& forms, const std::optional<MonthStrip>& strip) {
  if (!strip) return;
  Form& sheet = forms.chartSheet;
  // December stands at the left (QRImage1, QRImage13), January at the right.
  for (int m = 1; m <= 12; ++m) {
    const auto i = static_cast<std::size_t>(m - 1);
    sheet[numbered("QRImage", 13 - m)].picture = StemPicture(strip->stems[i]);
    sheet[numbered("QRImage", 25 - m)].picture = BranchPicture(strip->branches[i]);
  }
  sheet["QRLabel6"].caption = strip->beYearText;
  sheet["QRLabel20"].caption = strip->ceYearText;
}

}  // namespace vesprin
