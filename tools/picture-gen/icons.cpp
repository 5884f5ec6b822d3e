#include "icons.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

#include <array>
#include <stdexcept>

#include "pictures_set.h"

namespace picturegen {
namespace {

// The icon is drawn in the box of the sheet's circle (72 x 72). The ring is
// heavier than the sheet's 2 pixels so that it still shows at 16 x 16.
constexpr double kFrame = 72;
constexpr double kRingWidth = 4;
constexpr QPointF kGlyphCorner(13, 13);  // the logo picture's corner inside the circle
constexpr std::array kSizes{16, 22, 24, 32, 48, 64, 128, 256};

QPainterPath glyphInFrame() { return sealGlyph().translated(kGlyphCorner); }

QString number(double v) {
  QString s = QString::number(v, 'f', 3);
  while (s.endsWith(QLatin1Char('0'))) s.chop(1);
  if (s.endsWith(QLatin1Char('.'))) s.chop(1);
  return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString pathData(const QPainterPath& path) {
  QString d;
  auto point = [&d](const QPainterPath::Element& e) {
    d += number(e.x) + QLatin1Char(' ') + number(e.y);
  };
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    if (!d.isEmpty()) d += QLatin1Char(' ');
    if (e.isMoveTo()) {
      d += QStringLiteral("M");
      point(e);
    } else if (e.isLineTo()) {
      d += QStringLiteral("L");
      point(e);
    } else if (e.isCurveTo()) {
      if (i + 2 >= path.elementCount()) throw std::runtime_error("a curve of the seal lacks its points");
      d += QStringLiteral("C");
      point(e);
      d += QLatin1Char(' ');
      point(path.elementAt(++i));
      d += QLatin1Char(' ');
      point(path.elementAt(++i));
    }
  }
  return d;
}

void save(const QString& path, const QByteArray& bytes) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
    throw std::runtime_error("cannot write " + path.toStdString());
}

QString colour(const QColor& c) { return c.name(QColor::HexRgb); }

void writeSvg(const QString& path) {
  const QPainterPath glyph = glyphInFrame();
  const QString svg =
      QStringLiteral(
          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
          "  <!-- The seal of Vesprin's chart sheet. The character is the outline of its glyph\n"
          "       in AR PL UKai CN (Arphic Public License), placed and coloured by\n"
          "       Vesprin's picture generator (tools/picture-gen) in 2026. -->\n"
          "  <circle cx=\"%2\" cy=\"%2\" r=\"%3\" fill=\"#ffffff\" stroke=\"%4\" stroke-width=\"%5\"/>\n"
          "  <path fill=\"%4\" fill-rule=\"%6\" d=\"%7\"/>\n"
          "</svg>\n")
          .arg(number(kFrame), number(kFrame / 2), number(kFrame / 2 - kRingWidth / 2 - 0.5),
               colour(kSealNavy), number(kRingWidth),
               glyph.fillRule() == Qt::WindingFill ? QStringLiteral("nonzero") : QStringLiteral("evenodd"),
               pathData(glyph));
  save(path, svg.toUtf8());
}

QImage paintIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(size / kFrame, size / kFrame);
  p.setPen(QPen(kSealNavy, kRingWidth));
  p.setBrush(Qt::white);
  const double r = kFrame / 2 - kRingWidth / 2 - 0.5;
  p.drawEllipse(QPointF(kFrame / 2, kFrame / 2), r, r);
  p.fillPath(glyphInFrame(), kSealNavy);
  p.end();
  return image;
}

}  // namespace

int writeIcons(const QString& dir) {
  if (!QDir().mkpath(dir)) throw std::runtime_error("cannot create " + dir.toStdString());
  writeSvg(QDir(dir).filePath(QStringLiteral("seal.svg")));
  for (int size : kSizes) {
    const QString path = QDir(dir).filePath(QStringLiteral("seal-%1.png").arg(size));
    if (!paintIcon(size).save(path, "PNG")) throw std::runtime_error("cannot write " + path.toStdString());
  }
  return 1 + static_cast<int>(kSizes.size());
}

}  // namespace picturegen
