#pragma once
// The entry form of a birth, keyboard first: name, day, month by its Thai
// name, Buddhist-Era year (a Christian-Era year typed converts visibly),
// hour and minute, gender, pregnancy months and the month strip's year. Each
// field is checked as it is typed with the engine's own input rules; a field
// at fault is marked and says why, and the form then holds no record.
#include <optional>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "core/calendar_index.h"
#include "present/request/print_request.h"

namespace vesprin {

// A number chosen from a list, typed as on the engine's own drop-down lists:
// "05" finds day five, "2569" the year.
class NumberField : public QComboBox {
 public:
  NumberField(int lo, int hi, int width, int value);
  int value() const { return currentData().toInt(); }
  void setValue(int v);
};

class BirthForm : public QWidget {
  Q_OBJECT
 public:
  BirthForm(const YearList& years, int currentYear, QWidget* parent = nullptr);

  // The birth the fields hold, or none while a field is at fault.
  std::optional<BirthRecord> record() const;
  // Why there is no record: the first fault, as the form shows it.
  QString problem() const { return problem_; }
  void setRecord(const BirthRecord& record);

  // The fields, for tests and the window's focus.
  QLineEdit* nameField() const { return name_; }
  NumberField* dayField() const { return day_; }
  QComboBox* monthField() const { return month_; }
  QLineEdit* yearField() const { return year_; }
  NumberField* hourField() const { return hour_; }
  NumberField* minuteField() const { return minute_; }
  QComboBox* genderField() const { return gender_; }
  QComboBox* pregnancyField() const { return pregnancy_; }
  NumberField* stripYearField() const { return stripYear_; }

 signals:
  void changed();

 private:
  void check();
  void yearEdited(const QString& text);
  void mark(QWidget* field, const QString& fault);

  YearList years_;
  QLineEdit* name_;
  NumberField* day_;
  QComboBox* month_;
  QLineEdit* year_;
  QLabel* yearNote_;
  NumberField* hour_;
  NumberField* minute_;
  QComboBox* gender_;
  QComboBox* pregnancy_;
  NumberField* stripYear_;
  QLabel* problemLabel_;
  QString problem_;
  // The month strip of the record last loaded, kept until the strip year is
  // changed; none: the strip of the year chosen.
  std::optional<MonthStripStart> loadedStrip_;
  bool filling_ = false;
};

}  // namespace vesprin
