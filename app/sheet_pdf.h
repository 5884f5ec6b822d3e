#pragma once
// vesprin-cast --pdf: one birth cast through the whole pipeline, its JSON as
// usual, and its chart sheet written to a PDF. Qt Gui only, no display: the
// offscreen platform is used unless another one is asked for.
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/scripted_ui.h"
#include "core/boundary_warning.h"
#include "core/calendar_session.h"
#include "present/model/paper.h"

namespace vesprin {

enum class SheetPdf {
  Written,     // the chart sheet is in the file
  NotCast,     // the line could not be cast, or its chart is incomplete: no file
  NotWritten,  // cast, but the file could not be written
};

struct SheetPdfOptions {
  Paper paper = Paper::Letter;  // --paper
  BoundaryRule boundaries;    // --margin
  bool analysisPage = false;  // --analysis-page: the analysis page (A4) as a second page
};

// Writes the chart sheets of births one after another, reading each picture
// file once for all of them (vesprin-cast --pdf and --pdf-dir).
class SheetPdfWriter {
 public:
  SheetPdfWriter();
  SheetPdfWriter(const SheetPdfWriter&) = delete;
  SheetPdfWriter& operator=(const SheetPdfWriter&) = delete;
  ~SheetPdfWriter();

  // As castLineToPdf below: each birth cast as in a fresh run.
  SheetPdf write(std::string_view line, CalendarSession& calendar, ScriptedUserInterface& ui,
                 const YearList& years, const std::filesystem::path& pdf, std::string& json,
                 std::ostream& err, const SheetPdfOptions& options = {});

 private:
  struct Painting;
  std::unique_ptr<Painting> painting_;  // the pictures and the renderer, from the first sheet on
};

// The chart sheets of many births (vesprin-cast --pdf-dir): each birth is
// cast in the calling thread, its JSON appended at once, and its sheet painted,
// finished and written by `threads` threads beside it (none: in the calling
// thread, in add). The outcomes come back in the order the births were added.
class SheetPdfBatch {
 public:
  explicit SheetPdfBatch(unsigned threads);
  SheetPdfBatch(const SheetPdfBatch&) = delete;
  SheetPdfBatch& operator=(const SheetPdfBatch&) = delete;
  ~SheetPdfBatch();  // waits for the sheets under way

  // As SheetPdfWriter::write, the sheet written later.
  void add(std::string_view line, CalendarSession& calendar, ScriptedUserInterface& ui, const YearList& years,
           const std::filesystem::path& pdf, std::string& json, const SheetPdfOptions& options = {});

  // The outcome of the earliest birth not yet taken, waiting for its sheet,
  // with what was said about it (lines as write says them on `err`); none
  // when every birth added has been taken.
  struct Done {
    SheetPdf sheet;
    std::string report;
  };
  std::optional<Done> next();
  // Births added whose outcome has not been taken.
  std::size_t waiting() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Appends the JSON object of the birth to `json`. When the chart was cast
// and is complete, writes its sheet to `pdf` on the options' paper; otherwise writes no
// file and says why on `err`. A birth day its month does not have is cast
// as the input rules correct it (the JSON carries the notice), but its sheet
// is not written: it would show another day's chart.
SheetPdf castLineToPdf(std::string_view line, CalendarSession& calendar, ScriptedUserInterface& ui,
                   const YearList& years, const std::filesystem::path& pdf, std::string& json,
                   std::ostream& err, const SheetPdfOptions& options = {});

// A QGuiApplication for painting without a window, created once.
void ensureGuiApplication();

}  // namespace vesprin
