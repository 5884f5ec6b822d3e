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
#include <QSpinBox>
#include <QWidget>

#include "core/calendar_index.h"
#include "present/request/print_request.h"

namespace vesprin {

class BirthEntry : public QWidget {
  Q_OBJECT
 public:
  BirthEntry(const YearList& years, int currentYear, QWidget* parent = nullptr);

  // The birth the fields hold, or none while a field is at fault.
  std::optional<BirthRecord> record() const;
  // Why there is no record: the first fault, as the form shows it.
  QString problem() const { return problem_; }
  void setRecord(const BirthRecord& record);

  // The fields, for tests and the window's focus.
  QLineEdit* nameField() const { return name_; }
  QSpinBox* dayField() const { return day_; }
  QComboBox* monthField() const { return month_; }
  QLineEdit* yearField() const { return year_; }
  QSpinBox* hourField() const { return hour_; }
  QSpinBox* minuteField() const { return minute_; }
  QComboBox* genderField() const { return gender_; }
  QComboBox* pregnancyField() const { return pregnancy_; }
  QSpinBox* stripYearField() const { return stripYear_; }

 signals:
  void changed();

 private:
  void check();
  void yearEdited(const QString& text);
  void mark(QWidget* field, const QString& fault);

  YearList years_;
  QLineEdit* name_;
  QSpinBox* day_;
  QComboBox* month_;
  QLineEdit* year_;
  QLabel* yearNote_;
  QSpinBox* hour_;
  QSpinBox* minute_;
  QComboBox* gender_;
  QComboBox* pregnancy_;
  QSpinBox* stripYear_;
  QLabel* problemLabel_;
  QString problem_;
  bool filling_ = false;
};

}  // namespace vesprin
