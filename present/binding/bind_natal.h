#pragma once
// Binding of the natal and derived pillars and the gender to the main window
// and the chart sheet.
#include <string>

#include "core/derived_pillars.h"
#include "core/four_pillars.h"
#include "present/model/forms.h"

namespace vesprin {

// "male.bmp" with hint "ชาย" for a man, "female.bmp" with "หญิง" for a woman.
void bindGender(Forms& forms, Gender gender);

// The conception label, the neighbouring signs and the chart sheet's
// conception pictures (uncertain variants unless the fit made them plain).
void bindConception(Forms& forms, const DerivedPillars& derived);

// Pictures and element hints of the seven pillar positions on screen and on
// the chart sheet; the chart sheet's conception pictures are left to
// bindConception.
void bindNatalPillars(Forms& forms, const FourPillars& natal, const DerivedPillars& derived);

}  // namespace vesprin
