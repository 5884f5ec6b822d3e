#include "present/model/form_dump.h"

#include <cstdio>

namespace vesprin {
namespace {

std::string hex(Colour c) {
  char s[8];
  std::snprintf(s, sizeof s, "#%02x%02x%02x", c.r, c.g, c.b);
  return s;
}

// Captions may hold line breaks (a single CR) and quotes.
std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    if (ch == '\r') out += "\\r";
    else if (ch == '\n') out += "\\n";
    else if (ch == '"' || ch == '\\') (out += '\\') += ch;
    else out += ch;
  }
  return out + '"';
}

}  // namespace

std::string dumpForm(const Form& form) {
  std::string out;
  const auto& items = form.layout().items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const LayoutItem& item = items[i];
    const Component& c = form.components()[i];
    if (item.kind == ItemKind::Control) continue;
    out += item.name;
    out += item.kind == ItemKind::Label ? " label" : item.kind == ItemKind::Image ? " image" : " shape";
    if (item.onPage) out += " page";
    out += ' ' + std::to_string(c.left) + ',' + std::to_string(c.top) + ' ' + std::to_string(c.width) +
           'x' + std::to_string(c.height);
    if (!c.visible) out += " hidden";
    switch (item.kind) {
      case ItemKind::Label:
        out += ' ' + quoted(c.caption);
        if (c.fontColour != colours::kBlack) out += " colour " + hex(c.fontColour);
        if (c.bold) out += " bold";
        break;
      case ItemKind::Image:
        if (!c.picture.empty()) out += ' ' + c.picture;
        break;
      case ItemKind::Shape:
        out += c.enabled ? "" : " disabled";
        out += " pen " + hex(c.penColour) + ' ' + std::to_string(c.penWidth) +
               (c.penStyle == PenStyle::Dotted ? " dotted" : "");
        break;
      case ItemKind::Control:
        break;
    }
    out += '\n';
  }
  return out;
}

}  // namespace vesprin
