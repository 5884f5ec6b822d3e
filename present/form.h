#pragma once
// A form is a window or a report: named components that keep their state
// between casts, because the print relies on what earlier casts and the
// hand-over left there.
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

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

  // The components in name order (for dumps and comparisons).
  std::map<std::string, Component> components() const;
  std::size_t size() const { return components_.size(); }

 private:
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::string name_;
  // Every cast writes a few hundred components by name: hashed, and looked
  // up by string_view so that no name is copied to find it.
  std::unordered_map<std::string, Component, NameHash, std::equal_to<>> components_;
};

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
