#include "present/forms.h"

namespace vesprin {

Forms makeForms() {
  Forms f;
  Form& m = f.main;
  m["EditName"].caption = "";
  m["ComboBoxGender"].caption = "ชาย";
  m["ComboBoxdd"].caption = "01";
  m["ComboBoxmm"].caption = "01 = มกราคม";
  m["ComboBoxth"].caption = "00";
  m["ComboBoxtm"].caption = "00";
  m["ComboBoxToBeBorn"].caption = "09";
  // The current-year cache starts empty (year 0); the data-file label's
  // first caption also marks that the start-up has not run yet.
  m["LabelCurrentYearGo"].caption = "0";
  m["LabelZodiacOnYearNow"].caption = "0";
  m["LabelZodiacBelowYearNow"].caption = "0";
  m["LabelCurrentDataCalendar"].caption = "CurrentDataCalendar";
  m["LabelTitle"].caption = "โปรแกรมผูกดวงจีน Vesprin Version 2.99";
  m["ButtonPrintHoroscope"].enabled = false;
  for (const char* hidden : {"BevelLine", "BevelLine1", "BevelLine2", "ShapeBox", "ShapeDot",
                             "ShapeFarFestival", "LabelAgeGo", "LabelYearGo", "LabelNameAge",
                             "ShapeNumNengKeng"})
    m[hidden].visible = false;
  f.chartSheet["QRLabelVersion"].caption = "TALVEN Vesprin 3.00 PRO";
  // The current-period and current-year frames print only once a cast enables one.
  for (int k = 1; k <= 10; ++k) {
    f.chartSheet[numbered("QRShapeAgeOnGo", k)].enabled = false;
    f.chartSheet[numbered("QRShapeAgeBelowGo", k)].enabled = false;
  }
  for (int i = 1; i <= 5; ++i) f.chartSheet[numbered("QRShapeyy", i)].enabled = false;
  return f;
}

}  // namespace vesprin
