#pragma once
// The drive roots of the machine the companion program was written for, on
// this one: $VESPRIN_DRIVES maps drive letters to folders, for example
// "D=/media/usb0;C=/srv/handover". A letter that is not mapped is skipped.
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vesprin {

class DriveMap {
 public:
  struct Parse;
  // "L=DIR" items separated by ";"; the letter in either case. Empty items
  // are skipped; an item of another form is reported and skipped.
  static Parse parse(std::string_view text);
  // $VESPRIN_DRIVES (nothing mapped when it is not set).
  static Parse fromEnvironment();

  // The folder of a letter ('C'..'Z'), or an empty text.
  std::string folder(char letter) const;

  // The roots in the order they are searched: D, E, F, G, H, then C, each
  // only when mapped. The hand-over files are looked for here after the
  // current directory; the two balance-panel pictures only here.
  std::vector<std::string> searchRoots() const;

 private:
  std::map<char, std::string> folders_;
};

struct DriveMap::Parse {
  DriveMap map;
  std::vector<std::string> errors;  // one per item that is not "L=DIR"
};

// The file of that name in the folder, matched without regard to the case of
// ASCII letters (a root written by a Windows program may say "BALANCE.BMP");
// an empty text when there is none.
std::string findIgnoringCase(const std::string& folder, std::string_view name);

}  // namespace vesprin
