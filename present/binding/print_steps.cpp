#include "present/binding/print_steps.h"

#include <string>

namespace vesprin {

void prepareChartSheetForPrint(Forms& forms) {
  forms.chartSheet["QRLabelPowerElements"].caption = forms.main.caption("LabelTitle");
  forms.chartSheet["QRLabelVersion"].caption = std::string(kPrintedVersion);
}

void prepareChartSheetWithoutHandOver(Forms& forms) {
  Form& sheet = forms.chartSheet;
  sheet["QRLabelVersion"].caption = std::string(kPrintedVersion);
  for (const char* row : {"bon", "lang"})
    for (const char* mark : {"yy", "mm", "dd", "tt", "yymm", "mmdd", "ddtt"})
      sheet[std::string("QRShape") + mark + row].penColour = colours::kWhite;
  for (const char* line : {"QRShapeA", "QRShapeB", "QRShapeC", "QRShapeD", "QRShapeE"})
    sheet[line].penColour = colours::kWhite;
}

}  // namespace vesprin
