#include "present/form.h"

#include <algorithm>
#include <charconv>

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

std::map<std::string, Component> Form::components() const {
  return {components_.begin(), components_.end()};
}

ComponentName::ComponentName(std::string_view row, int k) {
  char digits[12];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, k);
  const std::size_t n = static_cast<std::size_t>(end - digits);
  size_ = std::min(row.size(), sizeof text_ - n);  // names are short; never overrun
  std::copy_n(row.data(), size_, text_);
  std::copy_n(digits, n, text_ + size_);
  size_ += n;
}

}  // namespace vesprin
