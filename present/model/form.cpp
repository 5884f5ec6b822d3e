#include "present/model/form.h"

#include <algorithm>
#include <charconv>

namespace vesprin {

UnknownComponent::UnknownComponent(const std::string& form, std::string_view component)
    : std::logic_error(form + " declares no component \"" + std::string(component) + "\"") {}

Component designState(const LayoutItem& item) {
  Component c;
  c.caption = item.caption;
  c.picture = item.picture;
  c.left = item.left;
  c.top = item.top;
  c.width = item.width;
  c.height = item.height;
  c.penColour = item.penColour;
  c.penStyle = item.penStyle;
  c.penWidth = item.penWidth;
  c.enabled = item.enabled;
  c.visible = item.visible;
  c.fontColour = item.fontColour;
  c.bold = item.font.bold;
  return c;
}

Form::Form(const Layout& layout) : layout_(&layout) {
  components_.reserve(layout.size());
  for (const LayoutItem& item : layout.items()) components_.push_back(designState(item));
}

Component& Form::operator[](std::string_view component) {
  const auto i = layout_->indexOf(component);
  if (!i) throw UnknownComponent(name(), component);
  return components_[*i];
}

const Component& Form::at(std::string_view component) const {
  const auto i = layout_->indexOf(component);
  if (!i) throw UnknownComponent(name(), component);
  return components_[*i];
}

const Component* Form::find(std::string_view component) const {
  const auto i = layout_->indexOf(component);
  return i ? &components_[*i] : nullptr;
}

std::string Form::caption(std::string_view component) const {
  const Component* c = find(component);
  return c ? c->caption : std::string();
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
