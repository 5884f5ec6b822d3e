#pragma once
// The design of a window or a report: every component it declares, with its
// kind and its design-time properties, in stored order. For a report the
// stored order is the drawing order (later components print over earlier
// ones). A form accepts only the names its layout declares, so a misspelt
// name is an error rather than a blank on paper.
//
// Plain data, no toolkit: the tests, the cast and the renderer all read it.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "present/model/component.h"

namespace vesprin {

enum class ItemKind {
  Label,
  Image,
  Shape,
  Control,  // window components that are never drawn on paper (fields, memos, panels, buttons)
};

enum class ShapeKind { Rectangle, HorizontalLine, VerticalLine, Circle };
enum class Align { Left, Centre, Right };

struct FontSpec {
  std::string family = "CordiaUPC";
  int pixelSize = 16;  // pixels at 96 per inch
  bool bold = false;
};

struct LayoutItem {
  std::string name;
  ItemKind kind = ItemKind::Label;
  int left = 0, top = 0, width = 0, height = 0;
  // Placed on the report itself rather than in its band: measured from the
  // paper's top-left corner, printed after the band.
  bool onPage = false;

  // Labels.
  std::string caption;
  FontSpec font;
  Colour fontColour = colours::kBlack;
  Align align = Align::Left;
  bool wordWrap = false;

  // Images: stretched to the box, or at the picture's natural size.
  std::string picture;
  bool stretch = true;

  // Shapes; a disabled shape does not print.
  ShapeKind shape = ShapeKind::Rectangle;
  Colour penColour = colours::kBlack;
  PenStyle penStyle = PenStyle::Solid;
  int penWidth = 1;
  std::optional<Colour> fill;  // none: the shape is not filled
  bool enabled = true;
  bool visible = true;
};

// Paper and band of a report. Band coordinates count pixels at 96 per inch
// from the band's top-left corner, which lies at the margins.
struct PageSetup {
  double paperWidthMm = 0, paperHeightMm = 0;
  double marginTopMm = 10, marginBottomMm = 10, marginLeftMm = 10, marginRightMm = 10;
  int bandLeft = 38, bandTop = 38;  // where the band starts on the paper, in pixels
  int bandWidth = 0, bandHeight = 0;
};

inline constexpr double kLayoutDpi = 96.0;

class Layout {
 public:
  // Throws std::logic_error when a name is declared twice.
  Layout(std::string formName, std::optional<PageSetup> page, std::vector<LayoutItem> items);

  const std::string& formName() const { return formName_; }
  const std::optional<PageSetup>& page() const { return page_; }
  const std::vector<LayoutItem>& items() const { return items_; }
  std::size_t size() const { return items_.size(); }

  // Position in stored order, or none when the layout declares no such name.
  std::optional<std::size_t> indexOf(std::string_view name) const;
  const LayoutItem* find(std::string_view name) const;
  bool declares(std::string_view name) const { return indexOf(name).has_value(); }

 private:
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::string formName_;
  std::optional<PageSetup> page_;
  std::vector<LayoutItem> items_;
  std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> index_;
};

// Collects the items of a layout in the order they are added; the region
// functions of a layout read like the page.
class LayoutBuilder {
 public:
  LayoutItem& label(std::string name, int left, int top, int width, int height,
                    std::string caption = {}, FontSpec font = {}, Align align = Align::Left);
  LayoutItem& image(std::string name, int left, int top, int width, int height,
                    std::string picture = {}, bool stretch = true);
  LayoutItem& rectangle(std::string name, int left, int top, int width, int height,
                        int penWidth = 1, Colour pen = colours::kBlack,
                        PenStyle style = PenStyle::Solid);
  LayoutItem& circle(std::string name, int left, int top, int width, int height,
                     int penWidth = 1, Colour pen = colours::kBlack);
  // A line across [x1, x2] at y, or down [y1, y2] at x.
  LayoutItem& horizontalLine(std::string name, int x1, int x2, int y, int penWidth = 1,
                             Colour pen = colours::kBlack, PenStyle style = PenStyle::Solid);
  LayoutItem& verticalLine(std::string name, int x, int y1, int y2, int penWidth = 1,
                           Colour pen = colours::kBlack, PenStyle style = PenStyle::Solid);
  // A window component that is state only.
  LayoutItem& control(std::string name);

  Layout build(std::string formName, std::optional<PageSetup> page = std::nullopt);

 private:
  LayoutItem& add(LayoutItem item);
  std::vector<LayoutItem> items_;
};

// Shorthands for the fonts of the forms.
FontSpec cordia(int pixelSize, bool bold = false);
FontSpec arial(int pixelSize, bool bold = false);
FontSpec tahoma(int pixelSize, bool bold = false);

}  // namespace vesprin
