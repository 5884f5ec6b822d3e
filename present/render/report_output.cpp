#include "present/render/report_output.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "present/render/safe_output.h"

namespace vesprin {

QPageLayout pageLayoutOf(const PageSetup& page) {
  // A size within a millimetre of a standard paper is that paper (Letter, A4).
  const QPageSize size(QSizeF(page.paperWidthMm, page.paperHeightMm), QPageSize::Millimeter);
  return QPageLayout(size, QPageLayout::Portrait,
                     QMarginsF(page.marginLeftMm, page.marginTopMm, page.marginRightMm, page.marginBottomMm),
                     QPageLayout::Millimeter);
}

PaperPlacement placeOnPaper(const PageSetup& page, Paper paper) { return placeOnPaper(page, paperSize(paper)); }

PaperPlacement placeOnPaper(const PageSetup& page, PaperSize sheet) {
  const double scale = std::min({1.0, sheet.widthMm / page.paperWidthMm, sheet.heightMm / page.paperHeightMm});
  // Letter on Letter (or A4 on A4) is the page as designed.
  if (std::abs(sheet.widthMm - page.paperWidthMm) < 1 && std::abs(sheet.heightMm - page.paperHeightMm) < 1)
    return {pageLayoutOf(page), 1};
  const double dx = (sheet.widthMm - page.paperWidthMm * scale) / 2;
  const double dy = (sheet.heightMm - page.paperHeightMm * scale) / 2;
  const QPageSize size(QSizeF(sheet.widthMm, sheet.heightMm), QPageSize::Millimeter);
  const QMarginsF margins(dx + page.marginLeftMm * scale, dy + page.marginTopMm * scale,
                          dx + page.marginRightMm * scale, dy + page.marginBottomMm * scale);
  return {QPageLayout(size, QPageLayout::Portrait, margins, QPageLayout::Millimeter), scale};
}

std::vector<PaintedComponent> paintReportPage(QPainter& painter, const QPaintDevice& device,
                                              const Form& form, FormRenderer& renderer, double scale) {
  return renderer.paint(painter, form, device.logicalDpiX() / kLayoutDpi * scale);
}

bool paintFollowingPages(QPainter& painter, QPagedPaintDevice& device, const std::vector<const Form*>& following,
                         FormRenderer& renderer) {
  for (const Form* form : following) {
    // The layout set just before the new page takes effect with it.
    device.setPageLayout(pageLayoutOf(*form->layout().page()));
    if (!device.newPage()) return false;
    paintReportPage(painter, device, *form, renderer);
  }
  return true;
}

PdfResult renderReportPdf(const Form& form, FormRenderer& renderer, Paper paper, const std::string& title) {
  return renderReportPdf(std::vector<const Form*>{&form}, renderer, paper, title);
}

PdfResult renderReportPdf(const std::vector<const Form*>& pages, FormRenderer& renderer, Paper paper,
                          const std::string& title) {
  PdfResult result;
  if (pages.empty()) {
    result.error = "no page to paint as a PDF";
    return result;
  }
  for (const Form* page : pages) {
    if (!page->layout().page()) {
      result.error = page->name() + " is not a report";
      return result;
    }
  }
  const Form& form = *pages.front();
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    const PaperPlacement placement = placeOnPaper(*form.layout().page(), paper);
    writer.setPageLayout(placement.layout);
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("Vesprin"));
    if (!title.empty()) writer.setTitle(QString::fromStdString(title));
    QPainter painter;
    if (!painter.begin(&writer)) {
      result.error = "cannot paint " + form.name() + " as a PDF";
      return result;
    }
    result.painted = paintReportPage(painter, writer, form, renderer, placement.scale);
    const bool following =
        paintFollowingPages(painter, writer, std::vector<const Form*>(pages.begin() + 1, pages.end()), renderer);
    if (!painter.end() || !following) {
      result.error = "cannot paint " + form.name() + " as a PDF";
      return result;
    }
  }
  result.bytes = bytes.toStdString();
  result.ok = true;
  return result;
}

PdfResult writeReportPdf(const Form& form, const std::filesystem::path& file, FormRenderer& renderer,
                         Paper paper, const std::string& title) {
  return writeReportPdf(std::vector<const Form*>{&form}, file, renderer, paper, title);
}

PdfResult writeReportPdf(const std::vector<const Form*>& pages, const std::filesystem::path& file,
                         FormRenderer& renderer, Paper paper, const std::string& title) {
  PdfResult result = renderReportPdf(pages, renderer, paper, title);
  if (!result.ok) return result;
  const SafeWrite written = writeFileSafely(file, result.bytes);
  if (!written.ok) {
    result.ok = false;
    result.error = written.error;
  }
  return result;
}

QImage renderReportImage(const Form& form, double dpi, FormRenderer& renderer) {
  const PageSetup page = form.layout().page().value_or(PageSetup{});
  const double mmToPx = dpi / 25.4;
  QImage image(static_cast<int>(page.paperWidthMm * mmToPx + 0.5),
               static_cast<int>(page.paperHeightMm * mmToPx + 0.5), QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
  image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
  image.fill(Qt::white);
  QPainter painter(&image);
  const double scale = dpi / kLayoutDpi;
  painter.translate(page.bandLeft * scale, page.bandTop * scale);
  renderer.paint(painter, form, scale);
  return image;
}

}  // namespace vesprin
