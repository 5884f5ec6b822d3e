#include "app/sibling_program.h"

#include <unistd.h>

#include <filesystem>
#include <vector>

namespace vesprin {

std::optional<std::string> runInstead(const std::string& name, char** argv,
                                      const std::string& relativeLibexecDir,
                                      const std::string& libexecDir) {
  std::vector<std::filesystem::path> candidates;
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    candidates.push_back(self.parent_path() / name);
    candidates.push_back((self.parent_path() / relativeLibexecDir / name).lexically_normal());
  }
  candidates.push_back(std::filesystem::path(libexecDir) / name);
  for (const auto& program : candidates) {
    if (::access(program.c_str(), X_OK) != 0) continue;
    ::execv(program.c_str(), argv);
    return program.string();
  }
  return std::nullopt;
}

}  // namespace vesprin
