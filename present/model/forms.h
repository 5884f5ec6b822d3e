#pragma once
// The four windows of a run, created once and kept until it ends: the main
// window, the chart sheet, the analysis window (its memo holds the analysis
// text) and the analysis page. Each accepts only the names its layout declares.
#include "present/model/form.h"
#include "present/model/layouts.h"

namespace vesprin {

struct Forms {
  Form main{mainWindowLayout()};
  Form chartSheet{chartSheetLayout()};
  Form analysis{analysisWindowLayout()};
  Form analysisPage{analysisPageLayout()};
};

// The forms in their design-time state: input field texts, the hidden cache
// labels, the version label, the disabled frames (all from the layouts).
Forms makeForms();

}  // namespace vesprin
