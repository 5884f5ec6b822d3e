#pragma once
// The print command as the driven run uses it: the chart sheet printed on
// the default printer, previewed, or written to the PDF that --pdf names.
// An unattended run never opens the preview, which nobody could close: the
// sheet is saved as a PDF in the current directory instead.
#include <filesystem>
#include <optional>
#include <string>

#include "app/print_command.h"
#include "core/birth.h"
#include "core/user_interface.h"
#include "present/model/forms.h"

namespace vesprin {

// `birth`: the chart's birth, which names the PDF and the print job.
// `analysisPage`: the analysis page follows the chart sheet, on A4.
PrintOutcome runPrintStep(Forms& forms, const Birth& birth, bool preview, const std::optional<std::filesystem::path>& pdf,
                          bool unattended, std::ostream& report, Paper paper = Paper::Letter,
                          bool analysisPage = false);

// The message box that shows a person at the display why the request was
// refused and nothing printed: a Thai heading, then the cause as standard
// error gives it (with the Thai notice where there is one).
std::string refusalNotice(const std::string& cause);

// Says why the request was refused: on `err` for the administrator, and in
// that message box through `box` for a person at the display (none when the
// run is unattended: nobody could close it).
void reportRefusal(const std::string& cause, std::ostream& err, UserInterface* box);

}  // namespace vesprin
