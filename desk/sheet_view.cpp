#include "desk/sheet_view.h"

#include <QScrollBar>
#include <QVBoxLayout>

#include "present/render/report_output.h"

namespace vesprin {

SheetView::SheetView(QWidget* parent)
    : QWidget(parent),
      renderer_([this](std::string_view name) { return pictures_.find(name); }) {
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  banner_ = new QLabel;
  banner_->setWordWrap(true);
  banner_->setStyleSheet(QStringLiteral("background: #fff3cd; color: #7a4b00; padding: 6px;"));
  banner_->hide();
  v->addWidget(banner_);
  scroll_ = new QScrollArea;
  scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  scroll_->setBackgroundRole(QPalette::Dark);
  paper_ = new QLabel;
  paper_->setAlignment(Qt::AlignCenter);
  scroll_->setWidget(paper_);
  v->addWidget(scroll_, 1);
}

void SheetView::setSheet(const Form* sheet) {
  sheet_ = sheet;
  repaintPage();
}

void SheetView::setStale(const QString& why) {
  banner_->setText(why);
  banner_->setVisible(!why.isEmpty());
  paper_->setEnabled(why.isEmpty());
}

void SheetView::setZoom(Zoom zoom) {
  zoom_ = zoom;
  repaintPage();
}

double SheetView::dotsPerInch() const {
  if (zoom_ == Zoom::Actual || !sheet_ || !sheet_->layout().page()) return kLayoutDpi;
  // The paper's width in inches across the view, less the scroll bar.
  const double paperInches = sheet_->layout().page()->paperWidthMm / 25.4;
  const int width = scroll_->viewport()->width() - 8;
  return std::max(24.0, width / paperInches);
}

void SheetView::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (zoom_ == Zoom::FitWidth) repaintPage();
}

void SheetView::repaintPage() {
  if (!sheet_) {
    page_ = {};
    paper_->clear();
    paper_->resize(0, 0);
    return;
  }
  const double ratio = devicePixelRatioF();
  const double dpi = dotsPerInch() * ratio;
  renderer_.setScreenPictures(dpi);
  page_ = renderReportImage(*sheet_, dpi, renderer_);
  page_.setDevicePixelRatio(ratio);
  paper_->setPixmap(QPixmap::fromImage(page_));
  paper_->resize(page_.size() / ratio);
}

}  // namespace vesprin
