#include "present/form.h"

namespace vesprin {

Component& Form::operator[](std::string_view component) {
  auto it = components_.find(component);
  if (it == components_.end()) it = components_.emplace(std::string(component), Component{}).first;
  return it->second;
}

const Component* Form::find(std::string_view component) const {
  auto it = components_.find(component);
  return it == components_.end() ? nullptr : &it->second;
}

std::string Form::caption(std::string_view component) const {
  const Component* c = find(component);
  return c ? c->caption : std::string();
}

std::string numbered(std::string_view row, int k) { return std::string(row) + std::to_string(k); }

}  // namespace vesprin
