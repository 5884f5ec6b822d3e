#pragma once
// The print command: the chart sheet to the default printer without a
// dialog, to a page preview, or to a PDF file. Without a usable printer the
// sheet is not lost: it is saved as a PDF in the current directory and its
// path written to standard error, and the result says so.
//
// Needs a QApplication for the preview and the printer (a QGuiApplication is
// enough for --pdf).
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/pdf_text.h"
#include "present/model/forms.h"
#include "present/model/paper.h"
#include "present/render/form_renderer.h"

namespace vesprin {

enum class PrintResult {
  Printed,           // sent to the default printer
  Previewed,         // shown in the preview until its window was closed
  WrittenToPdf,      // written to the PDF file asked for
  SavedWithoutPrinter,  // no usable printer: saved as a PDF in the current directory
  Failed,            // not printed and no PDF could be written
  // The sheet would go out without pictures of the installation (a sign,
  // an element, the gender): nothing printed or written.
  MissingPictures,
};

struct PrintOutcome {
  PrintResult result = PrintResult::Failed;
  std::filesystem::path pdf;  // the file written, for WrittenToPdf and SavedWithoutPrinter
  std::string error;          // why, for Failed
};

struct PrintChoice {
  bool preview = false;                      // CheckBoxPagePreview
  std::optional<std::filesystem::path> pdf;  // --pdf FILE: write the sheet there instead
  Paper paper = Paper::Letter;               // A4: the Letter page scaled to fit and centred
  // The PDF's title and subject, which also name the print job: those of the
  // chart's birth (chartDocumentInfo).
  PdfDocumentInfo document = {};
  bool analysisPage = false;  // --analysis-page: the analysis page follows the sheet, on A4
  // Save the sheet in the current directory under a free name instead, for
  // this reason (a preview asked for where nobody can see it).
  std::string saveAside = {};
};

// Exit statuses of a run that ends with the print command.
inline constexpr int kExitPrinted = 0;
inline constexpr int kExitNoPrinter = 3;     // the sheet was saved as a PDF instead
inline constexpr int kExitInstallation = 4;  // the installation lacks what the sheet needs
inline constexpr int kExitOutputFailed = 5;  // neither printed nor written
int exitStatusOf(const PrintOutcome& outcome);

class PrintCommand {
 public:
  // `report` receives the path of a sheet saved for want of a printer, and
  // failures, each line headed by the program's name.
  PrintCommand(PictureFinder findPicture, std::ostream& report);

  // Copies LabelTitle into QRLabelPowerElements and sets the version text,
  // then previews, prints or writes the chart sheet as chosen.
  PrintOutcome run(Forms& forms, const PrintChoice& choice);

  // Where a sheet goes without a printer: "chart-sheet.pdf" in the current
  // directory, or "chart-sheet-2.pdf", ... when that name is taken (taken
  // at the moment of writing, so that runs at once get names of their own).
  static constexpr const char* kFallbackStem = "chart-sheet";

 private:
  PrintOutcome print(const Form& sheet, const std::string& pdf);
  PrintOutcome preview(const Form& sheet);
  PrintOutcome saveAside(const std::string& pdf, const std::string& why);
  // The paper and the PDF's document information of the run under way.
  Paper paper_ = Paper::Letter;
  PdfDocumentInfo document_;
  std::vector<const Form*> following_;  // the analysis page, when asked for

  FormRenderer renderer_;
  std::ostream& report_;
};

}  // namespace vesprin
