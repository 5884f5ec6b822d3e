// The layouts of the forms: declared names, stored order, the mask and what
// lies under it, the page-placed marks.
#include <gtest/gtest.h>

#include <string>

#include "present/model/forms.h"

namespace vesprin {
namespace {

struct Box {
  int left, top, right, bottom;
};
Box boxOf(const LayoutItem& it) { return {it.left, it.top, it.left + it.width, it.top + it.height}; }
bool inside(const Box& a, const Box& b) {
  return a.left >= b.left && a.right <= b.right && a.top >= b.top && a.bottom <= b.bottom;
}
bool overlaps(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::size_t indexOf(const Layout& l, const char* name) {
  const auto i = l.indexOf(name);
  EXPECT_TRUE(i) << name;
  return i.value_or(0);
}

TEST(layout_test, a_form_accepts_only_declared_names) {
  Forms forms = makeForms();
  struct Case {
    Form* form;
    const char* name;
    bool declared;
  };
  const Case cases[] = {
      {&forms.chartSheet, "QRImageChineseOnHide12", true},
      {&forms.chartSheet, "QRShapeddttlang", true},
      {&forms.chartSheet, "QRImagechng3", true},
      {&forms.chartSheet, "QRlabelmonthdecimal", true},
      {&forms.chartSheet, "QRLabelmonthdecimal", false},  // the analysis page's spelling
      {&forms.chartSheet, "QRImageChineseOnHide13", false},
      {&forms.chartSheet, "QRShapeAgeOnGo11", false},
      {&forms.analysisPage, "QRLabelmonthdecimal", true},
      {&forms.analysisPage, "QRLabelyyyy3", true},
      {&forms.main, "labelAgeOn10", true},
      {&forms.main, "LabelAgeOn10", false},  // the tenth is spelled with a small l
      {&forms.main, "ImageChineseOn10", false},
      {&forms.analysis, "MemoAnalyse", true},
      {&forms.analysis, "MemoAnalyze", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.form->find(c.name) != nullptr, c.declared);
    if (c.declared) {
      EXPECT_NO_THROW((*c.form)[c.name]);
    } else {
      try {
        (*c.form)[c.name];
        ADD_FAILURE() << "accepted";
      } catch (const UnknownComponent& e) {
        EXPECT_EQ(e.what(), c.form->name() + " declares no component \"" + c.name + "\"");
      }
    }
  }
}

TEST(layout_test, the_white_mask_hides_the_parked_stack_and_the_treasury_prints_over_it) {
  const Layout& l = chartSheetLayout();
  const std::size_t mask = indexOf(l, "QRShape27");
  const LayoutItem& m = l.items()[mask];
  EXPECT_EQ(m.penColour, colours::kWhite);
  EXPECT_EQ(m.fill, colours::kWhite);
  EXPECT_EQ((Box{m.left, m.top, m.left + m.width, m.top + m.height}.left), 624);

  // Stored before the mask and within the parking spot: never seen on paper.
  for (const char* parked : {"QRImageChineseOnyy1", "QRImageChineseOnyy10", "QRImageChineseBelowyy1",
                             "QRImageChineseBelowyy60", "QRLabelShowAge", "QRLabelShowAge111",
                             "QRLabelShowPS1", "QRLabelShowKS12", "QRLabelShowPS", "QRLabelShowKS",
                             "QRImageBC", "QRImageNumNengKeng", "QRImageNumNengKengN"}) {
    SCOPED_TRACE(parked);
    const std::size_t i = indexOf(l, parked);
    EXPECT_LT(i, mask);
    EXPECT_TRUE(inside(boxOf(l.items()[i]), {626, 399, 672, 446}));
  }
  // The treasury box, its caption and picture are stored after the mask.
  for (const char* over : {"QRShapeChiKo", "QRLabelChaiCoo", "QRImageChaiCoo"}) {
    SCOPED_TRACE(over);
    EXPECT_GT(indexOf(l, over), mask);
    EXPECT_TRUE(overlaps(boxOf(l.items()[indexOf(l, over)]), boxOf(m)));
  }
  // Nothing else stored after the mask lies under it, at any of its widths.
  for (int width : {99, 209, 247}) {
    const Box covered{m.left, m.top, m.left + width, m.top + m.height};
    for (std::size_t i = mask + 1; i < l.size(); ++i) {
      const LayoutItem& it = l.items()[i];
      if (it.onPage || it.name == "QRShapeChiKo" || it.name == "QRLabelChaiCoo" ||
          it.name == "QRImageChaiCoo")
        continue;
      EXPECT_FALSE(overlaps(boxOf(it), covered)) << it.name << " at width " << width;
    }
  }
  // The child sign shows through its copies, outside the mask.
  for (const char* copy : {"QRImage26", "QRImage27", "QRImageChaiCooN", "QRLabelTreasury"})
    EXPECT_FALSE(overlaps(boxOf(l.items()[indexOf(l, copy)]), {624, 390, 871, 457})) << copy;
}

TEST(layout_test, marks_and_clash_pictures_lie_on_the_page_after_the_band) {
  const Layout& l = chartSheetLayout();
  std::size_t firstOnPage = l.size();
  for (std::size_t i = 0; i < l.size(); ++i)
    if (l.items()[i].onPage) firstOnPage = std::min(firstOnPage, i);
  std::size_t onPage = 0;
  for (std::size_t i = firstOnPage; i < l.size(); ++i) {
    EXPECT_TRUE(l.items()[i].onPage) << l.items()[i].name;  // nothing in the band after them
    ++onPage;
  }
  EXPECT_EQ(onPage, 14u + 3u);
  // Marks sit over the four natal columns (band 166..312, so page 204..350),
  // "bon" above the upper-sign element row (band 118), "lang" below the lower one (band 303).
  const PageSetup& page = *l.page();
  for (const char* p : {"yy", "mm", "dd", "tt", "yymm", "mmdd", "ddtt"}) {
    const LayoutItem& bon = *l.find(std::string("QRShape") + p + "bon");
    const LayoutItem& lang = *l.find(std::string("QRShape") + p + "lang");
    EXPECT_LE(bon.top + bon.height, 118 + page.bandTop) << p;
    EXPECT_GE(lang.top, 303 + page.bandTop) << p;
    for (const LayoutItem* mark : {&bon, &lang}) {
      EXPECT_GE(mark->left, 166 + page.bandLeft) << mark->name;
      EXPECT_LE(mark->left + mark->width, 312 + page.bandLeft) << mark->name;
    }
  }
  // Clash pictures between year|month, month|day and day|time, right to left.
  EXPECT_GT(l.find("QRImagechng1")->left, l.find("QRImagechng2")->left);
  EXPECT_GT(l.find("QRImagechng2")->left, l.find("QRImagechng3")->left);
}

TEST(layout_test, regions_follow_the_page_right_to_left) {
  const Layout& l = chartSheetLayout();
  auto left = [&](const std::string& name) { return l.find(name)->left; };
  struct Row {
    const char* row;
    int count;
    int firstLeft;  // of column 1, the rightmost
  };
  for (const Row& r : {Row{"QRImageChineseOn", 10, 390}, Row{"QRImageChineseBelowyyGo", 15, 623},
                       Row{"QRImageChineseOnHide", 12, 305}}) {
    SCOPED_TRACE(r.row);
    EXPECT_EQ(left(numbered(r.row, 1)), r.firstLeft);
    for (int k = 2; k <= r.count; ++k)
      EXPECT_LT(left(numbered(r.row, k)), left(numbered(r.row, k - 1))) << k;
  }
  // The month strip: January (QRImage12 over QRImage24) at the right, December at the left.
  EXPECT_EQ(left("QRImage12"), 486);
  EXPECT_EQ(left("QRImage1"), 35);
  for (int m = 2; m <= 12; ++m) {
    EXPECT_LT(left(numbered("QRImage", 13 - m)), left(numbered("QRImage", 14 - m))) << m;
    EXPECT_EQ(left(numbered("QRImage", 25 - m)), left(numbered("QRImage", 13 - m))) << m;
  }
  // Hidden stems: the first picture of each group under its column's right edge.
  for (auto [hide, x] : {std::pair{1, 305}, {4, 265}, {7, 225}, {10, 185}})
    EXPECT_EQ(left(numbered("QRImageChineseOnHide", hide)), x);
  // Natal columns year .. perfect ascendant.
  const char* natal[] = {"QRImageChineseOnyy", "QRImageChineseOnmm", "QRImageChineseOndd",
                         "QRImageChineseOntt", "QRImageChineseOnaspect", "QRImageChineseOntb",
                         "QRImageChineseOnaspectSomBoon"};
  const int x[] = {286, 246, 206, 166, 110, 70, 30};
  for (int c = 0; c < 7; ++c) EXPECT_EQ(left(natal[c]), x[c]) << natal[c];
}

TEST(layout_test, band_items_stay_inside_the_band) {
  for (const Layout* l : {&chartSheetLayout(), &analysisPageLayout()}) {
    const PageSetup& p = *l->page();
    for (const LayoutItem& it : l->items()) {
      const Box b = boxOf(it);
      const Box area = it.onPage ? Box{0, 0, p.bandLeft * 2 + p.bandWidth, p.bandTop * 2 + p.bandHeight}
                                 : Box{0, 0, p.bandWidth, p.bandHeight};
      EXPECT_TRUE(inside(b, area)) << l->formName() << ' ' << it.name;
    }
  }
}

}  // namespace
}  // namespace vesprin
