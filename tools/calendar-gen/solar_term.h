#pragma once
// The 24 solar terms: instants when the Sun's apparent geocentric ecliptic longitude of date
// (with nutation and aberration) reaches a multiple of 15 degrees.
#include <vector>

namespace calendar_gen {

struct SolarTerm {
  int longitude;  // degrees, a multiple of 15 in [0, 345]
  double jdTt;    // the instant, Julian date in Terrestrial Time (the ephemeris' own time scale)
  double jdUt;    // the same instant in Universal Time

  // The twelve terms that open a month (315, 345, 15, ..., 285) are the large festivals; the
  // twelve between them (330, 0, 30, ...) the small ones.
  bool opensMonth() const { return longitude % 30 == 15; }
};

// All terms whose instant falls in the Christian-Era years firstYear..lastYear (UT), in time order.
// Each term is found on its own from a guess that depends only on its year and longitude, so a term
// comes out bit for bit the same whatever range is asked for.
std::vector<SolarTerm> solarTerms(int firstYear, int lastYear);

}  // namespace calendar_gen
