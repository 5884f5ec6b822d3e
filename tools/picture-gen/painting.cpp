#include "painting.h"

#include <QSaveFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTransform>

#include <cmath>
#include <stdexcept>

namespace picturegen {

Canvas::Canvas(QSize box) : box_(box), image_(box * kScale, QImage::Format_ARGB32_Premultiplied) {
  image_.fill(Qt::white);
  painter_ = std::make_unique<QPainter>(&image_);
  painter_->setRenderHint(QPainter::Antialiasing, true);
  painter_->scale(kScale, kScale);
}

QImage Canvas::finish(const std::vector<QColor>& inks) {
  painter_->end();
  const int dotsPerMeter = static_cast<int>(std::lround(kPictureDpi / 0.0254));
  if (inks.empty() || (inks.size() == 1 && inks.front() == QColor(Qt::black))) {
    // Black on white is kept at one bit a pixel: at 576 dots per inch the
    // edge shades are finer than a printer's dots, and a PDF carries a
    // black-and-white bitmap as one bit a pixel where it would spend three
    // bytes on any other, which makes the page several times quicker to write.
    QImage out(image_.size(), QImage::Format_Mono);
    out.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    out.fill(1);  // the bits after a row's last pixel too: the same bytes on every run
    for (int y = 0; y < image_.height(); ++y) {
      const auto* src = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
      for (int x = 0; x < image_.width(); ++x) out.setPixel(x, y, qGray(src[x]) < 128 ? 0 : 1);
    }
    out.setDotsPerMeterX(dotsPerMeter);
    out.setDotsPerMeterY(dotsPerMeter);
    return out;
  }
  // White plus an equal ramp from white to each ink.
  const int levels = 15 / static_cast<int>(inks.size());
  QList<QRgb> palette{qRgb(255, 255, 255)};
  for (const QColor& ink : inks)
    for (int l = 1; l <= levels; ++l) {
      auto mix = [&](int c) { return 255 + (c - 255) * l / levels; };
      palette.push_back(qRgb(mix(ink.red()), mix(ink.green()), mix(ink.blue())));
    }
  QImage out(image_.size(), QImage::Format_Indexed8);
  out.setColorTable(palette);
  for (int y = 0; y < image_.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
    uchar* dst = out.scanLine(y);
    for (int x = 0; x < image_.width(); ++x) {
      int best = 0;
      long bestDistance = -1;
      for (int i = 0; i < palette.size(); ++i) {
        const long dr = qRed(src[x]) - qRed(palette[i]), dg = qGreen(src[x]) - qGreen(palette[i]),
                   db = qBlue(src[x]) - qBlue(palette[i]);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
          best = i;
          bestDistance = d;
        }
      }
      dst[x] = static_cast<uchar>(best);
    }
  }
  out.setDotsPerMeterX(dotsPerMeter);
  out.setDotsPerMeterY(dotsPerMeter);
  return out;
}

QFont requireFont(const QString& family, bool bold) {
  if (!QFontDatabase::families().contains(family))
    throw std::runtime_error("font family \"" + family.toStdString() + "\" is not installed");
  QFont font(family);
  font.setBold(bold);
  font.setPixelSize(200);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::NoFontMerging);
  if (QFontInfo(font).family() != family)
    throw std::runtime_error("font family \"" + family.toStdString() + "\" resolves to \"" +
                             QFontInfo(font).family().toStdString() + "\"");
  return font;
}

std::vector<QPainterPath> fittedGlyphs(const QStringList& texts, const QFont& font, double maxWidth,
                                       double maxHeight, QPointF centre, double squeezeTo) {
  std::vector<QPainterPath> paths;
  double widest = 0, tallest = 0;
  for (const QString& t : texts) {
    QPainterPath p;
    p.addText(0, 0, font, t);
    const QRectF r = p.boundingRect();
    tallest = std::max(tallest, r.height());
    if (squeezeTo <= 0) widest = std::max(widest, r.width());
    paths.push_back(p);
  }
  const double scale = squeezeTo > 0 ? maxHeight / tallest : std::min(maxWidth / widest, maxHeight / tallest);
  for (QPainterPath& p : paths) {
    const QRectF r = p.boundingRect();
    double sx = scale;
    if (squeezeTo > 0 && r.width() * scale > squeezeTo) sx = squeezeTo / r.width();
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.scale(sx, scale);
    t.translate(-r.center().x(), -r.center().y());
    p = t.map(p);
  }
  return paths;
}

namespace {

void putLe(QByteArray& out, quint32 value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

// Qt's bitmap writer leaves the padding at the end of each one-bit row
// uninitialised, so the same picture would come out different on every run:
// one-bit pictures are written here, every padding bit zero.
QByteArray monoBitmap(const QImage& image) {
  const int w = image.width(), h = image.height();
  const int rowBytes = (w + 31) / 32 * 4;
  const quint32 offset = 14 + 40 + 2 * 4;
  QByteArray out;
  out.append("BM");
  putLe(out, offset + rowBytes * h, 4);
  putLe(out, 0, 4);
  putLe(out, offset, 4);
  putLe(out, 40, 4);
  putLe(out, w, 4);
  putLe(out, h, 4);
  putLe(out, 1, 2);  // planes
  putLe(out, 1, 2);  // bits a pixel
  putLe(out, 0, 4);  // no compression
  putLe(out, rowBytes * h, 4);
  putLe(out, image.dotsPerMeterX(), 4);
  putLe(out, image.dotsPerMeterY(), 4);
  putLe(out, 2, 4);
  putLe(out, 2, 4);
  for (const QRgb c : image.colorTable()) putLe(out, c & 0xffffff, 4);
  for (int y = h - 1; y >= 0; --y) {  // bottom row first
    QByteArray row(rowBytes, '\0');
    for (int x = 0; x < w; ++x)
      if (image.pixelIndex(x, y)) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    out.append(row);
  }
  return out;
}

}  // namespace

void writeBitmap(const QImage& image, const QString& path) {
  if (image.format() == QImage::Format_Mono) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(monoBitmap(image)) < 0 || !file.commit())
      throw std::runtime_error("cannot write " + path.toStdString());
    return;
  }
  if (!image.save(path, "BMP"))
    throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace picturegen
