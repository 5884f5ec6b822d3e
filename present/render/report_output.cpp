#include "present/render/report_output.h"

#include <system_error>

#include <QPainter>
#include <QPdfWriter>

namespace vesprin {

QPageLayout pageLayoutOf(const PageSetup& page) {
  // A size within a millimetre of a standard paper is that paper (Letter, A4).
  const QPageSize size(QSizeF(page.paperWidthMm, page.paperHeightMm), QPageSize::Millimeter);
  return QPageLayout(size, QPageLayout::Portrait,
                     QMarginsF(page.marginLeftMm, page.marginTopMm, page.marginRightMm, page.marginBottomMm),
                     QPageLayout::Millimeter);
}

std::vector<PaintedComponent> paintReportPage(QPainter& painter, const QPaintDevice& device,
                                              const Form& form, FormRenderer& renderer) {
  return renderer.paint(painter, form, device.logicalDpiX() / kLayoutDpi);
}

namespace {

// A new page on the paper of `form`: the layout set just before the new page
// takes effect with it.
bool startPageFor(QPagedPaintDevice& device, const Form& form) {
  device.setPageLayout(pageLayoutOf(*form.layout().page()));
  return device.newPage();
}

}  // namespace

bool paintReportPages(QPainter& painter, QPagedPaintDevice& device, const std::vector<const Form*>& pages,
                      FormRenderer& renderer) {
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !startPageFor(device, *pages[i])) return false;
    paintReportPage(painter, device, *pages[i], renderer);
  }
  return true;
}

PdfResult writeReportPdf(const Form& form, const std::filesystem::path& file, FormRenderer& renderer) {
  return writeReportPdf(std::vector<const Form*>{&form}, file, renderer);
}

PdfResult writeReportPdf(const std::vector<const Form*>& pages, const std::filesystem::path& file,
                         FormRenderer& renderer) {
  PdfResult result;
  for (const Form* form : pages) {
    if (!form->layout().page()) {
      result.error = form->name() + " is not a report";
      return result;
    }
  }
  if (pages.empty()) {
    result.error = "no page to write to " + file.string();
    return result;
  }
  const Form& form = *pages.front();
  std::filesystem::path part = file;
  part += ".part";
  {
    QPdfWriter writer(QString::fromStdString(part.string()));
    writer.setPageLayout(pageLayoutOf(*form.layout().page()));
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("Vesprin"));
    writer.setTitle(QString::fromStdString(form.name()));
    QPainter painter;
    if (!painter.begin(&writer)) {
      result.error = "cannot write " + file.string();
      std::error_code ec;
      std::filesystem::remove(part, ec);
      return result;
    }
    result.painted = paintReportPage(painter, writer, form, renderer);
    bool more = true;
    for (std::size_t i = 1; more && i < pages.size(); ++i) {
      if ((more = startPageFor(writer, *pages[i]))) paintReportPage(painter, writer, *pages[i], renderer);
    }
    if (!painter.end() || !more) {
      result.error = "cannot write " + file.string();
      std::error_code ec;
      std::filesystem::remove(part, ec);
      return result;
    }
  }
  std::error_code ec;
  std::filesystem::rename(part, file, ec);
  if (ec) {
    result.error = "cannot write " + file.string() + ": " + ec.message();
    std::filesystem::remove(part, ec);
    return result;
  }
  result.ok = true;
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
