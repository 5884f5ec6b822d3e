#include "desk/marks_picture.h"

#include <QMouseEvent>
#include <QPainter>

#include "present/texts/sign_names.h"

namespace vesprin {
namespace {

// Geometry in widget pixels: columns 46 apart, the pillar between the two
// rows of marks, the clash brackets below.
constexpr int kColumnStep = 52, kRight = 40, kBonY = 22, kLangY = 118, kTick = 10;

QColor qcolour(const Colour& c) { return QColor(c.r, c.g, c.b); }
QString qstring(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

MarksPicture::MarksPicture(QWidget* parent) : QWidget(parent) {
  for (MarkCode& m : marks_) m.white = true;
  setMinimumSize(sizeHint());
  setCursor(Qt::PointingHandCursor);
  setToolTip(tr("Click a mark to draw it in the chosen pen; click it again to take it away"));
}

QSize MarksPicture::sizeHint() const { return {kRight * 2 + kColumnStep * 3, kLangY + 40}; }

int MarksPicture::columnCentre(int column) const {
  return width() / 2 + (3 * kColumnStep) / 2 - column * kColumnStep;
}

QRect MarksPicture::markArea(int k) const {
  const bool bon = k < 7;
  const int y = bon ? kBonY : kLangY;
  const int c = k % 7;
  if (c < 4) return QRect(columnCentre(c) - 9, y - 6, 18, kTick + 12).translated(0, bon ? -2 : -kTick);
  // A connector: between the ticks of its two columns.
  const int left = columnCentre(c - 3) + 9, right = columnCentre(c - 4) - 9;
  return QRect(left, y - 8, right - left, 16);
}

void MarksPicture::setMarks(const std::array<MarkCode, kMarkCount>& marks) {
  marks_ = marks;
  update();
}

void MarksPicture::setPen(bool dotted, int colour) {
  pen_ = {false, dotted, kMarkColours[std::clamp(colour, 1, 5) - 1]};
}

void MarksPicture::setPillars(const std::optional<NatalPillars>& pillars) {
  pillars_ = pillars;
  update();
}

void MarksPicture::setClashes(const std::array<bool, 3>& drawn, const std::array<bool, 3>& suggested) {
  clashes_ = drawn;
  suggested_ = suggested;
  update();
}

void MarksPicture::mousePressEvent(QMouseEvent* e) {
  for (int k = 0; k < kMarkCount; ++k) {
    if (!markArea(k).contains(e->position().toPoint())) continue;
    MarkCode& m = marks_[static_cast<std::size_t>(k)];
    m = m.white ? pen_ : MarkCode{true, false, {}};
    update();
    emit marksChanged();
    return;
  }
}

void MarksPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  QFont big = font();
  big.setPixelSize(24);
  const char* positions[] = {QT_TR_NOOP("Year"), QT_TR_NOOP("Month"), QT_TR_NOOP("Day"), QT_TR_NOOP("Time")};
  for (int c = 0; c < 4; ++c) {
    const int x = columnCentre(c);
    const QRect box(x - 18, kBonY + 16, 36, 66);
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.drawRect(box);
    p.setPen(Qt::black);
    if (pillars_) {
      const Pillar pillar = pillars_->inOrder()[static_cast<std::size_t>(c)];
      p.setFont(big);
      if (pillar.ok()) {
        p.drawText(QRect(box.left(), box.top() + 2, box.width(), 30), Qt::AlignCenter,
                   qstring(stemCharacter(pillar.stem)));
        p.drawText(QRect(box.left(), box.top() + 33, box.width(), 30), Qt::AlignCenter,
                   qstring(branchCharacter(pillar.branch)));
      }
    }
    p.setFont(font());
    p.setPen(QColor(110, 110, 110));
    p.drawText(QRect(x - 26, 0, 52, 14), Qt::AlignCenter, tr(positions[c]));
  }
  // Each mark: off as a faint grey guide, on in its pen.
  for (int k = 0; k < kMarkCount; ++k) {
    const MarkCode& m = marks_[static_cast<std::size_t>(k)];
    QPen pen(m.white ? QColor(220, 220, 220) : qcolour(m.colour.value_or(colours::kBlack)), m.white ? 1 : 3);
    if (m.dotted && !m.white) pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    const bool bon = k < 7;
    const int y = bon ? kBonY : kLangY;
    const int c = k % 7;
    if (c < 4) {
      const int x = columnCentre(c);
      p.drawLine(x, bon ? y : y - kTick, x, bon ? y + kTick : y);
    } else {
      p.drawLine(columnCentre(c - 3), y, columnCentre(c - 4), y);
    }
  }
  // The clash pictures between neighbours, below the pillars.
  for (int i = 0; i < 3; ++i) {
    if (!clashes_[static_cast<std::size_t>(i)] && !suggested_[static_cast<std::size_t>(i)]) continue;
    const int x = (columnCentre(i) + columnCentre(i + 1)) / 2;
    const QRect spot(x - 10, kLangY - 30, 20, 20);
    if (clashes_[static_cast<std::size_t>(i)]) {
      p.setPen(QPen(QColor(200, 0, 0), 2));
      p.drawEllipse(spot);
      QFont f = font();
      f.setPixelSize(13);
      p.setFont(f);
      p.drawText(spot, Qt::AlignCenter, QStringLiteral("沖"));
    } else {
      p.setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
      p.drawEllipse(spot);
      p.drawText(spot, Qt::AlignCenter, QStringLiteral("?"));
    }
  }
}

}  // namespace vesprin
