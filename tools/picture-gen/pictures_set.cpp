#include "pictures_set.h"

#include <QFontMetricsF>
#include <QPen>

#include <stdexcept>

#include "painting.h"
#include "present/pictures/pictures.h"

namespace picturegen {
namespace {

using vesprin::Element;

// The stems 1..10 and the branches 1..12 (1 = Rat) as their characters.
const QStringList kStems = {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                            QStringLiteral("丁"), QStringLiteral("戊"), QStringLiteral("己"),
                            QStringLiteral("庚"), QStringLiteral("辛"), QStringLiteral("壬"),
                            QStringLiteral("癸")};
const QStringList kBranches = {QStringLiteral("子"), QStringLiteral("丑"), QStringLiteral("寅"),
                               QStringLiteral("卯"), QStringLiteral("辰"), QStringLiteral("巳"),
                               QStringLiteral("午"), QStringLiteral("未"), QStringLiteral("申"),
                               QStringLiteral("酉"), QStringLiteral("戌"), QStringLiteral("亥")};
// The clash between two neighbouring pillars.
const QString kClash = QStringLiteral("冲");

const QString kCharacterFont = QStringLiteral("AR PL UKai CN");
const QString kNumberFont = QStringLiteral("DejaVu Sans");

const QColor kInk(0, 0, 0);
// An uncertain picture is grey in a dashed frame: plainly not the settled sign.
const QColor kUncertainInk(140, 140, 140);
const QColor kUncertainFrame(96, 96, 96);

constexpr QSize kCharacterBox(26, 26);
constexpr QSize kSmallBox(11, 11);
constexpr QSize kNumberBox(13, 21);
constexpr QSize kElementBox(15, 22);
constexpr QSize kGenderBox(24, 24);
constexpr QSize kLogoBox(46, 46);

enum class Look { Plain, Uncertain };

void dashedFrame(QPainter& p, QSize box) {
  QPen pen(kUncertainFrame, 1.0 / 1.2);
  pen.setDashPattern({3.0, 2.0});
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.6, 0.6, box.width() - 1.2, box.height() - 1.2));
}

QImage paintGlyph(const QPainterPath& glyph, QSize box, Look look) {
  Canvas c(box);
  QPainter& p = c.painter();
  const QColor ink = look == Look::Plain ? kInk : kUncertainInk;
  p.fillPath(glyph, ink);
  if (look == Look::Plain) return c.finish({kInk});
  dashedFrame(p, box);
  return c.finish({kUncertainInk, kUncertainFrame});
}

QImage paintBlank(QSize box) { return Canvas(box).finish({}); }

// The characters of all stems and branches share one size in a box.
std::vector<QPainterPath> characters(QSize box, double margin) {
  const QFont font = requireFont(kCharacterFont);
  return fittedGlyphs(kStems + kBranches, font, box.width() - 2 * margin, box.height() - 2 * margin,
                      QPointF(box.width() / 2.0, box.height() / 2.0));
}

std::vector<QPainterPath> numbers() {
  QStringList texts;
  for (int k = 1; k <= 12; ++k) texts << QString::number(k);
  return fittedGlyphs(texts, requireFont(kNumberFont, true), 0, 12.5,
                      QPointF(kNumberBox.width() / 2.0, kNumberBox.height() / 2.0), 11.4);
}

// Element icons, drawn in the 15 x 22 box.

const QColor kWoodGreen(34, 139, 34);
const QColor kWoodTrunk(110, 70, 30);
const QColor kFireRed(214, 40, 30);
const QColor kFireYellow(250, 176, 30);
const QColor kEarthBrown(150, 100, 45);
const QColor kGold(222, 170, 20);
const QColor kGoldEdge(130, 95, 0);
const QColor kWaterBlue(30, 110, 210);

QImage paintWood() {
  Canvas c(kElementBox);
  QPainter& p = c.painter();
  p.setPen(Qt::NoPen);
  p.setBrush(kWoodTrunk);
  p.drawRect(QRectF(6.3, 16.5, 2.4, 4.5));
  p.setBrush(kWoodGreen);
  const QPolygonF tiers[] = {
      QPolygonF({{7.5, 1.5}, {2.8, 8.0}, {12.2, 8.0}}),
      QPolygonF({{7.5, 4.8}, {1.8, 12.2}, {13.2, 12.2}}),
      QPolygonF({{7.5, 8.6}, {0.8, 17.0}, {14.2, 17.0}}),
  };
  for (const QPolygonF& t : tiers) p.drawPolygon(t);
  return c.finish({kWoodGreen, kWoodTrunk});
}

QImage paintFire() {
  Canvas c(kElementBox);
  QPainter& p = c.painter();
  QPainterPath outer(QPointF(7.5, 20.8));
  outer.cubicTo(2.6, 20.8, 1.0, 16.5, 2.6, 12.6);
  outer.cubicTo(3.5, 10.5, 4.6, 9.6, 4.5, 7.2);
  outer.cubicTo(6.4, 8.6, 7.0, 10.4, 6.9, 12.0);
  outer.cubicTo(8.6, 9.8, 8.8, 5.6, 7.2, 1.2);
  outer.cubicTo(11.6, 4.4, 14.0, 9.0, 13.3, 14.2);
  outer.cubicTo(12.8, 18.4, 10.6, 20.8, 7.5, 20.8);
  p.fillPath(outer, kFireRed);
  QPainterPath inner(QPointF(7.5, 20.0));
  inner.cubicTo(5.2, 20.0, 4.4, 17.8, 5.2, 16.0);
  inner.cubicTo(5.8, 14.8, 6.7, 14.0, 6.8, 12.6);
  inner.cubicTo(8.3, 13.8, 8.9, 15.0, 8.7, 16.0);
  inner.cubicTo(9.4, 15.4, 9.7, 14.5, 9.7, 13.6);
  inner.cubicTo(11.0, 15.2, 11.2, 17.0, 10.5, 18.4);
  inner.cubicTo(10.0, 19.5, 8.9, 20.0, 7.5, 20.0);
  p.fillPath(inner, kFireYellow);
  return c.finish({kFireRed, kFireYellow});
}

QImage paintEarth() {
  Canvas c(kElementBox);
  QPainter& p = c.painter();
  p.setPen(Qt::NoPen);
  p.setBrush(kEarthBrown);
  // A mountain on two layers of ground.
  p.drawPolygon(QPolygonF({{0.6, 15.6}, {5.4, 5.0}, {7.8, 9.4}, {9.8, 6.6}, {14.4, 15.6}}));
  p.drawRect(QRectF(0.4, 16.8, 14.2, 1.8));
  p.drawRect(QRectF(0.4, 19.6, 14.2, 1.8));
  return c.finish({kEarthBrown});
}

QImage paintGold() {
  Canvas c(kElementBox);
  QPainter& p = c.painter();
  QPen edge(kGoldEdge, 0.7);
  edge.setJoinStyle(Qt::RoundJoin);
  p.setPen(edge);
  p.setBrush(kGold);
  // An ingot over a bar of gold.
  QPainterPath dome;
  dome.addEllipse(QPointF(7.5, 8.4), 3.0, 2.9);
  p.drawPath(dome);
  QPainterPath ingot(QPointF(0.8, 7.6));
  ingot.cubicTo(2.2, 6.8, 3.6, 7.6, 4.4, 9.0);
  ingot.lineTo(10.6, 9.0);
  ingot.cubicTo(11.4, 7.6, 12.8, 6.8, 14.2, 7.6);
  ingot.cubicTo(14.0, 11.4, 11.4, 13.4, 7.5, 13.4);
  ingot.cubicTo(3.6, 13.4, 1.0, 11.4, 0.8, 7.6);
  ingot.closeSubpath();
  p.drawPath(ingot);
  p.drawPolygon(QPolygonF({{3.2, 15.2}, {11.8, 15.2}, {14.0, 20.6}, {1.0, 20.6}}));
  return c.finish({kGold, kGoldEdge});
}

QImage paintWater() {
  Canvas c(kElementBox);
  QPainter& p = c.painter();
  QPainterPath drop(QPointF(7.5, 1.4));
  drop.cubicTo(9.6, 5.6, 12.8, 8.6, 12.8, 12.2);
  drop.cubicTo(12.8, 15.2, 10.4, 17.2, 7.5, 17.2);
  drop.cubicTo(4.6, 17.2, 2.2, 15.2, 2.2, 12.2);
  drop.cubicTo(2.2, 8.6, 5.4, 5.6, 7.5, 1.4);
  p.fillPath(drop, kWaterBlue);
  QPen shine(Qt::white, 1.0, Qt::SolidLine, Qt::RoundCap);
  p.setPen(shine);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(4.2, 9.4, 5.6, 5.6), 150 * 16, 70 * 16);
  QPainterPath wave(QPointF(0.8, 20.2));
  for (int i = 0; i < 3; ++i) {
    const double x = 0.8 + i * 4.5;
    wave.cubicTo(x + 1.1, 18.8, x + 2.3, 18.8, x + 2.25, 20.2);
    wave.cubicTo(x + 3.4, 21.6, x + 4.4, 21.6, x + 4.5, 20.2);
  }
  p.setPen(QPen(kWaterBlue, 1.1, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(wave);
  return c.finish({kWaterBlue});
}

// Gender signs.

const QColor kMaleBlue(30, 80, 190);
const QColor kFemaleRed(205, 45, 110);

QImage paintMale() {
  Canvas c(kGenderBox);
  QPainter& p = c.painter();
  QPen pen(kMaleBlue, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(9.6, 14.4), 6.0, 6.0);
  p.drawLine(QPointF(14.0, 10.0), QPointF(20.8, 3.2));
  p.drawPolyline(QPolygonF({{14.6, 3.2}, {20.8, 3.2}, {20.8, 9.4}}));
  return c.finish({kMaleBlue});
}

QImage paintFemale() {
  Canvas c(kGenderBox);
  QPainter& p = c.painter();
  QPen pen(kFemaleRed, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(12.0, 8.6), 6.0, 6.0);
  p.drawLine(QPointF(12.0, 14.6), QPointF(12.0, 22.4));
  p.drawLine(QPointF(8.2, 18.8), QPointF(15.8, 18.8));
  return c.finish({kFemaleRed});
}

// Decorations of the hand-over: the analysis note, the clash between two
// pillars, the hot-and-cold balance panel.

const QColor kBulbYellow(245, 195, 15);
const QColor kDarkLine(70, 60, 40);
const QColor kSteel(120, 120, 120);

QImage paintIdea() {
  Canvas c(QSize(24, 24));
  QPainter& p = c.painter();
  p.setPen(QPen(kDarkLine, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(kBulbYellow);
  QPainterPath bulb(QPointF(9.4, 16.0));
  bulb.cubicTo(9.2, 13.4, 6.0, 12.4, 6.0, 8.6);
  bulb.cubicTo(6.0, 5.2, 8.7, 2.8, 12.0, 2.8);
  bulb.cubicTo(15.3, 2.8, 18.0, 5.2, 18.0, 8.6);
  bulb.cubicTo(18.0, 12.4, 14.8, 13.4, 14.6, 16.0);
  bulb.closeSubpath();
  p.drawPath(bulb);
  p.setBrush(kSteel);
  p.drawRoundedRect(QRectF(9.2, 16.6, 5.6, 4.2), 0.8, 0.8);
  p.drawLine(QPointF(9.4, 18.7), QPointF(14.6, 18.7));
  p.drawLine(QPointF(10.8, 21.6), QPointF(13.2, 21.6));
  // Rays.
  p.setPen(QPen(kBulbYellow, 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(2.0, 8.6), QPointF(3.8, 8.6));
  p.drawLine(QPointF(20.2, 8.6), QPointF(22.0, 8.6));
  p.drawLine(QPointF(4.4, 2.0), QPointF(5.6, 3.2));
  p.drawLine(QPointF(19.6, 2.0), QPointF(18.4, 3.2));
  return c.finish({kBulbYellow, kDarkLine, kSteel});
}

const QColor kClashRed(200, 20, 20);

QImage paintClash() {
  const QSize box(16, 16);
  const QPainterPath glyph =
      fittedGlyphs({kClash}, requireFont(kCharacterFont), 12.0, 12.0, QPointF(8.0, 8.0)).front();
  Canvas c(box);
  QPainter& p = c.painter();
  p.setPen(QPen(kClashRed, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(8.0, 8.0), 7.3, 7.3);
  p.fillPath(glyph, kClashRed);
  return c.finish({kClashRed});
}

const QColor kBeamNavy(30, 45, 95);
const QColor kHotRed(210, 55, 40);
const QColor kColdBlue(40, 110, 215);

QImage paintBalance() {
  Canvas c(QSize(32, 32));
  QPainter& p = c.painter();
  p.setPen(QPen(kBeamNavy, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(kBeamNavy);
  p.drawLine(QPointF(16.0, 5.0), QPointF(16.0, 27.0));
  p.drawLine(QPointF(10.0, 28.4), QPointF(22.0, 28.4));
  p.drawLine(QPointF(4.5, 8.0), QPointF(27.5, 8.0));
  p.drawEllipse(QPointF(16.0, 4.4), 1.4, 1.4);
  p.setPen(QPen(kBeamNavy, 0.8));
  for (double x : {4.5, 27.5}) {
    p.drawLine(QPointF(x, 8.0), QPointF(x - 3.6, 17.0));
    p.drawLine(QPointF(x, 8.0), QPointF(x + 3.6, 17.0));
  }
  // The hot pan and the cold pan.
  p.setPen(Qt::NoPen);
  for (const auto& [x, ink] : {std::pair{4.5, kHotRed}, std::pair{27.5, kColdBlue}}) {
    QPainterPath pan(QPointF(x - 4.4, 17.0));
    pan.arcTo(QRectF(x - 4.4, 13.4, 8.8, 7.2), 180, 180);
    pan.closeSubpath();
    p.fillPath(pan, ink);
  }
  return c.finish({kBeamNavy, kHotRed, kColdBlue});
}

QImage paintThermometer() {
  Canvas c(QSize(16, 32));
  QPainter& p = c.painter();
  p.setPen(QPen(kDarkLine, 0.9));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(5.6, 1.6, 4.8, 24.0), 2.4, 2.4);
  p.setPen(Qt::NoPen);
  p.setBrush(kHotRed);
  p.drawRect(QRectF(7.0, 10.0, 2.0, 16.0));
  p.setPen(QPen(kDarkLine, 0.9));
  p.drawEllipse(QPointF(8.0, 27.0), 3.8, 3.8);
  for (int i = 0; i < 6; ++i) {
    const double y = 5.0 + i * 3.2;
    p.drawLine(QPointF(10.4, y), QPointF(i % 2 ? 12.0 : 13.2, y));
  }
  return c.finish({kDarkLine, kHotRed});
}

// The club's seal: the character 命 in navy inside the sheet's navy circle
// (72 x 72 at 22,2). It was a caption in AR PL UKai CN, 46 pixels, centred in
// the box 72 x 60 at 22,8; as a picture the sheet no longer loads and embeds
// that large font for one character. The glyph keeps the caption's size and
// place, and the picture's white square stays clear of the circle's ring.
constexpr QPoint kCaptionToLogo(13, 7);  // the picture's corner in the caption's box
constexpr QSizeF kCaptionBox(72, 60);

QImage paintLogo() {
  Canvas c(kLogoBox);
  c.painter().fillPath(sealGlyph(), kSealNavy);
  return c.finish({kSealNavy});
}

}  // namespace

QPainterPath sealGlyph() {
  QFont font = requireFont(kCharacterFont);
  font.setPixelSize(46);
  const QString seal = QStringLiteral("命");
  const QFontMetricsF fm(font);
  // Where the caption's single line put it: centred across, the line in the
  // middle of the box.
  const QPointF origin((kCaptionBox.width() - fm.horizontalAdvance(seal)) / 2 - kCaptionToLogo.x(),
                       (kCaptionBox.height() - fm.lineSpacing()) / 2 + fm.ascent() - kCaptionToLogo.y());
  QPainterPath glyph;
  glyph.addText(origin, font, seal);
  if (!QRectF(QPointF(0, 0), QSizeF(kLogoBox)).contains(glyph.boundingRect()))
    throw std::runtime_error("the seal character does not fit its picture");
  return glyph;
}

std::vector<Picture> allPictures() {
  std::vector<Picture> all;
  const auto big = characters(kCharacterBox, 1.6);
  const auto small = characters(kSmallBox, 0.4);
  const auto digits = numbers();
  auto add = [&all](std::string name, QSize box, std::function<QImage()> paint) {
    all.push_back({std::move(name), box, std::move(paint)});
  };
  auto addGlyph = [&add](const std::string& name, QSize box, const QPainterPath& glyph, Look look) {
    add(name, box, [glyph, box, look] { return paintGlyph(glyph, box, look); });
  };
  // A sign and its uncertain variant.
  auto addSign = [&addGlyph](const std::string& name, QSize box, const QPainterPath& glyph) {
    addGlyph(name, box, glyph, Look::Plain);
    addGlyph(vesprin::UncertainPicture(name), box, glyph, Look::Uncertain);
  };
  auto at = [](const std::vector<QPainterPath>& glyphs, int i) -> const QPainterPath& {
    return glyphs[static_cast<std::size_t>(i)];
  };

  for (int k = 1; k <= 12; ++k) addSign(vesprin::SignNumberPicture(k), kNumberBox, at(digits, k - 1));
  for (int s = 1; s <= 10; ++s) addSign(vesprin::StemPicture(vesprin::Stem(s)), kCharacterBox, at(big, s - 1));
  for (int b = 1; b <= 12; ++b) addSign(vesprin::BranchPicture(vesprin::Branch(b)), kCharacterBox, at(big, 10 + b - 1));
  add(vesprin::SmallStemPicture(0), kSmallBox, [] { return paintBlank(kSmallBox); });
  for (int s = 1; s <= 10; ++s) addGlyph(vesprin::SmallStemPicture(s), kSmallBox, at(small, s - 1), Look::Plain);
  add(vesprin::SmallBranchPicture(0), kSmallBox, [] { return paintBlank(kSmallBox); });
  for (int b = 1; b <= 12; ++b)
    addGlyph(vesprin::SmallBranchPicture(b), kSmallBox, at(small, 10 + b - 1), Look::Plain);

  add(vesprin::ElementPicture(Element::Wood), kElementBox, paintWood);
  add(vesprin::ElementPicture(Element::Fire), kElementBox, paintFire);
  add(vesprin::ElementPicture(Element::Ground), kElementBox, paintEarth);
  add(vesprin::ElementPicture(Element::Gold), kElementBox, paintGold);
  add(vesprin::ElementPicture(Element::Water), kElementBox, paintWater);

  add("male.bmp", kGenderBox, paintMale);
  add("female.bmp", kGenderBox, paintFemale);
  add("idea.bmp", QSize(24, 24), paintIdea);
  add("chng.bmp", QSize(16, 16), paintClash);
  add("balance.bmp", QSize(32, 32), paintBalance);
  add("thermometer.bmp", QSize(16, 32), paintThermometer);
  add("logo.bmp", kLogoBox, paintLogo);
  return all;
}

}  // namespace picturegen
