#include "app/chart_pdf.h"

#include "core/birth_input.h"
#include "core/text.h"
#include "present/safe_output.h"

#include <cerrno>

namespace vesprin {

PdfDocumentInfo chartDocumentInfo(const BirthFields& birth) {
  PdfDocumentInfo info;
  info.title = birth.name.empty() ? "ดวงจีน" : birth.name;
  // The month field holds its item text, "03 = มีนาคม", or a bare number.
  const std::string month = monthNumberText(birth.month);
  const std::string_view item = monthItemText(toInt(month));
  const std::string monthName = item.empty() ? month : std::string(item.substr(item.find("= ") + 2));
  info.subject = concat({"ดวงจีน เกิด ", std::to_string(toInt(birth.day)), " ", monthName, " พ.ศ. ", birth.year,
                         " เวลา ", birth.hour, ".", birth.minute, " น."});
  return info;
}

PdfDocumentInfo chartDocumentInfo(const Form& main) {
  BirthFields birth;
  birth.name = main.caption("EditName");
  birth.day = main.caption("ComboBoxdd");
  birth.month = main.caption("ComboBoxmm");
  birth.year = main.caption("ComboBoxyy");
  birth.hour = main.caption("ComboBoxth");
  birth.minute = main.caption("ComboBoxtm");
  return chartDocumentInfo(birth);
}

PdfResult renderChartPdf(const Form& sheet, FormRenderer& renderer, const ChartPdfOptions& options,
                         std::ostream& report) {
  std::vector<const Form*> pages{&sheet};
  pages.insert(pages.end(), options.following.begin(), options.following.end());
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
