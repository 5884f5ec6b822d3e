#pragma once
// The book's tables, version by version, in portable SQL.
#include "book/book_file.h"

namespace vesprin {

// Version 1: households, clients, their print history.
inline constexpr int kBookSchemaVersion = 1;

BookSchema bookSchema();

}  // namespace vesprin
