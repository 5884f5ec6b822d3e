#pragma once
// The fourteen relationship marks on a small picture of the four natal
// pillars, laid out as on the sheet (year at the right): a tick over and
// under each pillar and a connector between neighbours. A click turns a mark
// on in the chosen pen (solid or dotted, one of the five colours) or off
// again. The clash pictures show in the brackets below, a suggested clash as
// a dashed outline.
#include <array>
#include <optional>

#include <QWidget>

#include "core/sign.h"
#include "interpret/natal_pillars.h"
#include "present/request/print_request.h"

namespace vesprin {

class MarksPicture : public QWidget {
  Q_OBJECT
 public:
  explicit MarksPicture(QWidget* parent = nullptr);

  // White codes are marks that are off.
  const std::array<MarkCode, kMarkCount>& marks() const { return marks_; }
  void setMarks(const std::array<MarkCode, kMarkCount>& marks);
  // The pen a click gives a mark.
  void setPen(bool dotted, int colour);  // colour 1..5
  void setPillars(const std::optional<NatalPillars>& pillars);
  void setClashes(const std::array<bool, 3>& drawn, const std::array<bool, 3>& suggested);

  // Mark k's clickable area (for tests and the keyboard-less).
  QRect markArea(int k) const;
  QSize sizeHint() const override;

 signals:
  void marksChanged();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  int columnCentre(int column) const;  // 0 year .. 3 time, right to left
  std::array<MarkCode, kMarkCount> marks_{};
  MarkCode pen_{false, false, colours::kBlue};
  std::optional<NatalPillars> pillars_;
  std::array<bool, 3> clashes_{}, suggested_{};
};

}  // namespace vesprin
