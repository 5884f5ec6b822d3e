#pragma once
// Picture file names built from sign numbers and element names. Numbers are
// plain decimal without leading zeros ("o3.bmp", "b12.bmp").
#include <string>
#include <string_view>

#include "core/sign.h"

namespace vesprin {

std::string SignNumberPicture(int k);           // "n" + k + ".bmp"
std::string SignNumberPicture(Stem s);          // "n" + the stem's number + ".bmp"
std::string SignNumberPicture(Branch b);        // "n" + the branch's number + ".bmp"
std::string StemPicture(Stem s);                // "o" + s + ".bmp"
std::string BranchPicture(Branch b);            // "b" + b + ".bmp"
// The star box and the treasury spell some names in capitals: "O" + s +
// ".bmp", "B" + b + ".bmp", "N" + b + ".bmp" (the pictures of "o3.bmp",
// "b5.bmp", "n5.bmp").
std::string CapitalPicture(Stem s);
std::string CapitalPicture(Branch b);
std::string CapitalNumberPicture(Branch b);
std::string ElementPicture(std::string_view elementName);  // "e" + lower-cased name + ".bmp"
std::string ElementPicture(Element e);
std::string SmallStemPicture(int k);            // "os" + k + ".bmp"; k = 0 is the blank picture
std::string SmallStemPicture(Stem s);           // the blank picture for no stem
std::string SmallBranchPicture(int k);          // "bs" + k + ".bmp"; k = 0 is the blank picture
std::string SmallBranchPicture(Branch b);       // the blank picture for no branch
std::string UncertainPicture(std::string_view name);  // "_" inserted before ".bmp"

inline const std::string kBlankStem = "os0.bmp";
inline const std::string kBlankBranch = "bs0.bmp";

}  // namespace vesprin
