#pragma once
// Clients as a CSV file, for a spreadsheet or another book: UTF-8, a header
// row, one client a row, fields quoted as RFC 4180 does (a field may hold
// commas, quotes and line breaks):
//
//   name,nickname,phone,date,time,gender,pregnancy,note,decorations,analysis_note
//
// date DD/MM/YYYY with the Buddhist-Era year, time HH:MM, gender male or
// female, pregnancy 07..10, decorations as the book stores them (lines 0 to 22
// of the analysis-marks file; empty: none). Reading takes the columns in any
// order; name, date, time and gender are needed, the others may be left out.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "book/client.h"
#include "core/calendar_index.h"

namespace vesprin {

std::string writeClientsCsv(const std::vector<Client>& clients);

struct CsvClients {
  std::vector<ClientFields> clients;
  std::vector<std::size_t> lines;  // the line each client starts on, from 1
  std::string error;               // "FILE line N: why"; then no clients
};
// Every row is checked with the book's rules (`years`: the calendar's) before
// any is taken: one bad row refuses the file.
CsvClients readClientsCsv(std::string_view bytes, const YearList& years, const std::string& path);

}  // namespace vesprin
