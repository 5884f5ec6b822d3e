#pragma once
// The decorations of the sheet, each editable: the element-group power text
// and the balance panel's figures (from the cast unless the astrologer types
// them), the relationship marks, the clash pictures with the clashes the
// chart suggests, the balance panel's climate, and the analysis note.
#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "app/cast_pipeline.h"
#include "desk/desk_request.h"
#include "desk/marks_picture.h"

namespace vesprin {

class DecorationsPanel : public QTabWidget {
  Q_OBJECT
 public:
  explicit DecorationsPanel(QWidget* parent = nullptr);

  Decorations decorations() const;
  void setDecorations(const Decorations& d);
  // The birth's cast: its figures, its pillars in the marks picture, and the
  // clashes it suggests. None while the birth cannot be cast.
  void setCast(const CastOutcome* cast);

  // Suggested clashes not yet accepted or ignored, by bracket (year-month,
  // month-day, day-time).
  std::array<bool, 3> pendingSuggestions() const;
  void acceptSuggestion(int bracket);
  void ignoreSuggestion(int bracket);

  MarksPicture* marksPicture() const { return picture_; }
  QCheckBox* clashBox(int bracket) const { return clash_[static_cast<std::size_t>(bracket)]; }
  QCheckBox* powersBox() const { return powersShown_; }
  QGroupBox* balanceBox() const { return balance_; }
  QLabel* powerTextLabel() const { return powerText_; }
  QPlainTextEdit* noteField() const { return note_; }

 signals:
  void changed();

 private:
  QWidget* powersPage();
  QWidget* marksPage();
  QWidget* notePage();
  void showComputed();
  void refreshSuggestions();
  void emitChanged();
  // The powers the boxes show, printed or not.
  ElementGroupPowers shownPowers() const;

  QCheckBox* powersShown_;
  QCheckBox* computed_;
  std::array<QSpinBox*, 5> power_{};  // Ground, Gold, Water, Wood, Fire
  QComboBox* dayMaster_;
  QLabel* powerText_;
  QGroupBox* balance_;
  QSpinBox* dayMasterGroup_;
  QSpinBox* entourageGroup_;
  QComboBox* verdict_;
  std::array<QComboBox*, 2> shareKind_{};
  std::array<QLineEdit*, 2> shareText_{};
  MarksPicture* picture_;
  QComboBox* penStyle_;
  QComboBox* penColour_;
  std::array<QCheckBox*, 3> clash_{};
  std::array<QWidget*, 3> suggestionRow_{};
  std::array<QLabel*, 3> suggestionText_{};
  QPlainTextEdit* note_;

  std::optional<ElementPowerTable> castPowers_;
  std::array<bool, 3> suggested_{}, ignored_{};
  std::optional<NatalPillars> pillars_;
  bool filling_ = false;
};

}  // namespace vesprin
