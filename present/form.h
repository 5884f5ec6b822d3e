#pragma once
// A form is a window or a report: named components that keep their state
// between casts, because the print relies on what earlier casts and the
// hand-over left there.
#include <map>
#include <string>
#include <string_view>

#include "present/component.h"

namespace vesprin {

class Form {
 public:
  explicit Form(std::string name) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }

  // The component of that name; created with default properties the first
  // time it is written.
  Component& operator[](std::string_view component);
  // The component, or nullptr when nothing ever wrote it.
  const Component* find(std::string_view component) const;
  // Caption of a component; empty when it does not exist.
  std::string caption(std::string_view component) const;

  const std::map<std::string, Component, std::less<>>& components() const { return components_; }

 private:
  std::string name_;
  std::map<std::string, Component, std::less<>> components_;
};

// Component name of a row and an index: numbered("LabelAgeOn", 3) = "LabelAgeOn3".
std::string numbered(std::string_view row, int k);

}  // namespace vesprin
