#pragma once
// Binding of the owner and date texts and the star pictures.
#include "present/binding/owner_texts.h"
#include "present/model/forms.h"

namespace vesprin {

// Writes every text and picture afresh, so that a cast never builds on the
// texts of the cast before it (the birth-year code is appended to the age
// line afterwards, once per cast).
void ShowOwnerAndDates(Forms& forms, const OwnerTexts& texts);

}  // namespace vesprin
