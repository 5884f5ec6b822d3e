#pragma once
// The print command as the driven run uses it: the chart sheet printed on
// the default printer, previewed, or written to the PDF that --pdf names.
#include <optional>
#include <string>

#include "present/forms.h"

class QWidget;

namespace vesprin {

struct PrintStepResult {
  enum class Outcome { Printed, Previewed, WrotePdf, SavedPdfNoPrinter, Failed } outcome = Outcome::Failed;
  std::string message;  // for standard error: the PDF's path, or why nothing was printed
};

// An unattended run never opens the preview, which nobody could close.
PrintStepResult runPrintStep(Forms& forms, bool preview, const std::optional<std::string>& pdf,
                             bool unattended, QWidget* parent);

}  // namespace vesprin
