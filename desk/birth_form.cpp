#include "desk/birth_form.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QEvent>
#include <QIntValidator>
#include <QTimer>

#include "core/birth_input.h"
#include "core/cp874.h"
#include "core/text.h"
#include "cycles/month_strip.h"
#include "desk/buddhist_era.h"
#include "present/texts/birth_texts.h"

namespace vesprin {
namespace {

QString fromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Entering the year selects it, so that what is typed replaces what was there.
class SelectOnFocus : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::FocusIn)
      if (auto* edit = qobject_cast<QLineEdit*>(watched)) QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    return false;
  }
};

}  // namespace

NumberField::NumberField(int lo, int hi, int width, int value) {
  for (int v = lo; v <= hi; ++v) addItem(QString::number(v).rightJustified(width, QLatin1Char('0')), v);
  setValue(value);
}

void NumberField::setValue(int v) {
  if (const int k = findData(v); k >= 0) setCurrentIndex(k);
}

BirthForm::BirthForm(const YearList& years, int currentYear, QWidget* parent)
    : QWidget(parent), years_(years) {
  name_ = new QLineEdit;
  name_->setMaxLength(static_cast<int>(kMaxNameLength));
  name_->setPlaceholderText(tr("Name as it is printed"));
  day_ = new NumberField(1, 31, 2, 1);
  month_ = new QComboBox;
  // The engine's month items, "01 = มกราคม": typing the number finds the month.
  for (int m = 1; m <= 12; ++m) month_->addItem(fromUtf8(monthItemText(m)), m);
  year_ = new QLineEdit;
  year_->setValidator(new QIntValidator(0, 9999, year_));
  year_->setMaxLength(4);
  year_->setFixedWidth(year_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
  yearNote_ = new QLabel;
  // Room for the widest note, so that the form does not move as one types.
  yearNote_->setMinimumWidth(yearNote_->fontMetrics().horizontalAdvance(tr("AD %1 → BE %2").arg(2000).arg(2543)) + 4);
  hour_ = new NumberField(0, 23, 2, 0);
  minute_ = new NumberField(0, 59, 2, 0);
  gender_ = new QComboBox;
  gender_->addItem(tr("Male"), static_cast<int>(Gender::Male));
  gender_->addItem(tr("Female"), static_cast<int>(Gender::Female));
  pregnancy_ = new QComboBox;
  for (int m = 7; m <= 10; ++m) pregnancy_->addItem(QString::number(m).rightJustified(2, QLatin1Char('0')), m);
  pregnancy_->setCurrentIndex(2);  // nine months unless the astrologer knows better
  stripYear_ = new NumberField(years.years.empty() ? currentYear : years.years.front(),
                               years.years.empty() ? currentYear : years.years.back(), 4, currentYear);
  problemLabel_ = new QLabel;
  problemLabel_->setWordWrap(true);
  problemLabel_->setStyleSheet(QStringLiteral("color: #b00000;"));

  auto* form = new QFormLayout(this);
  form->setContentsMargins(0, 0, 0, 0);
  form->addRow(tr("&Name"), name_);
  auto* date = new QHBoxLayout;
  date->addWidget(day_);
  date->addWidget(month_, 1);
  date->addWidget(year_);
  date->addWidget(yearNote_);
  form->addRow(tr("&Born"), date);
  auto* time = new QHBoxLayout;
  time->addWidget(hour_);
  time->addWidget(new QLabel(QStringLiteral(":")));
  time->addWidget(minute_);
  time->addStretch(1);
  form->addRow(tr("&Time"), time);
  auto* person = new QHBoxLayout;
  person->addWidget(gender_);
  person->addWidget(new QLabel(tr("Pregnancy (months)")));
  person->addWidget(pregnancy_);
  person->addStretch(1);
  form->addRow(tr("&Gender"), person);
  form->addRow(tr("Month &strip year"), stripYear_);
  form->addRow(problemLabel_);
  static_cast<QLabel*>(form->labelForField(date))->setBuddy(day_);
  static_cast<QLabel*>(form->labelForField(time))->setBuddy(hour_);
  static_cast<QLabel*>(form->labelForField(person))->setBuddy(gender_);

  year_->installEventFilter(new SelectOnFocus(this));

  // Tab follows the form: name, day, month, year, hour, minute, gender,
  // pregnancy, strip year.
  QWidget* order[] = {name_, day_, month_, year_, hour_, minute_, gender_, pregnancy_, stripYear_};
  for (std::size_t k = 1; k < std::size(order); ++k) setTabOrder(order[k - 1], order[k]);

  // The year starts empty: every birth is typed, none is assumed.
  year_->setPlaceholderText(tr("BE"));
  const auto edited = [this] {
    if (!filling_) check();
  };
  connect(name_, &QLineEdit::textChanged, this, edited);
  connect(year_, &QLineEdit::textEdited, this, &BirthForm::yearEdited);
  for (QComboBox* box : {static_cast<QComboBox*>(day_), month_, static_cast<QComboBox*>(hour_),
                         static_cast<QComboBox*>(minute_), gender_, pregnancy_, static_cast<QComboBox*>(stripYear_)})
    connect(box, &QComboBox::currentIndexChanged, this, edited);
  connect(stripYear_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) loadedStrip_.reset();
  });
  check();
}

void BirthForm::yearEdited(const QString& text) {
  // A Christian-Era year becomes its Buddhist-Era year as soon as it is
  // whole, and the note says what happened.
  if (text.size() == 4) {
    const TypedYear y = typedYear(text.toInt(), years_);
    if (y.converted) {
      year_->setText(QString::number(y.buddhistYear));
      yearNote_->setText(tr("AD %1 → BE %2").arg(text).arg(y.buddhistYear));
      check();
      return;
    }
  }
  yearNote_->clear();
  check();
}

void BirthForm::mark(QWidget* field, const QString& fault) {
  field->setStyleSheet(fault.isEmpty() ? QString() : QStringLiteral("background: #ffd6d6;"));
  field->setToolTip(fault);
  if (!fault.isEmpty() && problem_.isEmpty()) problem_ = fault;
}

void BirthForm::check() {
  problem_.clear();
  // The name travels in code page 874: a character it cannot hold is refused here.
  const QByteArray name = name_->text().toUtf8();
  const Cp874Encoding encoded = utf8ToCp874(std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
  mark(name_, encoded.ok() ? QString() : tr("The name cannot hold \"%1\" (Thai and Latin letters only)").arg(fromUtf8(encoded.badChar)));

  const int year = year_->text().toInt();
  const bool yearOk = selectableYear(year, years_);
  QString yearFault;
  if (year_->text().isEmpty())
    yearFault = tr("Type the year of birth (Buddhist Era; a Christian-Era year is converted)");
  else if (!yearOk && !years_.years.empty())
    yearFault = tr("The year must be a Buddhist-Era year from %1 to %2").arg(years_.years.front()).arg(years_.years.back());
  mark(year_, yearFault);
  if (yearOk && yearNote_->text().isEmpty()) yearNote_->setText(tr("AD %1").arg(toChristianEra(year)));
  else if (!yearOk) yearNote_->clear();

  // The engine's own rule: a day the driven run would refuse is refused here.
  QString dateFault;
  if (yearOk && !birthDateExists(day_->value(), month_->currentData().toInt(), year))
    dateFault = tr("No such day: %1 has no day %2 (วันเดือนปีเกิดไม่ถูกต้อง)")
                    .arg(month_->currentText().mid(5)).arg(day_->value());
  mark(day_, dateFault);
  problemLabel_->setText(problem_);
  problemLabel_->setVisible(!problem_.isEmpty());
  emit changed();
}

std::optional<BirthRecord> BirthForm::record() const {
  if (!problem_.isEmpty()) return std::nullopt;
  BirthRecord r;
  const QByteArray name = name_->text().toUtf8();
  r.name = std::string(name.constData(), static_cast<std::size_t>(name.size()));
  r.day = day_->value();
  r.month = month_->currentData().toInt();
  r.year = year_->text().toInt();
  r.hour = hour_->value();
  r.minute = minute_->value();
  r.pregnancy = pregnancy_->currentData().toInt();
  r.gender = static_cast<Gender>(gender_->currentData().toInt());
  if (loadedStrip_) {
    r.strip = *loadedStrip_;
  } else {
    const int strip = stripYear_->value();
    const Pillar jan = januaryPillar(strip);
    r.strip = {jan.stem, jan.branch, std::to_string(strip), std::to_string(toChristianEra(strip))};
  }
  return r;
}

void BirthForm::setRecord(const BirthRecord& r) {
  filling_ = true;
  name_->setText(QString::fromStdString(r.name));
  day_->setValue(r.day);
  month_->setCurrentIndex(r.month - 1);
  year_->setText(QString::number(r.year));
  yearNote_->clear();
  hour_->setValue(r.hour);
  minute_->setValue(r.minute);
  pregnancy_->setCurrentIndex(pregnancy_->findData(r.pregnancy));
  gender_->setCurrentIndex(gender_->findData(static_cast<int>(r.gender)));
  if (const int strip = toInt(r.strip.beYearText); strip > 0) stripYear_->setValue(strip);
  // The strip stays as the request has it (its January pillar and both year
  // texts, whatever the year list offers) until its year is chosen anew.
  loadedStrip_ = r.strip;
  filling_ = false;
  check();
}

}  // namespace vesprin
