#pragma once
// vesprin-book print: clients' chart sheets on the default printer or as PDF
// files, through the engine's own start-up and print command, each print
// recorded in the book.
#include <string>
#include <vector>

namespace vesprin {

// `args`: what follows "print" on the command line. The exit status.
int printClients(const std::string& bookPath, int busyTimeoutMs, const std::vector<std::string>& args,
                 char* program);

}  // namespace vesprin
