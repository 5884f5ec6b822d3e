#pragma once
// A chart sheet as a PDF file, the one way the engine writes one (the
// driven run's --pdf and its sheet saved without a printer, vesprin-cast
// --pdf, the desk's saves): on the paper asked for, then finished so that
// its title and subject name the client and the chart and its text gives
// back the Thai texts as typed.
#include <filesystem>
#include <ostream>
#include <vector>

#include "app/pdf_text.h"
#include "core/birth.h"
#include "present/model/form.h"
#include "present/model/paper.h"
#include "present/render/report_output.h"

namespace vesprin {

// Title and subject of a chart's PDF from its birth: the client's name (or
// "ดวงจีน" without one), and "ดวงจีน" with the birth, e.g.
// "ดวงจีน เกิด 5 มีนาคม พ.ศ. 2530 เวลา 07.00 น.".
PdfDocumentInfo chartDocumentInfo(const Birth& birth);

struct ChartPdfOptions {
  Paper paper = Paper::Letter;
  PdfDocumentInfo document;
  // Reports that follow the sheet, a page each on their own paper (the
  // analysis page, on A4, when asked for).
  std::vector<const Form*> following = {};
  // Pictures painted as stand-ins and put in place when finishing, their
  // data compressed once for all the sheets the renderer paints (a folder
  // of sheets); a sheet whose stand-ins cannot all be put in place is
  // painted again with its pictures.
  bool pictureStandIns = false;
};

// The sheet and the following reports as a finished PDF in memory (`bytes`
// of the result). A sheet that cannot be finished is never lost: the PDF
// stays as Qt wrote it, and `report` says so.
PdfResult renderChartPdf(const Form& sheet, FormRenderer& renderer, const ChartPdfOptions& options,
                         std::ostream& report);

// The same written to `file`, whole or not at all and never through
// something planted in its place (writeFileSafely).
PdfResult writeChartPdf(const Form& sheet, const std::filesystem::path& file, FormRenderer& renderer,
                        const ChartPdfOptions& options, std::ostream& report);

}  // namespace vesprin
