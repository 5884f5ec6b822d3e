#pragma once
// The star rules on the natal pillars and the analysis text they write: an
// ordered list of short Thai lines, with the captions of the analysis page
// (temperament, protective stars, treasury note) and the treasury branch
// whose pictures the chart sheet shows.
#include <string>
#include <vector>

#include "interpret/chart_patterns.h"
#include "interpret/natal_pillars.h"

namespace vesprin {

struct Analysis {
  std::vector<std::string> lines;  // in order, empty lines included
  std::string protectiveStars;     // the stars that hold, each label ending in a blank
  std::string starsHeading;        // heading of that list, or the dot row when it is empty
  std::string temperament;         // temperament caption of the day stem's element
  std::string treasuryNote;        // set when the treasury branch stands in the chart
  Branch treasuryBranch;           // of the day stem; shown whether present or not
};

Analysis WriteAnalysis(const NatalPillars& pillars, const ChartPatterns& patterns);

// The paragraph on the character of a day stem's element that the analysis
// line "- ดิถีเป็น ..." carries; empty for no stem.
std::string_view elementCharacter(Stem dayStem);

}  // namespace vesprin
