#include "app/chart_pdf.h"

#include "core/birth.h"
#include "core/text.h"
#include "present/render/safe_output.h"
#include "present/texts/birth_texts.h"

#include <cerrno>

namespace vesprin {

PdfDocumentInfo chartDocumentInfo(const Birth& birth) {
  PdfDocumentInfo info;
  info.title = birth.name.empty() ? "ดวงจีน" : birth.name;
  const std::string_view month = monthThaiName(birth.date.month);
  info.subject = concat({"ดวงจีน เกิด ", std::to_string(birth.date.day), " ",
                         month.empty() ? padded(birth.date.month, 2) : std::string(month), " พ.ศ. ",
                         padded(birth.date.year, 4), " เวลา ", padded(birth.time.hour, 2), ".",
                         padded(birth.time.minute, 2), " น."});
  return info;
}

PdfResult renderChartPdf(const Form& sheet, FormRenderer& renderer, const ChartPdfOptions& options,
                         std::ostream& report) {
  std::vector<const Form*> pages{&sheet};
  pages.insert(pages.end(), options.following.begin(), options.following.end());
  if (options.pictureStandIns) {
    renderer.setPictureStandIns(true);
    PdfResult made = renderReportPdf(pages, renderer, options.paper, options.document.title);
    renderer.setPictureStandIns(false);
    std::size_t replaced = 0;
    if (made.ok &&
        finishPdfBytes(made.bytes, options.document, ContentReading::AsQtWrites,
                       [&renderer](std::string_view head, std::size_t size) -> std::optional<RealPicture> {
                         const auto real = renderer.standInData(head, size);
                         if (!real) return std::nullopt;
                         return RealPicture{real->data, real->colour};
                       },
                       &replaced)
            .empty() &&
        replaced == renderer.standInsPainted())
      return made;
  }
  PdfResult made = renderReportPdf(pages, renderer, options.paper, options.document.title);
  if (!made.ok) return made;
  if (const std::string error = finishPdfBytes(made.bytes, options.document); !error.empty())
    report << program_invocation_short_name << ": the chart sheet is kept as Qt wrote it, its text layer not mended ("
           << error << "): copied text may lose Thai tone marks\n";
  return made;
}

PdfResult writeChartPdf(const Form& sheet, const std::filesystem::path& file, FormRenderer& renderer,
                        const ChartPdfOptions& options, std::ostream& report) {
  PdfResult written = renderChartPdf(sheet, renderer, options, report);
  if (!written.ok) return written;
  if (const SafeWrite safe = writeFileSafely(file, written.bytes); !safe.ok) {
    written.ok = false;
    written.error = safe.error;
  }
  return written;
}

}  // namespace vesprin
