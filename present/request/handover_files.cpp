#include "present/request/handover_files.h"

#include <filesystem>

#include "core/text_file.h"
#include "present/request/print_request.h"

namespace vesprin {
namespace fs = std::filesystem;

std::optional<HandoverFile> takeHandoverFile(std::string_view name, const DriveMap& drives) {
  std::vector<std::string> places{std::string(name)};  // the current directory
  for (const std::string& root : drives.searchRoots())
    places.push_back((fs::path(root) / std::string(name)).string());
  for (const std::string& path : places) {
    if (!fileExists(path)) continue;
    auto bytes = readWholeFile(path);
    if (!bytes) continue;  // vanished or unreadable: the next place may hold it
    HandoverFile file;
    file.path = path;
    file.lines = decodeRequestFile(*bytes);
    std::error_code ec;
    if (!fs::remove(path, ec) || ec) file.deleteError = ec ? ec.message() : "it disappeared";
    return file;
  }
  return std::nullopt;
}

}  // namespace vesprin
