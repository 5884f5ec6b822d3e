#include "app/print_step.h"

#include "present/picture_store.h"

namespace vesprin {

PrintOutcome runPrintStep(Forms& forms, bool preview, const std::optional<std::filesystem::path>& pdf,
                          bool unattended, std::ostream& report, Paper paper, bool analysisPage) {
  PictureStore pictures;
  PrintCommand command([&pictures](std::string_view name) { return pictures.find(name); }, report);
  PrintChoice choice;
  choice.preview = preview;
  choice.pdf = pdf;
  choice.paper = paper;
  choice.analysisPage = analysisPage;
  const bool previewSaved = preview && unattended && !pdf;
  if (previewSaved) {
    choice.preview = false;
    choice.pdf = PrintCommand::fallbackPdfPath();
  }
  PrintOutcome out = command.run(forms, choice);
  if (previewSaved && out.result == PrintResult::WrittenToPdf)
    report << "vesprin-print: no display for the page preview: the chart sheet is saved as "
           << out.pdf.string() << '\n';
  return out;
}

std::string refusalNotice(const std::string& cause) {
  return "คำขอพิมพ์ดวงไม่ถูกต้อง ไม่ได้พิมพ์ดวง\r\r" + cause;
}

void reportRefusal(const std::string& cause, std::ostream& err, UserInterface* box) {
  err << "vesprin-print: request refused, nothing printed: " << cause << '\n';
  if (box) box->error(refusalNotice(cause));
}

int exitStatusOfStep(const PrintOutcome& outcome, bool previewSaved) {
  if (previewSaved && outcome.result == PrintResult::WrittenToPdf) return kExitNoPrinter;
  return exitStatusOf(outcome);
}

}  // namespace vesprin
