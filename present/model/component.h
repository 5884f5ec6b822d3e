#pragma once
// The component model: what a window or a report holds, as plain state. A
// component has the properties that the cast and the hand-over set: caption,
// hint, picture name, position, pen, enabled, visible, font colour and style,
// and for memos and lists their lines. Geometry and drawing come from the
// chart sheet layout; here a component is only what was written into it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vesprin {

struct Colour {
  std::uint8_t r = 0, g = 0, b = 0;
  friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

namespace colours {
constexpr Colour kWindowText{0, 0, 0};
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kRed{255, 0, 0};
constexpr Colour kNavy{0, 0, 128};
constexpr Colour kMaroon{128, 0, 0};
constexpr Colour kOlive{128, 128, 0};
constexpr Colour kBlue{0, 0, 255};
constexpr Colour kGreen{0, 128, 0};
constexpr Colour kShadow{128, 128, 128};  // the dark three-dimensional shadow colour
}  // namespace colours

enum class PenStyle { Solid, Dotted };

struct Component {
  std::string caption;  // label caption, or the text of an edit or drop-down
  std::string hint;
  std::string picture;  // picture file name, as the cast named it
  int left = 0, top = 0, width = 0, height = 0;
  Colour penColour = colours::kBlack;
  PenStyle penStyle = PenStyle::Solid;
  int penWidth = 1;
  bool enabled = true;
  bool visible = true;
  bool checked = false;  // check boxes (the page-preview choice)
  Colour fontColour = colours::kWindowText;
  bool bold = false;
  // Bytes at the end of the caption that a caption too long for its box never
  // loses: the characters before them are cut instead (an owner line gives
  // up the end of a long name, never the birth data after it).
  std::size_t keptTail = 0;
  std::vector<std::string> lines;  // memos and lists

  friend bool operator==(const Component&, const Component&) = default;
};

}  // namespace vesprin
