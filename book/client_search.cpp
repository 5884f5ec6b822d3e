#include "book/client_search.h"

#include <QRegularExpression>

#include "core/civil_date.h"

namespace vesprin {
namespace {

// Signs a Thai writer types after the consonant, above or below it, in an
// order the eye cannot see: mai taikhu, the four tone marks, thanthakhat and
// yamakkan. Matching ignores them.
bool isIgnoredMark(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 0x0E47 && u <= 0x0E4C) || u == 0x0E4E || u == 0x200B /* zero-width space */;
}

}  // namespace

QString foldForSearch(const QString& text) {
  const QString composed = text.normalized(QString::NormalizationForm_C).toCaseFolded();
  QString out;
  out.reserve(composed.size());
  bool blank = true;  // drops leading blanks and collapses runs
  for (const QChar c : composed) {
    if (isIgnoredMark(c)) continue;
    if (c.isSpace()) {
      if (!blank) out += QLatin1Char(' ');
      blank = true;
      continue;
    }
    blank = false;
    // Nikhahit then sara aa is how sara am is typed on some keyboards.
    if (c.unicode() == 0x0E32 && !out.isEmpty() && out.back().unicode() == 0x0E4D) {
      out.back() = QChar(0x0E33);
      continue;
    }
    out += c;
  }
  if (out.endsWith(QLatin1Char(' '))) out.chop(1);
  return out;
}

QString phoneDigits(const QString& text) {
  QString out;
  for (const QChar c : text)
    if (c.isDigit()) out += QChar(u'0' + c.digitValue());
  return out;
}

QString clientSearchText(const ClientFields& f) {
  return foldForSearch(QString::fromStdString(f.name)) + QLatin1Char('\n') +
         foldForSearch(QString::fromStdString(f.nickname)) + QLatin1Char('\n') +
         phoneDigits(QString::fromStdString(f.phone));
}

SearchQuery parseSearch(const QString& typed) {
  SearchQuery q;
  const QString text = typed.trimmed();
  if (text.contains(QLatin1Char('/'))) {
    static const QRegularExpression kDate(QStringLiteral(R"(^(\d{1,2})/(?:(\d{1,2})(?:/(\d{0,4}))?)?$)"));
    const QRegularExpressionMatch m = kDate.match(text);
    SearchQuery::DatePart d;
    if (!m.hasMatch()) {
      q.impossible = true;
      return q;
    }
    d.day = m.captured(1).toInt();
    if (m.hasCaptured(2) && !m.captured(2).isEmpty()) d.month = m.captured(2).toInt();
    if (m.hasCaptured(3) && !m.captured(3).isEmpty()) {
      d.yearDigits = m.captured(3).toInt();
      d.yearLength = static_cast<int>(m.captured(3).size());
    }
    q.impossible = d.day < 1 || d.day > 31 || (d.month && (*d.month < 1 || *d.month > 12));
    q.date = d;
    return q;
  }
  static const QRegularExpression kPhone(QStringLiteral(R"(^[0-9+()\-. ]*[0-9][0-9+()\-. ]*$)"));
  if (kPhone.match(text).hasMatch()) {
    q.words.push_back(phoneDigits(text));
    return q;
  }
  for (const QString& word : foldForSearch(text).split(QLatin1Char(' '), Qt::SkipEmptyParts))
    q.words.push_back(word);
  return q;
}

bool birthMatches(const SearchQuery::DatePart& date, const ClientBirth& birth) {
  if (birth.day != date.day) return false;
  if (date.month && birth.month != *date.month) return false;
  if (!date.yearDigits) return true;
  const auto begins = [&](int year) {
    const QString y = QString::number(year);
    return y.startsWith(QString::number(*date.yearDigits).rightJustified(date.yearLength, QLatin1Char('0')));
  };
  if (date.yearLength == 4)  // a whole year, in either era
    return birth.year == buddhistEraYear(*date.yearDigits);
  return begins(birth.year) || begins(birth.year - kBuddhistEraOffset);
}

}  // namespace vesprin
