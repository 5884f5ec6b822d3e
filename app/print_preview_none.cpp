// The print command of a program without windows (the unattended
// vesprin-print): no page preview. Such a program never asks for one: a
// preview asked for without a display is saved aside (runPrintStep).
#include "app/print_command.h"

#include <cerrno>

namespace vesprin {

PrintOutcome PrintCommand::preview(const Form&) {
  const std::string why = "no page preview in a program without windows";
  report_ << program_invocation_short_name << ": " << why << '\n';
  return {PrintResult::Failed, {}, why};
}

}  // namespace vesprin
