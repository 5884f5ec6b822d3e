#include "app/print_step.h"

#include "present/picture_store.h"

namespace vesprin {

PrintOutcome runPrintStep(Forms& forms, bool preview, const std::optional<std::filesystem::path>& pdf,
                          bool unattended, std::ostream& report, bool analysisPage) {
  PictureStore pictures;
  PrintCommand command([&pictures](std::string_view name) { return pictures.find(name); }, report);
  PrintChoice choice{preview, pdf, analysisPage};
  const bool previewSaved = preview && unattended && !pdf;
  if (previewSaved) choice = {false, PrintCommand::fallbackPdfPath(), analysisPage};
  PrintOutcome out = command.run(forms, choice);
  if (previewSaved && out.result == PrintResult::WrittenToPdf)
    report << "vesprin-print: no display for the page preview: the chart sheet is saved as "
           << out.pdf.string() << '\n';
  return out;
}

int exitStatusOfStep(const PrintOutcome& outcome, bool previewSaved) {
  if (previewSaved && outcome.result == PrintResult::WrittenToPdf) return kExitNoPrinter;
  return exitStatusOf(outcome);
}

}  // namespace vesprin
