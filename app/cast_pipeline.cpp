#include "app/cast_pipeline.h"

#include "interpret/child_sign.h"
#include "core/text.h"
#include "present/bind_boundary.h"
#include "present/bind_cycles.h"
#include "present/bind_hidden_stems.h"
#include "present/bind_interpretation.h"
#include "present/bind_natal.h"
#include "present/bind_owner.h"

namespace vesprin {
namespace {

// Stage 2 writes the normalised values into the fields for the duration of
// the cast; the last stage shows the entered ones again.
void showNormalised(Form& main, const BirthInput& in) {
  main["ComboBoxdd"].caption = in.day;
  main["ComboBoxmm"].caption = in.month;
  main["ComboBoxyy"].caption = in.year;
  main["ComboBoxth"].caption = in.hour;
}

void restoreEntered(Form& main, const BirthInput& in) {
  main["ComboBoxdd"].caption = in.enteredDay;
  main["ComboBoxmm"].caption = in.enteredMonth;
  main["ComboBoxyy"].caption = in.enteredYear;
  main["ComboBoxth"].caption = in.enteredHour;  // hour "24" shows as the "00" entered
}

NatalPillars natalPillars(const FourPillars& f) { return {f.year, f.month, f.day, f.time}; }

void showCurrentYear(Form& main, const CurrentYearPillar& c) {
  main["LabelCurrentYearGo"].caption = std::to_string(c.year);
  main["LabelZodiacOnYearNow"].caption = std::to_string(c.pillar.stem.number());
  main["LabelZodiacBelowYearNow"].caption = std::to_string(c.pillar.branch.number());
}

// Stages 12-14 computed: luck pillars, annual transits, then the current
// period with the long year table and the month strip of the birth record
// held in MemoVesprinPrint. The reason, when the calendar cannot give the
// festival distance or the Chinese age: a chart with a wrong start age or a
// wrong age must not be printed.
std::string computeTimeCycles(ChartResult& r, const CalendarFile& file,
                              const std::vector<std::string>& birthRecord) {
  const FourPillars& n = *r.natal;
  r.luck = computeLuckCycle(n.year.stem, n.month, r.input.gender, file, n.birthLine,
                            n.festivalStart, n.comparisonTime);
  r.transits = computeAnnualTransits(n.year, toInt(r.input.year), r.currentYear.year,
                                     r.currentYear.pillar, r.derived->ascendant, r.luck->startYears);
  r.currentPeriod = findCurrentPeriod(r.luck->onAges, r.luck->belowAges, r.luck->startText,
                                      r.transits->chineseAge, r.currentYear.year, r.luck->pillars);
  r.longYearTable = computeLongYearTable(n.year, r.currentYear.year, r.transits->chineseAge);
  r.monthStrip = readMonthStrip(birthRecord);
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

BirthFields readBirthFields(const Form& main) {
  BirthFields f;
  f.name = main.caption("EditName");
  f.gender = main.caption("ComboBoxGender");
  f.day = main.caption("ComboBoxdd");
  f.month = main.caption("ComboBoxmm");
  f.year = main.caption("ComboBoxyy");
  f.hour = main.caption("ComboBoxth");
  f.minute = main.caption("ComboBoxtm");
  f.toBeBorn = main.caption("ComboBoxToBeBorn");
  return f;
}

void writeBirthFields(Form& main, const BirthFields& f) {
  main["EditName"].caption = limitNameLength(f.name);
  main["ComboBoxGender"].caption = f.gender;
  main["ComboBoxdd"].caption = f.day;
  main["ComboBoxmm"].caption = f.month;
  main["ComboBoxyy"].caption = f.year;
  main["ComboBoxth"].caption = f.hour;
  main["ComboBoxtm"].caption = f.minute;
  main["ComboBoxToBeBorn"].caption = f.toBeBorn;
}

ComputeOutcome ComputeChart(ChartResult& r, const CalendarFile& file,
                            const std::vector<std::string>& birthRecord,
                            const BoundaryRule& boundaries) {
  // 4, 6, 7. Birth line, four pillars, derived pillars.
  FourPillarsResult four = FindFourPillars(file, r.input);
  if (!four.pillars) return {CastOutcome::Status::NoBirthLine, kNoCalendarLine};
  DerivedPillarsResult derived = FindDerivedPillars(file, *four.pillars, r.input.toBeBorn);
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
  r.birthYearCode = birthYearCode(r.input.gender, r.input.enteredYear, r.natal->year.branch);

  // 12-14. Time cycles.
  if (std::string why = computeTimeCycles(r, file, birthRecord); !why.empty()) {
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

void BindChart(Forms& forms, const ChartResult& r) {
  bindGender(forms, r.input.gender);             // 5
  bindConception(forms, *r.derived);             // 7
  bindElementPowerTable(forms, *r.powers);       // 8
  bindChartPatterns(forms, *r.patterns);
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
  bindCurrentPeriod(forms, *r.currentPeriod, r.transits->chineseAge);
  // 15. Set afresh on every cast: the birth-year code of stage 17 is appended
  // to the age line written here, once.
  ShowOwnerAndDates(forms, *r.owner);
  bindBoundaryWarnings(forms, r.warnings);
}

void BindClosing(Forms& forms, const ChartResult& r) {
  if (r.birthYearCode) bindBirthYearCode(forms, *r.birthYearCode);
  bindElementSummary(forms, *r.powers);
}

CastOutcome CastChart(CalendarSession& calendar, UserInterface& ui, const BirthFields& fields,
                      const std::vector<std::string>& birthRecord, const BoundaryRule& boundaries) {
  CastOutcome out;
  ChartResult& r = out.result;

  // 2. Normalise the birth input.
  Normalised normalised = NormaliseBirthInput(fields);
  for (const auto& message : normalised.messages) ui.error(message);
  r.input = std::move(normalised.input);

  // 3. The current year's pillar, then the data file of the birth year.
  r.today = calendar.clock().today();
  r.currentYear = calendar.currentYearPillar(r.input);
  const int birthYear = toInt(r.input.year);
  const std::string fileName = calendar.index().DataFileForYear(birthYear);
  const DataFileLoad load = calendar.EnsureDataFileLoaded(fileName, PromptButtons::YesNo);
  if (load.outcome == DataFileLoad::Outcome::GaveUp) {
    out.status = CastOutcome::Status::GaveUp;
    out.error = fileName.empty()
                    ? "no calendar data file covers BE year " + r.input.year
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
  const ComputeOutcome computed = ComputeChart(r, calendar.loaded(), birthRecord, boundaries);
  ui.busyCursor(false);
  out.status = computed.status;
  out.error = computed.error;
  return out;
}

void BindCast(Forms& forms, const CastOutcome& out) {
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
    BindChart(forms, r);
    bindRuleStamp(forms, out.dataFile);
    // 15. The first cast that finds its birth line enables the print command.
    if (!main["ButtonPrintHoroscope"].enabled) {
      main["ButtonPrintHoroscope"].enabled = true;
      main["LabelAgeGo"].visible = true;
      main["LabelYearGo"].visible = true;
    }
  }
  // 16. The entered values shown again.
  restoreEntered(main, r.input);
  // 17. Birth-year code and element-group power summary; only a chart bound
  // in this cast is shown.
  if (out.status == CastOutcome::Status::Cast) BindClosing(forms, r);
}

CastOutcome CastPipeline::Cast() {
  // 1. The analysis text of the previous cast goes first, whatever follows.
  clearAnalysisText(forms_);
  const Component* record = forms_.main.find("MemoVesprinPrint");
  CastOutcome out = CastChart(calendar_, ui_, readBirthFields(forms_.main),
                              record ? record->lines : std::vector<std::string>{}, boundaries_);
  BindCast(forms_, out);
  return out;
}

}  // namespace vesprin
