#pragma once
// The person's gender as the chart rules know it: the luck pillars run forward
// or back by it, and a woman's chart has a child sign.
#include <cstdint>

namespace vesprin {

enum class Gender : std::uint8_t { Male, Female };

}  // namespace vesprin
