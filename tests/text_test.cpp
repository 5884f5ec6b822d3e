#include "core/text.h"

#include <gtest/gtest.h>

namespace vesprin {
namespace {

TEST(text_test, trailing_blanks_tabs_and_carriage_returns_are_trimmed) {
  const struct {
    std::string_view in, out;
  } cases[] = {{"2530 *", "2530 *"}, {"2530 * \t\r\r", "2530 *"}, {" \t\r", ""}, {"", ""},
               {" lead", " lead"}};
  for (const auto& c : cases) EXPECT_EQ(trimTrailingBlanks(c.in), c.out) << c.in;
}

TEST(text_test, excerpts_of_long_or_damaged_fields_stay_short) {
  EXPECT_EQ(quotedExcerpt("32"), "\"32\"");
  EXPECT_EQ(quotedExcerpt("ชาย"), "\"ชาย\"");
  EXPECT_EQ(quotedExcerpt(std::string(40, '1'), 4), "\"1111...\" (40 bytes)");
  // Cut between characters: four Thai letters of three bytes each.
  EXPECT_EQ(quotedExcerpt("กขคง", 2), "\"กข...\" (12 bytes)");
  // Continuation bytes without end never make one long character.
  const std::string damaged = "M" + std::string(1000, '\x9d');
  EXPECT_LE(quotedExcerpt(damaged, 32).size(), 4 * 32 + 20);
}

}  // namespace
}  // namespace vesprin
