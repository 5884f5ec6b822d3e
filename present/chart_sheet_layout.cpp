// The chart sheet, region by region from the top of the page. Coordinates are
// pixels at 96 per inch inside the band (740 x 979, at the 10 mm margins of a
// Letter page), except the relationship marks and clash pictures at the end,
// which lie on the page itself and are measured from the paper's corner.
// Stored order is drawing order.
#include <string>

#include "present/form.h"
#include "present/layouts.h"

namespace vesprin {
namespace {

using namespace sheet;

constexpr Colour kGrey{128, 128, 128};
constexpr Colour kCaptionGrey{96, 96, 96};
constexpr Colour kWhite = colours::kWhite;
constexpr Colour kNavy = colours::kNavy;

std::string named(std::string_view row, int k) { return numbered(row, k); }
std::string named(std::string_view row, std::string_view suffix) {
  return std::string(row) + std::string(suffix);
}

// (26 - w) / 2: a narrower picture centred over its column's characters.
constexpr int centred(int left, int width) { return left + (26 - width) / 2; }

void header(LayoutBuilder& b) {
  // The club's seal and name at the top left.
  b.circle("QRShapeLogo", 22, 2, 72, 72, 2, kNavy);
  // The seal's character is a picture: printing it as text would load and
  // embed a large Chinese font for one character.
  b.image("QRImageLogo", 35, 15, 46, 46, "logo.bmp");
  b.label("QRLabelClub", 121, 2, 420, 36, "ชมรมโหราศาสตร์จีน TALVEN", cordia(32, true))
      .fontColour = kNavy;
  b.label("QRLabelClubEN", 541, 12, 198, 22, "TALVEN Chinese Astrology Club", arial(12),
          Align::Right)
      .fontColour = kCaptionGrey;
  b.horizontalLine("QRShapeHeaderRule1", 121, 739, 40, 2, kNavy);
  b.label("QRLabelHoroscopeOwner", 121, 43, 618, 33, {}, cordia(21, true));
  b.horizontalLine("QRShapeHeaderRule2", 121, 739, 78, 1, kNavy);
  b.label("QRLabelAgeOwner", 330, 82, 290, 30, {}, cordia(21, true));
  b.label("QRLabelDateEN", 620, 86, 119, 22, {}, arial(14), Align::Right).fontColour = kNavy;
  // Above the day column, clear of the relationship marks; the hand-over
  // lifts it further when it draws them.
  b.image("QRImageGender", 207, 87, 23, 23);
}

void natalChart(LayoutBuilder& b) {
  // Seven columns right to left, six rows of pictures each.
  for (std::size_t c = 0; c < kNatalSuffixes.size(); ++c) {
    const std::string_view p = kNatalSuffixes[c];
    const int x = kNatalColumnLeft[c];
    b.image(named("QRImageElementOn", p), centred(x, 15), 118, 15, 22);
    b.image(named("QRImageZodiacOn", p), centred(x, 13), 150, 13, 21);
    b.image(named("QRImageChineseOn", p), x, 180, 26, 26);
    b.image(named("QRImageChineseBelow", p), x, 210, 26, 26);
    b.image(named("QRImageZodiacBelow", p), centred(x, 13), 257, 13, 21);
    b.image(named("QRImageElementBelow", p), centred(x, 15), 281, 15, 22);
  }
  // Hidden stems: three small pictures under each of the four natal
  // branches, numbered right to left. These are the places for three stems;
  // the cast shifts the middle and last pictures for a branch with two.
  for (int c = 0; c < 4; ++c)
    for (int slot = 0; slot < 3; ++slot)
      b.image(named("QRImageChineseOnHide", 3 * c + slot + 1), hiddenStemLeft(c, slot), 240, 11, 11);
  b.rectangle("QRShape5", 25, 114, 37, 192, 3);                 // around the perfect ascendant
  b.verticalLine("QRShape8", 102, 118, 304, 1, colours::kBlack,  // conception | ascendant
                 PenStyle::Dotted);
  b.verticalLine("QRShapeLine", 150, 114, 306, 3);  // time | ascendant
}

void belowChart(LayoutBuilder& b) {
  // Conception accuracy under the conception column, the neighbouring signs beside it.
  b.image("QRImageCheckErrorOnToBeBorn", 28, 311, 11, 11);
  b.image("QRImageCheckErrorBelowToBeBorn", 40, 311, 11, 11);
  b.label("QRLabelCheckErrorToBeBorn", 53, 306, 50, 22, {}, cordia(17), Align::Centre);
  // Days to the festival in a circle under the ascendant column.
  b.circle("QRShape1", 110, 306, 26, 26, 1);
  b.label("QRLabelFarFestival", 110, 308, 26, 22, {}, cordia(17, true), Align::Centre);
  // Month strength under the four natal columns.
  b.label("QRLabelFarBetweenFestival", 196, 311, 100, 22, {}, cordia(18), Align::Centre);
}

void elementPanel(LayoutBuilder& b) {
  // Hand-filled lines for the astrologer's reading of the elements.
  const char* captions[] = {"ธาตุสำคัญ", "ธาตุให้คุณ", "ธาตุให้โทษ"};
  for (int i = 0; i < 3; ++i) {
    const int y = 128 + 26 * i;
    b.label(named("QRLabelElementCaption", i + 1), 345, y, 68, 24, captions[i], cordia(18, true));
    b.horizontalLine(named("QRShapeElementLine", i + 1), 415, 552, y + 20, 1, kGrey,
                     PenStyle::Dotted);
  }
  b.label("QRLabelPaKey", 345, 208, 210, 22, {}, cordia(17, true)).fontColour = colours::kMaroon;

  // Balance panel at the right: balance and thermometer in a dotted box.
  b.horizontalLine("QRShapeA", 560, 739, 126, 1, kGrey, PenStyle::Dotted);
  b.verticalLine("QRShapeB", 682, 127, 250, 1, kGrey, PenStyle::Dotted);
  b.verticalLine("QRShapeC", 560, 127, 250, 1, kGrey, PenStyle::Dotted);
  b.verticalLine("QRShapeD", 738, 127, 250, 1, kGrey, PenStyle::Dotted);
  b.horizontalLine("QRShapeE", 560, 739, 250, 1, kGrey, PenStyle::Dotted);
  b.image("QRImageA1", 589, 152, 64, 64);  // the square balance, twice its natural size
  // The thermometer (its picture 1 : 2) and its verdict beside it at the height
  // the verdict gives (hot high, cold low). The caption starts right of the
  // bulb: centred over the picture, a Thai caption as wide as the box ran
  // over it. The picture comes first, so that the group caption at its left
  // is painted over its white ground.
  b.image("QRImageA2", 680, 138, 16, 32);
  // The day-master group over the left pan, the entourage over the right one.
  b.label("QRLabelA1", 563, 130, 56, 20, {}, cordia(14, true));
  b.label("QRLabelA2", 619, 130, 61, 20, {}, cordia(14, true), Align::Right);
  b.label("QRLabelA7", 697, 178, 41, 20, {}, cordia(13, true));
  b.label("QRLabelA5", 563, 222, 175, 24, {}, cordia(16), Align::Centre);

  // The element-group power text (two lines) and the analysis note.
  LayoutItem& power = b.label("QRLabelPowerElements", 345, 254, 394, 44, {}, cordia(16));
  power.fontColour = kGrey;
  power.wordWrap = true;
  b.image("QRImageIdea", 345, 300, 24, 24, {}, false);  // natural size
  // A few pixels clear of the bulb's rays.
  LayoutItem& note = b.label("QRLabelAnalyze", 375, 300, 364, 44, {}, cordia(16, true));
  note.fontColour = colours::kMaroon;
  note.wordWrap = true;
}

void luckPillars(LayoutBuilder& b) {
  // Ten columns right to left, pillar 1 at the right: ages, number,
  // characters, number, ages; a frame marks the current half.
  for (int k = 1; k <= 10; ++k) {
    const int x = luckColumnLeft(k);
    b.label(named("QRLabelAgeOn", k), x - 7, 350, 40, 22, {}, cordia(18, true), Align::Centre);
    b.image(named("QRImageZodiacOn", k), centred(x, 13), 374, 13, 21);
    b.image(named("QRImageChineseOn", k), x, 397, 26, 26);
    b.image(named("QRImageChineseBelow", k), x, 427, 26, 26);
    b.image(named("QRImageZodiacBelow", k), centred(x, 13), 456, 13, 21);
    b.label(named("QRLabelAgeBelow", k), x - 7, 480, 40, 22, {}, cordia(18, true), Align::Centre);
  }
  for (int k = 1; k <= 10; ++k) {
    const int x = luckColumnLeft(k);
    b.rectangle(named("QRShapeAgeOnGo", k), x - 7, 348, 40, 77, 3, kNavy).enabled = false;
    b.rectangle(named("QRShapeAgeBelowGo", k), x - 7, 425, 40, 80, 3, kNavy).enabled = false;
  }
  b.label("QRLabelLuckAge", 434, 350, 40, 22, "อายุ", cordia(18));
  b.label("QRLabelLuckTitle", 434, 398, 96, 30, "วัยจร", cordia(26, true)).fontColour = kNavy;
  b.label("QRlabelmonthdecimal", 434, 430, 100, 22, {}, cordia(17));
  b.label("QRLabelLuckAgeBelow", 434, 480, 40, 22, "อายุ", cordia(18));
}

void boxesRightOfLuck(LayoutBuilder& b) {
  // The child-sign box shows copies of the child pictures, which lie under the mask.
  b.rectangle("QRShape11", 537, 346, 43, 143, 3);
  b.label("QRLabelNumNengKeng", 540, 356, 37, 22, {}, cordia(16, true), Align::Centre);
  b.image("QRImage26", 545, 392, 26, 26);
  b.image("QRImage27", 552, 430, 13, 21);

  // Treasury box: the parts outside the mask come before it.
  b.label("QRLabelTreasury", 624, 366, 99, 24, "ขุมคลัง", cordia(18, true), Align::Centre);
  b.image("QRImageChaiCooN", centred(660, 13), 461, 13, 21);

  // A stack parked at one spot (x 626-672, y 399-446) under the white mask:
  // filled by every cast, never seen on paper.
  constexpr int kX = 626, kY = 405;
  b.label("QRLabelShowAge", kX, kY, 46, 20, "อายุ", arial(11));
  for (int r = 1; r <= 12; ++r)
    b.label(named("QRLabelShowAge", 10 * (r - 1) + 1), kX, kY, 46, 20,
            std::to_string(10 * (r - 1) + 1), arial(11));
  b.label("QRLabelShowPS", kX, kY, 46, 20, "พ.ศ.", cordia(14));
  b.label("QRLabelShowKS", kX, kY, 46, 20, "ค.ศ.", cordia(14));
  for (int r = 1; r <= 12; ++r) {
    b.label(named("QRLabelShowPS", r), kX, kY, 46, 20, {}, arial(11));
    b.label(named("QRLabelShowKS", r), kX, kY, 46, 20, {}, arial(11));
  }
  for (int c = 1; c <= 10; ++c) b.image(named("QRImageChineseOnyy", c), kX + 10, kY, 22, 22);
  for (int k = 1; k <= 60; ++k) b.image(named("QRImageChineseBelowyy", k), kX + 10, kY + 18, 22, 22);
  b.horizontalLine("QRShapeShowLine1", kX, kX + 46, kY + 22);
  b.verticalLine("QRShapeShowLine2", kX + 20, kY, kY + 40);
  b.label("QRLabelParkedNG", kX, kY, 46, 20, "ง้วยเต็ก", cordia(14));
  b.label("QRLabelParkedTE", kX, kY, 46, 20, "เทียงอิก", cordia(14));
  b.label("QRLabelParkedTU", kX, kY, 46, 20, "เทียงอุย", cordia(14));
  b.label("QRLabelParkedBC", kX, kY, 46, 20, "บุ่งเชียง", cordia(14));
  b.image("QRImageBC", kX + 12, kY + 18, 22, 22);
  b.image("QRImageNumNengKeng", 637, 410, 26, 26);
  b.image("QRImageNumNengKengN", 643, 420, 13, 21);
  b.image("QRImageParked1", kX, kY, 22, 22);
  b.image("QRImageParked2", kX + 22, kY, 22, 22);

  // The white mask over the stack; the cast widens it for a child sign.
  LayoutItem& mask = b.rectangle("QRShape27", 624, 390, 99, 67, 1, kWhite);
  mask.fill = kWhite;

  // What is stored after the mask prints over it.
  b.rectangle("QRShapeChiKo", 624, 364, 99, 124, 2);
  b.label("QRLabelChaiCoo", 624, 392, 99, 22, "(ไฉ่โข่ว)", cordia(16), Align::Centre);
  b.image("QRImageChaiCoo", 660, 420, 26, 26);
}

void annualTransits(LayoutBuilder& b) {
  // Fifteen columns right to left; row captions at the right.
  for (int j = 1; j <= 15; ++j) {
    const int x = transitColumnLeft(j);
    b.label(named("QRLabelAge", j), x - 8, 530, 40, 22, {}, cordia(18, true), Align::Centre);
    b.image(named("QRImageChineseOnyyGo", j), x, 554, 24, 24);
    b.image(named("QRImageChineseBelowyyGo", j), x, 580, 24, 24);
    b.label(named("QRLabelYearGo", j), x - 8, 607, 40, 22, {}, cordia(17), Align::Centre);
    b.label(named("QRLabelYearKSGo", j), x - 8, 629, 40, 22, {}, cordia(17), Align::Centre)
        .fontColour = kCaptionGrey;
    b.image(named("QRImageLakKaNaJornOn", j), x, 656, 24, 24);
    b.image(named("QRImageLakKaNaJornBelow", j), x, 682, 24, 24);
  }
  // Current-year frames belong to columns 6..10.
  for (int i = 1; i <= 5; ++i) {
    const int x = transitColumnLeft(i + 5);
    b.rectangle(named("QRShapeyy", i), x - 9, 528, 42, 182, 3, kNavy).enabled = false;
  }
  // Heavy lines after every fifth column.
  b.verticalLine("QRShape2", transitColumnLeft(5) - 9, 528, 710, 3);
  b.verticalLine("QRShape3", transitColumnLeft(10) - 9, 528, 710, 3);
  const int captionX = transitColumnLeft(1) + 34;
  b.label("QRLabelTransitAge", captionX, 530, 80, 22, "อายุ", cordia(18));
  b.label("QRLabelTransitYear", captionX, 567, 80, 24, "ปีจร", cordia(20, true)).fontColour = kNavy;
  b.label("QRLabelTransitBE", captionX, 607, 80, 22, "พ.ศ.", cordia(17));
  b.label("QRLabelTransitCE", captionX, 629, 80, 22, "ค.ศ.", cordia(17));
  b.label("QRLabelTransitAscendant", captionX, 669, 80, 24, "ลัคนาจร", cordia(20, true))
      .fontColour = kNavy;
}

void boundaryWarning(LayoutBuilder& b) {
  // In the free band between the transits and the month strip: a birth near
  // a large festival or a double-hour edge, one line a boundary, with the
  // chart on the other side.
  LayoutItem& line = b.label("QRLabelBoundary", 24, 712, 697, 43, {}, cordia(15, true));
  line.fontColour = colours::kMaroon;
  line.wordWrap = true;
}

void monthStrip(LayoutBuilder& b) {
  b.rectangle("QRShapeMonthStrip", 24, 756, 536, 95, 1);
  // Captions QRLabel18 (January, at the right) .. QRLabel7 (December, at the left).
  const char* months[] = {"ม.ค.", "ก.พ.", "มี.ค.", "เม.ย.", "พ.ค.", "มิ.ย.",
                          "ก.ค.", "ส.ค.", "ก.ย.", "ต.ค.", "พ.ย.", "ธ.ค."};
  for (int m = 1; m <= 12; ++m) {
    const int x = monthColumnLeft(m);
    b.label(named("QRLabel", 19 - m), x - 8, 760, 38, 22, months[m - 1], cordia(17, true),
            Align::Centre);
    b.image(named("QRImage", 13 - m), x, 786, 22, 22);
    b.image(named("QRImage", 25 - m), x, 816, 22, 22);
  }
  b.label("QRLabel6", 514, 786, 44, 22, {}, cordia(17), Align::Centre);
  b.label("QRLabel20", 514, 816, 44, 22, {}, cordia(17), Align::Centre).fontColour = kCaptionGrey;
}

void starBox(LayoutBuilder& b) {
  // Taller than the month strip, into the free space above the footer, so
  // that every caption stands straight over its own pictures. TG has the
  // right-hand column to itself: it moves between the upper row and the
  // lower one with the sign it shows. At the left NG (an upper
  // sign) under its caption, then TU and the two of TE (lower signs) under
  // theirs.
  b.rectangle("QRShapeStarBox", 566, 756, 173, 122, 1);
  b.verticalLine("QRShapeStarSplit", 688, 760, 874, 1, kGrey, PenStyle::Dotted);
  b.label("QRLabelStarTG", 690, 762, 48, 20, "เทียงเต็ก", cordia(14, true), Align::Centre);
  b.image("QRImageTG", 703, kStarUpperRowTop, 22, 22);
  b.label("QRLabelStarRoek", 569, 762, 68, 20, "( ฤกษ์ )", cordia(15), Align::Centre);
  b.label("QRLabelStarNG", 640, 762, 46, 20, "ง้วยเต็ก", cordia(14, true), Align::Centre);
  b.image("QRImageNG", 652, kStarUpperRowTop, 22, 22);
  b.label("QRLabelStarTU", 569, 822, 42, 20, "เทียงอุย", cordia(14, true), Align::Centre);
  b.image("QRImageTU", 579, 848, 22, 22);
  b.label("QRLabelStarTE", 614, 822, 52, 20, "เทียงอิก", cordia(14, true), Align::Centre);
  b.image("QRImageTE1", 616, 848, 22, 22);
  b.image("QRImageTE2", 641, 848, 22, 22);
}

void footer(LayoutBuilder& b) {
  b.horizontalLine("QRShapeFooterRule", 0, 740, 884, 1, kNavy);
  b.label("QRLabelDate", 0, 888, 300, 24, {}, cordia(18));
  b.label("QRLabelVersion", 440, 890, 300, 20, "TALVEN Vesprin 3.00 PRO", arial(12), Align::Right);
  b.label("QRLabelCredits", 0, 914, 740, 22, "พิมพ์ด้วยโปรแกรมผูกดวงจีน Vesprin ของชมรมโหราศาสตร์จีน TALVEN",
          cordia(17), Align::Centre)
      .fontColour = kCaptionGrey;
  b.label("QRLabelContact", 0, 934, 740, 22, "สอบถามการใช้งานได้ที่ชมรม TALVEN", cordia(17),
          Align::Centre)
      .fontColour = kCaptionGrey;
  b.label("QRLabelPT", 0, 958, 300, 18, {}, arial(12)).fontColour = kGrey;
  // The day boundary and the calendar file, so that a sheet that differs from
  // another program's can be explained.
  b.label("QRLabelRuleStamp", 340, 958, 400, 18, {}, cordia(15), Align::Right).fontColour = kGrey;
}

// Column centres of the four natal pillars, on the page (band + 38).
constexpr int pageCentre(int column) { return kNatalColumnLeft[static_cast<std::size_t>(column)] + 13 + 38; }

void relationshipMarks(LayoutBuilder& b) {
  // "bon" above the upper-sign element row, "lang" below the lower-sign
  // element row: ticks over each column, connectors between neighbours.
  constexpr int kBonY = 111 + 38, kLangY = 309 + 38, kTick = 5;
  const char* ticks[] = {"yy", "mm", "dd", "tt"};
  const char* joins[] = {"yymm", "mmdd", "ddtt"};
  for (const char* row : {"bon", "lang"}) {
    const bool bon = std::string_view(row) == "bon";
    for (int c = 0; c < 4; ++c) {
      LayoutItem& tick = b.verticalLine(std::string("QRShape") + ticks[c] + row, pageCentre(c),
                                        bon ? kBonY : kLangY - kTick, bon ? kBonY + kTick : kLangY, 2);
      tick.onPage = true;
    }
    for (int c = 0; c < 3; ++c) {
      LayoutItem& join = b.horizontalLine(std::string("QRShape") + joins[c] + row,
                                          pageCentre(c + 1), pageCentre(c) + 2, bon ? kBonY : kLangY, 2);
      join.onPage = true;
    }
  }
}

void clashPictures(LayoutBuilder& b) {
  // In the "lang" brackets between year and month, month and day, day and time.
  for (int i = 1; i <= 3; ++i) {
    const int mid = (pageCentre(i - 1) + pageCentre(i)) / 2;
    // A little smaller than drawn, so that it clears the element icons
    // on either side.
    b.image(named("QRImagechng", i), mid - 7, 297 + 38, 14, 14).onPage = true;
  }
}

Layout buildChartSheet() {
  LayoutBuilder b;
  header(b);
  natalChart(b);
  belowChart(b);
  elementPanel(b);
  luckPillars(b);
  boxesRightOfLuck(b);
  annualTransits(b);
  boundaryWarning(b);
  monthStrip(b);
  starBox(b);
  footer(b);
  relationshipMarks(b);
  clashPictures(b);
  PageSetup letter;
  letter.paperWidthMm = 215.9;
  letter.paperHeightMm = 279.4;
  letter.bandWidth = 740;
  letter.bandHeight = 979;
  return b.build("TFormPrintHoroscope", letter);
}

}  // namespace

const Layout& chartSheetLayout() {
  static const Layout layout = buildChartSheet();
  return layout;
}

}  // namespace vesprin
