// Signs have only the arithmetic that means something: a step forward or
// back, and the distance between two signs of the same cycle. Built as it
// stands it compiles; with ADD_TWO_STEMS, or MIX_CYCLES, it must not.
#include "core/sign.h"

namespace vesprin {

constexpr Stem kStepped = Stem(9) + 3;
constexpr int kDistance = Stem(2) - Stem(9);
static_assert(kStepped == Stem(2) && kDistance == 3);

#ifdef ADD_TWO_STEMS
Stem addingTwoStems() { return Stem(1) + Stem(2); }
#endif
#ifdef MIX_CYCLES
int stemsMinusBranches() { return Stem(1) - Branch(1); }
#endif

}  // namespace vesprin
