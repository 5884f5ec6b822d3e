#include "book/client_request.h"

#include "core/civil_date.h"
#include "cycles/month_strip.h"

namespace vesprin {

PrintRequest clientRequest(const ClientFields& c, int stripYear) {
  PrintRequest r;
  const ClientBirth& at = c.birth;
  r.birth = recordOf({c.name, c.gender, {at.day, at.month, at.year}, {at.hour, at.minute}, c.pregnancy});
  const Pillar january = januaryPillar(stripYear);
  r.birth.strip = {january.stem, january.branch, std::to_string(stripYear),
                   std::to_string(stripYear - kBuddhistEraOffset)};
  r.marks = c.marks;
  return r;
}

ClientFields clientFieldsOf(const PrintRequest& r, ClientFields base) {
  const BirthRecord& b = r.birth;
  base.name = b.name;
  base.birth.day = b.day;
  base.birth.month = b.month;
  base.birth.year = b.year;
  base.birth.hour = b.hour;
  base.birth.minute = b.minute;
  base.gender = b.gender;
  base.pregnancy = b.pregnancy;
  base.marks = r.marks;
  return base;
}

}  // namespace vesprin
