#pragma once
// A form as text, one component per line in stored order: kind, position,
// size and what was written into it. Golden files of whole chart sheets are
// kept in this form, so that a change to the layout or to a binding shows as
// a readable difference.
#include <string>

#include "present/model/form.h"

namespace vesprin {

// Controls (window state) are left out; labels, images and shapes are all listed.
std::string dumpForm(const Form& form);

}  // namespace vesprin
