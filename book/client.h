#pragma once
// A client of the astrologer as the book keeps them: who they are, their
// birth exactly as it was typed (numbers, never a formatted text), and the
// decorations last chosen for their chart sheet.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/gender.h"
#include "present/request/print_request.h"

namespace vesprin {

using ClientId = long long;  // 64 bits, as the database keeps it

// The birth as entered: the date with its Buddhist-Era year and the clock
// time. The input rules (hour 00 belongs to the day before, and so on) are
// applied by the cast, not here.
struct ClientBirth {
  int day = 1;       // 1..31, and a real day of its month
  int month = 1;     // 1..12
  int year = 0;      // Buddhist Era (CE + 543)
  int hour = 0;      // 0..23
  int minute = 0;    // 0..59
  friend bool operator==(const ClientBirth&, const ClientBirth&) = default;
};

// What a person types about a client; the book adds the id and the times.
struct ClientFields {
  std::string name;      // UTF-8; code page 874 must hold it (the hand-over files need it)
  std::string nickname;
  std::string phone;
  std::string note;      // free text for the astrologer, never printed
  ClientBirth birth;
  Gender gender = Gender::Male;
  int pregnancy = 9;     // months, 7..10
  AnalysisMarks marks = noDecorations();
  friend bool operator==(const ClientFields&, const ClientFields&) = default;

  // A sheet with nothing handed over: no balance panel, no marks, no clash
  // pictures, the program title in place of the power text, no note.
  static AnalysisMarks noDecorations() {
    AnalysisMarks m;
    m.marksBlank = true;
    return m;
  }
};

struct Client {
  ClientId id = 0;
  ClientFields fields;
  std::optional<long long> household;  // clients of one household share it
  std::string created;  // UTC, ISO 8601 with milliseconds: "2026-12-10T12:34:56.789Z"
  std::string changed;
  friend bool operator==(const Client&, const Client&) = default;
};

// One chart sheet that left the book: on a printer or into a PDF file.
struct PrintRecord {
  enum class Destination { Printer, Pdf };
  std::string when;           // as Client::created
  Destination destination = Destination::Pdf;
  std::string where;          // the printer's name or the PDF's path
  std::string paper = "letter";  // "letter" or "a4"
  friend bool operator==(const PrintRecord&, const PrintRecord&) = default;
};

}  // namespace vesprin
