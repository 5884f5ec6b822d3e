#include "present/model/forms.h"

namespace vesprin {

Forms makeForms() { return Forms{}; }

}  // namespace vesprin
