#pragma once
// Beside the form: a birth close to a boundary of the chart (a large festival,
// where the year and month pillars turn, or a double-hour edge, where the
// time pillar turns) is said as one types, each warning with the chart on the
// other side of its boundary one click away, its four pillars beside the
// birth's own. Hidden while there is nothing to say.
#include <optional>
#include <vector>

#include <QDialog>
#include <QFrame>

#include "core/boundary_warning.h"

class QLabel;
class QVBoxLayout;

namespace vesprin {

class BoundaryPanel : public QFrame {
  Q_OBJECT
 public:
  explicit BoundaryPanel(QWidget* parent = nullptr);

  // The birth's warnings and its own four pillars; none: nothing to say.
  void setWarnings(const std::vector<BoundaryWarning>& warnings, const std::optional<NatalFour>& chart);
  const std::vector<BoundaryWarning>& warnings() const { return warnings_; }
  // The lines shown, one a warning.
  QStringList lines() const;

  // The two charts of warning `k` side by side, in a dialog that is not yet
  // shown (the button shows it).
  QDialog* otherChartDialog(int k);

  // What a warning says, as one line: where the boundary lies from the birth.
  static QString lineOf(const BoundaryWarning& w);

 private:
  std::vector<BoundaryWarning> warnings_;
  std::optional<NatalFour> chart_;
  QVBoxLayout* rows_;
};

}  // namespace vesprin
