#pragma once
// The print command as the driven run uses it: the chart sheet printed on
// the default printer, previewed, or written to the PDF that --pdf names.
// An unattended run never opens the preview, which nobody could close: the
// sheet is saved as a PDF in the current directory instead.
#include <filesystem>
#include <optional>
#include <string>

#include "app/print_command.h"
#include "present/forms.h"

namespace vesprin {

PrintOutcome runPrintStep(Forms& forms, bool preview, const std::optional<std::filesystem::path>& pdf,
                          bool unattended, std::ostream& report, Paper paper = Paper::Letter);

// The message box that shows a person at the display why the request was
// refused and nothing printed: a Thai heading, then the cause as standard
// error gives it (with the Thai notice where there is one).
std::string refusalNotice(const std::string& cause);

}  // namespace vesprin
