#pragma once
// The row of 214 full stops that the analysis page prints where a text is
// left to be written in by hand.
#include <string>

namespace vesprin {

inline const std::string kDotRow(214, '.');

}  // namespace vesprin
