#pragma once
// The desk: the entry form and the decorations at the left, the live chart
// sheet at the right, an optional side panel (the client list) at the far
// left. Every change rebuilds the request and its sheet through the engine's
// own start-up, layout, binding and renderer; print, PDF and the hand-over
// files all go out from the sheet that is shown.
#include <filesystem>
#include <memory>

#include <QAction>
#include <QCheckBox>
#include <QMainWindow>
#include <QSplitter>
#include <QTimer>

#include "app/print_command.h"
#include "desk/birth_form.h"
#include "desk/boundary_panel.h"
#include "desk/decorations_panel.h"
#include "desk/sheet_builder.h"
#include "desk/sheet_view.h"

namespace vesprin {

class DeskWindow : public QMainWindow {
  Q_OBJECT
 public:
  // `builder` must outlive the window.
  explicit DeskWindow(SheetBuilder& builder, QWidget* parent = nullptr);
  ~DeskWindow() override;

  // --- For the client book -------------------------------------------
  // The request of what the form holds now (the birth as typed, the
  // decorations with the figures computed from the cast where asked for).
  PrintRequest request() const;
  // Loads a request into the form: birth and decorations. Figures equal to
  // the cast's own are taken as following the chart.
  void setRequest(const PrintRequest& request);
  // A panel at the left of the form, e.g. a client list; the window owns it.
  void setSidePanel(QWidget* panel);

  // --- Commands (also for tests) ----------------------------------------
  // Whether the form holds a birth whose sheet is shown and may go out.
  bool canPrint() const { return sheet_ != nullptr; }
  void refreshNow();
  PrintOutcome printOnDefaultPrinter();
  PrintOutcome savePdfTo(const std::filesystem::path& file);
  // Writes the two hand-over files into `dir`; empty when written, else why not.
  QString writeHandoverTo(const QString& dir);
  // The file name a PDF is offered under: the client's name and birth date,
  // in the user's documents folder.
  QString defaultPdfPath() const;
  // The paper every print and PDF goes on; kept in the desk's settings.
  Paper paper() const { return paper_; }
  void setPaper(Paper paper);
  // Whether the analysis page (A4) follows the sheet on every print and PDF;
  // kept in the desk's settings.
  bool analysisPage() const;
  void setAnalysisPage(bool on);
  // How many minutes from a large festival or a double-hour edge a birth is
  // warned about (0..120, default 30); kept in the desk's settings.
  int boundaryMargin() const { return builder_.boundaryRule().marginMinutes; }
  void setBoundaryMargin(int minutes);

  BirthForm* entry() const { return entry_; }
  DecorationsPanel* decorationsPanel() const { return decorations_; }
  BoundaryPanel* boundaryPanel() const { return boundary_; }
  SheetView* sheetView() const { return view_; }
  // The forms of the sheet shown, none while the form holds no birth.
  const Forms* sheetForms() const { return sheet_.get(); }

 signals:
  // Ctrl+S: the client book keeps the request.
  void saveClientRequested(const vesprin::PrintRequest& request);
  // A sheet went out: the printer's name or the PDF's path, and the paper
  // ("letter", "a4", or the name of another paper chosen in the print dialog).
  void sheetPrinted(const vesprin::PrintRequest& request, const QString& where, const QString& paper);

 private:
  void buildActions();
  // The engine's print command on the sheet shown, on the desk's paper.
  PrintOutcome runPrintCommand(PrintChoice choice);
  void scheduleRefresh();
  void printWithDialog();
  void askBoundaryMargin();
  void savePdf();
  void writeHandover();
  void saveClient();
  void updateTitle();
  void say(const QString& text);

  SheetBuilder& builder_;
  BirthForm* entry_;
  BoundaryPanel* boundary_;
  DecorationsPanel* decorations_;
  SheetView* view_;
  QSplitter* splitter_;
  QWidget* side_ = nullptr;
  QTimer refreshTimer_;
  std::unique_ptr<Forms> sheet_;
  Birth sheetBirth_;  // the birth the sheet shows, which names its PDF and print job
  PrintRequest request_;
  bool refreshing_ = false;
  QList<QAction*> outputs_;  // enabled only with a sheet
  Paper paper_ = Paper::Letter;
  QAction* letter_ = nullptr;
  QAction* a4_ = nullptr;
  QCheckBox* analysisPage_ = nullptr;
};

}  // namespace vesprin
