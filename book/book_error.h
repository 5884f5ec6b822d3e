#pragma once
// Why the book could not do what was asked. Every message names the book's
// file (or the client, or the line of a CSV file) and the cause.
#include <optional>
#include <string>

namespace vesprin {

struct BookError {
  enum class Kind {
    Invalid,   // the data given is refused (a bad date, a name code page 874 cannot hold, a CSV line)
    NotFound,  // no such client, or no book at that path
    Unusable,  // the file is no client book, is damaged, read-only, a folder, or of a newer program
    Busy,      // another program held the book's lock for longer than the busy timeout
    Failed,    // the database refused a statement or a file could not be written
  };
  Kind kind = Kind::Failed;
  std::string message;
};

template <class T>
struct BookResult {
  std::optional<T> value;
  std::optional<BookError> error;
  static BookResult fail(BookError e) { return {std::nullopt, std::move(e)}; }
};

}  // namespace vesprin
