#pragma once
// Files are read whole into lines and never kept open. Text is code page 874
// on disk and UTF-8 in memory.
#include <optional>
#include <string>
#include <vector>

namespace vesprin {

// The lines of a file, decoded from code page 874, without line ends (LF or
// CRLF). Empty optional when the file cannot be opened.
std::optional<std::vector<std::string>> readTextLines(const std::string& path);

// Same, without decoding (for files known to be ASCII, like calendar data).
std::optional<std::vector<std::string>> readRawLines(const std::string& path);

bool fileExists(const std::string& path);

// The name itself, then each directory in turn; the path under which the file
// was found, or an empty text.
std::string searchFile(const std::string& name, const std::vector<std::string>& dirs);

// The engine's data directory: $VESPRIN_DATA_DIR when set, else the installed
// data directory when it holds HOROSCOPE.INI, else the source tree's data/.
std::string dataDirectory();

// The current directory followed by the data directory: where the calendar
// index and data files are looked for after the name itself.
std::vector<std::string> defaultSearchDirs();

}  // namespace vesprin
