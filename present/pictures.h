#pragma once
// Picture file names built from sign numbers and element names. Numbers are
// plain decimal without leading zeros ("o3.bmp", "b12.bmp").
#include <string>
#include <string_view>

#include "core/sign.h"

namespace vesprin {

std::string SignNumberPicture(int k);           // "n" + k + ".bmp"
std::string StemPicture(ZodiacOn s);            // "o" + s + ".bmp"
std::string BranchPicture(ZodiacBelow b);       // "b" + b + ".bmp"
std::string ElementPicture(std::string_view elementName);  // "e" + lower-cased name + ".bmp"
std::string ElementPicture(Element e);
std::string SmallStemPicture(int k);            // "os" + k + ".bmp"; k = 0 is the blank picture
std::string SmallBranchPicture(int k);          // "bs" + k + ".bmp"; k = 0 is the blank picture
std::string UncertainPicture(std::string_view name);  // "_" inserted before ".bmp"

inline const std::string kBlankStem = "os0.bmp";
inline const std::string kBlankBranch = "bs0.bmp";

}  // namespace vesprin
