#include "desk/decorations_panel.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "interpret/branch_clash.h"
#include "present/bind_handover.h"
#include "present/request/computed_marks.h"
#include "present/sign_names.h"

namespace vesprin {
namespace {

QString fromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string toUtf8(const QString& s) {
  const QByteArray b = s.toUtf8();
  return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

// The climate verdicts in the order of their heat, with their codes.
struct VerdictItem {
  const char* code;
  const char* text;
};
constexpr VerdictItem kVerdicts[] = {{"VC", QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "Very cold")},
                                     {"C", QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "Cold group")},
                                     {"B", QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "Balanced")},
                                     {"H", QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "Hot group")},
                                     {"VH", QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "Very hot")}};

constexpr const char* kFieldElements[] = {QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "Earth"),
                                          QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "Metal"),
                                          QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "Water"),
                                          QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "Wood"),
                                          QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "Fire")};
constexpr const char* kBrackets[] = {QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "year and month"),
                                     QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "month and day"),
                                     QT_TRANSLATE_NOOP("vesprin::DecorationsPanel", "day and time")};

}  // namespace

DecorationsPanel::DecorationsPanel(QWidget* parent) : QTabWidget(parent) {
  addTab(powersPage(), tr("&Powers and balance"));
  addTab(marksPage(), tr("&Marks and clashes"));
  addTab(notePage(), tr("&Note"));
  setDecorations(Decorations{});
}

QWidget* DecorationsPanel::powersPage() {
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  powersShown_ = new QCheckBox(tr("Print the element-group power text"));
  computed_ = new QCheckBox(tr("Figures from the chart (element powers and day master of the cast)"));
  v->addWidget(powersShown_);
  v->addWidget(computed_);
  auto* grid = new QGridLayout;
  for (int k = 0; k < 5; ++k) {
    power_[static_cast<std::size_t>(k)] = new QSpinBox;
    power_[static_cast<std::size_t>(k)]->setRange(0, 999);
    grid->addWidget(new QLabel(tr(kFieldElements[k])), 0, k);
    grid->addWidget(power_[static_cast<std::size_t>(k)], 1, k);
  }
  dayMaster_ = new QComboBox;
  for (int k = 0; k < 5; ++k) dayMaster_->addItem(tr(kFieldElements[k]), k);
  grid->addWidget(new QLabel(tr("Day master")), 0, 5);
  grid->addWidget(dayMaster_, 1, 5);
  v->addLayout(grid);
  powerText_ = new QLabel;
  powerText_->setStyleSheet(QStringLiteral("color: #555;"));
  powerText_->setWordWrap(true);
  v->addWidget(powerText_);

  balance_ = new QGroupBox(tr("&Balance panel"));
  balance_->setCheckable(true);
  auto* f = new QFormLayout(balance_);
  dayMasterGroup_ = new QSpinBox;
  entourageGroup_ = new QSpinBox;
  for (QSpinBox* box : {dayMasterGroup_, entourageGroup_}) box->setRange(-99999, 99999);
  auto* groups = new QHBoxLayout;
  groups->addWidget(new QLabel(tr("Day-master group")));
  groups->addWidget(dayMasterGroup_);
  groups->addWidget(new QLabel(tr("Entourage group")));
  groups->addWidget(entourageGroup_);
  f->addRow(groups);
  verdict_ = new QComboBox;
  for (const VerdictItem& item : kVerdicts) verdict_->addItem(tr(item.text), QString::fromLatin1(item.code));
  f->addRow(tr("Climate"), verdict_);
  for (std::size_t k = 0; k < 2; ++k) {
    shareKind_[k] = new QComboBox;
    shareKind_[k]->addItem(tr("Hot"), QStringLiteral("H"));
    shareKind_[k]->addItem(tr("Cold"), QStringLiteral("C"));
    shareText_[k] = new QLineEdit;
    shareText_[k]->setPlaceholderText(tr("e.g. 55%"));
    auto* row = new QHBoxLayout;
    row->addWidget(shareKind_[k]);
    row->addWidget(shareText_[k], 1);
    f->addRow(k == 0 ? tr("First share") : tr("Second share"), row);
  }
  v->addWidget(balance_);
  v->addStretch(1);

  connect(powersShown_, &QCheckBox::toggled, this, [this] { emitChanged(); });
  connect(computed_, &QCheckBox::toggled, this, [this] {
    showComputed();
    emitChanged();
  });
  for (QSpinBox* box : power_) connect(box, &QSpinBox::valueChanged, this, [this] { emitChanged(); });
  for (QSpinBox* box : {dayMasterGroup_, entourageGroup_})
    connect(box, &QSpinBox::valueChanged, this, [this] { emitChanged(); });
  connect(dayMaster_, &QComboBox::currentIndexChanged, this, [this] { emitChanged(); });
  connect(balance_, &QGroupBox::toggled, this, [this] { emitChanged(); });
  connect(verdict_, &QComboBox::currentIndexChanged, this, [this] { emitChanged(); });
  for (std::size_t k = 0; k < 2; ++k) {
    connect(shareKind_[k], &QComboBox::currentIndexChanged, this, [this] { emitChanged(); });
    connect(shareText_[k], &QLineEdit::textChanged, this, [this] { emitChanged(); });
  }
  return page;
}

QWidget* DecorationsPanel::marksPage() {
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  // The picture, and under it the pen a click draws with: narrow enough for
  // the form's column.
  picture_ = new MarksPicture;
  v->addWidget(picture_, 0, Qt::AlignHCenter);
  auto* pen = new QHBoxLayout;
  penStyle_ = new QComboBox;
  penStyle_->addItem(tr("Solid"), false);
  penStyle_->addItem(tr("Dotted"), true);
  penColour_ = new QComboBox;
  const char* colourNames[] = {QT_TR_NOOP("Maroon"), QT_TR_NOOP("Olive"), QT_TR_NOOP("Blue"),
                               QT_TR_NOOP("Green"), QT_TR_NOOP("Red")};
  for (int k = 0; k < 5; ++k) {
    QPixmap swatch(14, 14);
    const Colour c = kMarkColours[k];
    swatch.fill(QColor(c.r, c.g, c.b));
    penColour_->addItem(QIcon(swatch), tr(colourNames[k]), k + 1);
  }
  penColour_->setCurrentIndex(2);
  auto* clear = new QPushButton(tr("Clear marks"));
  pen->addWidget(new QLabel(tr("Line")));
  pen->addWidget(penStyle_);
  pen->addWidget(new QLabel(tr("Colour")));
  pen->addWidget(penColour_);
  pen->addStretch(1);
  pen->addWidget(clear);
  v->addLayout(pen);

  v->addWidget(new QLabel(tr("Clash pictures")));
  for (std::size_t k = 0; k < 3; ++k) {
    clash_[k] = new QCheckBox(tr("Clash between %1").arg(tr(kBrackets[k])));
    v->addWidget(clash_[k]);
    // The suggestion, under its switch until it is used or ignored.
    suggestionRow_[k] = new QWidget;
    auto* s = new QHBoxLayout(suggestionRow_[k]);
    s->setContentsMargins(24, 0, 0, 0);
    suggestionText_[k] = new QLabel;
    suggestionText_[k]->setStyleSheet(QStringLiteral("color: #b00000;"));
    auto* accept = new QPushButton(tr("Accept"));
    auto* ignore = new QPushButton(tr("Ignore"));
    s->addWidget(suggestionText_[k], 1);
    s->addWidget(accept);
    s->addWidget(ignore);
    v->addWidget(suggestionRow_[k]);
    const int bracket = static_cast<int>(k);
    connect(accept, &QPushButton::clicked, this, [this, bracket] { acceptSuggestion(bracket); });
    connect(ignore, &QPushButton::clicked, this, [this, bracket] { ignoreSuggestion(bracket); });
    connect(clash_[k], &QCheckBox::toggled, this, [this] {
      refreshSuggestions();
      emitChanged();
    });
  }
  v->addStretch(1);

  const auto penChanged = [this] {
    picture_->setPen(penStyle_->currentData().toBool(), penColour_->currentData().toInt());
  };
  connect(penStyle_, &QComboBox::currentIndexChanged, this, penChanged);
  connect(penColour_, &QComboBox::currentIndexChanged, this, penChanged);
  penChanged();
  connect(clear, &QPushButton::clicked, this, [this] {
    std::array<MarkCode, kMarkCount> none;
    for (MarkCode& m : none) m.white = true;
    picture_->setMarks(none);
    emitChanged();
  });
  connect(picture_, &MarksPicture::marksChanged, this, [this] { emitChanged(); });
  return page;
}

QWidget* DecorationsPanel::notePage() {
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->addWidget(new QLabel(tr("Analysis note, printed beside the bulb (empty: no note)")));
  note_ = new QPlainTextEdit;
  note_->setTabChangesFocus(true);
  v->addWidget(note_);
  connect(note_, &QPlainTextEdit::textChanged, this, [this] { emitChanged(); });
  return page;
}

void DecorationsPanel::emitChanged() {
  if (filling_) return;
  // The text of the figures in the boxes, greyed when it is not printed: an
  // all-zero text beside boxes that show the chart's figures misleads.
  powerText_->setText(fromUtf8(elementGroupPowerText(shownPowers())).replace(QLatin1Char('\r'), QLatin1Char('\n')));
  powerText_->setEnabled(powersShown_->isChecked());
  emit changed();
}

ElementGroupPowers DecorationsPanel::shownPowers() const {
  ElementGroupPowers p;
  for (std::size_t k = 0; k < 5; ++k) p.powers[k] = power_[k]->value();
  p.dayMaster = dayMaster_->currentData().toInt();
  return p;
}

Decorations DecorationsPanel::decorations() const {
  Decorations d;
  d.computed = computed_->isChecked();
  d.marks = AnalysisMarks{};  // nothing but what the panel shows
  AnalysisMarks& m = d.marks;
  if (powersShown_->isChecked()) m.powers = shownPowers();
  if (balance_->isChecked()) {
    BalancePanel b;
    b.dayMasterGroup = dayMasterGroup_->value();
    b.entourageGroup = entourageGroup_->value();
    b.verdict = toUtf8(verdict_->currentData().toString());
    std::array<std::string*, 2> shares{&b.firstShare, &b.secondShare};
    for (std::size_t k = 0; k < 2; ++k)
      if (!shareText_[k]->text().trimmed().isEmpty())
        *shares[k] = toUtf8(shareKind_[k]->currentData().toString() + shareText_[k]->text().trimmed());
    m.balance = b;
  }
  m.marks = picture_->marks();
  bool any = false;
  for (const MarkCode& c : m.marks) any = any || !c.white;
  m.marksBlank = !any;
  for (std::size_t k = 0; k < 3; ++k) m.clashes[k] = clash_[k]->isChecked();
  QString note = note_->toPlainText().trimmed();
  if (!note.isEmpty()) m.analysisNote = toUtf8(note.replace(QLatin1Char('\n'), QLatin1Char('\r')));
  return d;
}

void DecorationsPanel::setDecorations(const Decorations& d) {
  filling_ = true;
  const AnalysisMarks& m = d.marks;
  powersShown_->setChecked(m.powers.has_value());
  computed_->setChecked(d.computed);
  if (m.powers) {
    for (std::size_t k = 0; k < 5; ++k) power_[k]->setValue(m.powers->powers[k]);
    dayMaster_->setCurrentIndex(m.powers->dayMaster);
  }
  balance_->setChecked(m.balance.has_value());
  const BalancePanel b = m.balance.value_or(BalancePanel{0, 0, "B", "", ""});
  dayMasterGroup_->setValue(b.dayMasterGroup);
  entourageGroup_->setValue(b.entourageGroup);
  const int v = verdict_->findData(QString::fromStdString(b.verdict));
  verdict_->setCurrentIndex(v >= 0 ? v : 2);
  const std::array<const std::string*, 2> shares{&b.firstShare, &b.secondShare};
  for (std::size_t k = 0; k < 2; ++k) {
    const QString share = fromUtf8(*shares[k]);
    shareKind_[k]->setCurrentIndex(share.startsWith(QLatin1Char('C')) ? 1 : 0);
    shareText_[k]->setText(share.isEmpty() ? QString() : share.mid(1));
  }
  std::array<MarkCode, kMarkCount> marks = m.marks;
  if (m.marksBlank)
    for (MarkCode& c : marks) c.white = true;
  picture_->setMarks(marks);
  for (std::size_t k = 0; k < 3; ++k) clash_[k]->setChecked(m.clashes[k]);
  note_->setPlainText(fromUtf8(m.analysisNote.value_or(std::string())).replace(QLatin1Char('\r'), QLatin1Char('\n')));
  ignored_ = {};
  showComputed();
  refreshSuggestions();
  filling_ = false;
  emitChanged();
}

void DecorationsPanel::setCast(const CastOutcome* cast) {
  const bool ok = cast && cast->status == CastOutcome::Status::Cast && cast->result.powers && cast->result.natal;
  std::optional<NatalPillars> pillars;
  if (ok) {
    const FourPillars& n = *cast->result.natal;
    pillars = NatalPillars{n.year, n.month, n.day, n.time};
  }
  const bool newBirth = !pillars_ || !pillars || !(pillars_->inOrder() == pillars->inOrder());
  pillars_ = pillars;
  castPowers_ = ok ? std::optional<ElementPowerTable>(*cast->result.powers) : std::nullopt;
  suggested_ = pillars ? neighbourClashes(*pillars) : std::array<bool, 3>{};
  // An ignored suggestion stays ignored only for the birth it was made for.
  if (newBirth) ignored_ = {};
  picture_->setPillars(pillars);
  filling_ = true;
  showComputed();
  refreshSuggestions();
  filling_ = false;
  emitChanged();
}

void DecorationsPanel::showComputed() {
  const bool computed = computed_->isChecked();
  for (QSpinBox* box : power_) box->setEnabled(!computed);
  dayMaster_->setEnabled(!computed);
  dayMasterGroup_->setEnabled(!computed);
  entourageGroup_->setEnabled(!computed);
  if (!computed || !castPowers_) return;
  const ElementGroupPowers p = groupPowersOf(*castPowers_);
  const GroupFigures f = groupFiguresOf(p);
  const bool was = filling_;
  filling_ = true;
  for (std::size_t k = 0; k < 5; ++k) power_[k]->setValue(p.powers[k]);
  dayMaster_->setCurrentIndex(p.dayMaster);
  dayMasterGroup_->setValue(f.dayMasterGroup);
  entourageGroup_->setValue(f.entourageGroup);
  filling_ = was;
}

std::array<bool, 3> DecorationsPanel::pendingSuggestions() const {
  std::array<bool, 3> pending{};
  for (std::size_t k = 0; k < 3; ++k) pending[k] = suggested_[k] && !ignored_[k] && !clash_[k]->isChecked();
  return pending;
}

void DecorationsPanel::acceptSuggestion(int bracket) {
  clash_[static_cast<std::size_t>(bracket)]->setChecked(true);
}

void DecorationsPanel::ignoreSuggestion(int bracket) {
  ignored_[static_cast<std::size_t>(bracket)] = true;
  refreshSuggestions();
}

void DecorationsPanel::refreshSuggestions() {
  const std::array<bool, 3> pending = pendingSuggestions();
  std::array<bool, 3> drawn{};
  for (std::size_t k = 0; k < 3; ++k) {
    drawn[k] = clash_[k]->isChecked();
    suggestionRow_[k]->setVisible(pending[k]);
    if (pending[k] && pillars_) {
      const auto branches = pillars_->branches();
      suggestionText_[k]->setText(tr("The chart shows %1%2: draw the clash?")
                                      .arg(fromUtf8(branchCharacter(branches[k])))
                                      .arg(fromUtf8(branchCharacter(branches[k + 1]))));
    }
    // A clash drawn where the chart has none is the astrologer's to keep, but said.
    clash_[k]->setToolTip(drawn[k] && pillars_ && !suggested_[k] ? tr("These two lower signs do not clash") : QString());
  }
  picture_->setClashes(drawn, pending);
}

}  // namespace vesprin
