#include "app/cast_pipeline.h"

#include "interpret/child_sign.h"
#include "present/bind_cycles.h"
#include "present/bind_interpretation.h"
#include "present/bind_natal.h"

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
  main["LabelZodiacOnYearNow"].caption = std::to_string(c.pillar.stem);
  main["LabelZodiacBelowYearNow"].caption = std::to_string(c.pillar.branch);
}

// Stages 12-14 computed: luck pillars, annual transits, then the current
// period with the long year table and the month strip of the birth record
// held in MemoVesprinPrint. The reason, when the calendar cannot give the
// festival distance or the Chinese age: a chart with a wrong start age or a
// wrong age must not be printed.
std::string computeTimeCycles(ChartResult& r, const CalendarFile& file, const Form& main) {
  const FourPillars& n = *r.natal;
  r.luck = computeLuckCycle(n.year.stem, n.month, r.input.gender, file, n.birthLine,
                            n.festivalStart, n.comparisonTime);
  r.transits = computeAnnualTransits(n.year, std::atoi(r.input.year.c_str()), r.currentYear.year,
                                     r.currentYear.pillar, r.derived->ascendant, r.luck->startYears);
  r.currentPeriod = findCurrentPeriod(r.luck->onAges, r.luck->belowAges, r.luck->startText,
                                      r.transits->chineseAge, r.currentYear.year, r.luck->pillars);
  r.longYearTable = computeLongYearTable(n.year, r.currentYear.year, r.transits->chineseAge);
  const Component* record = main.find("MemoVesprinPrint");
  r.monthStrip = record ? readMonthStrip(record->lines) : std::nullopt;
  if (!r.luck->monthStrengthKnown || !r.luck->festivalKnown)
    return "no large festival between the birth line and the end of calendar file " + file.path() +
           ": festival distance unknown";
  if (!r.transits->chineseAgeKnown)
    return "no pillar for the current year " + std::to_string(r.currentYear.year) +
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

CastOutcome CastPipeline::Cast() {
  CastOutcome out;
  ChartResult& r = out.result;
  Form& main = forms_.main;

  // 1. The analysis text of the previous cast goes first, whatever follows.
  clearAnalysisText(forms_);

  // 2. Normalise the birth input.
  Normalised normalised = NormaliseBirthInput(readBirthFields(main));
  for (const auto& message : normalised.messages) ui_.error(message);
  r.input = std::move(normalised.input);
  showNormalised(main, r.input);

  // 3. The current year's pillar, then the data file of the birth year.
  r.currentYear = calendar_.currentYearPillar(r.input);
  showCurrentYear(main, r.currentYear);
  const int birthYear = std::atoi(r.input.year.c_str());
  const std::string fileName = calendar_.index().DataFileForYear(birthYear);
  const DataFileLoad load = calendar_.EnsureDataFileLoaded(fileName, PromptButtons::YesNo);
  if (load.outcome == DataFileLoad::Outcome::GaveUp) {
    out.status = CastOutcome::Status::GaveUp;
    out.error = fileName.empty()
                    ? "no calendar data file covers BE year " + r.input.year
                    : "calendar data file " + fileName + " not found";
    return out;  // the fields keep their normalised values
  }
  if (load.outcome == DataFileLoad::Outcome::Unusable) {
    out.status = CastOutcome::Status::Unusable;
    out.error = load.error;
    return out;
  }
  main["LabelCurrentDataCalendar"].caption = load.path;
  const CalendarFile& file = calendar_.loaded();

  // 4, 6, 7. Birth line, four pillars, derived pillars: all computed before
  // anything is shown, so that a birth the file cannot serve changes nothing.
  ui_.busyCursor(true);
  out.status = CastOutcome::Status::NoBirthLine;
  out.error = kNoCalendarLine;
  FourPillarsResult four = FindFourPillars(file, r.input);
  if (four.pillars) {
    DerivedPillarsResult derived = FindDerivedPillars(file, *four.pillars, r.input.toBeBorn);
    if (derived.pillars) {
      r.natal = four.pillars;
      r.derived = derived.pillars;
      // 8. Element strength, chart patterns, stars and the analysis text.
      const NatalPillars natal = natalPillars(*r.natal);
      r.powers = ComputeElementPowers(natal);
      r.patterns = FindChartPatterns(natal, *r.powers, r.input.gender);
      r.analysis = WriteAnalysis(natal, *r.patterns);
      // 10. Child sign.
      r.childBranch = FindChildSign(r.input.gender, r.natal->year.stem);
      out.status = CastOutcome::Status::Cast;
      out.error.clear();
    }
  }

  // 12-14. Time cycles.
  if (out.status == CastOutcome::Status::Cast) {
    if (std::string why = computeTimeCycles(r, file, main); !why.empty()) {
      out.status = CastOutcome::Status::CyclesUnknown;
      out.error = std::move(why);
      // Nothing of the time cycles may travel further than this cast.
      r.luck.reset();
      r.transits.reset();
      r.currentPeriod.reset();
      r.longYearTable.reset();
      r.monthStrip.reset();
    } else {
      // The child-chance form waits for the Chinese age of the annual transits.
      r.childChanceShown = ChildChance(r.input.gender, r.transits->chineseAge);
    }
  }

  if (out.status == CastOutcome::Status::Cast) {
    bindGender(forms_, r.input.gender);    // 5
    bindConception(forms_, *r.derived);     // 7
    bindElementPowerTable(forms_, *r.powers);  // 8
    bindChartPatterns(forms_, *r.patterns);
    bindAnalysis(forms_, *r.analysis);
    bindNatalPillars(forms_, *r.natal, *r.derived);  // 9
    bindChildSign(forms_, r.childBranch);             // 10

    // 12-14. Time cycles; the current period reads the luck pictures of the chart sheet.
    bindLuckCycle(forms_, *r.luck);
    bindAnnualTransits(forms_, *r.transits, r.natal->year.branch);
    bindChildChance(forms_, *r.childChanceShown);
    bindLongYearTable(forms_, *r.longYearTable);
    bindMonthStrip(forms_, r.monthStrip);
    bindCurrentPeriod(forms_, *r.currentPeriod, r.transits->chineseAge);
    // 15. The first cast that finds its birth line enables the print command.
    if (!main["ButtonPrintHoroscope"].enabled) {
      main["ButtonPrintHoroscope"].enabled = true;
      main["LabelAgeGo"].visible = true;
      main["LabelYearGo"].visible = true;
    }
  }

  // 16. Default cursor, the entered values shown again.
  ui_.busyCursor(false);
  restoreEntered(main, r.input);

  // 17. Birth-year code from the year as entered, and the element-group power
  // summary. The code needs only the natal chart; only a chart bound in this
  // cast is shown.
  if (r.natal) r.birthYearCode = birthYearCode(r.input.gender, r.input.enteredYear, r.natal->year.branch);
  if (out.status == CastOutcome::Status::Cast) {
    if (r.birthYearCode) bindBirthYearCode(forms_, *r.birthYearCode);
    bindElementSummary(forms_, *r.powers);
  }
  return out;
}

}  // namespace vesprin
