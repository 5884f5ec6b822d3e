#pragma once
// The print command as the driven run uses it: the chart sheet printed on
// the default printer, previewed, or written to the PDF that --pdf names.
// An unattended run never opens the preview, which nobody could close: the
// sheet is saved as a PDF in the current directory instead.
#include <filesystem>
#include <optional>

#include "app/print_command.h"
#include "present/forms.h"

namespace vesprin {

PrintOutcome runPrintStep(Forms& forms, bool preview, const std::optional<std::filesystem::path>& pdf,
                          bool unattended, std::ostream& report);

}  // namespace vesprin
