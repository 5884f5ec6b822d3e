#pragma once
// A report form on paper: its page layout (paper and margins), and the page
// written to a PDF file or painted into an image.
#include <filesystem>
#include <string>
#include <vector>

#include <QImage>
#include <QPageLayout>

#include "present/model/paper.h"
#include "present/render/form_renderer.h"

class QPagedPaintDevice;

namespace vesprin {

// Paper, portrait, and the margins of the report's page setup.
QPageLayout pageLayoutOf(const PageSetup& page);

// The report's page on a sheet of `paper`: scaled to fit (never enlarged)
// and centred, its band at its margins scaled alike. The layout to give the
// printer or the PDF writer, and the scale to paint with.
struct PaperPlacement {
  QPageLayout layout;
  double scale = 1;  // of the page as designed
};
PaperPlacement placeOnPaper(const PageSetup& page, Paper paper);
// The same on a sheet of any size (the paper a print dialog ended with).
PaperPlacement placeOnPaper(const PageSetup& page, PaperSize sheet);

// Paints the form on a device whose painter origin lies at the page's
// margins (a PDF writer or a printer with a placement's layout), at the
// placement's scale.
std::vector<PaintedComponent> paintReportPage(QPainter& painter, const QPaintDevice& device,
                                              const Form& form, FormRenderer& renderer, double scale = 1);

// The form as a one-page PDF, in memory.
struct PdfResult {
  bool ok = false;
  std::string error;
  std::vector<PaintedComponent> painted;
  std::string bytes;  // the document (renderReportPdf)
};
// `title`: the document's title (none when empty).
PdfResult renderReportPdf(const Form& form, FormRenderer& renderer, Paper paper = Paper::Letter,
                          const std::string& title = {});
// Several reports, a page each in turn: the first on `paper`, each further
// one on the paper it is laid out on (the analysis page on A4 after the chart
// sheet); `painted` holds the first page's components.
PdfResult renderReportPdf(const std::vector<const Form*>& pages, FormRenderer& renderer,
                          Paper paper = Paper::Letter, const std::string& title = {});

// Writes the form as a one-page PDF. The file appears whole or not at all,
// never through something planted in its place (writeFileSafely). Returns
// the reason, with the system's, when it cannot.
PdfResult writeReportPdf(const Form& form, const std::filesystem::path& file, FormRenderer& renderer,
                         Paper paper = Paper::Letter, const std::string& title = {});
// The same with several reports (renderReportPdf).
PdfResult writeReportPdf(const std::vector<const Form*>& pages, const std::filesystem::path& file,
                         FormRenderer& renderer, Paper paper = Paper::Letter, const std::string& title = {});

// Paints the reports after the first on a device already painted with it (a
// printer, a PDF writer, a preview), a new page each, on the paper it is laid
// out on. False when the device refuses a new page.
bool paintFollowingPages(QPainter& painter, QPagedPaintDevice& device, const std::vector<const Form*>& following,
                         FormRenderer& renderer);

// The whole page at `dpi`, white paper.
QImage renderReportImage(const Form& form, double dpi, FormRenderer& renderer);

}  // namespace vesprin
