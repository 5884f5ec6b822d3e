#pragma once
// Where the engine finds the two hand-over files of a request: under their
// bare names in the current directory, then under the drive roots. Each file
// is read whole and deleted where it was found, so a request is served once.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "present/request/drive_map.h"

namespace vesprin {

// One hand-over file, taken: its lines decoded from code page 874, and the
// place it was found and deleted.
struct HandoverFile {
  std::string path;
  std::vector<std::string> lines;
  std::string deleteError;  // why it could not be deleted; empty when it was
};

// Looks for the file under its bare name in the current directory, then under
// the drive roots (D..H, then C); reads the first one found and deletes it
// there, and no other file. None when it exists nowhere.
std::optional<HandoverFile> takeHandoverFile(std::string_view name, const DriveMap& drives);

}  // namespace vesprin
