#pragma once
// A form is a window or a report: the components its layout declares, each
// keeping its state between casts, because the print relies on what earlier
// casts and the hand-over left there. Components are kept in stored order.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "present/model/component.h"
#include "present/model/layout.h"

namespace vesprin {

// A name the form's layout does not declare: a programming error, reported
// by name rather than printed as a blank.
class UnknownComponent : public std::logic_error {
 public:
  UnknownComponent(const std::string& form, std::string_view component);
};

class Form {
 public:
  // Every declared component with its design-time state.
  explicit Form(const Layout& layout);

  const std::string& name() const { return layout_->formName(); }
  const Layout& layout() const { return *layout_; }

  // The component of that name; throws UnknownComponent for a name the
  // layout does not declare.
  Component& operator[](std::string_view component);
  const Component& at(std::string_view component) const;
  // The component, or nullptr when the layout declares no such name.
  const Component* find(std::string_view component) const;
  // Caption of a component; empty when it is not declared.
  std::string caption(std::string_view component) const;

  // The components in stored order, parallel to layout().items().
  const std::vector<Component>& components() const { return components_; }
  std::size_t size() const { return components_.size(); }

 private:
  const Layout* layout_;
  std::vector<Component> components_;
};

// The design-time state of a declared component.
Component designState(const LayoutItem& item);

// A component name built from a row and an index without touching the heap:
// numbered("LabelAgeOn", 3) names "LabelAgeOn3".
class ComponentName {
 public:
  ComponentName(std::string_view row, int k);
  operator std::string_view() const { return {text_, size_}; }
  operator std::string() const { return {text_, size_}; }
  std::string_view view() const { return {text_, size_}; }
  friend bool operator==(const ComponentName& a, std::string_view b) { return a.view() == b; }

 private:
  char text_[48];
  std::size_t size_ = 0;
};

inline ComponentName numbered(std::string_view row, int k) { return {row, k}; }

}  // namespace vesprin
