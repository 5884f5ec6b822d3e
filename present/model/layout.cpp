#include "present/model/layout.h"

#include <stdexcept>

namespace vesprin {

Layout::Layout(std::string formName, std::optional<PageSetup> page, std::vector<LayoutItem> items)
    : formName_(std::move(formName)), page_(page), items_(std::move(items)) {
  index_.reserve(items_.size());
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (!index_.emplace(items_[i].name, i).second)
      throw std::logic_error(formName_ + " declares component \"" + items_[i].name + "\" twice");
  }
}

std::optional<std::size_t> Layout::indexOf(std::string_view name) const {
  const auto it = index_.find(name);
  if (it == index_.end()) return std::nullopt;
  return it->second;
}

const LayoutItem* Layout::find(std::string_view name) const {
  const auto i = indexOf(name);
  return i ? &items_[*i] : nullptr;
}

LayoutItem& LayoutBuilder::add(LayoutItem item) {
  items_.push_back(std::move(item));
  return items_.back();
}

LayoutItem& LayoutBuilder::label(std::string name, int left, int top, int width, int height,
                                 std::string caption, FontSpec font, Align align) {
  LayoutItem it;
  it.name = std::move(name);
  it.kind = ItemKind::Label;
  it.left = left, it.top = top, it.width = width, it.height = height;
  it.caption = std::move(caption);
  it.font = std::move(font);
  it.align = align;
  return add(std::move(it));
}

LayoutItem& LayoutBuilder::image(std::string name, int left, int top, int width, int height,
                                 std::string picture, bool stretch) {
  LayoutItem it;
  it.name = std::move(name);
  it.kind = ItemKind::Image;
  it.left = left, it.top = top, it.width = width, it.height = height;
  it.picture = std::move(picture);
  it.stretch = stretch;
  return add(std::move(it));
}

LayoutItem& LayoutBuilder::rectangle(std::string name, int left, int top, int width, int height,
                                     int penWidth, Colour pen, PenStyle style) {
  LayoutItem it;
  it.name = std::move(name);
  it.kind = ItemKind::Shape;
  it.shape = ShapeKind::Rectangle;
  it.left = left, it.top = top, it.width = width, it.height = height;
  it.penWidth = penWidth;
  it.penColour = pen;
  it.penStyle = style;
  return add(std::move(it));
}

LayoutItem& LayoutBuilder::circle(std::string name, int left, int top, int width, int height,
                                  int penWidth, Colour pen) {
  LayoutItem& it = rectangle(std::move(name), left, top, width, height, penWidth, pen);
  it.shape = ShapeKind::Circle;
  return it;
}

// A line's box is as thick as its pen, so that it covers what it draws.
LayoutItem& LayoutBuilder::horizontalLine(std::string name, int x1, int x2, int y, int penWidth,
                                          Colour pen, PenStyle style) {
  LayoutItem& it = rectangle(std::move(name), x1, y, x2 - x1, penWidth, penWidth, pen, style);
  it.shape = ShapeKind::HorizontalLine;
  return it;
}

LayoutItem& LayoutBuilder::verticalLine(std::string name, int x, int y1, int y2, int penWidth,
                                        Colour pen, PenStyle style) {
  LayoutItem& it = rectangle(std::move(name), x, y1, penWidth, y2 - y1, penWidth, pen, style);
  it.shape = ShapeKind::VerticalLine;
  return it;
}

LayoutItem& LayoutBuilder::control(std::string name) {
  LayoutItem it;
  it.name = std::move(name);
  it.kind = ItemKind::Control;
  return add(std::move(it));
}

Layout LayoutBuilder::build(std::string formName, std::optional<PageSetup> page) {
  return Layout(std::move(formName), page, std::move(items_));
}

FontSpec cordia(int pixelSize, bool bold) { return {"CordiaUPC", pixelSize, bold}; }
FontSpec arial(int pixelSize, bool bold) { return {"Arial", pixelSize, bold}; }
FontSpec tahoma(int pixelSize, bool bold) { return {"Tahoma", pixelSize, bold}; }

}  // namespace vesprin
