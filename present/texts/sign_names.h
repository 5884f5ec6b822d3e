#pragma once
// The signs' names as a person reads them: the Thai animal names of the lower
// signs and the Chinese characters of both.
#include <string_view>

#include "core/sign.h"

namespace vesprin {

// ชวด .. กุน; empty for no branch.
std::string_view branchThaiName(Branch b);
// 甲 .. 癸 and 子 .. 亥; empty for no sign.
std::string_view stemCharacter(Stem s);
std::string_view branchCharacter(Branch b);

}  // namespace vesprin
