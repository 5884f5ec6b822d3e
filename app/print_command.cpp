#include "app/print_command.h"

#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <set>

#include "app/chart_pdf.h"
#include "app/cups_queue.h"
#include "present/binding/print_steps.h"
#include "present/render/report_output.h"
#include "present/render/safe_output.h"

namespace vesprin {

namespace {

// The program's name at the head of every line it reports.
std::string program() { return program_invocation_short_name; }

// The balance panel's two pictures come from the companion's drive roots
// and may be absent; every other picture is part of the installation, and a
// sheet without one (a blank sign, a box of noise) is not a chart to hand out.
constexpr std::string_view kOptionalPictures[] = {"QRImageA1", "QRImageA2"};

std::string missingPictures(const std::vector<PaintedComponent>& painted) {
  std::string missing;
  std::set<std::string> seen;
  for (const PaintedComponent& c : painted) {
    if (c.missing.empty() || std::find(std::begin(kOptionalPictures), std::end(kOptionalPictures), c.name) !=
                                 std::end(kOptionalPictures))
      continue;
    // One picture asked for as "o4.bmp" and "O4.bmp" is one file, said once.
    std::string folded = c.missing;
    for (char& ch : folded) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (seen.insert(folded).second) missing += (missing.empty() ? "" : ", ") + c.missing;
  }
  return missing;
}

// CUPS names of the papers.
std::string mediaOf(Paper paper) { return paper == Paper::A4 ? "A4" : "Letter"; }

}  // namespace

int exitStatusOf(const PrintOutcome& outcome) {
  switch (outcome.result) {
    case PrintResult::Printed:
    case PrintResult::Previewed:
    case PrintResult::WrittenToPdf:
      return kExitPrinted;
    case PrintResult::SavedWithoutPrinter:
      return kExitNoPrinter;
    case PrintResult::MissingPictures:
      return kExitInstallation;
    case PrintResult::Failed:
      break;
  }
  return kExitOutputFailed;
}

PrintCommand::PrintCommand(PictureFinder findPicture, std::ostream& report)
    : renderer_(std::move(findPicture)), report_(report) {
  // The pictures' compressed data is kept between runs: compressing them is
  // a good part of a run that prints one sheet.
  const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  if (!cache.isEmpty()) renderer_.setPictureCache(std::filesystem::path(cache.toStdString()) / "vesprin" / "pictures");
}

PrintOutcome PrintCommand::run(Forms& forms, const PrintChoice& choice) {
  prepareChartSheetForPrint(forms);
  const Form& sheet = forms.chartSheet;
  paper_ = choice.paper;
  document_ = choice.document;
  following_.clear();
  if (choice.analysisPage) following_.push_back(&forms.analysisPage);
  // The page is made once, whole, before it goes anywhere.
  // Pictures as stand-ins, their data compressed once (and kept, see above).
  const PdfResult pdf = renderChartPdf(sheet, renderer_, {paper_, document_, following_, true}, report_);
  if (!pdf.ok) {
    report_ << program() << ": " << pdf.error << '\n';
    return {PrintResult::Failed, {}, pdf.error};
  }
  if (const std::string missing = missingPictures(pdf.painted); !missing.empty()) {
    const std::string why = "the chart sheet lacks pictures of the installation: " + missing +
                            " (pictures are looked for in the current directory, then in the data directory's "
                            "pictures/)";
    report_ << program() << ": " << why << '\n';
    return {PrintResult::MissingPictures, {}, why};
  }
  if (choice.pdf) {
    const SafeWrite written = writeFileSafely(*choice.pdf, pdf.bytes);
    if (!written.ok) {
      report_ << program() << ": " << written.error << '\n';
      return {PrintResult::Failed, {}, written.error};
    }
    return {PrintResult::WrittenToPdf, std::filesystem::absolute(*choice.pdf), {}};
  }
  if (!choice.saveAside.empty()) return saveAside(pdf.bytes, choice.saveAside);
  if (choice.preview) return preview(sheet);
  return print(sheet, pdf.bytes);
}

PrintOutcome PrintCommand::saveAside(const std::string& pdf, const std::string& why) {
  std::error_code ec;
  const SafeWrite saved = writeNewFile(std::filesystem::current_path(ec), kFallbackStem, ".pdf", pdf);
  if (!saved.ok) {
    report_ << program() << ": " << why << "; the chart sheet cannot be saved either: " << saved.error << '\n';
    return {PrintResult::Failed, {}, saved.error};
  }
  report_ << program() << ": " << why << "; the chart sheet was saved as " << saved.path.string() << '\n';
  return {PrintResult::SavedWithoutPrinter, saved.path, {}};
}

PrintOutcome PrintCommand::print(const Form&, const std::string& pdf) {
  // The default queue, no dialog; the sheet counts as printed only when the
  // queue took it, and one it did not take is saved rather than lost.
  const QueueHandOver job = printOnDefaultQueue(pdf, document_.title, mediaOf(paper_));
  if (job.taken) {
    if (!job.note.empty()) report_ << program() << ": " << job.note << '\n';
    return {PrintResult::Printed, {}, {}};
  }
  return saveAside(pdf, "not printed: " + job.note);
}

}  // namespace vesprin
