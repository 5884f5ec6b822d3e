#pragma once
// A report form on paper: its page layout (paper and margins), and the page
// written to a PDF file or painted into an image.
#include <filesystem>
#include <string>
#include <vector>

#include <QImage>
#include <QPageLayout>

#include "present/render/form_renderer.h"

class QPagedPaintDevice;

namespace vesprin {

// Paper, portrait, and the margins of the report's page setup.
QPageLayout pageLayoutOf(const PageSetup& page);

// Paints the form on a device whose painter origin lies at the page's
// margins (a PDF writer or a printer with that page layout).
std::vector<PaintedComponent> paintReportPage(QPainter& painter, const QPaintDevice& device,
                                              const Form& form, FormRenderer& renderer);

// Writes the form as a one-page PDF. The file appears whole or not at all
// (written beside it, then renamed). Returns the reason when it cannot.
struct PdfResult {
  bool ok = false;
  std::string error;
  std::vector<PaintedComponent> painted;
};
PdfResult writeReportPdf(const Form& form, const std::filesystem::path& file, FormRenderer& renderer);
// The same with several reports, one page each in turn, each on its own
// paper (the chart sheet on Letter, the analysis page on A4); `painted` holds
// the first page's components.
PdfResult writeReportPdf(const std::vector<const Form*>& pages, const std::filesystem::path& file,
                         FormRenderer& renderer);

// Paints the reports on a device already begun with the first one's page
// layout, starting a new page, with the next one's paper, for each further
// report (a printer, a PDF writer, a preview). False when the device refuses
// a new page.
bool paintReportPages(QPainter& painter, QPagedPaintDevice& device, const std::vector<const Form*>& pages,
                      FormRenderer& renderer);

// The whole page at `dpi`, white paper.
QImage renderReportImage(const Form& form, double dpi, FormRenderer& renderer);

}  // namespace vesprin
