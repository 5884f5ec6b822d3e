#include "present/binding/bind_interpretation.h"

#include <array>
#include <string>
#include <string_view>

#include "interpret/filler.h"
#include "present/model/layouts.h"
#include "present/pictures/pictures.h"

namespace vesprin {
namespace {

// The eight natal Chinese-sign pictures of the main window that carry the
// power summary as their tooltip.
constexpr std::array<std::string_view, 8> kNatalChinesePictures = {
    "ImageChineseOnyy", "ImageChineseBelowyy", "ImageChineseOnmm", "ImageChineseBelowmm",
    "ImageChineseOndd", "ImageChineseBelowdd", "ImageChineseOntt", "ImageChineseBelowtt"};

constexpr std::string_view kBirthYearCaption = "รหัสปีเกิด ";

}  // namespace

void bindElementPowerTable(Forms& forms, const ElementPowerTable& t) {
  Form& page = forms.analysisPage;
  for (int k = 1; k <= 5; ++k) {
    const Element e = t.roleElement[k - 1];
    Component& name = page[numbered("QRLabelnamepowerelement", k)];
    name.caption = std::string(elementThaiName(e));
    name.hint = std::string(elementName(e));
    page[numbered("QRLabelpowerelement", k)].caption = powerText(t.powerOf(e));
    page[numbered("QRLabelpower", k)].caption = std::to_string(t.weightOf(e));
    page[numbered("QRLabelamountpower", k)].caption = amountText(t.powerOf(e) / t.weightOf(e));
  }
  page["QRLabelseason"].caption = t.season;
}

void bindElementSummary(Forms& forms, const ElementPowerTable& t) {
  for (std::string_view name : kNatalChinesePictures) forms.main[name].hint = t.summaryHint;
  forms.chartSheet["QRLabelPowerElements"].caption = t.summaryLine;
}

void bindElementPowers(Forms& forms, const ElementPowerTable& t) {
  bindElementPowerTable(forms, t);
  bindElementSummary(forms, t);
}

void bindChartPatterns(Forms& forms, const ChartPatterns& p, std::string_view analysisNote) {
  Form& sheet = forms.chartSheet;
  sheet["QRLabelPaKey"].caption = p.harmonyCaption;
  // The analysis note of the request, when there is one, stands in place of
  // the special-chart caption whether the chart is special or not.
  sheet["QRLabelAnalyze"].caption = !analysisNote.empty() ? std::string(analysisNote)
                                    : p.specialChart      ? std::string(kSpecialChartCaption)
                                                          : std::string();
  sheet["QRLabelPT"].caption = p.ptCode;
}

void bindBirthYearCode(Forms& forms, int code) {
  const std::string caption = std::string(kBirthYearCaption) + std::to_string(code);
  forms.main["LabelCodePerson"].caption = caption;
  // The owner-age line was set afresh earlier in the same cast, so it grows once per cast.
  forms.chartSheet["QRLabelAgeOwner"].caption += "  " + caption;
}

void clearAnalysisText(Forms& forms) { forms.analysis["MemoAnalyse"].lines.clear(); }

void bindAnalysis(Forms& forms, const Analysis& a) {
  forms.analysis["MemoAnalyse"].lines = a.lines;
  Form& page = forms.analysisPage;
  page["QRlabela2"].caption = a.temperament;
  page["QRLabelRasriTep"].caption = a.protectiveStars;
  page["QRLabel38"].caption = a.starsHeading;
  page["QRLabelAnalyze"].caption = a.treasuryNote;
  forms.chartSheet["QRImageChaiCoo"].picture = CapitalPicture(a.treasuryBranch);
  forms.chartSheet["QRImageChaiCooN"].picture = CapitalNumberPicture(a.treasuryBranch);
}

void bindChildSign(Forms& forms, std::optional<Branch> childBranch) {
  Form& main = forms.main;
  Form& sheet = forms.chartSheet;
  Form& page = forms.analysisPage;

  main["ShapeNumNengKeng"].visible = false;
  main["LabelNumNengKeng"].caption.clear();
  main["LabelNumNengKeng2"].caption.clear();
  main["ImageNumNengKeng"].picture = kBlankStem;
  main["ImageNumNengKengN"].picture = kBlankStem;
  Component& frame = sheet["QRShape11"];
  // Without a child sign the frame shrinks to one dot.
  frame.height = 1;
  frame.width = 1;
  frame.top = sheet::kChildFrameDotTop;
  frame.left = sheet::kChildFrameDotLeft;
  sheet["QRShape27"].width = sheet::kStarMaskWidthWithoutChild;
  sheet["QRImageNumNengKeng"].left = sheet::kChildPictureLeftWithoutChild;
  sheet["QRLabelNumNengKeng"].caption.clear();
  sheet["QRImageNumNengKeng"].picture = kBlankStem;
  sheet["QRImageNumNengKengN"].picture = kBlankStem;
  page["QRImageNumNengKeng"].picture = kBlankStem;

  if (childBranch) {
    main["ShapeNumNengKeng"].visible = true;
    main["LabelNumNengKeng"].caption = "ราศี";
    main["LabelNumNengKeng2"].caption = "ลูก";
    // The frame takes its place in the layout: the child-sign box.
    const LayoutItem& box = *sheet.layout().find("QRShape11");
    frame.left = box.left;
    frame.top = box.top;
    frame.width = box.width;
    frame.height = box.height;
    sheet["QRLabelNumNengKeng"].caption = "ราศีลูก";
    sheet["QRShape27"].width = sheet::kStarMaskWidthWithChild;
    sheet["QRImageNumNengKeng"].left = sheet.layout().find("QRImageNumNengKeng")->left;
    const std::string character = BranchPicture(*childBranch);
    const std::string number = SignNumberPicture(*childBranch);
    main["ImageNumNengKeng"].picture = character;
    sheet["QRImageNumNengKeng"].picture = character;
    main["ImageNumNengKengN"].picture = number;
    sheet["QRImageNumNengKengN"].picture = number;
    page["QRImageNumNengKeng"].picture = character;
  }

  // The chart sheet shows the child sign through these twins, because the
  // originals lie under the white mask.
  sheet["QRImage26"].picture = childBranch ? BranchPicture(*childBranch) : std::string(kBlankStem);
  sheet["QRImage27"].picture = childBranch ? SignNumberPicture(*childBranch) : std::string(kBlankStem);
  // The analysis page never shows the child sign.
  page["QRImageNumNengKeng"].picture = kBlankStem;
}

void bindChildChance(Forms& forms, bool shown) {
  Form& page = forms.analysisPage;
  page["QRLabel42"].caption = shown ? std::string(kChildChanceText) : kDotRow;
  page["QRLabel43"].caption = shown ? std::string(kChildAdviceText) : kDotRow;
}

}  // namespace vesprin
