#include "app/cast_pipeline.h"

#include "interpret/child_sign.h"
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

// The Chinese age comes from the annual-transits stage. Until that stage is
// in the pipeline there is none, and the child-chance form is left as it is.
std::optional<int> chineseAgeOf(const ChartResult&) { return std::nullopt; }

void showCurrentYear(Form& main, const CurrentYearPillar& c) {
  main["LabelCurrentYearGo"].caption = std::to_string(c.year);
  main["LabelZodiacOnYearNow"].caption = std::to_string(c.pillar.stem);
  main["LabelZodiacBelowYearNow"].caption = std::to_string(c.pillar.branch);
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

  if (out.status == CastOutcome::Status::Cast) {
    bindGender(forms_, r.input.gender);    // 5
    bindConception(forms_, *r.derived);     // 7
    bindElementPowerTable(forms_, *r.powers);  // 8
    bindChartPatterns(forms_, *r.patterns);
    bindAnalysis(forms_, *r.analysis);
    bindNatalPillars(forms_, *r.natal, *r.derived);  // 9
    bindChildSign(forms_, r.childBranch);             // 10
    // 13. Child chance, once the annual transits have given the Chinese age.
    if (const std::optional<int> age = chineseAgeOf(r)) {
      r.childChanceShown = ChildChance(r.input.gender, *age);
      bindChildChance(forms_, *r.childChanceShown);
    }
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
  // summary. Only a chart computed in this cast is bound.
  if (out.status == CastOutcome::Status::Cast) {
    r.birthYearCode = birthYearCode(r.input.gender, r.input.enteredYear, r.natal->year.branch);
    if (r.birthYearCode) bindBirthYearCode(forms_, *r.birthYearCode);
    bindElementSummary(forms_, *r.powers);
  }
  return out;
}

}  // namespace vesprin
