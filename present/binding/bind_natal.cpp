#include "present/binding/bind_natal.h"

#include <array>
#include <string_view>

#include "present/pictures/pictures.h"
#include "present/texts/birth_texts.h"

namespace vesprin {

void bindGender(Forms& forms, Gender gender) {
  const std::string picture = gender == Gender::Male ? "male.bmp" : "female.bmp";
  Component& screen = forms.main["ImageGender"];
  screen.picture = picture;
  screen.hint = std::string(genderThaiWord(gender));
  forms.chartSheet["QRImageGender"].picture = picture;
}

void bindConception(Forms& forms, const DerivedPillars& d) {
  Form& m = forms.main;
  Form& qr = forms.chartSheet;
  m["LabelCheckErrorToBeBorn"].caption.clear();
  for (Form* f : {&m, &qr}) {
    const std::string prefix = f == &qr ? "QR" : "";
    (*f)[prefix + "ImageCheckErrorOnToBeBorn"].picture = kBlankStem;
    (*f)[prefix + "ImageCheckErrorBelowToBeBorn"].picture = kBlankBranch;
  }
  m["ImageCheckErrorOnToBeBorn"].hint = "ราศีปฏิสนธิข้างเคียง";
  m["ImageCheckErrorBelowToBeBorn"].hint = "ราศีปฏิสนธิข้างเคียง";

  // The chart sheet shows the conception pillar as uncertain unless the fit
  // against the calendar settled it.
  const bool plain = d.variant == ConceptionVariant::Plain;
  auto name = [plain](const std::string& n) { return plain ? n : UncertainPicture(n); };
  qr["QRImageChineseOntb"].picture = name(StemPicture(d.conception.stem));
  qr["QRImageChineseBelowtb"].picture = name(BranchPicture(d.conception.branch));
  qr["QRImageZodiacOntb"].picture = name(SignNumberPicture(d.conception.stem));
  qr["QRImageZodiacBelowtb"].picture = name(SignNumberPicture(d.conception.branch));

  m["LabelCheckErrorToBeBorn"].caption = d.conceptionLabel;
  if (d.neighbour) {
    for (Form* f : {&m, &qr}) {
      const std::string prefix = f == &qr ? "QR" : "";
      (*f)[prefix + "ImageCheckErrorOnToBeBorn"].picture = SmallStemPicture(d.neighbour->stem);
      (*f)[prefix + "ImageCheckErrorBelowToBeBorn"].picture = SmallBranchPicture(d.neighbour->branch);
    }
  }
  qr["QRLabelCheckErrorToBeBorn"].caption = d.conceptionLabel;
}

void bindNatalPillars(Forms& forms, const FourPillars& n, const DerivedPillars& d) {
  struct Position {
    std::string_view suffix;
    Pillar pillar;
  };
  const std::array<Position, 7> positions = {{{"yy", n.year},
                                              {"mm", n.month},
                                              {"dd", n.day},
                                              {"tt", n.time},
                                              {"aspect", d.ascendant},
                                              {"tb", d.conception},
                                              {"aspectSomBoon", d.perfectAscendant}}};
  Form& m = forms.main;
  Form& qr = forms.chartSheet;
  auto set = [](Form& f, std::string_view row, std::string_view suffix) -> Component& {
    std::string name(row);
    name += suffix;
    return f[name];
  };
  for (const auto& p : positions) {
    set(m, "ImageZodiacOn", p.suffix).picture = SignNumberPicture(p.pillar.stem);
    set(m, "ImageZodiacBelow", p.suffix).picture = SignNumberPicture(p.pillar.branch);
  }
  for (const auto& p : positions) {
    if (p.suffix == "tb") continue;
    set(qr, "QRImageZodiacOn", p.suffix).picture = SignNumberPicture(p.pillar.stem);
    set(qr, "QRImageZodiacBelow", p.suffix).picture = SignNumberPicture(p.pillar.branch);
  }
  for (const auto& p : positions) {
    const Element on = StemElement(p.pillar.stem), below = BranchElement(p.pillar.branch);
    Component& eOn = set(m, "ImageElementOn", p.suffix);
    eOn.picture = ElementPicture(on);
    eOn.hint = PrintElementName(elementName(on));
    Component& eBelow = set(m, "ImageElementBelow", p.suffix);
    eBelow.picture = ElementPicture(below);
    eBelow.hint = PrintElementName(elementName(below));
  }
  for (const auto& p : positions) {
    set(qr, "QRImageElementOn", p.suffix).picture = ElementPicture(StemElement(p.pillar.stem));
    set(qr, "QRImageElementBelow", p.suffix).picture = ElementPicture(BranchElement(p.pillar.branch));
  }
  for (const auto& p : positions) {
    set(m, "ImageChineseOn", p.suffix).picture = StemPicture(p.pillar.stem);
    set(m, "ImageChineseBelow", p.suffix).picture = BranchPicture(p.pillar.branch);
  }
  for (const auto& p : positions) {
    if (p.suffix == "tb") continue;
    set(qr, "QRImageChineseOn", p.suffix).picture = StemPicture(p.pillar.stem);
    set(qr, "QRImageChineseBelow", p.suffix).picture = BranchPicture(p.pillar.branch);
  }
}

}  // namespace vesprin
