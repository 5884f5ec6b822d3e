#pragma once
// The exit statuses of vesprin-book, and a book error reported as one.
#include <iostream>

#include "book/book_error.h"

namespace vesprin {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitRefused = 2;    // the input or the client asked for is refused
constexpr int kExitUnusable = 3;   // the book's file cannot be used
constexpr int kExitNoIndex = 4;    // the calendar index is missing or unusable
constexpr int kExitNotWritten = 5; // a PDF, the CSV file or the backup could not be written
constexpr int kExitBusy = 6;       // another program held the book's lock too long
constexpr int kExitSavedAsPdf = 7;  // the sheet was saved as a PDF in the current directory instead

inline int statusOf(const BookError& e) {
  switch (e.kind) {
    case BookError::Kind::Invalid:
    case BookError::Kind::NotFound:
      return kExitRefused;
    case BookError::Kind::Unusable:
      return kExitUnusable;
    case BookError::Kind::Busy:
      return kExitBusy;
    case BookError::Kind::Failed:
      break;
  }
  return kExitNotWritten;
}

inline int report(const BookError& e) {
  std::cerr << "vesprin-book: " << e.message << '\n';
  return statusOf(e);
}

}  // namespace vesprin
