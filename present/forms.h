#pragma once
// The four windows of a run, created once and kept until it ends: the main
// window, the chart sheet, the analysis window (its memo holds the analysis
// text) and the analysis page.
#include "present/form.h"

namespace vesprin {

struct Forms {
  Form main{"TFormHoroscope"};
  Form chartSheet{"TFormPrintHoroscope"};
  Form analysis{"TFormAnalyse"};
  Form analysisPage{"TFormPrintHoroscope2"};
};

// Design-time state of the forms that the cast and the hand-over rely on:
// input field texts, the hidden cache labels, the version label.
Forms makeForms();

}  // namespace vesprin
