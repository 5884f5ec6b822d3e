#pragma once
// The one value the engine writes when its main window closes: Run=False in
// the [Application] section of talven.ini, which the companion program reads
// to know that the engine has ended. Every other line of the file is kept as
// it was, byte for byte; the file is replaced in one step, so a crash never
// leaves it half written.
#include <string>
#include <string_view>

namespace vesprin {

// $XDG_CONFIG_HOME/talven.ini, or ~/.config/talven.ini.
std::string settingsFilePath();

// The file's text with `key`=`value` set in `section`: the first line of
// that key in the section is replaced (keys and sections match without
// regard to case, as the INI files of the companion's platform do); without
// one, the line goes after the last line of the section that is not blank;
// without the section, the section and the line are appended. Line ends
// follow the file's first line (CR LF or LF).
std::string withIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value);

// Writes Run=False into the settings file at `path`, creating the file and
// its folder when missing. Empty on success, else the reason.
std::string writeRunFalse(const std::string& path);

}  // namespace vesprin
