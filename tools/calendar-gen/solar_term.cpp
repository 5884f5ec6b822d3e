#include "solar_term.h"

#include "civil_date.h"

#include <swephexp.h>

#include <cmath>
#include <stdexcept>
#include <string>

namespace calendar_gen {
namespace {

// The analytical ephemeris is built into the library: no data files, so any machine gives the same result.
constexpr int kEphemerisFlags = SEFLG_MOSEPH;

struct SunPosition {
  double longitude;  // degrees
  double speed;      // degrees per day
};

SunPosition apparentSun(double jdTt) {
  double x[6];
  char err[AS_MAXCH] = "";
  // No SEFLG_TRUEPOS / SEFLG_NONUT: the library then gives the apparent position of date,
  // including aberration and nutation.
  const int flags = kEphemerisFlags | SEFLG_SPEED;
  const int got = swe_calc(jdTt, SE_SUN, flags, x, err);
  if (got < 0 || (got & SEFLG_MOSEPH) == 0)
    throw std::runtime_error("Sun position at JD(TT) " + std::to_string(jdTt) + " failed: " + err);
  return {x[0], x[3]};
}

// Signed difference a - b brought into [-180, 180).
double angleDiff(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d < -180.0) d += 360.0;
  if (d >= 180.0) d -= 360.0;
  return d;
}

double termTt(double targetLongitude, double guessTt) {
  double t = guessTt;
  for (int i = 0; i < 20; ++i) {
    const SunPosition sun = apparentSun(t);
    const double step = angleDiff(targetLongitude, sun.longitude) / sun.speed;
    t += step;
    // A step below 1e-7 day (9 ms) means the next one is at the level of floating-point noise in
    // the date itself; the files record whole minutes.
    if (std::fabs(step) < 1e-7) return t;
  }
  throw std::runtime_error("solar term at longitude " + std::to_string(targetLongitude) +
                           " did not converge near JD(TT) " + std::to_string(guessTt));
}

double ttToUt(double jdTt) {
  char err[AS_MAXCH] = "";
  // Delta T is a function of UT; a few fixed-point steps settle it far below a millisecond.
  double ut = jdTt;
  for (int i = 0; i < 4; ++i) ut = jdTt - swe_deltat_ex(ut, kEphemerisFlags, err);
  return ut;
}

}  // namespace

std::vector<SolarTerm> solarTerms(int firstYear, int lastYear) {
  std::vector<SolarTerm> terms;
  for (int year = firstYear; year <= lastYear; ++year) {
    const double jan1 = kUnixEpochJd + static_cast<double>(daysFromCivil({year, 1, 1}));
    // In every year the Sun passes 285 degrees around 5 January and then one term every ~15.2 days;
    // a guess within a few days is plenty for Newton's method on this smooth, monotone longitude.
    for (int k = 0; k < 24; ++k) {
      const int longitude = (285 + 15 * k) % 360;
      const double guess = jan1 + 5.0 + 15.2184 * k;
      const double tt = termTt(longitude, guess);
      terms.push_back({longitude, tt, ttToUt(tt)});
    }
  }
  // Guard the guess: each term must land in its own year and after the previous one.
  for (std::size_t i = 0; i < terms.size(); ++i) {
    const int expectedYear = firstYear + static_cast<int>(i / 24);
    const auto day = static_cast<std::int64_t>(std::floor(terms[i].jdUt - kUnixEpochJd));
    if (civilFromDays(day).year != expectedYear || (i > 0 && terms[i].jdUt <= terms[i - 1].jdUt))
      throw std::runtime_error("solar term " + std::to_string(terms[i].longitude) + " of " +
                               std::to_string(expectedYear) + " found out of order");
  }
  return terms;
}

}  // namespace calendar_gen
