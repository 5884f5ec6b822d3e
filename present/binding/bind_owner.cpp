#include "present/binding/bind_owner.h"

namespace vesprin {

void ShowOwnerAndDates(Forms& forms, const OwnerTexts& t) {
  Form& main = forms.main;
  Form& sheet = forms.chartSheet;
  main["LabelShowDate"].caption = t.birthText;
  sheet["QRLabelHoroscopeOwner"].caption = t.ownerLine;
  sheet["QRLabelHoroscopeOwner"].keptTail = t.ownerLineTail;
  sheet["QRLabelAgeOwner"].caption = t.ageLine;
  main["LabelDate"].caption = t.castDate;
  main["LabelDate"].hint = t.castDateHint;
  sheet["QRLabelDate"].caption = main.caption("LabelDate");
  if (t.englishDate) sheet["QRLabelDateEN"].caption = *t.englishDate;
  // The analysis page names the person and the day as the sheet does.
  forms.analysisPage["QRLabelHoroscopeOwner"].caption = t.ownerLine;
  forms.analysisPage["QRLabelHoroscopeOwner"].keptTail = t.ownerLineTail;
  forms.analysisPage["QRLabelDate"].caption = t.castDay;

  Component& tg = sheet["QRImageTG"];
  tg.picture = t.stars.tg;
  tg.top = t.stars.tgTop;
  sheet["QRImageNG"].picture = t.stars.ng;
  sheet["QRImageTE1"].picture = t.stars.te1;
  sheet["QRImageTE2"].picture = t.stars.te2;
  sheet["QRImageTU"].picture = t.stars.tu;
  sheet["QRImageBC"].picture = t.stars.bc;
}

}  // namespace vesprin
