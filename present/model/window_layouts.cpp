// What the main window and the analysis window declare. Their components are
// state that the cast writes and the print copies; the visible window is
// built by the application, so only names and design-time values live here.
#include <string>

#include "present/model/form.h"
#include "present/model/layouts.h"

namespace vesprin {
namespace {

std::string named(std::string_view row, int k) { return numbered(row, k); }

LayoutItem& withCaption(LayoutBuilder& b, std::string name, std::string caption) {
  LayoutItem& it = b.control(std::move(name));
  it.caption = std::move(caption);
  return it;
}

void hidden(LayoutBuilder& b, std::string name) { b.control(std::move(name)).visible = false; }

Layout buildMainWindow() {
  LayoutBuilder b;
  // Birth input, with the values the fields show at start.
  withCaption(b, "EditName", "");
  withCaption(b, "ComboBoxGender", "ชาย");
  withCaption(b, "ComboBoxdd", "01");
  withCaption(b, "ComboBoxmm", "01 = มกราคม");
  b.control("ComboBoxyy");
  withCaption(b, "ComboBoxth", "00");
  withCaption(b, "ComboBoxtm", "00");
  withCaption(b, "ComboBoxToBeBorn", "09");
  withCaption(b, "ButtonToCastAHoroscope", "ผูกดวง");
  // Disabled until the first cast that finds its birth line.
  withCaption(b, "ButtonPrintHoroscope", "พิมพ์").enabled = false;
  withCaption(b, "CheckBoxPagePreview", "Page Preview");
  b.control("StatusBarHoroscope");
  b.control("Panelnnssddmmyyyytt");
  b.control("PanelHoro");
  b.control("PanelCover1");
  withCaption(b, "PanelCover2", "พิมพ์ดวงจีน");

  // Hidden run-time state. The current-year cache starts empty (year 0); the
  // data-file label's first caption also marks that the start-up has not run.
  b.control("MemoHoroscopeINI");
  b.control("ListBoxCalendar");
  withCaption(b, "LabelCurrentDataCalendar", "CurrentDataCalendar");
  withCaption(b, "LabelCurrentYearGo", "0");
  withCaption(b, "LabelZodiacOnYearNow", "0");
  withCaption(b, "LabelZodiacBelowYearNow", "0");
  b.control("MemoVesprinPrint");
  b.control("LabelAn");
  withCaption(b, "LabelTitle", "โปรแกรมผูกดวงจีน Vesprin Version 2.99");

  // The chart panel: header, gender, natal block.
  for (const char* name : {"LabelShowDate", "LabelYears", "LabelAge", "LabelCodePerson", "ImageGender"})
    b.control(name);
  for (std::string_view p : sheet::kNatalSuffixes)
    for (std::string_view row : {"ImageElementOn", "ImageZodiacOn", "ImageChineseOn",
                                 "ImageChineseBelow", "ImageZodiacBelow", "ImageElementBelow"})
      b.control(std::string(row) + std::string(p));
  // Nine luck pillars; the tenth ages are spelled with a small l.
  for (int k = 1; k <= 9; ++k)
    for (std::string_view row : {"ImageZodiacOn", "ImageChineseOn", "ImageChineseBelow",
                                 "ImageZodiacBelow", "LabelAgeOn", "LabelAgeBelow"})
      b.control(named(row, k));
  b.control("labelAgeOn10");
  b.control("labelAgeBelow10");
  b.control("labelmonthdecimal");
  hidden(b, "LabelAgeGo");
  // Fifteen annual transits.
  for (int j = 1; j <= 15; ++j)
    for (std::string_view row : {"ImageChineseOnyyGo", "ImageChineseBelowyyGo", "LabelYearGo", "LabelAge"})
      b.control(named(row, j));
  hidden(b, "LabelYearGo");
  hidden(b, "LabelNameAge");
  for (const char* name : {"LabelCheckErrorToBeBorn", "ImageCheckErrorOnToBeBorn",
                           "ImageCheckErrorBelowToBeBorn", "LabelFarBetweenFestival",
                           "LabelFarFestival", "LabelNumNengKeng", "LabelNumNengKeng2",
                           "ImageNumNengKeng", "ImageNumNengKengN", "LabelDate"})
    b.control(name);
  // Separators and frames hidden until the first cast.
  for (const char* name : {"ShapeFarFestival", "ShapeNumNengKeng", "BevelLine", "ShapeDot",
                           "ShapeBox", "BevelLine1", "BevelLine2"})
    hidden(b, name);
  return b.build("TFormHoroscope");
}

Layout buildAnalysisWindow() {
  LayoutBuilder b;
  b.control("MemoAnalyse");
  return b.build("TFormAnalyse");
}

}  // namespace

const Layout& mainWindowLayout() {
  static const Layout layout = buildMainWindow();
  return layout;
}

const Layout& analysisWindowLayout() {
  static const Layout layout = buildAnalysisWindow();
  return layout;
}

}  // namespace vesprin
