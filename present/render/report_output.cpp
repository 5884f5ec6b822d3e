#include "present/render/report_output.h"

#include <system_error>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "present/safe_output.h"

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

PdfResult renderReportPdf(const Form& form, FormRenderer& renderer) {
  PdfResult result;
  if (!form.layout().page()) {
    result.error = form.name() + " is not a report";
    return result;
  }
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(pageLayoutOf(*form.layout().page()));
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("Vesprin"));
    writer.setTitle(QString::fromStdString(form.name()));
    QPainter painter;
    if (!painter.begin(&writer) || (result.painted = paintReportPage(painter, writer, form, renderer), !painter.end())) {
      result.error = "cannot paint " + form.name() + " as a PDF";
      return result;
    }
  }
  result.bytes = bytes.toStdString();
  result.ok = true;
  return result;
}

PdfResult writeReportPdf(const Form& form, const std::filesystem::path& file, FormRenderer& renderer) {
  PdfResult result = renderReportPdf(form, renderer);
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
