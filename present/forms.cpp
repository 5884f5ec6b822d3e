#include "present/forms.h"

namespace vesprin {

Forms makeForms() { return Forms{}; }

}  // namespace vesprin
