#pragma once
// The live chart sheet: the sheet form painted by the renderer that prints
// it, on white paper, fitted to the width of the view, the whole page in
// view, or at 100 % (one layout pixel a screen pixel, as the sheet was
// designed at 96 per inch).
#include <QLabel>
#include <QScrollArea>

#include "present/model/form.h"
#include "present/pictures/picture_store.h"
#include "present/render/form_renderer.h"

namespace vesprin {

class SheetView : public QWidget {
  Q_OBJECT
 public:
  enum class Zoom { FitWidth, FitPage, Actual };
  explicit SheetView(QWidget* parent = nullptr);

  // The sheet to show; it must outlive the view's use of it (none: empty paper).
  void setSheet(const Form* sheet);
  // Says above the paper why it is not the form's birth (empty: it is).
  void setStale(const QString& why);
  void setZoom(Zoom zoom);
  Zoom zoom() const { return zoom_; }
  // The page as last painted.
  const QImage& page() const { return page_; }

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void repaintPage();
  double dotsPerInch() const;

  QLabel* banner_;
  QScrollArea* scroll_;
  QLabel* paper_;
  PictureStore pictures_;
  FormRenderer renderer_;
  const Form* sheet_ = nullptr;
  QImage page_;
  Zoom zoom_ = Zoom::FitWidth;
};

}  // namespace vesprin
