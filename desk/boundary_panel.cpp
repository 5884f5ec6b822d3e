#include "desk/boundary_panel.h"

#include <cstdlib>

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "present/texts/sign_names.h"

namespace vesprin {
namespace {

// "甲子" over the sign numbers "1 · 1", as the sheet's rows show them.
QString pillarText(Pillar p) {
  const std::string_view stem = stemCharacter(p.stem), branch = branchCharacter(p.branch);
  return QString::fromUtf8(stem.data(), static_cast<qsizetype>(stem.size())) +
         QString::fromUtf8(branch.data(), static_cast<qsizetype>(branch.size())) +
         QStringLiteral("\n%1 · %2").arg(p.stem.number()).arg(p.branch.number());
}

// "07:56" as a Thai clock writes it: "07.56".
QString clockText(const std::string& at) { return QString::fromStdString(at).replace(QLatin1Char(':'), QLatin1Char('.')); }

}  // namespace

BoundaryPanel::BoundaryPanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("boundaryPanel"));
  setFrameShape(QFrame::StyledPanel);
  setStyleSheet(QStringLiteral("#boundaryPanel { background: #fff3c4; border: 1px solid #d9b44a; }"));
  rows_ = new QVBoxLayout(this);
  rows_->setContentsMargins(6, 4, 6, 4);
  hide();
}

QString BoundaryPanel::lineOf(const BoundaryWarning& w) {
  const QString at = clockText(w.at);
  const int minutes = std::abs(w.minutes);
  if (w.kind == BoundaryKind::Festival) {
    if (w.minutes == 0) return tr("Born at the large festival, %1: the year and month pillars turn then.").arg(at);
    return (w.minutes > 0 ? tr("Born %1 min before the large festival at %2: the year and month pillars turn then.")
                          : tr("Born %1 min after the large festival at %2: the year and month pillars turned then."))
        .arg(minutes)
        .arg(at);
  }
  if (w.minutes == 0) return tr("Born on the double-hour edge, %1: the time pillar turns then.").arg(at);
  return (w.minutes > 0 ? tr("Born %1 min before the double-hour edge at %2: the time pillar turns then.")
                        : tr("Born %1 min after the double-hour edge at %2: the time pillar turned then."))
      .arg(minutes)
      .arg(at);
}

void BoundaryPanel::setWarnings(const std::vector<BoundaryWarning>& warnings, const std::optional<NatalFour>& chart) {
  if (warnings == warnings_ && chart == chart_) return;
  warnings_ = warnings;
  chart_ = chart;
  while (QLayoutItem* item = rows_->takeAt(0)) {
    if (QWidget* w = item->widget()) w->deleteLater();
    if (QLayout* l = item->layout()) {
      while (QLayoutItem* inner = l->takeAt(0)) {
        if (inner->widget()) inner->widget()->deleteLater();
        delete inner;
      }
    }
    delete item;
  }
  for (std::size_t k = 0; k < warnings_.size(); ++k) {
    auto* row = new QHBoxLayout;
    auto* text = new QLabel(lineOf(warnings_[k]));
    text->setWordWrap(true);
    auto* other = new QPushButton(tr("Other chart…"));
    other->setToolTip(tr("The four pillars on the other side of this boundary, beside the birth's own"));
    connect(other, &QPushButton::clicked, this, [this, k] {
      QDialog* dialog = otherChartDialog(static_cast<int>(k));
      dialog->setAttribute(Qt::WA_DeleteOnClose);
      dialog->open();
    });
    row->addWidget(text, 1);
    row->addWidget(other, 0, Qt::AlignTop);
    rows_->addLayout(row);
  }
  setVisible(!warnings_.empty());
}

QStringList BoundaryPanel::lines() const {
  QStringList out;
  for (const BoundaryWarning& w : warnings_) out << lineOf(w);
  return out;
}

QDialog* BoundaryPanel::otherChartDialog(int k) {
  const BoundaryWarning& w = warnings_.at(static_cast<std::size_t>(k));
  auto* dialog = new QDialog(this);
  dialog->setWindowTitle(tr("The chart on the other side"));
  auto* layout = new QVBoxLayout(dialog);
  auto* said = new QLabel(lineOf(w));
  said->setWordWrap(true);
  layout->addWidget(said);
  // As on the sheet: the year at the right, the time at the left.
  auto* grid = new QGridLayout;
  const QString positions[] = {tr("Time"), tr("Day"), tr("Month"), tr("Year")};
  for (int c = 0; c < 4; ++c) {
    auto* head = new QLabel(QStringLiteral("<b>%1</b>").arg(positions[c]));
    head->setAlignment(Qt::AlignCenter);
    grid->addWidget(head, 0, c + 1);
  }
  const auto inOrder = [](const NatalFour& f) { return std::array<Pillar, 4>{f.time, f.day, f.month, f.year}; };
  const std::array<Pillar, 4> other = inOrder(w.other);
  const std::optional<std::array<Pillar, 4>> own = chart_ ? std::optional(inOrder(*chart_)) : std::nullopt;
  const QString rowNames[] = {tr("This birth"), tr("Other side")};
  for (int r = 0; r < 2; ++r) {
    grid->addWidget(new QLabel(rowNames[r]), r + 1, 0);
    for (int c = 0; c < 4; ++c) {
      const std::optional<Pillar> p = r == 0 ? (own ? std::optional((*own)[static_cast<std::size_t>(c)]) : std::nullopt)
                                             : std::optional(other[static_cast<std::size_t>(c)]);
      auto* cell = new QLabel(p ? pillarText(*p) : QStringLiteral("–"));
      cell->setObjectName(QStringLiteral("pillar_%1_%2").arg(r).arg(c));
      cell->setAlignment(Qt::AlignCenter);
      cell->setMinimumWidth(64);
      QFont big = cell->font();
      big.setPointSizeF(big.pointSizeF() * 1.4);
      cell->setFont(big);
      // The pillars that turn at the boundary stand out.
      const bool differs = own && (*own)[static_cast<std::size_t>(c)] != other[static_cast<std::size_t>(c)];
      cell->setStyleSheet(differs ? QStringLiteral("color: #b00000; font-weight: bold;") : QString());
      grid->addWidget(cell, r + 1, c + 1);
    }
  }
  layout->addLayout(grid);
  // Qt has no Thai for its standard buttons: the desk's own.
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(buttons);
  return dialog;
}

}  // namespace vesprin
