#include "app/print_step.h"

#include <sstream>

#include "app/chart_pdf.h"
#include "core/text_file.h"
#include "present/pictures/picture_store.h"

namespace vesprin {

PrintOutcome runPrintStep(Forms& forms, const Birth& birth, bool preview, const std::optional<std::filesystem::path>& pdf,
                          bool unattended, std::ostream& report, Paper paper, bool analysisPage) {
  // A picture that is not there refuses the sheet, in one message of the
  // print command's; the store's own word on it would be a second one.
  std::ostringstream quiet;
  PictureStore pictures(dataDirectory(), quiet);
  PrintCommand command([&pictures](std::string_view name) { return pictures.find(name); }, report);
  PrintChoice choice;
  choice.preview = preview;
  choice.pdf = pdf;
  choice.paper = paper;
  choice.analysisPage = analysisPage;
  choice.document = chartDocumentInfo(birth);
  if (preview && unattended && !pdf) choice.saveAside = "no display for the page preview";
  return command.run(forms, choice);
}

std::string refusalNotice(const std::string& cause) {
  return "คำขอพิมพ์ดวงไม่ถูกต้อง ไม่ได้พิมพ์ดวง\r\r" + cause;
}

void reportRefusal(const std::string& cause, std::ostream& err, UserInterface* box) {
  err << "vesprin-print: request refused, nothing printed: " << cause << '\n';
  if (box) box->error(refusalNotice(cause));
}

}  // namespace vesprin
