#include "present/binding/bind_boundary.h"

#include "present/texts/boundary_texts.h"

namespace vesprin {

void bindBoundaryWarnings(Forms& forms, const std::vector<BoundaryWarning>& warnings) {
  forms.chartSheet["QRLabelBoundary"].caption = boundaryWarningCaption(warnings);
}

void bindRuleStamp(Forms& forms, std::string_view dataFile) {
  forms.chartSheet["QRLabelRuleStamp"].caption = ruleStampText(dataFile);
}

}  // namespace vesprin
