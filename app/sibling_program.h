#pragma once
// A program of this installation that runs in place of the one started
// (vesprin-cast-pdf for vesprin-cast, vesprin-print-window for vesprin-print):
// what only some runs need lives in a program of its own, so that the
// others do not load it.
#include <optional>
#include <string>

namespace vesprin {

// Runs `name` in place of this process with the same arguments: the one
// beside this program (a build tree), else the one in the libexec folder
// beside its bin/ (`relativeLibexecDir` from there: an installed tree under
// any prefix, or moved whole), last the one in `libexecDir` (the prefix
// configured at build time). Returns only when it could not: the program
// found that would not run, or none when none was found.
std::optional<std::string> runInstead(const std::string& name, char** argv,
                                      const std::string& relativeLibexecDir,
                                      const std::string& libexecDir);

}  // namespace vesprin
