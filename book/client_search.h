#pragma once
// Finding a client as one types: by any part of the name or the nickname,
// whatever order the Thai tone marks were typed in, by the phone number
// whatever its dashes, or by the birth date written DD/MM/YYYY with a
// Buddhist-Era or a Christian-Era year.
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "book/client.h"

namespace vesprin {

// Text as it is compared: canonical composition, case folded, the Thai tone
// marks and the signs typed above or below a letter after it (mai taikhu,
// thanthakhat, yamakkan) removed, nikhahit and sara aa as sara am, runs of
// blanks as one blank. Two spellings that look alike on paper fold alike.
QString foldForSearch(const QString& text);

// The digits of a phone number: "081-234 5678" gives "0812345678".
QString phoneDigits(const QString& text);

// The text stored with each client and searched: folded name, folded
// nickname and phone digits, one line each. It starts with the name, so that
// the book's order by it is the order of the names.
QString clientSearchText(const ClientFields& fields);

// A typed search. A text with a "/" is a birth date, whole or begun:
// "05", "05/03", "05/03/25", "05/03/2530" (BE) or "05/03/1987" (CE; a year
// from 2400 on is taken as Buddhist Era). Anything else is words, each of
// which must occur in the search text; a word of digits, blanks, dashes and
// brackets (a phone number) is matched by its digits.
struct SearchQuery {
  std::vector<QString> words;  // folded; none and no date: every client
  struct DatePart {
    int day = 0;
    std::optional<int> month;
    // A year begun: the digits typed so far and how many there are (1..4).
    std::optional<int> yearDigits;
    int yearLength = 0;
  };
  std::optional<DatePart> date;
  bool impossible = false;  // a date that cannot match anybody ("45/13")
};
SearchQuery parseSearch(const QString& typed);

// Whether a birth matches a date query (also used by the SQL-free paths).
bool birthMatches(const SearchQuery::DatePart& date, const ClientBirth& birth);

}  // namespace vesprin
