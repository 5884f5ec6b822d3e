#pragma once
// The paper a report goes on. The chart sheet is laid out on Letter; on A4,
// the paper of Thai print shops, the Letter page is scaled to fit and
// centred, so the sheet is the same on either.
#include <optional>
#include <string_view>

namespace vesprin {

enum class Paper { Letter, A4 };

struct PaperSize {
  double widthMm = 0, heightMm = 0;
};

constexpr PaperSize paperSize(Paper paper) {
  return paper == Paper::A4 ? PaperSize{210.0, 297.0} : PaperSize{215.9, 279.4};
}

// "letter" or "a4", as options and settings write them.
constexpr std::string_view paperName(Paper paper) { return paper == Paper::A4 ? "a4" : "letter"; }

constexpr std::optional<Paper> parsePaper(std::string_view name) {
  if (name == "letter") return Paper::Letter;
  if (name == "a4") return Paper::A4;
  return std::nullopt;
}

}  // namespace vesprin
