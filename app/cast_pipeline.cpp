#include "app/cast_pipeline.h"

#include "core/text.h"
#include "interpret/child_sign.h"
#include "present/binding/bind_boundary.h"
#include "present/binding/bind_cycles.h"
#include "present/binding/bind_hidden_stems.h"
#include "present/binding/bind_interpretation.h"
#include "present/binding/bind_natal.h"
#include "present/binding/bind_owner.h"
#include "present/texts/birth_texts.h"

namespace vesprin {
namespace {

// A birth whose data file was given up shows its normalised values in the
// fields, as stage 2 left them; a cast shows what was entered again.
void showNormalised(Form& main, const BirthInput& in) {
  main["ComboBoxdd"].caption = padded(in.date.day, 2);
  main["ComboBoxmm"].caption = padded(in.date.month, 2);
  main["ComboBoxyy"].caption = padded(in.date.year, 4);
  main["ComboBoxth"].caption = padded(in.hour, 2);
}

NatalPillars natalPillars(const FourPillars& f) { return {f.year, f.month, f.day, f.time}; }

void showCurrentYear(Form& main, const CurrentYearPillar& c) {
  main["LabelCurrentYearGo"].caption = std::to_string(c.year);
  main["LabelZodiacOnYearNow"].caption = std::to_string(c.pillar.stem.number());
  main["LabelZodiacBelowYearNow"].caption = std::to_string(c.pillar.branch.number());
}

// Stages 12-14 computed: luck pillars, annual transits, then the current
// period with the long year table and the month strip of the birth record.
// The reason, when the calendar cannot give the
// festival distance or the Chinese age: a chart with a wrong start age or a
// wrong age must not be printed.
std::string computeTimeCycles(ChartResult& r, const CalendarFile& file,
                              const std::optional<MonthStripStart>& strip) {
  const FourPillars& n = *r.natal;
  r.luck = computeLuckCycle(n.year.stem, n.month, r.input.gender, file, n.birthLine,
                            n.festivalStart, n.comparisonTime);
  r.transits = computeAnnualTransits(n.year, r.input.date.year, r.currentYear.year,
                                     r.currentYear.pillar, r.derived->ascendant, r.luck->startYears);
  r.currentPeriod = findCurrentPeriod(r.luck->onAges, r.luck->belowAges,
                                      {r.luck->startYears, r.luck->startMonthCode},
                                      r.transits->chineseAge, r.currentYear.year, r.luck->pillars);
  r.longYearTable = computeLongYearTable(n.year, r.currentYear.year, r.transits->chineseAge);
  if (strip) r.monthStrip = monthStripFrom(*strip);
  if (!r.luck->monthStrengthKnown || !r.luck->festivalKnown)
    return "no large festival between the birth line and the end of calendar file " + file.path() +
           ": festival distance unknown";
  if (!r.transits->chineseAgeKnown)
    return r.currentYear.pillar.ok()
               ? "the birth lies more than 220 years before the current year " +
                     std::to_string(r.currentYear.year) + ": Chinese age unknown"
               : "no pillar for the current year " + std::to_string(r.currentYear.year) +
                     (r.currentYear.fileError.empty() ? "" : " (" + r.currentYear.fileError + ")") +
                     ": Chinese age unknown";
  return {};
}

}  // namespace

void showBirth(Form& main, const Birth& b) {
  main["EditName"].caption = limitNameLength(b.name);
  main["ComboBoxGender"].caption = std::string(genderThaiWord(b.gender));
  main["ComboBoxdd"].caption = padded(b.date.day, 2);
  main["ComboBoxmm"].caption = std::string(monthItemText(b.date.month));
  main["ComboBoxyy"].caption = padded(b.date.year, 4);
  main["ComboBoxth"].caption = padded(b.time.hour, 2);
  main["ComboBoxtm"].caption = padded(b.time.minute, 2);
  main["ComboBoxToBeBorn"].caption = padded(b.pregnancyMonths, 2);
}

ComputeOutcome ComputeChart(ChartResult& r, const CalendarFile& file,
                            const std::optional<MonthStripStart>& strip,
                            const BoundaryRule& boundaries) {
  // 4, 6, 7. Birth line, four pillars, derived pillars.
  FourPillarsResult four = FindFourPillars(file, r.input);
  if (!four.pillars) return {CastOutcome::Status::NoBirthLine, kNoCalendarLine};
  DerivedPillarsResult derived = FindDerivedPillars(file, *four.pillars, r.input.pregnancyMonths);
  if (!derived.pillars) return {CastOutcome::Status::NoBirthLine, kNoCalendarLine};
  r.natal = four.pillars;
  r.derived = derived.pillars;
  r.warnings = FindBoundaryWarnings(file, r.input, *r.natal, boundaries);

  // 8. Element strength, chart patterns, stars and the analysis text.
  const NatalPillars natal = natalPillars(*r.natal);
  r.powers = ComputeElementPowers(natal);
  r.patterns = FindChartPatterns(natal, *r.powers, r.input.gender);
  r.analysis = WriteAnalysis(natal, *r.patterns);
  // 10. Child sign.
  r.childBranch = FindChildSign(r.input.gender, r.natal->year.stem);
  // 11. Hidden-stem row.
  r.hiddenStems = ComputeHiddenStemRow(
      {r.natal->year.branch, r.natal->month.branch, r.natal->day.branch, r.natal->time.branch});
  // 17. The birth-year code needs only the natal chart and the year as entered.
  r.birthYearCode = birthYearCode(r.input.gender, r.input.entered.date.year, r.natal->year.branch);

  // 12-14. Time cycles.
  if (std::string why = computeTimeCycles(r, file, strip); !why.empty()) {
    // Nothing of the time cycles may travel further than this cast.
    r.luck.reset();
    r.transits.reset();
    r.currentPeriod.reset();
    r.longYearTable.reset();
    r.monthStrip.reset();
    return {CastOutcome::Status::CyclesUnknown, std::move(why)};
  }
  // The child-chance form waits for the Chinese age of the annual transits.
  r.childChanceShown = ChildChance(r.input.gender, r.transits->chineseAge);

  // 15. Owner and date texts, star pictures.
  const std::string yearAnimal = yearAnimalText(r.natal->year.branch);
  const std::string chineseAge = chineseAgeText(r.transits->chineseAge);
  r.owner = ComputeOwnerTexts({.input = r.input,
                               .yearAnimal = yearAnimal,
                               .chineseAge = chineseAge,
                               .referenceYear = r.currentYear.year,
                               .today = r.today,
                               .monthBranch = r.natal->month.branch,
                               .dayStem = r.natal->day.stem});
  return {CastOutcome::Status::Cast, {}};
}

void BindChart(Forms& forms, const ChartResult& r, std::string_view analysisNote) {
  bindGender(forms, r.input.gender);             // 5
  bindConception(forms, *r.derived);             // 7
  bindElementPowerTable(forms, *r.powers);       // 8
  bindChartPatterns(forms, *r.patterns, analysisNote);
  bindAnalysis(forms, *r.analysis);
  bindNatalPillars(forms, *r.natal, *r.derived);  // 9
  bindChildSign(forms, r.childBranch);           // 10
  bindHiddenStemRow(forms, *r.hiddenStems);      // 11
  // 12-14. Time cycles; the current period reads the luck pictures of the chart sheet.
  bindLuckCycle(forms, *r.luck);
  bindAnnualTransits(forms, *r.transits, r.natal->year.branch);
  bindChildChance(forms, *r.childChanceShown);
  bindLongYearTable(forms, *r.longYearTable);
  bindMonthStrip(forms, r.monthStrip);
  bindCurrentPeriod(forms, *r.currentPeriod, *r.luck, r.transits->chineseAge, r.currentYear.year);
  // 15. Set afresh on every cast: the birth-year code of stage 17 is appended
  // to the age line written here, once.
  ShowOwnerAndDates(forms, *r.owner);
  bindBoundaryWarnings(forms, r.warnings);
}

void BindClosing(Forms& forms, const ChartResult& r) {
  if (r.birthYearCode) bindBirthYearCode(forms, *r.birthYearCode);
  bindElementSummary(forms, *r.powers);
}

CastOutcome CastChart(CalendarSession& calendar, UserInterface& ui, const Birth& birth,
                      const std::optional<MonthStripStart>& strip, const BoundaryRule& boundaries) {
  CastOutcome out;
  ChartResult& r = out.result;

  // 2. Normalise the birth input.
  r.input = NormaliseBirth(birth);
  if (r.input.dayCorrected) ui.error(kInvalidBirthDate);

  // 3. The current year's pillar, then the data file of the birth year.
  r.today = calendar.clock().today();
  r.currentYear = calendar.currentYearPillar(r.input);
  const int birthYear = r.input.date.year;
  const std::string fileName = calendar.index().DataFileForYear(birthYear);
  const DataFileLoad load = calendar.EnsureDataFileLoaded(fileName, PromptButtons::YesNo);
  if (load.outcome == DataFileLoad::Outcome::GaveUp) {
    out.status = CastOutcome::Status::GaveUp;
    out.error = fileName.empty()
                    ? "no calendar data file covers BE year " + padded(r.input.date.year, 4)
                    : "calendar data file " + fileName + " not found";
    return out;
  }
  if (load.outcome == DataFileLoad::Outcome::Unusable) {
    out.status = CastOutcome::Status::Unusable;
    out.error = load.error;
    return out;
  }
  out.dataFile = load.path;

  // 4-14. Everything computed before anything is shown, so that a birth the
  // file cannot serve changes nothing on the forms.
  ui.busyCursor(true);
  const ComputeOutcome computed = ComputeChart(r, calendar.loaded(), strip, boundaries);
  ui.busyCursor(false);
  out.status = computed.status;
  out.error = computed.error;
  return out;
}

void BindCast(Forms& forms, const CastOutcome& out, std::string_view analysisNote) {
  const ChartResult& r = out.result;
  Form& main = forms.main;
  showCurrentYear(main, r.currentYear);
  if (out.dataFile.empty()) {
    // The birth year's file was given up or cannot be read: no chart, and the
    // fields keep their normalised values.
    showNormalised(main, r.input);
    return;
  }
  main["LabelCurrentDataCalendar"].caption = out.dataFile;
  if (out.status == CastOutcome::Status::Cast) {
    BindChart(forms, r, analysisNote);
    bindRuleStamp(forms, out.dataFile);
    // 15. The first cast that finds its birth line enables the print command.
    if (!main["ButtonPrintHoroscope"].enabled) {
      main["ButtonPrintHoroscope"].enabled = true;
      main["LabelAgeGo"].visible = true;
      main["LabelYearGo"].visible = true;
    }
  }
  // 16. The entered values shown again (hour 24 as the 00 entered).
  showBirth(main, r.input.entered);
  // 17. Birth-year code and element-group power summary; only a chart bound
  // in this cast is shown.
  if (out.status == CastOutcome::Status::Cast) BindClosing(forms, r);
}

CastOutcome CastPipeline::Cast(const Birth& birth, const std::optional<MonthStripStart>& strip) {
  // 1. The analysis text of the previous cast goes first, whatever follows.
  clearAnalysisText(forms_);
  CastOutcome out = CastChart(calendar_, ui_, birth, strip, boundaries_);
  BindCast(forms_, out, analysisNote_);
  return out;
}

}  // namespace vesprin
